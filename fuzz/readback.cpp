// The read-back of DeckType.txt and Sizes.txt on any bytes: a deck type 1 to 9
// or a failure that names the file; three finite sizes or such a failure; the
// fields always run out; and sizes written again read back alike.
#include "freeformat.h"
#include "fuzzing.h"
#include "handoff.h"
#include "numbertext.h"

#include <cmath>

using namespace deckfile;

FUZZ_TARGET
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto type = readDeckType(bytes);
    require(!type ? type.error().contains(u"\"DeckType.txt\"") : *type >= 1 && *type <= 9,
            "a deck type 1 to 9 or a failure naming DeckType.txt");

    FieldReader reader(bytes);
    qsizetype fields = 0;
    while (reader.next())
        require(++fields <= size + 1, "each field takes a byte");

    const auto sizes = readNumbers(bytes, 3, SizesFile);
    if (!sizes) {
        require(sizes.failure().number == NotANumber || sizes.failure().number == PastTheEnd, "error 13 or 62");
        require(sizes.error().contains(u"\"Sizes.txt\""), "the failure names the file");
        return 0;
    }
    require(sizes->size() == 3, "three sizes");
    QString printed[3];
    for (int i = 0; i < 3; ++i) {
        require(std::isfinite((*sizes)[i]), "finite sizes");
        if (std::abs((*sizes)[i]) >= 1e308)
            return 0;
        printed[i] = numbertext::generalNumber((*sizes)[i]);
    }
    // Sizes.txt holds B, A and the height, one to a line.
    const auto again = readNumbers(sizesBytes({printed[1], printed[0], printed[2]}), 3, SizesFile);
    require(again && again->size() == 3, "written sizes read back");
    for (int i = 0; i < 3; ++i)
        require(numbertext::generalNumber((*again)[i]) == printed[i], "a written size reads back alike:", printed[i]);
    return 0;
}
