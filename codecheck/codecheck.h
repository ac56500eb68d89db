// The framed deck checked against the prescriptive deck tables of the 2021
// International Residential Code (Section R507: joists, beams, posts,
// footings, decking) and its guard rule (R312.1.1), member by member, and a
// framing of the same outline and height that passes them with the least
// lumber. Plain data and plain functions: the tables are read from the data
// files beside this one (codetables/, each naming its source), the results
// are records with one sentence each for a person. docs/deck-model.md states
// how spans, cantilevers and tributary areas are measured, with a hand check.
#pragma once

#include "framing.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace deckmodel {

// The species groups of the tables.
enum class Species {
    SouthernPine,    // the default: the most common treated framing lumber
    DouglasFirLarch, // Douglas fir-larch, hem-fir, spruce-pine-fir
    Redwood,         // redwood, western cedars, ponderosa pine, red pine
};
enum class FootingShape { Round, Square };

struct CodeSettings {
    Species species = Species::SouthernPine;
    int snowLoadPsf = 0;       // ground snow load 50, 60 or 70; 0: none, the 40 psf live load governs
    int soilBearingPsf = 1500; // 1500 (the code's presumptive value), 2000 or 3000
    FootingShape footing = FootingShape::Round;
    bool operator==(const CodeSettings &) const = default;
};

// The settings' words on the command line and in saved settings
// ("southern-pine", "dfl", "redwood"; "round", "square"), and for a person
// ("Southern pine", "Douglas fir-larch, hem-fir, spruce-pine-fir", ...).
QString speciesKey(Species species);
QString speciesWords(Species species);
std::optional<Species> speciesNamed(const QString &key);
QString footingKey(FootingShape shape);
std::optional<FootingShape> footingNamed(const QString &key);
// Only the values the tables have columns for.
bool isSnowLoad(int psf);   // 0, 50, 60, 70
bool isSoilBearing(int psf); // 1500, 2000, 3000
// "40 psf live load" or "50 psf ground snow load".
QString designLoadWords(const CodeSettings &settings);

enum class Verdict {
    Pass,
    Fail,
    Outside,     // outside the prescriptive tables: needs a design by a professional
    Information, // a requirement or a size to build to, nothing to pass or fail
};
QString verdictKey(Verdict verdict); // "pass", "fail", "outside", "information"

// One rule applied to every member it concerns. value and limit belong to the
// governing member (the one with the least to spare), in inches; a rule that
// measures nothing leaves them empty.
struct CodeCheck {
    QString rule;                 // "R507.6 joist cantilever"
    std::vector<QString> members; // those failing (or outside); all those judged when it passes
    std::optional<double> valueInches;
    std::optional<double> limitInches;
    QString cell;                 // the table cell used, as the table prints it
    Verdict result = Verdict::Information;
    QString sentence;             // what is wrong, by how much, what would fix it; or that it passes
};

struct CodeReport {
    CodeSettings settings;
    std::vector<CodeCheck> checks; // in the order of the rules, each rule once
    int judged() const;            // the rows that pass, fail or fall outside
    int failed() const;
    int outside() const;
};

// A size of lumber for a person: the catalogue's nominal name ("2x6" for 1.5
// by 5.5 inches, "8x8" for an 8-inch post), or its inches where the catalogue
// has no such size (1 1/2" x 6").
QString lumberName(double thicknessInches, double depthInches);

// The code check of a framed deck (its members, not the file's words).
CodeReport checkCode(const Deck &deck, const CodeSettings &settings);

// Whether the code check passes (no row fails or falls outside the tables),
// as checkCode's report says, judged rule by rule and given up at the first
// that does not pass: the search for a framing asks it of hundreds of decks.
// FailsOnJoists: a rule the posts have no part in (the joists' span and
// cantilever, a beam carrying joists from both sides), which no other
// placing of the posts under the same beams changes.
enum class CodeOutcome { Passes, FailsOnJoists, Fails };
CodeOutcome codeOutcome(const Deck &deck, const CodeSettings &settings);

// The least footing under each post for the deck it carries (Table
// R507.3.1), whole inches; outside: more deck than the table sizes for.
struct FootingNeed {
    QString post;
    double x = 0, z = 0;               // the post's centre, inches
    double tributarySquareFeet = 0;
    double sizeInches = 0;             // diameter or side, by the settings' shape
    double thicknessInches = 0;
    bool outside = false;
};
std::vector<FootingNeed> footingNeeds(const Deck &deck, const CodeSettings &settings);

// "Fails 2 of 9 checks of the 2021 IRC deck tables", with "; 1 outside the
// tables" where some are, or "Passes all 9 checks of the 2021 IRC deck tables".
QString verdictLine(const CodeReport &report);

// What was applied and assumed, and who has the last word: a few sentences;
// the stair's section (R311.7) named where a stair is checked, as it is
// where the report judges a stair row.
QString codeAssumptions(const CodeSettings &settings, bool stair = false);
QString codeAssumptions(const CodeReport &report);

// A framing of the same outline and height that passes every rule, with the
// least lumber (board feet; ties broken by fewer footings): joist size and
// spacing, beam size and plies, beam lines, posts per beam line and their
// size. Never replaces the wizard's framing; shown beside it.
struct Suggestion {
    std::optional<DeckParameters> parameters; // none: no framing within the tables fits
    QString why;                              // when there is none
    std::vector<QString> changes;             // "Joists 2x8 at 16\" on centre instead of 2x6 at 12\"", ...
    double boardFeet = 0;                     // of the suggested framing's posts, beams and joists
    double boardFeetAsDesigned = 0;
    int footings = 0;
};
Suggestion suggestFraming(const Deck &deck, const CodeSettings &settings);

// Board feet of the framing lumber (posts, beam plies, joists, rim joists),
// from the members' actual lengths and nominal sizes.
double framingBoardFeet(const Deck &deck);

// The records for a program: JSON ({"code": "IRC 2021 R507", "settings",
// "checks", "suggestion"}) or text for a person, both with the verdict and
// the assumptions.
QByteArray codeCheckJson(const CodeReport &report, const Suggestion &suggestion);
QByteArray codeCheckText(const CodeReport &report, const Suggestion &suggestion);

} // namespace deckmodel
