// The code check sheet: every rule's row with the value measured, its limit,
// the verdict and the table cell used, then the settings it was checked with
// and what it assumes.
#include "sheetdeck.h"

#include "lengthtext.h"

#include <QLocale>

#include <algorithm>

namespace deckview {

namespace {

QString lengthWords(const std::optional<double> &inches)
{
    if (!inches)
        return QStringLiteral("-");
    return *inches >= 12 ? lengthtext::feetAndInchesFromInches(*inches) : lengthtext::inchesText(*inches);
}

} // namespace

std::vector<QStringList> codeCheckRows(const deckmodel::CodeReport &report)
{
    std::vector<QStringList> rows{{QStringLiteral("Rule"), QStringLiteral("Value"), QStringLiteral("Limit"),
                                   QStringLiteral("Verdict"), QStringLiteral("Table cell")}};
    for (const deckmodel::CodeCheck &check : report.checks)
        rows.push_back({check.rule, lengthWords(check.valueInches), lengthWords(check.limitInches),
                        resultText(check.result), check.cell.isEmpty() ? QStringLiteral("-") : check.cell});
    return rows;
}

std::vector<Sheet> codeCheckSheets(const DeckSheetsInput &in, const QRectF &area)
{
    std::vector<Sheet> sheets(1);
    sheets.back().key = QStringLiteral("check");
    sheets.back().title = QStringLiteral("Code check");
    const deckmodel::CodeReport report = deckmodel::checkCode(in.deck, in.settings);
    const double lineMm = 4.6; // a line of text at 2.5 mm, with its spacing
    double y = area.top();
    // Room for `height` more below y, else a sheet more.
    auto need = [&](double height) {
        if (y + height <= area.bottom())
            return;
        Sheet more;
        more.key = sheets.front().key;
        more.title = sheets.front().title + QStringLiteral(" (continued)");
        sheets.push_back(more);
        y = area.top();
    };
    auto text = [&](double x, const QString &words, bool bold) {
        sheets.back().texts.push_back({QPointF(x, y), words, 2.5, Anchor::Start, 0, bold});
    };
    auto paragraph = [&](const QString &words, bool bold = false, double gap = 0, double indent = 0) {
        y += gap;
        for (const QString &line : wrapText(words, area.width() - indent, 2.5, bold)) {
            need(lineMm);
            y += lineMm;
            text(area.left() + indent, line, bold);
        }
    };
    // A heading starts a sheet rather than end one: it keeps the first line under it.
    auto heading = [&](const QString &words) {
        need(4 + 2 * lineMm);
        paragraph(words, true, y == area.top() ? 0 : 4);
    };
    paragraph(QStringLiteral("CODE CHECK"), true);
    paragraph(deckmodel::verdictLine(report), true);

    // A row a rule: its value, limit and verdict, the table cell under it.
    const std::vector<QStringList> rows = codeCheckRows(report);
    std::vector<double> widths(4, 0);
    for (size_t c = 0; c < 4; ++c)
        for (const QStringList &row : rows)
            widths[c] = std::max(widths[c], textWidthMm(row[qsizetype(c)], 2.5, true) + 4);
    y += 2;
    for (size_t r = 0; r < rows.size(); ++r) {
        const QStringList cell = r == 0 ? QStringList{} : wrapText(QStringLiteral("Table cell: ") + rows[r][4],
                                                                   area.width() - 8, 2.5);
        need(lineMm * double(1 + cell.size()) + 1);
        y += lineMm;
        double x = area.left();
        for (size_t c = 0; c < 4; ++c) {
            text(x, rows[r][qsizetype(c)], r == 0 || (c == 3 && rows[r][3] != QStringLiteral("PASS")));
            x += widths[c];
        }
        for (const QString &line : cell) {
            y += lineMm;
            text(area.left() + 6, line, false);
        }
        addLine(sheets.back(), QPointF(area.left(), y + 1.3), QPointF(area.right(), y + 1.3),
                r == 0 ? Weight::Medium : Weight::Light);
        y += 0.8;
    }
    heading(QStringLiteral("SETTINGS"));
    paragraph(QStringLiteral("Species: %1, No. 2 grade").arg(deckmodel::speciesWords(in.settings.species)));
    paragraph(in.settings.snowLoadPsf > 0
                  ? QStringLiteral("Snow load: %1 psf ground snow load").arg(in.settings.snowLoadPsf)
                  : QStringLiteral("Snow load: none; the 40 psf live load governs"));
    paragraph(QStringLiteral("Soil bearing: %1 psf").arg(QLocale(QLocale::English).toString(in.settings.soilBearingPsf)));
    paragraph(QStringLiteral("Footings: %1").arg(in.settings.footing == deckmodel::FootingShape::Round
                                                    ? QStringLiteral("round") : QStringLiteral("square")));
    heading(QStringLiteral("ASSUMPTIONS"));
    paragraph(deckmodel::codeAssumptions(in.settings, in.deck.stair.present));
    return sheets;
}

} // namespace deckview
