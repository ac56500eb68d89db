#include "parameterfile.h"

#include "catalogue.h"
#include "freeformat.h"
#include "numbertext.h"
#include "textfiles.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace deckfile {

namespace {

// The symbols read the file column by column, so every blank below matters,
// irregular ones included. The largest sizes are far above any deck the
// wizard writes (99 by 99 feet, 6 feet high): they keep a hand-edited file
// from asking for a deck no one could build or count.
constexpr std::array<LineSpec, LineCount> LineRows{{
    {Line::DeckDepth, "Deck Depth", Unit::Feet, nullptr, "        ' Z,   ', Deck Depth", 1000},
    {Line::DeckWidth, "Deck Width", Unit::Feet, nullptr, "        ' X,   ', Deck Width", 1000},
    {Line::DeckHeight, "Deck Height", Unit::Feet, nullptr, "        ' Y,   ', Deck Height", 100},
    {Line::XOverhang, "X Deck Overhang", Unit::Feet, "2       ' X,   ', X Deck Overhang", nullptr, 100},
    {Line::ZOverhang, "Z Deck Overhang", Unit::Feet, "2.5     ' Z,   ', Z Deck Overhang", nullptr, 100},
    {Line::PostSpacing, "Length Between Posts", Unit::Feet, nullptr, "       ' X,   ', Length Between Posts", 100},
    {Line::PostSize, "Post Width & Depth", Unit::Inches, nullptr, "       ' XZ,  ', Post Width & Depth", 48},
    {Line::BeamSpacing, "Space Between Beams", Unit::Feet, "6       ' Z,   ', Space Between Beams", nullptr, 100},
    {Line::BeamHeight, "Beam Height", Unit::Inches, nullptr, nullptr, 48},
    {Line::BeamDepth, "Beam Depth", Unit::Inches, nullptr, nullptr, 12},
    {Line::BeamWidth, "Beam Width", Unit::Feet, nullptr, "      - X - Beam Width", 0},
    {Line::JoistHeight, "Joist Height", Unit::Inches, nullptr, nullptr, 48},
    {Line::JoistDepth, "Joist Depth", Unit::Feet, nullptr, "       ' Z - Joist Depth", 0},
    {Line::JoistWidth, "Joist Width", Unit::Inches, nullptr, nullptr, 12},
    {Line::JoistSpacing, "Joist Center Spacing", Unit::Inches, "12      ' X - Joist Center Spacing", nullptr, 120},
    {Line::DeckingHeight, "Decking Height", Unit::Inches, nullptr, nullptr, 12},
    {Line::DeckingDepth, "Decking Depth", Unit::Inches, nullptr, "     ' Z - Decking Depth", 48},
    {Line::DeckingSpacing, "Decking Spacing", Unit::Inches, ".25     ' X - Decking Spacing", nullptr, 12},
    {Line::DeckTypeCode, "Deck Type", Unit::Code, nullptr, "     - Deck Type", 0},
    {Line::PostsMaterial, "posts material", Unit::Words, nullptr, nullptr, 0},
    {Line::BeamsMaterial, "beams material", Unit::Words, nullptr, nullptr, 0},
    {Line::JoistsMaterial, "joists material", Unit::Words, nullptr, nullptr, 0},
    {Line::DeckingMaterial, "decking material", Unit::Words, nullptr, nullptr, 0},
    {Line::ViewingMode, "viewing mode", Unit::Code, nullptr, nullptr, 0},
}};

// The lines a framing size gives. The 2 X 6 beam depth line is one blank
// shorter than the others; the joist heights are padded to one column.
struct FramingLines {
    const char *listText;
    const char *postSpacing; // the beams decide how far apart the posts stand
    const char *beamHeight;
    const char *beamDepth;
    const char *joistHeight;
    const char *joistWidth;
};

constexpr std::array<FramingLines, 3> FramingRows{{
    {"2 X 6", "6", "5.5    ' Y,  - Beam Height", "1.5     ' Z,  - Beam Depth", "5.5     ' Y,  - Joist Height",
     "1.5      ' X,  - Joist Width"},
    {"2 X 8", "8", "7.25    ' Y,  - Beam Height", "1.5      ' Z,  - Beam Depth", "7.25    ' Y,  - Joist Height",
     "1.5      ' X,  - Joist Width"},
    {"2 X 10", "10", "9.25    ' Y,  - Beam Height", "1.5      ' Z,  - Beam Depth", "9.25    ' Y,  - Joist Height",
     "1.5      ' X,  - Joist Width"},
}};

// A text outside the list matches no row: every value it would give is empty.
constexpr FramingLines NoFraming{"", "", "", "", "", ""};

const FramingLines &framingOf(const QString &text)
{
    for (const FramingLines &row : FramingRows)
        if (text == QLatin1String(row.listText))
            return row;
    return NoFraming;
}

QString nominalOf(const QString &listText)
{
    const FramingSize *size = framingSizeOf(listText);
    return size ? QLatin1String(size->lumber->nominal) : QString();
}

QString fixed(Line line) { return QLatin1String(specOf(line).fixed); }
QString valued(Line line, const QString &value) { return value + QLatin1String(specOf(line).afterValue); }

// Five ranges, each starting at its own value: 12 and 14 fall in the rows
// that begin there.
int beamWidthFeet(double deckWidth)
{
    if (deckWidth >= 20)
        return 20;
    if (deckWidth >= 16)
        return 16;
    if (deckWidth >= 14)
        return 14;
    if (deckWidth >= 12)
        return 12;
    return 10;
}

QString decking(Line line, Decking choice)
{
    const bool height = line == Line::DeckingHeight;
    switch (choice) {
    case Decking::TwoByFour:
        return height ? QStringLiteral("1.5     ' Y - Decking Height") : valued(line, QStringLiteral("3.5"));
    case Decking::TwoBySix:
        return height ? QStringLiteral("1.5     ' Y - Decking Height") : valued(line, QStringLiteral("5.5"));
    case Decking::FiveQuarterBySix:
        break;
    }
    return height ? QStringLiteral("1       ' Y - Decking Height") : valued(line, QStringLiteral("5.5"));
}

QString viewingLine(ViewingMode mode)
{
    switch (mode) {
    case ViewingMode::Wireframe: return QStringLiteral("0          - WireFrame");
    case ViewingMode::HiddenLine: return QStringLiteral("1          - Hidden");
    case ViewingMode::Shaded: break;
    }
    return QStringLiteral("2          - Shaded");
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

QString where(const QString &fileName, Line line)
{
    return QStringLiteral("\"%1\" line %2 (%3)").arg(fileName).arg(numberOf(line)).arg(QLatin1String(specOf(line).name));
}

QString unitName(Unit unit)
{
    return unit == Unit::Feet ? QStringLiteral("feet") : QStringLiteral("inches");
}

// The lines a beam or joist size gives. A size the wizard's list did not
// hold (a typed "2x8") leaves them all without a value.
struct SizeLines {
    const char *what;
    std::initializer_list<Line> lines;
};
constexpr SizeLines BeamLines{"beam", {Line::PostSpacing, Line::BeamHeight, Line::BeamDepth, Line::JoistDepth}};
constexpr SizeLines JoistLines{"joist", {Line::JoistHeight, Line::JoistWidth}};

// Why `line` holds no value, when it is because the wizard's size answer
// was not one of its list; empty otherwise.
QString unlistedSize(const QStringList &lines, const QString &fileName, Line line)
{
    for (const SizeLines &size : {BeamLines, JoistLines}) {
        if (std::find(size.lines.begin(), size.lines.end(), line) == size.lines.end())
            continue;
        QStringList numbers;
        for (Line l : size.lines) {
            if (firstNumber(lines[numberOf(l) - 1]))
                return {};
            numbers << QString::number(numberOf(l));
        }
        const QString last = numbers.takeLast();
        const QStringList list = framingSizeTexts();
        return QStringLiteral("The %1 size is not one of %2, so %3 has no %1s (lines %4 and %5 hold no value). "
                              "Run Joistmaster again and pick a %1 size from the list.")
            .arg(QLatin1String(size.what), list.join(QStringLiteral(", ")), fileName,
                 numbers.join(QStringLiteral(", ")), last);
    }
    return {};
}

} // namespace

std::span<const LineSpec> lineTable() { return LineRows; }

const LineSpec &specOf(Line line) { return LineRows[numberOf(line) - 1]; }

QStringList dimensionLines(const Sizes &sizes)
{
    return {valued(Line::DeckDepth, sizes.a), valued(Line::DeckWidth, sizes.b), valued(Line::DeckHeight, sizes.height)};
}

QStringList framingLines(const Answers &answers)
{
    const Deck3dAnswers &pages = answers.pages;
    const FramingLines &beam = framingOf(pages.beamSize);
    const FramingLines &joist = framingOf(pages.joistSize);
    // The joists span between the posts, so their depth follows the beams.
    const QString spacing = QLatin1String(beam.postSpacing);
    const QString width = QString::number(beamWidthFeet(answers.deckWidth));
    const bool fourInch = pages.posts == Posts::FourInch;
    const Shape *shape = shapeOf(answers.deckType);

    return {
        fixed(Line::XOverhang),
        fixed(Line::ZOverhang),
        valued(Line::PostSpacing, spacing),
        valued(Line::PostSize, fourInch ? QStringLiteral("4") : QStringLiteral("6")),
        fixed(Line::BeamSpacing),
        QLatin1String(beam.beamHeight),
        QLatin1String(beam.beamDepth),
        valued(Line::BeamWidth, width),
        QLatin1String(joist.joistHeight),
        valued(Line::JoistDepth, spacing),
        QLatin1String(joist.joistWidth),
        fixed(Line::JoistSpacing),
        decking(Line::DeckingHeight, pages.decking),
        decking(Line::DeckingDepth, pages.decking),
        fixed(Line::DeckingSpacing),
        shape ? valued(Line::DeckTypeCode, QString::number(shape->code)) : QString(),
        fourInch ? QStringLiteral("4 inch x 4 inch Square Posts") : QStringLiteral("6 inch x 6 inch Square Posts"),
        width + QStringLiteral(" foot ") + nominalOf(pages.beamSize) + QStringLiteral(" Beams"),
        spacing + QStringLiteral(" foot ") + nominalOf(pages.joistSize) + QStringLiteral(" Joists"),
        pages.decking == Decking::TwoByFour ? QStringLiteral("2x4 Pieces of Decking")
                                              : QStringLiteral("2x6 Pieces of Decking"),
        viewingLine(pages.viewing),
    };
}

QString parameterFile(int deckType)
{
    const Shape *shape = shapeOf(deckType);
    return shape ? QLatin1String(shape->family->file) : QString();
}

QString symbolPath(int deckType)
{
    const Shape *shape = shapeOf(deckType);
    return shape ? QLatin1String(shape->family->symbol) : QString();
}

bool joistsDeeperThanBeams(int deckType, const QString &beamSize, const QString &joistSize)
{
    if (deckType < 7)
        return false;
    const FramingSize *beam = framingSizeOf(beamSize);
    const FramingSize *joist = framingSizeOf(joistSize);
    return beam && joist && joist->lumber->depthInches > beam->lumber->depthInches;
}

jm::Result<DeckParameters> readDeckFile(const QByteArray &bytes, const QString &fileName)
{
    const Family *family = familyOfFile(fileName);
    if (!family) {
        QStringList names = parameterFiles();
        std::sort(names.begin(), names.end());
        const QString last = names.takeLast();
        return jm::failure(QStringLiteral("\"%1\" is not a deck parameter file (%2 or %3).")
                               .arg(fileName, names.join(QStringLiteral(", ")), last));
    }
    const QStringList lines = splitLines(bytes);
    if (lines.size() < LineCount) {
        if (lines.size() <= 1 && bytes.count('\r') >= LineCount - 1)
            return jm::failure(QStringLiteral("\"%1\" ends its lines with CR alone; a deck file's lines end with CR LF.")
                                   .arg(fileName));
        return jm::failure(QStringLiteral("\"%1\" ends after line %2; a deck needs all %3 lines.")
                               .arg(fileName).arg(lines.size()).arg(LineCount));
    }

    QString error;
    auto value = [&](Line line, bool positive = true) {
        if (!error.isEmpty())
            return 0.0;
        const QString &text = lines[numberOf(line) - 1];
        const auto v = firstNumber(text);
        const double largest = specOf(line).largest;
        if (!v && !(error = unlistedSize(lines, fileName, line)).isEmpty())
            return 0.0;
        if (!v)
            error = where(fileName, line)
                    + (text.trimmed().isEmpty() ? QStringLiteral(" is empty.")
                                                : QStringLiteral(" begins with no number: %1.").arg(textfiles::quoted(text)));
        else if (positive && !(*v > 0))
            error = where(fileName, line)
                    + QStringLiteral(" is %1; it must be above 0.").arg(numbertext::generalNumber(*v));
        else if (largest > 0 && *v > largest)
            error = where(fileName, line)
                    + QStringLiteral(" is %1 %2, above the %3 %2 a deck file may hold there.")
                          .arg(numbertext::generalNumber(*v), unitName(specOf(line).unit), numbertext::generalNumber(largest));
        return v.value_or(0.0);
    };

    DeckParameters d;
    d.fileName = fileName;
    d.depthA = value(Line::DeckDepth);
    d.widthB = value(Line::DeckWidth);
    d.height = value(Line::DeckHeight);
    d.overhangX = value(Line::XOverhang, false);
    d.overhangZ = value(Line::ZOverhang, false);
    d.postSpacing = value(Line::PostSpacing);
    d.postSize = value(Line::PostSize);
    d.beamSpacing = value(Line::BeamSpacing);
    d.beamHeight = value(Line::BeamHeight);
    d.beamPly = value(Line::BeamDepth);
    d.joistHeight = value(Line::JoistHeight);
    d.joistWidth = value(Line::JoistWidth);
    d.joistSpacing = value(Line::JoistSpacing);
    d.deckingThickness = value(Line::DeckingHeight);
    d.deckingWidth = value(Line::DeckingDepth);
    d.deckingGap = value(Line::DeckingSpacing, false);
    const double code = value(Line::DeckTypeCode, false);
    const double viewing = value(Line::ViewingMode, false);
    if (!error.isEmpty())
        return jm::failure(error);
    const Shape *shape = code >= 0 && code < 10 && code == std::floor(code) ? shapeOf(*family, int(code)) : nullptr;
    if (!shape)
        return jm::failure(where(fileName, Line::DeckTypeCode)
                           + QStringLiteral(" is %1, which is no deck type of this file.").arg(numbertext::generalNumber(code)));
    d.deckType = shape->deckType;
    if (d.overhangX < 0 || d.overhangZ < 0 || d.deckingGap < 0)
        return jm::failure(where(fileName, d.overhangX < 0   ? Line::XOverhang
                                           : d.overhangZ < 0 ? Line::ZOverhang
                                                             : Line::DeckingSpacing)
                           + QStringLiteral(" is below 0."));
    const int firstMaterial = numberOf(Line::PostsMaterial) - 1;
    d.materials = lines.mid(firstMaterial, numberOf(Line::DeckingMaterial) - firstMaterial);
    // A mode past the three there are is the nearest of them (a number too
    // large for an int included).
    d.viewingMode = ViewingMode(int(std::clamp(viewing, 0.0, 2.0)));
    return d;
}

} // namespace deckfile
