#include "handoff.h"

#include "catalogue.h"
#include "freeformat.h"
#include "textfiles.h"

#include <QDir>
#include <QFileDevice>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

namespace deckfile {

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

QByteArray sizesBytes(const Sizes &sizes)
{
    return textfiles::encodeLines(sizesLines(sizes));
}

QStringList wizardFiles()
{
    return QStringList{DeckTypeFile, SizesFile, DeckSizeFile} + parameterFiles();
}

void removeLeftovers(const QString &folder)
{
    // One look at the folder for all of them: this runs at every start.
    QStringList names = wizardFiles();
    for (QString &name : names)
        name = QRegularExpression::escape(name);
    const QRegularExpression leftover(QStringLiteral("^(%1)\\.[A-Za-z0-9]{6}$").arg(names.join(u'|')));
    for (const QFileInfo &file : QDir(folder).entryInfoList({QStringLiteral("*.??????")}, QDir::Files | QDir::Hidden))
        if (!file.isSymLink() && leftover.match(file.fileName()).hasMatch() && file.size() <= textfiles::LargestFileBytes)
            QFile::remove(file.filePath());
}

jm::Status writeHandOff(const QString &folder, qint16 deckType, const Sizes &sizes)
{
    const QString typePath = textfiles::pathIn(folder, DeckTypeFile);
    if (const jm::Status written = textfiles::writeWhole(typePath, integerLine(deckType)); !written)
        return written;

    // The deck parameter file follows the type as the file now holds it.
    const auto written = textfiles::readWhole(typePath);
    if (!written)
        return written.failure();
    const auto type = readDeckType(*written);
    if (!type)
        return type.failure();

    if (const jm::Status head = textfiles::writeLines(textfiles::pathIn(folder, parameterFile(*type)), dimensionLines(sizes));
        !head)
        return head;
    return textfiles::writeLines(textfiles::pathIn(folder, SizesFile), sizesLines(sizes));
}

namespace {

// The deck type of a folder's DeckType.txt.
jm::Result<int> deckTypeIn(const QString &folder)
{
    const auto bytes = textfiles::readWhole(textfiles::pathIn(folder, DeckTypeFile));
    if (!bytes)
        return bytes.failure();
    return readDeckType(*bytes);
}

// A file read whole, then read as a deck parameter file by its own name.
jm::Result<DeckParameters> readDeckFileAt(const QString &path)
{
    const auto bytes = textfiles::readWhole(path);
    if (!bytes)
        return bytes.failure();
    return readDeckFile(*bytes, QFileInfo(path).fileName());
}

} // namespace

jm::Result<Stored> readStored(const QString &folder)
{
    const auto deckType = deckTypeIn(folder);
    if (!deckType)
        return deckType.failure();

    const auto sizesFile = textfiles::readWhole(textfiles::pathIn(folder, SizesFile));
    if (!sizesFile)
        return sizesFile.failure();
    const auto sizes = readNumbers(*sizesFile, 2, SizesFile);
    if (!sizes)
        return sizes.failure();
    return Stored{*deckType, (*sizes)[0], (*sizes)[1]};
}

jm::Status completeParameterFile(const QString &folder, const Answers &answers)
{
    const QString path = textfiles::pathIn(folder, parameterFile(answers.deckType));
    // The dimension lines must be there: framing lines without them would
    // give the symbol a deck of no size.
    const auto head = textfiles::readWhole(path);
    if (!head)
        return head.failure();
    const QStringList dimensions = textfiles::decodeLines(*head).mid(0, 3);
    if (dimensions.size() < 3)
        return jm::Failure{qint64(QFileDevice::ReadError),
                           QStringLiteral("The file \"%1\" in the folder \"%2\" does not hold the deck's three "
                                          "dimension lines. Go back to the first page of the 3D deck and press "
                                          "Next again.")
                               .arg(QFileInfo(path).fileName(),
                                    QDir::toNativeSeparators(QFileInfo(path).absolutePath()))};
    return textfiles::writeLines(path, dimensions + framingLines(answers));
}

jm::Result<DeckParameters> readDeck(const QString &path)
{
    if (!QFileInfo(path).isDir())
        return readDeckFileAt(path);
    const auto type = deckTypeIn(path);
    if (!type)
        return type.failure();
    auto deck = readDeckFileAt(textfiles::pathIn(path, parameterFile(*type)));
    // The file cannot tell a square from a rectangle; DeckType.txt can.
    const Shape *named = shapeOf(*type);
    const Shape *shape = deck ? shapeOf(deck->deckType) : nullptr;
    if (shape && shape->family == named->family && shape->code == named->code)
        deck->deckType = *type;
    return deck;
}

jm::Status writeDeckSize(const QString &folder, const QString &widthText)
{
    return textfiles::writeLines(textfiles::pathIn(folder, DeckSizeFile), {widthText});
}

jm::Result<Deck2D> read2D(const QString &symbolPath, const QByteArray &deckSizeBytes)
{
    static const QRegularExpression pattern(QStringLiteral("(?:^|[\\\\/])Deck (\\d+)\\.dc$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(symbolPath);
    const int style = match.hasMatch() ? match.captured(1).toInt() : 0;
    if (style < FirstStyle || style > LastStyle)
        return jm::failure(QStringLiteral("The symbol path \"%1\" names no 2D deck style %2 to %3.")
                               .arg(symbolPath)
                               .arg(FirstStyle)
                               .arg(LastStyle));
    const auto width = firstNumber(QString::fromLatin1(deckSizeBytes));
    if (!width || !(*width > 0))
        return jm::failure(QStringLiteral("\"%1\" line 1 holds no deck width.").arg(DeckSizeFile));
    return Deck2D{style, *width};
}

jm::Result<Deck2D> read2DFrom(const QString &symbolPath, const QString &folder)
{
    const auto bytes = textfiles::readWhole(textfiles::pathIn(folder, DeckSizeFile));
    if (!bytes)
        return bytes.failure();
    return read2D(symbolPath, *bytes);
}

} // namespace deckfile
