// The saved stairs (stairs.json) on any bytes, then the worked example built
// with the stair read: no record, or one whose deck is built with a stair at
// least 36 inches wide and members of some size, or refused with a finding;
// a record written back reads alike.
#include "framing.h"
#include "fuzzing.h"
#include "stair.h"
#include "stairrecord.h"

#include <cmath>

using namespace deckmodel;

namespace {
DeckParameters workedExample()
{
    DeckParameters d;
    d.fileName = QStringLiteral("Deck_Rectangle.txt");
    d.deckType = 2;
    d.depthA = 16, d.widthB = 12, d.height = 3;
    d.overhangX = 2, d.overhangZ = 2.5, d.beamSpacing = 6, d.joistSpacing = 12, d.deckingGap = .25;
    d.postSize = 4, d.postSpacing = 8, d.beamHeight = 7.25, d.beamPly = 1.5;
    d.joistHeight = 5.5, d.joistWidth = 1.5, d.deckingThickness = 1, d.deckingWidth = 5.5;
    return d;
}
} // namespace

FUZZ_TARGET
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString key = QStringLiteral("/home/pat/deck/Deck_Rectangle.txt");
    const std::optional<StairLayout> layout = stairLayoutIn(bytes, key);
    if (!layout)
        return 0;
    require(std::isfinite(layout->offsetInches) && std::isfinite(layout->widthInches), "a record's numbers are finite");
    require(stairLayoutIn(withStairLayout(bytes, key, *layout), key) == layout, "a record written back reads alike");
    static const DeckParameters example = workedExample();
    Extras extras;
    extras.stair = *layout;
    std::vector<Finding> findings;
    const jm::Result<Deck> built = buildDeck(example, extras, &findings);
    if (!built) {
        require(!findings.empty(), "a refused stair has its record");
        return 0;
    }
    require(!built->stair.present || built->stair.layout.widthInches >= StairDesign::minWidth, "a stair is 36 inches or wider");
    for (const Member &m : built->members)
        require(m.thickness > 1e-3 && area(m.plan) > 1e-3, "no member of (almost) no size:", m.name);
    return 0;
}
