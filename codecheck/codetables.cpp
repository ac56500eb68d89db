#include "codetables.h"

#include "lengthtext.h"

#include <QFile>
#include <QHash>
#include <QLocale>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace deckmodel::codetables {

namespace {

constexpr double notPermitted = std::numeric_limits<double>::quiet_NaN();

// One printed row: its key ("40 southern-pine 2x6") and cells as printed.
using Rows = QHash<QString, QStringList>;

// The rows of a table file: comment lines and the header skipped, the first
// `keyFields` fields joined into the key.
Rows readTable(const QString &name, int keyFields)
{
    QFile file(QStringLiteral(":/codetables/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("The code table %s is not compiled in", qPrintable(name));
    Rows rows;
    bool header = true;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (std::exchange(header, false))
            continue;
        const QStringList fields = QString::fromUtf8(line).trimmed().split(u',');
        rows.insert(fields.first(keyFields).join(u' '), fields.sliced(keyFields));
    }
    return rows;
}

const Rows &joists() { static const Rows rows = readTable(QStringLiteral("joists.csv"), 3); return rows; }
const Rows &beams() { static const Rows rows = readTable(QStringLiteral("beams.csv"), 3); return rows; }
const Rows &posts() { static const Rows rows = readTable(QStringLiteral("posts.csv"), 3); return rows; }
const Rows &footings() { static const Rows rows = readTable(QStringLiteral("footings.csv"), 2); return rows; }
const Rows &factors() { static const Rows rows = readTable(QStringLiteral("factors.csv"), 1); return rows; }
const Rows &ledger() { static const Rows rows = readTable(QStringLiteral("ledger.csv"), 2); return rows; }
const Rows &decking() { static const Rows rows = readTable(QStringLiteral("decking.csv"), 1); return rows; }

// A printed cell in inches: "9-11" is 119, "12" is 12, NP is not permitted.
double inchesOf(const QString &cell)
{
    if (cell == u"NP")
        return notPermitted;
    const qsizetype dash = cell.indexOf(u'-');
    return dash < 0 ? cell.toDouble() : cell.first(dash).toDouble() * 12 + cell.sliced(dash + 1).toDouble();
}

int loadOf(const CodeSettings &s) { return s.snowLoadPsf > 0 ? s.snowLoadPsf : 40; }

QString key(const CodeSettings &s, const QString &size)
{
    return QStringLiteral("%1 %2 %3").arg(loadOf(s)).arg(speciesKey(s.species), size); // the files name the species groups by their keys
}

// Where a table's columns stand (feet of span, square feet of area) and how
// a cell is named in words.
struct Columns {
    std::vector<double> at;
    QString unit;     // " ft", " sq ft"
    bool clampBelow;  // below the first column its cell holds (the conservative reading)
};

QString number(double x) { return QString::number(x, 'g', 6); }

// The value at x between printed columns: the exact cell, or the straight
// line between the two around it where both are permitted.
TableValue between(const QStringList &cells, const Columns &columns, double x, const QString &heading)
{
    TableValue v;
    const std::vector<double> &at = columns.at;
    auto named = [&](size_t i) { return QStringLiteral("%1%2: %3").arg(number(at[i]), columns.unit, cells[i]); };
    if ((x < at.front() - 1e-9 && !columns.clampBelow) || x > at.back() + 1e-9) {
        v.cell = QStringLiteral("%1: the table runs from %2 to %3%4").arg(heading, number(at.front()), number(at.back()),
                                                                            columns.unit);
        return v;
    }
    size_t hi = 0;
    while (hi + 1 < at.size() && at[hi] < x - 1e-9)
        ++hi;
    const bool exact = std::abs(at[hi] - x) < 1e-9 || x < at.front();
    const size_t lo = exact ? hi : hi - 1;
    const double a = inchesOf(cells[lo]), b = inchesOf(cells[hi]);
    v.cell = exact ? QStringLiteral("%1 %2").arg(heading, named(hi))
                   : QStringLiteral("%1 %2 and %3, interpolated").arg(heading, named(lo), named(hi));
    if (std::isnan(a) || std::isnan(b)) {
        v.status = TableValue::NotPermitted;
        return v;
    }
    v.status = TableValue::Value;
    v.inches = exact ? b : a + (b - a) * (x - at[lo]) / (at[hi] - at[lo]);
    return v;
}

TableValue missing(const QString &heading, const QString &what)
{
    TableValue v;
    v.cell = QStringLiteral("%1 has no row for %2").arg(heading, what);
    v.noRow = true;
    return v;
}

QString loadHeading(const CodeSettings &s, const QString &table)
{
    return QStringLiteral("%1, %2 psf").arg(table).arg(loadOf(s));
}

} // namespace

const std::vector<QString> &tableLumber()
{
    static const std::vector<QString> sizes{QStringLiteral("2x6"), QStringLiteral("2x8"), QStringLiteral("2x10"),
                                            QStringLiteral("2x12")};
    return sizes;
}

QString speciesCellName(Species species)
{
    switch (species) {
    case Species::SouthernPine: return QStringLiteral("Southern pine");
    case Species::DouglasFirLarch: return QStringLiteral("Douglas fir-larch, hem-fir or spruce-pine-fir");
    case Species::Redwood: return QStringLiteral("redwood, western cedars, ponderosa pine or red pine");
    }
    return {};
}

TableValue joistSpan(const CodeSettings &s, const QString &joist, double spacingInches)
{
    const QString heading = QStringLiteral("%1, %2 %3").arg(loadHeading(s, QStringLiteral("Table R507.6")),
                                                             speciesCellName(s.species), joist);
    const auto row = joists().constFind(key(s, joist));
    if (row == joists().cend())
        return missing(heading, joist);
    TableValue v;
    const int column = spacingInches <= 12 + 1e-9 ? 0 : spacingInches <= 16 + 1e-9 ? 1 : spacingInches <= 24 + 1e-9 ? 2 : -1;
    if (column < 0) {
        v.cell = heading + QStringLiteral(" spans joists at most 24\" apart");
        return v;
    }
    const QString &cell = (*row)[column];
    v.cell = QStringLiteral("%1 at %2\" on centre: %3").arg(heading).arg(QList{12, 16, 24}[column]).arg(cell);
    v.status = std::isnan(inchesOf(cell)) ? TableValue::NotPermitted : TableValue::Value;
    v.inches = inchesOf(cell);
    return v;
}

TableValue joistCantilever(const CodeSettings &s, const QString &joist, double backSpanInches)
{
    const QString heading = QStringLiteral("%1, %2 %3, cantilever by back span").arg(
        loadHeading(s, QStringLiteral("Table R507.6")), speciesCellName(s.species), joist);
    const auto row = joists().constFind(key(s, joist));
    if (row == joists().cend())
        return missing(heading, joist);
    return between(row->sliced(3), {{4, 6, 8, 10, 12, 14, 16, 18}, QStringLiteral(" ft"), false}, backSpanInches / 12,
                   heading);
}

TableValue ledgerFastenerSpacing(const CodeSettings &s, LedgerFastener fastener, double sheathingInches,
                                 double joistSpanInches)
{
    const bool thin = sheathingInches <= 0.5 + 1e-9, inch = sheathingInches <= 1 + 1e-9;
    const QString column = fastener == LedgerFastener::Lag ? (thin ? QStringLiteral("lag") : QString())
                           : fastener == LedgerFastener::Bolt ? (thin ? QStringLiteral("bolt") : inch ? QStringLiteral("bolt1") : QString())
                                                               : (inch ? QStringLiteral("bolt1") : QString());
    const QString table = loadHeading(s, QStringLiteral("Table R507.9.1.3(1)"));
    if (column.isEmpty()) {
        TableValue v;
        v.cell = QStringLiteral("%1 has no column for %2 through %3 of sheathing")
                     .arg(table, fastenerWords(fastener), lengthtext::inchesText(sheathingInches));
        v.noRow = true;
        return v;
    }
    const QString heading = QStringLiteral("%1, 1/2 in %2, %3 maximum sheathing")
                                .arg(table, column == u"lag" ? QStringLiteral("lag screw") : QStringLiteral("bolt"),
                                     column == u"bolt1" ? QStringLiteral("1 in") : QStringLiteral("1/2 in"));
    static const Columns spans{{6, 8, 10, 12, 14, 16, 18}, QStringLiteral(" ft"), true};
    return between(ledger().value(QStringLiteral("%1 %2").arg(loadOf(s)).arg(column)), spans, joistSpanInches / 12, heading);
}

TableValue joistSpanFactor(double cantileverInches, double spanInches)
{
    TableValue v;
    const double ratio = spanInches > 0 ? cantileverInches / spanInches : INFINITY;
    static const std::vector<std::pair<double, QString>> rows = [] {
        std::vector<std::pair<double, QString>> r;
        for (const QString &name : {QStringLiteral("0"), QStringLiteral("1/12"), QStringLiteral("1/10"),
                                    QStringLiteral("1/8"), QStringLiteral("1/6"), QStringLiteral("1/4")}) {
            const QStringList parts = name.split(u'/');
            r.emplace_back(parts.size() == 2 ? parts[0].toDouble() / parts[1].toDouble() : 0.0, name);
        }
        return r;
    }();
    for (const auto &[at, name] : rows) {
        if (ratio <= at + 1e-9) {
            v.status = TableValue::Value;
            v.inches = factors().value(name).value(0).toDouble();
            v.cell = QStringLiteral("Table R507.5(5), C/J %1: %2").arg(name, factors().value(name).value(0));
            return v;
        }
    }
    v.cell = QStringLiteral("Table R507.5(5) ends at C/J 1/4");
    return v;
}

TableValue beamSpan(const CodeSettings &s, const QString &beam, double effectiveJoistSpanInches)
{
    const int table = loadOf(s) == 40 ? 1 : loadOf(s) == 50 ? 2 : loadOf(s) == 60 ? 3 : 4;
    const QString heading = QStringLiteral("Table R507.5(%1), %2 %3, effective joist span")
                                .arg(table).arg(speciesCellName(s.species), beam);
    const auto row = beams().constFind(key(s, beam));
    if (row == beams().cend())
        return missing(heading, beam);
    return between(*row, {{6, 8, 10, 12, 14, 16, 18}, QStringLiteral(" ft"), true}, effectiveJoistSpanInches / 12,
                   heading);
}

TableValue postHeight(const CodeSettings &s, const QString &post, double tributarySquareFeet)
{
    const QString heading = QStringLiteral("%1, %2 %3, tributary area").arg(
        loadHeading(s, QStringLiteral("Table R507.4")), speciesCellName(s.species), post);
    const auto row = posts().constFind(key(s, post));
    if (row == posts().cend())
        return missing(heading, post);
    return between(*row, {{20, 40, 60, 80, 100, 120, 140, 160}, QStringLiteral(" sq ft"), true}, tributarySquareFeet,
                   heading);
}

FootingValue footingSize(const CodeSettings &s, double tributarySquareFeet)
{
    const int soil = s.soilBearingPsf >= 3000 ? 3000 : s.soilBearingPsf >= 2000 ? 2000 : 1500;
    const int column = (soil == 1500 ? 0 : soil == 2000 ? 3 : 6) + (s.footing == FootingShape::Round ? 1 : 0);
    const QString heading = QStringLiteral("%1, %2 psf soil, %3, tributary area")
                                .arg(loadHeading(s, QStringLiteral("Table R507.3.1")))
                                .arg(QLocale(QLocale::English, QLocale::UnitedStates).toString(soil))
                                .arg(s.footing == FootingShape::Round ? QStringLiteral("round") : QStringLiteral("square"));
    QStringList sizes, thicknesses;
    for (int area : {5, 20, 40, 60, 80, 100, 120, 140, 160}) {
        const QStringList row = footings().value(QStringLiteral("%1 %2").arg(loadOf(s)).arg(area));
        sizes << row.value(column);
        thicknesses << row.value((column / 3) * 3 + 2);
    }
    const Columns columns{{5, 20, 40, 60, 80, 100, 120, 140, 160}, QStringLiteral(" sq ft"), true};
    FootingValue v{between(sizes, columns, tributarySquareFeet, heading), 0};
    const TableValue thick = between(thicknesses, columns, tributarySquareFeet, heading);
    v.thicknessInches = thick.inches;
    return v;
}

TableValue deckingSpacing(double boardThicknessInches, bool multipleSpan)
{
    TableValue v;
    const QString board = std::abs(boardThicknessInches - 1) < 1e-6     ? QStringLiteral("1 1/4")
                          : std::abs(boardThicknessInches - 1.5) < 1e-6 ? QStringLiteral("2")
                                                                         : QString();
    if (board.isEmpty()) {
        v.cell = QStringLiteral("Table R507.7 has 5/4 and 2-inch wood boards only");
        return v;
    }
    const QString cell = decking().value(board).value(multipleSpan ? 1 : 0);
    v.status = TableValue::Value;
    v.inches = cell.toDouble();
    v.cell = QStringLiteral("Table R507.7, %1\" boards, %2 span: %3\"")
                 .arg(board, multipleSpan ? QStringLiteral("multiple") : QStringLiteral("single"), cell);
    return v;
}

} // namespace deckmodel::codetables
