// What the framing refuses and what the model checks find, as records: the
// rule, the members and deck-file lines concerned and the numbers involved.
// The words for a person are made from a record only at the edge, by
// sentence(); tests compare the records.
#pragma once

#include <QString>

#include <vector>

namespace deckmodel {

// Each rule's members, lines and values (lengths in inches, areas in square
// inches, heights in feet as the file gives them):
enum class Rule {
    // Refusals of the sizes, before anything is framed; no members.
    TooLow,                 // lines 3 9 12 16; values: height feet, decking, joists and beams inches
    TooManyMembers,         // lines 1 2 6 8 15 17 18 (none when the stair makes them); values: members
                            // estimated or counted, the most a deck has
    BeamLinesCrowded,       // lines 8 10; values: two plies' width inches, closest beam lines inches apart
    BeamLinesUnderPosts,    // lines 7 8; values: post size inches, closest beam lines inches apart
    PostsCrowded,           // lines 6 7; values: post size inches, closest posts along a beam inches apart
    JoistsCrowded,          // lines 14 15; values: joist width inches, joist spacing inches
    MemberTooThin,          // lines: the size's line; values: the size inches, the least a member is
    // Refusals of the stair's place, after the framing; no lines.
    StairTooNarrow,         // values: the stair's width, the least the code allows, inches
    StairOffDeck,           // values: the edge asked for (counted from 1), the outline's edges
    StairDoesNotFit,        // members: the edge's rim joist; values: the edge's length, the stair's width,
                            // its centre's offset along the edge, the least and the most offset it fits at, inches
    StairBlocked,           // members: the edge's rim joist, the stair's member, what it runs into (or "the deck")
    // Refusals of the house the deck hangs on, before anything is framed; no lines.
    LedgerNotAllowed,       // values: the house framing (HouseFraming's number)
    LedgerOffDeck,          // values: the edge asked for (counted from 1), the outline's edges
    LedgerEdgeAskew,        // values: the edge (counted from 1)
    LedgerEdgeShort,        // values: the edge's length, the deck's depth along it, inches
    LedgerUnderStair,       // values: the edge (counted from 1)
    // Model checks of a framed deck; no lines.
    MembersOverlap,         // members: the two; values: their shared plan area square inches
    JoistUnsupported,       // members: the joist; values: beam lines under it, its ends on rim joists
    PostUnderNoBeam,        // members: the post; no values
    OutsideOutline,         // members: the framing member with a corner outside; no values
    InsideOutline,          // members: the guard's or stair's member standing within the outline; no values
    DeckingUncovered,       // no members; values: the outline's area the boards leave open, what their gaps account for
};

struct Finding {
    Rule rule = Rule::MembersOverlap;
    QString file;                 // the deck file's name, "Deck_Rectangle.txt"
    std::vector<QString> members; // member names, "Joist 12"
    std::vector<int> lines;       // deck parameter file lines, counted from 1
    std::vector<double> values;   // as the rule above says
};

// The sentence a person reads for a finding.
QString sentence(const Finding &finding);

// The sentence that refuses a deck failing its checks: every finding's
// sentence, in order.
QString checksFailed(const std::vector<Finding> &findings);

} // namespace deckmodel
