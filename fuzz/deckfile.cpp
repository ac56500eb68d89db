// The deck parameter file reader and the model build on any bytes: a clear
// error or a deck that passed its checks, never a crash or a hang. The first
// byte picks the file's name, and so its family of shapes.
#include "catalogue.h"
#include "framing.h"
#include "fuzzing.h"

using namespace deckmodel;

FUZZ_TARGET
{
    if (size == 0)
        return 0;
    static const QStringList names = deckfile::parameterFiles();
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    const auto read = deckfile::readDeckFile(bytes, names[data[0] % 4]);
    if (!read) {
        require(!read.error().isEmpty(), "a refused file says why");
        require(read.error().contains(names[data[0] % 4]), "the reader's error names the file:", read.error());
        return 0;
    }
    require(read->deckType >= 1 && read->deckType <= 9, "a deck type 1 to 9");
    const jm::Result<Deck> built = buildDeck(*read);
    require(built || !built.error().isEmpty(), "a deck that is not built says why");
    if (built)
        require(!built->members.empty(), "a built deck has members");
    return 0;
}
