#include "ledger.h"

#include "guards.h"

#include <cmath>

namespace deckmodel {

namespace {

struct FramingName {
    HouseFraming framing;
    const char *key;
    const char *words;
};
constexpr FramingName framingNames[] = {
    {HouseFraming::BandJoist, "band-joist", "a 2x band joist"},
    {HouseFraming::RimBoard, "rim-board", "a 1 in engineered rim board"},
    {HouseFraming::BrickVeneer, "brick-veneer", "brick veneer"},
    {HouseFraming::StoneVeneer, "stone-veneer", "stone veneer"},
    {HouseFraming::CantileveredFloor, "cantilevered-floor", "a cantilevered floor"},
    {HouseFraming::Overhang, "overhang", "a house overhang"},
    {HouseFraming::ChimneyOrBay, "chimney-or-bay", "a chimney or bay"},
};

struct FastenerName {
    LedgerFastener fastener;
    const char *key;
    const char *words;
};
constexpr FastenerName fastenerNames[] = {
    {LedgerFastener::Lag, "lag", "1/2 in lag screws"},
    {LedgerFastener::Bolt, "bolt", "1/2 in through-bolts"},
    {LedgerFastener::BoltWashers, "bolt-washers", "1/2 in through-bolts with stacked washers"},
};

} // namespace

QString houseFramingKey(HouseFraming framing)
{
    for (const FramingName &n : framingNames)
        if (n.framing == framing)
            return QLatin1String(n.key);
    return {};
}

std::optional<HouseFraming> houseFramingNamed(const QString &key)
{
    for (const FramingName &n : framingNames)
        if (key == QLatin1String(n.key))
            return n.framing;
    return std::nullopt;
}

QString houseFramingWords(HouseFraming framing)
{
    for (const FramingName &n : framingNames)
        if (n.framing == framing)
            return QLatin1String(n.words);
    return {};
}

QString fastenerKey(LedgerFastener fastener)
{
    for (const FastenerName &n : fastenerNames)
        if (n.fastener == fastener)
            return QLatin1String(n.key);
    return {};
}

std::optional<LedgerFastener> fastenerNamed(const QString &key)
{
    for (const FastenerName &n : fastenerNames)
        if (key == QLatin1String(n.key))
            return n.fastener;
    return std::nullopt;
}

QString fastenerWords(LedgerFastener fastener)
{
    for (const FastenerName &n : fastenerNames)
        if (n.fastener == fastener)
            return QLatin1String(n.words);
    return {};
}

bool carriesLedger(HouseFraming framing)
{
    return framing == HouseFraming::BandJoist || framing == HouseFraming::RimBoard;
}

int edgeFacing(const Polygon &outline, const QString &side)
{
    Point want;
    if (side == u"front")
        want = {-1, 0};
    else if (side == u"back")
        want = {1, 0};
    else if (side == u"left")
        want = {0, -1};
    else if (side == u"right")
        want = {0, 1};
    else
        return -1;
    int best = -1;
    double longest = 0;
    for (int i = 0; i < int(outline.size()); ++i) {
        const Edge e = edgeOf(outline, i);
        if (std::abs(e.out.x - want.x) < 1e-6 && std::abs(e.out.z - want.z) < 1e-6 && e.lengthInches > longest)
            best = i, longest = e.lengthInches;
    }
    return best;
}

} // namespace deckmodel
