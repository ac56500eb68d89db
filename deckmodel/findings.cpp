// The words of the framing's refusals and the model checks, made from their
// records.
#include "findings.h"

#include "ledger.h"
#include "lengthtext.h"
#include "numbertext.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace deckmodel {

namespace {

QString number(double value) { return numbertext::generalNumber(value); }

QString squareFeet(double squareInches) { return number(std::round(squareInches / 144 * 100) / 100); }

// Members of one kind set closer than their own width.
QString crowded(const char *kind, const Finding &f, double width, double apart, int firstLine, int secondLine)
{
    return QStringLiteral("The %1 of \"%2\" would overlap: %3 inches wide, %4 inches apart centre to centre (lines %5 and %6).")
        .arg(QLatin1String(kind), f.file, number(width), number(std::round(apart * 1000) / 1000))
        .arg(firstLine)
        .arg(secondLine);
}

} // namespace

QString sentence(const Finding &f)
{
    const auto member = [&](size_t i) { return i < f.members.size() ? f.members[i] : QString(); };
    const auto value = [&](size_t i) { return i < f.values.size() ? f.values[i] : 0.0; };
    const auto line = [&](size_t i) { return i < f.lines.size() ? f.lines[i] : 0; };
    switch (f.rule) {
    case Rule::TooLow:
    {
        // value(1): how deep the decking, joists and beams stack, inches.
        const double heightInches = value(0) * 12, stack = value(1);
        const QString high = value(0) == 1 ? QStringLiteral("1 foot") : number(value(0)) + QStringLiteral(" feet");
        const QString where = stack - heightInches > 0.01
            ? QStringLiteral("the beams would sit %1 below the ground").arg(lengthtext::inchesText(stack - heightInches))
            : QStringLiteral("the beams would lie on the ground itself, with no footing under them");
        return QStringLiteral("A deck %1 high is too low for its framing: its decking, joists and beams stack %2 deep, "
                              "so %3. Make the deck more than %2 high, or use shallower joists or beams.")
            .arg(high, lengthtext::feetAndInchesFromInches(stack), where);
    }
    case Rule::TooManyMembers:
        if (f.lines.empty())
            return QStringLiteral("The stair on \"%1\" would bring the deck to about %2 members; a deck has at most %3. "
                                  "Make it narrower.")
                .arg(f.file)
                .arg(std::llround(std::min(value(0), 1e15)))
                .arg(std::llround(value(1)));
        return QStringLiteral("The sizes and spacings of \"%1\" would make about %2 members; a deck has at most %3.")
            .arg(f.file)
            .arg(std::llround(std::min(value(0), 1e15)))
            .arg(std::llround(value(1)));
    case Rule::BeamLinesCrowded: return crowded("beams", f, value(0), value(1), line(0), line(1));
    case Rule::BeamLinesUnderPosts:
    case Rule::PostsCrowded: return crowded("posts", f, value(0), value(1), line(0), line(1));
    case Rule::JoistsCrowded: return crowded("joists", f, value(0), value(1), line(0), line(1));
    case Rule::MemberTooThin:
        return QStringLiteral("Line %1 of \"%2\" makes members %3 inches thick; a member is at least %4 inches.")
            .arg(line(0))
            .arg(f.file, number(value(0)), number(value(1)));
    case Rule::StairTooNarrow:
        return QStringLiteral("A stair %1 inches wide is narrower than the %2 inches the code asks for.")
            .arg(std::isfinite(value(0)) ? number(std::round(value(0) * 100) / 100) : QStringLiteral("(no number)"),
                 number(value(1)));
    case Rule::StairOffDeck:
        return QStringLiteral("The stair is set on edge %1, but the deck's outline has %2 edges.")
            .arg(std::llround(value(0)))
            .arg(std::llround(value(1)));
    case Rule::StairDoesNotFit:
        if (value(3) > value(4) + 1e-9)
            return QStringLiteral("The edge of %1 is %2 inches long; a stair %3 inches wide needs %4 with room for a guard post each side. Choose a longer edge.")
                .arg(member(0), number(std::round(value(0) * 100) / 100), number(value(1)),
                     number(std::round(value(3) * 2 * 100) / 100));
        return QStringLiteral("A stair centred %1 inches along the edge of %2 leaves no room for the guard posts beside it; on that edge it fits centred %3 to %4 inches along.")
            .arg(number(std::round(value(2) * 100) / 100), member(0), number(std::round(value(3) * 100) / 100),
                 number(std::round(value(4) * 100) / 100));
    case Rule::StairBlocked:
        return QStringLiteral("The stair off the edge of %1 would run into %2 (at %3); move it along the edge or to another edge.")
            .arg(member(0), member(2), member(1));
    case Rule::LedgerNotAllowed:
    {
        const auto framing = HouseFraming(std::clamp(int(value(0)), 0, int(HouseFraming::ChimneyOrBay)));
        QString why;
        switch (framing) {
        case HouseFraming::BrickVeneer:
        case HouseFraming::StoneVeneer:
            why = QStringLiteral("a ledger may not be supported on stone or masonry veneer (R507.9.1.1)");
            break;
        case HouseFraming::CantileveredFloor:
        case HouseFraming::Overhang:
            why = QStringLiteral("the band joist of a floor that cantilevers past the wall below does not bear fully on the house (R507.9.1.2)");
            break;
        default:
            why = QStringLiteral("it is no band joist bearing fully on the house (R507.9.1.2)");
            break;
        }
        return QStringLiteral("The deck cannot hang on %1: %2; attach it free-standing: a beam line 18 in from the house.")
            .arg(houseFramingWords(framing), why);
    }
    case Rule::LedgerOffDeck:
        return QStringLiteral("The ledger is set on edge %1, but the deck's outline has %2 edges.")
            .arg(std::llround(value(0)))
            .arg(std::llround(value(1)));
    case Rule::LedgerEdgeAskew:
        return QStringLiteral("Edge %1 runs aslant, so the joists could not hang square on a ledger there; hang the deck along its front, "
                              "back, left or right edge, or attach it free-standing: a beam line 18 in from the house.")
            .arg(std::llround(value(0)));
    case Rule::LedgerEdgeShort:
        return QStringLiteral("The ledger's edge is %1 long but the deck is %2 deep along it; a ledger runs along a whole side of the deck, "
                              "so hang it on another edge or attach it free-standing: a beam line 18 in from the house.")
            .arg(lengthtext::feetAndInchesFromInches(value(0)), lengthtext::feetAndInchesFromInches(value(1)));
    case Rule::LedgerUnderStair:
        return QStringLiteral("The stair is on edge %1, where the deck hangs on the house; move the stair to another edge.")
            .arg(std::llround(value(0)));
    case Rule::MembersOverlap: return QStringLiteral("%1 and %2 overlap.").arg(member(0), member(1));
    case Rule::JoistUnsupported:
        return QStringLiteral("%1 rests on %2 beam lines and %3 rim joists.")
            .arg(member(0))
            .arg(std::llround(value(0)))
            .arg(std::llround(value(1)));
    case Rule::PostUnderNoBeam: return QStringLiteral("%1 stands under no beam.").arg(member(0));
    case Rule::OutsideOutline: return QStringLiteral("%1 lies outside the deck's outline.").arg(member(0));
    case Rule::InsideOutline: return QStringLiteral("%1 stands within the deck's outline.").arg(member(0));
    case Rule::DeckingUncovered:
        return QStringLiteral("The decking leaves %1 square feet of the deck uncovered; its gaps account for %2.")
            .arg(squareFeet(value(0)), squareFeet(value(1)));
    }
    return {};
}

QString checksFailed(const std::vector<Finding> &findings)
{
    QStringList sentences;
    for (const Finding &f : findings)
        sentences << sentence(f);
    return QStringLiteral("The deck fails its checks: %1").arg(sentences.join(QLatin1Char(' ')));
}

} // namespace deckmodel
