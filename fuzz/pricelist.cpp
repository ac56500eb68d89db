// The price list on any bytes: at most 20 bad rows named and one line
// counting the rest, every sentence short and free of control characters,
// every price read finite and within 0 to 1,000,000, the bytes kept as read,
// and a price set on a list read back as set.
#include "fuzzing.h"
#include "pricelist.h"

#include <cmath>

using namespace deckmodel;

FUZZ_TARGET
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    PriceList list = PriceList::parse(bytes, QStringLiteral("prices.csv"));
    require(list.bytes() == bytes, "the list keeps its bytes as read");
    require(list.problems().size() <= size_t(NamedBadRows) + 1, "at most 20 bad rows named, then a count");
    for (const PriceProblem &problem : list.problems()) {
        require(problem.sentence.startsWith(u"prices.csv"), "a problem names the file:", problem.sentence);
        // The file's name, the line's number, two quotes of 80 characters (an
        // escape each at most 6) and the words around them.
        require(problem.sentence.size() <= 1200, "a problem is short:", problem.sentence.left(200));
        for (const QChar c : problem.sentence)
            require(c.unicode() >= 0x20 && c.unicode() != 0x7f, "a problem holds no control character");
    }
    const PriceKey key{QStringLiteral("Fuzz"), QStringLiteral("1x1"), QString(), QStringLiteral("piece")};
    if (const std::optional<double> price = list.price(key))
        require(std::isfinite(*price) && *price >= 0 && *price <= LargestPrice, "a price read is within its bounds");
    // Lines ended by CR alone are not added to (the save refuses them).
    if (!bytes.contains('\n') && bytes.count('\r') > 1)
        return 0;
    list.setPrice(key, 12.34);
    const PriceList again = PriceList::parse(list.bytes(), QStringLiteral("prices.csv"));
    require(again.price(key) == std::optional<double>(12.34), "a price set reads back as set");
    return 0;
}
