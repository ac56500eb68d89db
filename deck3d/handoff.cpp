#include "handoff.h"

#include "numbertext.h"

#include <QDir>

#include <cmath>

namespace handoff {

QByteArray integerLine(qint16 value)
{
    const QString digits = QString::number(std::abs(int(value)));
    return textfiles::encodeLine((value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + digits
                                 + QStringLiteral(" "));
}

QByteArray sizesBytes(const Sizes &sizes)
{
    return textfiles::encodeLines({sizes.b, sizes.a, sizes.height});
}

QByteArray dimensionBytes(const Sizes &sizes)
{
    return textfiles::encodeLines({
        sizes.a + QStringLiteral("        ' Z,   ', Deck Depth"),
        sizes.b + QStringLiteral("        ' X,   ', Deck Width"),
        sizes.height + QStringLiteral("        ' Y,   ', Deck Height"),
    });
}

QString parameterFile(int deckType)
{
    switch (deckType) {
    case 1:
    case 2:
        return QStringLiteral("Deck_Rectangle.txt");
    case 3:
    case 4:
    case 5:
    case 6:
        return QStringLiteral("Deck_L-Shape.txt");
    case 7:
        return QStringLiteral("Deck_Slice2.txt");
    case 8:
    case 9:
        return QStringLiteral("Deck_Slice.txt");
    default:
        return {};
    }
}

std::optional<int> readDeckType(const QByteArray &bytes)
{
    QByteArray line = bytes;
    if (const auto end = line.indexOf('\n'); end >= 0)
        line.truncate(end);
    if (line.endsWith('\r'))
        line.chop(1);
    const auto value = numbertext::strictNumber(QString::fromLatin1(line));
    if (!value || *value != std::floor(*value) || *value < 1 || *value > 9)
        return std::nullopt;
    return int(*value);
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
    const std::optional<int> type = readDeckType(written.bytes);
    if (!type)
        return textfiles::Failure{0, QStringLiteral("The file \"%1\" in the folder \"%2\" does not hold a deck type from 1 to 9.")
                                         .arg(DeckTypeFile, QDir::toNativeSeparators(folder))};

    if (auto failure = textfiles::writeWhole(textfiles::pathIn(folder, parameterFile(*type)), dimensionBytes(sizes)))
        return failure;
    return textfiles::writeWhole(textfiles::pathIn(folder, SizesFile), sizesBytes(sizes));
}

} // namespace handoff
