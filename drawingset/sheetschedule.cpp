// The schedule sheet: the takeoff with the members' marks, the code check's
// rows with its verdict and assumptions, and the general notes, flowed down
// two columns and onto further sheets as long as they run.
#include "sheetdeck.h"

#include <QLocale>

#include <algorithm>

namespace deckview {

using deckmodel::Kind;

QString resultText(deckmodel::Verdict verdict)
{
    switch (verdict) {
    case deckmodel::Verdict::Pass: return QStringLiteral("PASS");
    case deckmodel::Verdict::Fail: return QStringLiteral("FAIL");
    case deckmodel::Verdict::Outside: return QStringLiteral("OUTSIDE THE TABLES");
    case deckmodel::Verdict::Information: return QStringLiteral("TO BUILD TO");
    }
    return {};
}

namespace {

struct Paragraph {
    QString text;
    bool bold = false;
    double gapBeforeMm = 0;
};

// Lines down columns, each sheet with two; a sheet is added when the last
// column is full.
class Flow {
public:
    // The first column starts at firstTop, the second at secondTop.
    Flow(std::vector<Sheet> &sheets, const QRectF &area, QSizeF paper, double firstTop, double secondTop)
        : m_sheets(sheets), m_area(area), m_paper(paper), m_top(firstTop), m_secondTop(secondTop), m_y(firstTop)
    {
    }

    void add(const Paragraph &p)
    {
        const double lineMm = 4.6;
        m_y += p.gapBeforeMm;
        for (const QString &line : wrapText(p.text, columnWidth(), 2.5, p.bold)) {
            if (line.isEmpty())
                continue;
            while (m_y + lineMm > m_area.bottom())
                nextColumn();
            m_y += lineMm;
            m_sheets.back().texts.push_back({QPointF(columnLeft(), m_y), line, 2.5, Anchor::Start, 0, p.bold});
        }
    }

private:
    double columnWidth() const { return (m_area.width() - 8) / 2; }
    double columnLeft() const { return m_area.left() + m_column * (columnWidth() + 8); }
    void nextColumn()
    {
        m_top = m_secondTop;
        if (++m_column > 1) {
            Sheet more;
            more.key = m_sheets.front().key;
            more.title = m_sheets.front().title + QStringLiteral(" (continued)");
            more.paperMm = m_paper;
            m_sheets.push_back(more);
            m_column = 0;
            m_top = m_secondTop = m_area.top();
        }
        m_y = m_top;
    }

    std::vector<Sheet> &m_sheets;
    QRectF m_area;
    QSizeF m_paper;
    double m_top, m_secondTop, m_y;
    int m_column = 0;
};

// The takeoff's rows with their marks, narrowed to fit a column: the stock
// length in feet, the count with its unit, the line total; then the
// subtotals and the total.
std::vector<QStringList> markedTakeoff(const deckmodel::Takeoff &takeoff, const deckmodel::PriceList &prices)
{
    std::vector<QStringList> rows{{QStringLiteral("Mark"), QStringLiteral("Item"), QStringLiteral("Size"),
                                   QStringLiteral("Stock"), QStringLiteral("Count"), QStringLiteral("Price")}};
    const std::vector<QStringList> all = deckmodel::takeoffRows(takeoff, prices);
    for (auto row = all.begin() + 1; row != all.end(); ++row) {
        const QStringList &r = *row;
        QString mark;
        for (Kind kind : {Kind::Post, Kind::BeamPly, Kind::Joist, Kind::RimJoist, Kind::DeckingBoard})
            if (r[0] == deckmodel::kindName(kind))
                mark = markOf(kind);
        // The total says beside it how many rows have no price.
        const bool total = row + 1 == all.end();
        rows.push_back({mark, r[0], total && !r[7].isEmpty() ? QStringLiteral("(%1)").arg(r[7]) : r[1],
                        r[2].isEmpty() ? QString() : r[2] + u'\'', r[3].isEmpty() ? QString() : r[3] + u' ' + r[4],
                        r[6].isEmpty() ? r[5] : r[6]});
    }
    return rows;
}

} // namespace

namespace {

// A sheet more of the schedule, after the last.
void continueSchedule(std::vector<Sheet> &sheets, QSizeF paper)
{
    Sheet more;
    more.key = sheets.front().key;
    more.title = sheets.front().title + QStringLiteral(" (continued)");
    more.paperMm = paper;
    sheets.push_back(more);
}

// A table under its heading from y down the last sheet, continued on new
// sheets with its header row repeated where it runs past the area's bottom;
// the y under its last row.
double flowTable(std::vector<Sheet> &sheets, const QRectF &area, QSizeF paper, double y, const QString &heading,
                 const std::vector<QStringList> &rows)
{
    constexpr double RowMm = 4.6;
    size_t next = 1; // the first row not yet placed; row 0 is the header
    while (true) {
        const int room = int((area.bottom() - (y + 6)) / RowMm) - 1;
        if (room < 1 && y > area.top()) {
            continueSchedule(sheets, paper);
            y = area.top();
            continue;
        }
        const size_t take = std::min(rows.size() - next, size_t(std::max(room, 1)));
        std::vector<QStringList> part{rows.front()};
        part.insert(part.end(), rows.begin() + qsizetype(next), rows.begin() + qsizetype(next + take));
        sheets.back().texts.push_back({QPointF(area.left(), y + 4),
                                       next > 1 ? heading + QStringLiteral(" (continued)") : heading, 2.5,
                                       Anchor::Start, 0, true});
        y = addTable(sheets.back(), QPointF(area.left(), y + 6), part);
        next += take;
        if (next >= rows.size())
            return y;
        continueSchedule(sheets, paper);
        y = area.top();
    }
}

} // namespace

std::vector<Sheet> scheduleSheets(const DeckSheetsInput &in, const QRectF &area, QSizeF paper, bool withFootings)
{
    std::vector<Sheet> sheets(1);
    sheets.front().key = QStringLiteral("schedule");
    sheets.front().title = QStringLiteral("Schedule and notes");
    sheets.front().paperMm = paper;
    double y = area.top();
    if (withFootings)
        y = flowTable(sheets, area, paper, y, QStringLiteral("FOOTING SCHEDULE"), footingScheduleRows(in)) + 4;
    y = flowTable(sheets, area, paper, y, QStringLiteral("MATERIAL TAKEOFF"), markedTakeoff(in.takeoff, in.facts.prices));
    const double tablesRight = extentOf(sheets.back()).right();

    // The second column beside the tables where they leave room.
    const double secondColumn = area.left() + (area.width() - 8) / 2 + 8;
    Flow flow(sheets, area, paper, y + 4, tablesRight < secondColumn - 2 ? area.top() : y + 4);
    const deckmodel::CodeReport report = deckmodel::checkCode(in.deck, in.settings);
    flow.add({QStringLiteral("FINDINGS OF THE CODE CHECK"), true, 4});
    flow.add({deckmodel::verdictLine(report) + QStringLiteral(" The rows, settings and assumptions are on the code check sheet."),
              true});
    for (const deckmodel::CodeCheck &check : report.checks)
        if (check.result != deckmodel::Verdict::Pass) {
            flow.add({QStringLiteral("%1: %2").arg(check.rule, resultText(check.result)), true, 1.5});
            flow.add({check.sentence});
        }
    const QStringList notes{
        QStringLiteral("All framing lumber %1, No. 2 grade or better, pressure treated for wet service; posts and "
                       "any lumber within 6\" of the ground treated for ground contact.")
            .arg(deckmodel::speciesWords(in.settings.species)),
        QStringLiteral("Fasteners and connectors in treated lumber hot-dip galvanized (ASTM A153) or stainless steel; "
                       "hangers and post bases of a coating to match."),
        QStringLiteral("Joist hangers at every joist end on a rim joist, every nail hole filled with the maker's nails."),
        QStringLiteral("Footings of concrete on undisturbed soil, their bottoms at least 12\" below grade and below the "
                       "local frost depth."),
        QStringLiteral("Guards at least 36\" high on every open side more than 30\" above the grade below, with no opening "
                       "a 4\" sphere passes through."),
        QStringLiteral("Dimensions are to the deck's edges and to the centres of beam lines, posts and footings; the "
                       "written dimensions govern over scaling the drawing."),
    };
    flow.add({QStringLiteral("GENERAL NOTES"), true, 4});
    for (qsizetype i = 0; i < notes.size(); ++i)
        flow.add({QStringLiteral("%1. %2").arg(i + 1).arg(notes[i])});
    return sheets;
}

} // namespace deckview
