#include "deckfile.h"

#include "numbertext.h"
#include "textfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace deckmodel {

namespace {

constexpr int fileLines = 24;

struct Family {
    const char *file;
    int types[10]; // deck type by the code of line 19, 0 where there is none
};

const Family families[] = {
    {"Deck_Rectangle.txt", {0, 2}},
    {"Deck_L-Shape.txt", {0, 3, 4, 5, 6}},
    {"Deck_Slice2.txt", {0, 7}},
    {"Deck_Slice.txt", {9, 8}},
};

// What each line means, for the messages.
const char *const lineNames[fileLines] = {
    "Deck Depth", "Deck Width", "Deck Height", "X Deck Overhang", "Z Deck Overhang", "Length Between Posts",
    "Post Width & Depth", "Space Between Beams", "Beam Height", "Beam Depth", "Beam Width", "Joist Height",
    "Joist Depth", "Joist Width", "Joist Center Spacing", "Decking Height", "Decking Depth", "Decking Spacing",
    "Deck Type", "posts material", "beams material", "joists material", "decking material", "viewing mode"};

// A line's one free-format field: blanks skipped, then the text up to a
// comma or a blank; a number only if all of that is one.
std::optional<double> leadingValue(const QString &line)
{
    static const QRegularExpression separator(QStringLiteral("[ ,\\t]"));
    const QString field = line.trimmed().section(separator, 0, 0);
    const auto value = numbertext::strictNumber(field);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

QStringList splitLines(const QByteArray &bytes)
{
    QStringList lines = QString::fromLatin1(bytes).split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (QString &line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return lines;
}

QString where(const QString &fileName, int line)
{
    return QStringLiteral("\"%1\" line %2 (%3)").arg(fileName).arg(line).arg(QLatin1String(lineNames[line - 1]));
}

} // namespace

QString familyFile(int deckType)
{
    for (const Family &family : families)
        for (int type : family.types)
            if (type == deckType && deckType != 0)
                return QLatin1String(family.file);
    return {};
}

ReadResult readDeckFile(const QByteArray &bytes, const QString &fileName)
{
    const Family *family = nullptr;
    for (const Family &f : families)
        if (fileName.compare(QLatin1String(f.file), Qt::CaseInsensitive) == 0)
            family = &f;
    if (!family)
        return {{}, QStringLiteral("\"%1\" is not a deck parameter file (Deck_Rectangle.txt, Deck_L-Shape.txt, "
                                   "Deck_Slice.txt or Deck_Slice2.txt).").arg(fileName)};
    const QStringList lines = splitLines(bytes);
    if (lines.size() < fileLines)
        return {{}, QStringLiteral("\"%1\" ends after line %2; a deck needs all %3 lines.")
                        .arg(fileName).arg(lines.size()).arg(fileLines)};

    QString error;
    auto value = [&](int line, bool positive = true) {
        if (!error.isEmpty())
            return 0.0;
        const QString &text = lines[line - 1];
        const auto v = leadingValue(text);
        if (!v)
            error = where(fileName, line)
                    + (text.trimmed().isEmpty() ? QStringLiteral(" is empty.")
                                                : QStringLiteral(" begins with no number: \"%1\".").arg(text));
        else if (positive && !(*v > 0))
            error = where(fileName, line)
                    + QStringLiteral(" is %1; it must be above 0.").arg(numbertext::generalNumber(*v));
        return v.value_or(0.0);
    };

    DeckParameters d;
    d.fileName = fileName;
    d.depthA = value(1);
    d.widthB = value(2);
    d.height = value(3);
    d.overhangX = value(4, false);
    d.overhangZ = value(5, false);
    d.postSpacing = value(6);
    d.postSize = value(7);
    d.beamSpacing = value(8);
    d.beamHeight = value(9);
    d.beamPly = value(10);
    d.joistHeight = value(12);
    d.joistWidth = value(14);
    d.joistSpacing = value(15);
    d.deckingThickness = value(16);
    d.deckingWidth = value(17);
    d.deckingGap = value(18, false);
    const double code = value(19, false);
    const double viewing = value(24, false);
    if (!error.isEmpty())
        return {{}, error};
    if (code >= 0 && code < 10 && code == std::floor(code))
        d.deckType = family->types[int(code)];
    if (d.deckType == 0)
        return {{}, where(fileName, 19)
                        + QStringLiteral(" is %1, which is no deck type of this file.").arg(numbertext::generalNumber(code))};
    if (d.overhangX < 0 || d.overhangZ < 0 || d.deckingGap < 0)
        return {{}, where(fileName, d.overhangX < 0 ? 4 : d.overhangZ < 0 ? 5 : 18) + QStringLiteral(" is below 0.")};
    d.materials = lines.mid(19, 4);
    // A mode past the three there are is the nearest of them (a number too
    // large for an int included).
    d.viewingMode = int(std::clamp(viewing, 0.0, 2.0));
    return {d, {}};
}

ReadResult readDeck(const QString &path)
{
    QString file = path;
    if (QFileInfo(path).isDir()) {
        const QString typePath = textfiles::pathIn(path, QStringLiteral("DeckType.txt"));
        const textfiles::ReadResult type = textfiles::readWhole(typePath);
        if (type.failure)
            return {{}, type.failure->description};
        const auto number = leadingValue(splitLines(type.bytes).value(0));
        const bool whole = number && *number >= 1 && *number <= 9 && *number == std::floor(*number);
        const QString family = whole ? familyFile(int(*number)) : QString();
        if (family.isEmpty())
            return {{}, QStringLiteral("\"DeckType.txt\" line 1 holds no deck type 1 to 9.")};
        file = textfiles::pathIn(path, family);
    }
    const textfiles::ReadResult read = textfiles::readWhole(file);
    const QString name = QFileInfo(file).fileName();
    if (read.failure)
        return {{}, read.failure->description};
    return readDeckFile(read.bytes, name);
}

Deck2D read2D(const QString &symbolPath, const QByteArray &deckSizeBytes)
{
    Deck2D deck;
    static const QRegularExpression pattern(QStringLiteral("(?:^|[\\\\/])Deck (\\d+)\\.dc$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(symbolPath);
    deck.style = match.hasMatch() ? match.captured(1).toInt() : 0;
    if (deck.style < 1 || deck.style > 19) {
        deck.error = QStringLiteral("The symbol path \"%1\" names no 2D deck style 1 to 19.").arg(symbolPath);
        return deck;
    }
    const auto width = leadingValue(splitLines(deckSizeBytes).value(0));
    if (!width || !(*width > 0)) {
        deck.error = QStringLiteral("\"DeckSize.txt\" line 1 holds no deck width.");
        return deck;
    }
    deck.widthFeet = *width;
    return deck;
}

} // namespace deckmodel
