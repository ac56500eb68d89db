#include "handoff.h"

#include "deckparameters.h"
#include "freeformat.h"

#include <cmath>

namespace handoff {

QByteArray integerLine(qint16 value)
{
    const QString digits = QString::number(std::abs(int(value)));
    return textfiles::encodeLine((value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits
                                 + QStringLiteral(" "));
}

QStringList sizesLines(const Sizes &sizes)
{
    return {sizes.b, sizes.a, sizes.height};
}

QStringList dimensionLines(const Sizes &sizes)
{
    return {
        sizes.a + QStringLiteral("        ' Z,   ', Deck Depth"),
        sizes.b + QStringLiteral("        ' X,   ', Deck Width"),
        sizes.height + QStringLiteral("        ' Y,   ', Deck Height"),
    };
}

QByteArray sizesBytes(const Sizes &sizes)
{
    return textfiles::encodeLines(sizesLines(sizes));
}

QByteArray dimensionBytes(const Sizes &sizes)
{
    return textfiles::encodeLines(dimensionLines(sizes));
}

std::optional<textfiles::Failure> write(const QString &folder, qint16 deckType, const Sizes &sizes)
{
    const QString typePath = textfiles::pathIn(folder, DeckTypeFile);
    if (auto failure = textfiles::writeWhole(typePath, deckTypeBytes(deckType)))
        return failure;

    // The deck parameter file follows the type as the file now holds it.
    const textfiles::ReadResult written = textfiles::readWhole(typePath);
    if (written.failure)
        return written.failure;
    const freeformat::DeckType type = freeformat::readDeckType(written.bytes);
    if (type.failure)
        return type.failure;

    const QString parameterFile = deckparameters::parameterFile(type.value);
    if (auto failure = textfiles::writeLines(textfiles::pathIn(folder, parameterFile), dimensionLines(sizes)))
        return failure;
    return textfiles::writeLines(textfiles::pathIn(folder, SizesFile), sizesLines(sizes));
}

} // namespace handoff
