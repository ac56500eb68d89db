#include "sheetlayout.h"

#include "lengthtext.h"

#include <algorithm>
#include <cmath>

namespace deckview {

namespace {
constexpr double BorderMm = 8;
constexpr double StripMm = 62;
constexpr double PadMm = 3;
constexpr double LineMm = 4.6; // one line of 2.5 mm text
} // namespace

QSizeF paperSizeMm(Paper paper)
{
    switch (paper) {
    case Paper::Letter: return {279.4, 215.9};
    case Paper::A4: return {297, 210};
    case Paper::Tabloid: return {431.8, 279.4};
    case Paper::A3: return {420, 297};
    }
    return {279.4, 215.9};
}

QString paperName(Paper paper)
{
    switch (paper) {
    case Paper::Letter: return QStringLiteral("letter");
    case Paper::A4: return QStringLiteral("a4");
    case Paper::Tabloid: return QStringLiteral("tabloid");
    case Paper::A3: return QStringLiteral("a3");
    }
    return {};
}

std::optional<Paper> paperNamed(const QString &name)
{
    for (Paper paper : {Paper::Letter, Paper::A4, Paper::Tabloid, Paper::A3})
        if (name.compare(paperName(paper), Qt::CaseInsensitive) == 0)
            return paper;
    return std::nullopt;
}

Paper largerPaper(Paper paper)
{
    return paper == Paper::Letter || paper == Paper::Tabloid ? Paper::Tabloid : Paper::A3;
}

const std::vector<DrawingScale> &planScales()
{
    static const std::vector<DrawingScale> scales{{QStringLiteral("1/4\" = 1'-0\""), 48},
                                                  {QStringLiteral("3/16\" = 1'-0\""), 64},
                                                  {QStringLiteral("1/8\" = 1'-0\""), 96},
                                                  {QStringLiteral("3/32\" = 1'-0\""), 128},
                                                  {QStringLiteral("1/16\" = 1'-0\""), 192}};
    return scales;
}

const std::vector<DrawingScale> &detailScales()
{
    static const std::vector<DrawingScale> scales{{QStringLiteral("1\" = 1'-0\""), 12},
                                                  {QStringLiteral("3/4\" = 1'-0\""), 16},
                                                  {QStringLiteral("1/2\" = 1'-0\""), 24},
                                                  {QStringLiteral("3/8\" = 1'-0\""), 32},
                                                  {QStringLiteral("1/4\" = 1'-0\""), 48}};
    return scales;
}

QRectF drawingArea(QSizeF paper)
{
    constexpr double Inside = 2;
    return QRectF(BorderMm + Inside, BorderMm + Inside, paper.width() - 2 * BorderMm - StripMm - 2 * Inside,
                  paper.height() - 2 * BorderMm - 2 * Inside);
}

namespace {

// Lines of text down the strip from `y`; returns the y below them.
double addLines(Sheet &sheet, double left, double y, const QString &text, double heightMm = 2.5, bool bold = false)
{
    const double width = StripMm - 2 * PadMm;
    for (const QString &line : wrapText(text, width, heightMm, bold)) {
        y += heightMm / 2.5 * LineMm;
        sheet.texts.push_back({QPointF(left, y), line, heightMm, Anchor::Start, 0, bold});
    }
    return y;
}

// A bar of alternate open and filled quarters, as many feet as fit in 40 mm.
double addScaleBar(Sheet &sheet, double left, double y, const DrawingScale &scale)
{
    int feet = 1;
    for (int candidate : {2, 4, 5, 8, 10, 16, 20, 40})
        if (candidate * 12 * scale.mmPerInch() <= 44)
            feet = candidate;
    const double length = feet * 12 * scale.mmPerInch(), top = y + 2.5, height = 1.8;
    for (int i = 0; i < 4; ++i)
        addRect(sheet, QRectF(left + length * i / 4, top, length / 4, height), Weight::Light, false,
                i % 2 ? Fill::White : Fill::Black);
    const double below = top + height + 4;
    sheet.texts.push_back({QPointF(left, below), QStringLiteral("0"), 2.5, Anchor::Middle});
    sheet.texts.push_back({QPointF(left + length, below), QStringLiteral("%1'").arg(feet), 2.5, Anchor::Middle});
    return below + 1.5;
}

} // namespace

void addTitleBlock(Sheet &sheet, const SetFacts &facts, int number, int count, const QString &scaleWords,
                   std::optional<DrawingScale> barScale)
{
    const QSizeF paper = sheet.paperMm;
    const double right = paper.width() - BorderMm, bottom = paper.height() - BorderMm;
    const double stripLeft = right - StripMm, left = stripLeft + PadMm;
    addRect(sheet, QRectF(QPointF(BorderMm, BorderMm), QPointF(right, bottom)), Weight::Heavy);
    addLine(sheet, QPointF(stripLeft, BorderMm), QPointF(stripLeft, bottom), Weight::Heavy);

    double y = BorderMm + 1;
    y = addLines(sheet, left, y, facts.program, 3.5, true);
    y = addLines(sheet, left, y, QStringLiteral("Deck drawing set"));
    y += 2.5;
    addLine(sheet, QPointF(stripLeft, y), QPointF(right, y), Weight::Light);
    y = addLines(sheet, left, y, QStringLiteral("Owner: ") + givenOr(facts.project.owner));
    y = addLines(sheet, left, y, QStringLiteral("Site: ") + givenOr(facts.project.siteAddress));
    y = addLines(sheet, left, y, QStringLiteral("Prepared by: ") + givenOr(facts.project.preparer));
    y += 2.5;
    addLine(sheet, QPointF(stripLeft, y), QPointF(right, y), Weight::Light);
    y = addLines(sheet, left, y, QStringLiteral("Deck: ") + facts.deckName);
    y = addLines(sheet, left, y, QStringLiteral("Shape: ") + facts.shape);
    if (!facts.sizeLetters.isEmpty())
        y = addLines(sheet, left, y, QStringLiteral("Size: ") + facts.sizeLetters);
    y = addLines(sheet, left, y, QStringLiteral("Overall: ") + facts.overallSize);
    y = addLines(sheet, left, y, QStringLiteral("Height: ") + facts.height);
    y = addLines(sheet, left, y, QStringLiteral("Date: ") + facts.date.toString(Qt::ISODate));
    y = addLines(sheet, left, y, QStringLiteral("Revision: ") + facts.project.revision);
    if (!facts.codeStatus.isEmpty()) {
        y += 2.5;
        addLine(sheet, QPointF(stripLeft, y), QPointF(right, y), Weight::Light);
        y = addLines(sheet, left, y, facts.codeStatus, 2.5, true);
    }
    y += 2.5;
    addLine(sheet, QPointF(stripLeft, y), QPointF(right, y), Weight::Light);
    y = addLines(sheet, left, y, QStringLiteral("Scale: ") + scaleWords);
    if (barScale)
        addScaleBar(sheet, left + 2, y, *barScale);

    // The sheet's name and number at the foot of the strip.
    const QStringList title = wrapText(sheet.title, StripMm - 2 * PadMm, 3.5, true);
    double foot = bottom - 3 - 1.4 * LineMm * (title.size() + 1);
    addLine(sheet, QPointF(stripLeft, foot - 2), QPointF(right, foot - 2), Weight::Medium);
    for (const QString &line : title)
        foot = addLines(sheet, left, foot, line, 3.5, true);
    addLines(sheet, left, foot, QStringLiteral("Sheet %1 of %2").arg(number).arg(count), 3.5, true);
}

Sheet atLargestScaleThatFits(const std::vector<DrawingScale> &scales, const QRectF &area, QString *scaleWords,
                             const std::function<Sheet(const DrawingScale &)> &compose, bool centreLast)
{
    Sheet best;
    for (const DrawingScale &scale : scales) {
        best = compose(scale);
        *scaleWords = scale.words;
        if (centreIn(best, area))
            return best;
    }
    const QRectF extent = extentOf(best);
    moveSheet(best, centreLast ? area.center() - extent.center() : area.topLeft() - extent.topLeft());
    return best;
}

QString detailMeasure(double inches)
{
    return inches < 12 - 1e-9 ? lengthtext::inchesText(inches) : lengthtext::feetAndInchesFromInches(inches);
}

QString givenOr(const QString &value)
{
    return value.trimmed().isEmpty() ? QStringLiteral("not given") : value.trimmed();
}

void addViewTitle(Sheet &sheet, QPointF at, const QString &name, const QString &scaleWords)
{
    const double width = textWidthMm(name, 3.2, true);
    sheet.texts.push_back({at, name, 3.2, Anchor::Middle, 0, true});
    addLine(sheet, at + QPointF(-width / 2, 1.2), at + QPointF(width / 2, 1.2), Weight::Medium);
    if (!scaleWords.isEmpty())
        sheet.texts.push_back({at + QPointF(0, 5.2), scaleWords, 2.5, Anchor::Middle});
}

bool centreIn(Sheet &sheet, const QRectF &area)
{
    const QRectF extent = extentOf(sheet);
    if (extent.width() > area.width() + 1e-6 || extent.height() > area.height() + 1e-6)
        return false;
    moveSheet(sheet, area.center() - extent.center());
    return true;
}

} // namespace deckview
