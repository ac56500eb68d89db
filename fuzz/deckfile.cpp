// The deck parameter file reader and the model build on any bytes: a clear
// error or a deck that passed its checks, never a crash or a hang. The first
// byte picks the file's name, and so its family of shapes.
#include "deckfile.h"
#include "framing.h"
#include "fuzzing.h"

using namespace deckmodel;

FUZZ_TARGET
{
    if (size == 0)
        return 0;
    static const QString names[] = {QStringLiteral("Deck_Rectangle.txt"), QStringLiteral("Deck_L-Shape.txt"),
                                    QStringLiteral("Deck_Slice.txt"), QStringLiteral("Deck_Slice2.txt")};
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    const ReadResult read = readDeckFile(bytes, names[data[0] % 4]);
    require(read.deck.has_value() != !read.error.isEmpty(), "a deck or an error, not both");
    if (!read.deck) {
        require(read.error.contains(names[data[0] % 4]), "the reader's error names the file:", read.error);
        return 0;
    }
    require(read.deck->deckType >= 1 && read.deck->deckType <= 9, "a deck type 1 to 9");
    const jm::Result<Deck> built = buildDeck(*read.deck);
    require(built || !built.error().isEmpty(), "a deck that is not built says why");
    if (built)
        require(!built->members.empty(), "a built deck has members");
    return 0;
}
