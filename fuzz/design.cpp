// The design file's reader on any bytes: a clear refusal naming the file, or
// a design whose values are within the limits and which writes back to
// bytes that read as the same design.
#include "designfile.h"
#include "fuzzing.h"

FUZZ_TARGET
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto read = design::readDesignBytes(bytes, QStringLiteral("fuzz.jmdeck"));
    if (!read) {
        require(read.error().contains(QStringLiteral("\"fuzz.jmdeck\"")), "a refusal names the file:", read.error());
        return 0;
    }
    const deckfile::DeckParameters &p = read->deck;
    if (!read->is2D) {
        require(p.deckType >= 1 && p.deckType <= 9, "a deck type 1 to 9");
        require(p.beamPlies >= 1 && p.beamPlies <= 3, "1 to 3 plies");
        require(p.depthA > 0 && p.depthA <= 1000 && p.joistSpacing > 0 && p.joistSpacing <= 120, "sizes within the limits");
    }
    const QByteArray again = design::designBytes(*read);
    const auto reread = design::readDesignBytes(again, QStringLiteral("fuzz.jmdeck"));
    require(bool(reread), "a design written reads back:", reread.error());
    require(design::designBytes(*reread) == again, "and writes the same bytes again");
    return 0;
}
