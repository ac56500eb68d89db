// The drawing set read as data: the worked example's dimension strings
// against a hand count (data/sheet-dimensions.txt), chains that add up,
// texts that are large enough, upright and clear of each other, the scale and
// the orientation of every shape's plan (data/sheet-decks.txt), the footing
// schedule, the command line's set as PDF text and as SVG files.
#include "deckcases.h"
#include "design.h"
#include "showdeck.h"
#include "drawingset.h"
#include "sheetclear.h"
#include "presenter.h"
#include "sheetsource.h"
#include "viewer.h"
#include "vieweroptions.h"

#include <QAction>
#include "plan.h"
#include <QSignalSpy>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <map>
#include <string_view>

using namespace deckview;

namespace {

deckmodel::Deck framed(const deckmodel::DeckParameters &parameters)
{
    const jm::Result<deckmodel::Deck> deck = deckmodel::buildDeck(parameters);
    if (!deck)
        qFatal("%s", qPrintable(deck.error()));
    return *deck;
}

deckmodel::DeckParameters parametersOf(const QString &sizes, const QStringList &row)
{
    const QStringList n = sizes.split(u' ');
    return deckOf(n[0].toInt(), n[1].toDouble(), n[2].toDouble(), n[3].toDouble(), row[0], row[1], row[2].toDouble(),
                  row[3]);
}

std::vector<Sheet> setOf(const deckmodel::Deck &deck, Paper paper = Paper::Letter)
{
    return deckSheets(deck, {}, SetFacts{QStringLiteral("Deck_Rectangle"), QStringLiteral("rectangle"),
                                         QStringLiteral("16' 0\" x 12' 0\""), QStringLiteral("3' 0\""),
                                         QDate(2024, 5, 1), QStringLiteral("Joistmaster")},
                      paper);
}

const Sheet &sheetNamed(const std::vector<Sheet> &sheets, const QString &key)
{
    for (const Sheet &s : sheets)
        if (s.key == key)
            return s;
    qFatal("no sheet %s", qPrintable(key));
}

// "sheet | chain | parts = overall", chains in the order they are drawn.
QStringList chainLines(const Sheet &sheet)
{
    QStringList chains;
    std::map<QString, QStringList> parts, overall;
    for (const SheetDimension &d : sheet.dimensions) {
        if (!chains.contains(d.chain))
            chains << d.chain;
        (d.overall ? overall : parts)[d.chain] << d.text;
    }
    QStringList lines;
    for (const QString &chain : chains)
        lines << QStringLiteral("%1 | %2 | %3").arg(sheet.key, chain,
                                                   (parts[chain] + QStringList{QStringLiteral("=")} + overall[chain]).join(u' '));
    return lines;
}

double shoelace(const QPolygonF &p)
{
    double twice = 0;
    for (qsizetype i = 0; i < p.size(); ++i)
        twice += p[i].x() * p[(i + 1) % p.size()].y() - p[(i + 1) % p.size()].x() * p[i].y();
    return std::abs(twice) / 2;
}

QStringList workedExampleChains(const deckmodel::Deck &deck)
{
    const std::vector<Sheet> sheets = setOf(deck);
    return chainLines(sheetNamed(sheets, QStringLiteral("framing"))) + chainLines(sheetNamed(sheets, QStringLiteral("footing")));
}

QStringList handCount()
{
    QStringList lines;
    for (const QStringList &row : tableRows("sheet-dimensions.txt"))
        lines << row.join(QStringLiteral(" | "));
    return lines;
}

} // namespace

class TestSheets : public QObject {
    Q_OBJECT
private slots:
    void workedExampleDimensions();
    void shiftedBeamLineIsCaught();
    void everyDeck_data();
    void everyDeck();
    void footingSchedule();
    void options_data();
    void options();
    void commandLineSet();
    void windowMenu();
    void stylePlan();
    void details();
    void titleBlock();
    void sitePlan_data();
    void sitePlan();
    void designFactsReachTheSet();
};

void TestSheets::workedExampleDimensions()
{
    QCOMPARE(workedExampleChains(framed(workedExample())), handCount());
}

// A beam line moved an inch towards the back, its plies and posts with it.
void TestSheets::shiftedBeamLineIsCaught()
{
    deckmodel::Deck deck = framed(workedExample());
    const double z = deck.beamLines[1];
    deck.beamLines[1] += 1;
    for (deckmodel::Member &m : deck.members) {
        const deckmodel::Box b = deckmodel::bounds(m.plan);
        if ((m.kind == deckmodel::Kind::Post || m.kind == deckmodel::Kind::BeamPly) && b.z0 < z && b.z1 > z)
            for (deckmodel::Point &p : m.plan)
                p.z += 1;
    }
    const QStringList drawn = workedExampleChains(deck), expected = handCount();
    QCOMPARE(drawn.size(), expected.size());
    QCOMPARE(drawn[0], QStringLiteral("framing | beam lines | 2' 6\" 5' 7\" 5' 5\" 2' 6\" = 16' 0\""));
    QCOMPARE(drawn[3], QStringLiteral("footing | footings along Z | 2' 6\" 5' 7\" 5' 5\" 2' 6\" = 16' 0\""));
}

void TestSheets::everyDeck_data()
{
    QTest::addColumn<QString>("sizes");
    QTest::addColumn<QStringList>("row");
    for (const QStringList &f : tableRows("sheet-decks.txt"))
        QTest::newRow(qPrintable(f[0])) << f[1] << f.mid(2);
}

// Chains add up to their overall to an eighth; every text at least 2.5 mm,
// upright, on the paper and clear of every other; the plans at the largest
// scale that fits, the same way round as the shape's picture.
void TestSheets::everyDeck()
{
    QFETCH(QString, sizes);
    QFETCH(QStringList, row);
    const std::vector<Sheet> sheets = setOf(framed(parametersOf(sizes, row)), row[4] == u"a4" ? Paper::A4 : Paper::Letter);
    QCOMPARE(sheets.front().key, QStringLiteral("plan"));
    for (const Sheet &sheet : sheets) {
        std::map<QString, double> sum, overall;
        for (const SheetDimension &d : sheet.dimensions)
            (d.overall ? overall : sum)[d.chain] += d.inches;
        for (const auto &[chain, inches] : sum)
            if (overall.count(chain))
                QVERIFY2(std::abs(inches - overall[chain]) <= 0.125, qPrintable(sheet.key + u' ' + chain));
        for (size_t i = 0; i < sheet.texts.size(); ++i) {
            const SheetText &t = sheet.texts[i];
            QVERIFY2(t.heightMm >= 2.5 && t.angle > -90 && t.angle <= 90, qPrintable(t.text));
            const QPolygonF box = textBox(t);
            QVERIFY2(QRectF(QPointF(), sheet.paperMm).contains(box.boundingRect()), qPrintable(sheet.key + u' ' + t.text));
            for (size_t j = 0; j < i; ++j)
                QVERIFY2(shoelace(box.intersected(textBox(sheet.texts[j]))) < 0.01,
                         qPrintable(QStringLiteral("%1: \"%2\" at %4, %5 over \"%3\" at %6, %7")
                                        .arg(sheet.key, t.text, sheet.texts[j].text)
                                        .arg(t.at.x()).arg(t.at.y()).arg(sheet.texts[j].at.x()).arg(sheet.texts[j].at.y())));
        }
        const bool plan = sheet.key == u"plan" || sheet.key == u"framing" || sheet.key == u"footing";
        if (plan)
            QVERIFY2(std::any_of(sheet.texts.begin(), sheet.texts.end(),
                                 [&](const SheetText &t) { return t.text == QStringLiteral("Scale: ") + row[5]; }),
                     qPrintable(sheet.key));
    }
    // The deck plan's outline is its first heavy line.
    const Sheet &plan = sheets.front();
    const auto outline = std::find_if(plan.shapes.begin(), plan.shapes.end(),
                                      [](const SheetShape &s) { return s.weight == Weight::Heavy; });
    const QStringList size = row[6].split(QStringLiteral(" x "));
    QCOMPARE(std::round(outline->corners.boundingRect().width() * 100) / 100, size[0].toDouble());
    QCOMPARE(std::round(outline->corners.boundingRect().height() * 100) / 100, size[1].toDouble());
}

// The worked example's six posts each carry 31.5 or 33 sq ft: a 15" round
// footing 6" thick for all (Table R507.3.1, 1,500 psf, between 20 and 40
// sq ft), so one row.
void TestSheets::footingSchedule()
{
    const std::vector<Sheet> sheets = setOf(framed(workedExample()));
    const Sheet &footing = sheetNamed(sheets, QStringLiteral("footing"));
    std::map<double, std::map<double, QString>> rows; // by baseline, by x
    double markX = -1;
    for (const SheetText &t : footing.texts) {
        rows[std::round(t.at.y() * 100)][t.at.x()] = t.text;
        if (t.text == u"Mark")
            markX = t.at.x();
    }
    QStringList table;
    for (const auto &[y, cells] : rows)
        if (cells.count(markX)) {
            QStringList line;
            for (const auto &[x, text] : cells)
                line << text;
            table << line.join(QStringLiteral(" | "));
        }
    QCOMPARE(table, (QStringList{QStringLiteral("Mark | Size | Thickness | Bottom | Tributary area | Count"),
                                 QStringLiteral("F1 | 15\" dia. | 6\" | 12\" min. below grade | up to 33 sq ft | 6")}));
}

void TestSheets::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("read");
    const QStringList base{QStringLiteral("--render"), QStringLiteral("d.txt"), QStringLiteral("--out"), QStringLiteral("s.pdf")};
    QTest::newRow("a set on A4") << base + QStringList{QStringLiteral("--sheets"), QStringLiteral("all"),
                                                       QStringLiteral("--paper"), QStringLiteral("A4")}
                                 << QStringLiteral("sheets=all paper=A4");
    QTest::newRow("no such paper") << base + QStringList{QStringLiteral("--paper"), QStringLiteral("b5")}
                                   << QStringLiteral("error: --paper b5: write letter, a4, tabloid or a3.");
    QTest::newRow("a set on Tabloid") << base + QStringList{QStringLiteral("--sheets"), QStringLiteral("all"),
                                                            QStringLiteral("--paper"), QStringLiteral("tabloid")}
                                      << QStringLiteral("sheets=all paper=tabloid");
    QTest::newRow("one drawing") << base << QStringLiteral("sheets= paper=");
}

void TestSheets::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, read);
    const auto options = deckviewer::parseOptions(arguments);
    QCOMPARE(options ? QStringLiteral("sheets=%1 paper=%2").arg(options->sheets, options->paper)
                     : QStringLiteral("error: ") + options.error(),
             read);
    const auto none = selectSheets(setOf(framed(workedExample())), QStringLiteral("framing,frame"));
    QCOMPARE(none.error(), QStringLiteral("--sheets framing,frame: write all, or one or more of plan, site, framing, footing, "
                                          "elevations, section, details, ledger, check, schedule parted by commas."));
}

// deckviewer --render FILE --sheets ... --out: the PDF's words as pdftotext
// reads them, and an SVG file a sheet.
void TestSheets::commandLineSet()
{
    QTemporaryDir dir;
    const QString deck = dir.filePath(QStringLiteral("Deck_Rectangle.txt"));
    QVERIFY(QFile::copy(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"), deck));
    const QString viewer = qEnvironmentVariable("DECKVIEWER");
    auto run = [&](const QStringList &arguments) {
        QProcess process;
        process.start(viewer, QStringList{QStringLiteral("--render"), deck} + arguments);
        return process.waitForFinished(60000) && process.exitCode() == 0;
    };
    // What an earlier, longer set left: its own names go, a link and other names stay.
    const auto plant = [&](const char *name) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::WriteOnly) && file.write("old") == 3;
    };
    QVERIFY(plant("set-schedule-3.svg") && plant("set-plan.svg") && plant("set-notes.svg") && plant("other-plan.svg")
            && plant("victim.txt") && QFile::link(dir.filePath("victim.txt"), dir.filePath("set-section.svg")));
    QVERIFY(run({QStringLiteral("--sheets"), QStringLiteral("footing,framing"), QStringLiteral("--paper"),
                 QStringLiteral("letter"), QStringLiteral("--out"), dir.filePath(QStringLiteral("set.svg"))}));
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.svg")}),
             (QStringList{QStringLiteral("other-plan.svg"), QStringLiteral("set-footing.svg"), QStringLiteral("set-framing.svg"),
                          QStringLiteral("set-notes.svg"), QStringLiteral("set-section.svg")}));
    QVERIFY(QFileInfo(dir.filePath("set-section.svg")).isSymLink());
    QCOMPARE(QFileInfo(dir.filePath("victim.txt")).size(), 3);
    QFile svg(dir.filePath(QStringLiteral("set-framing.svg")));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains(">5' 6&quot;</text>"));

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not read.");
    QVERIFY(run({QStringLiteral("--sheets"), QStringLiteral("all"), QStringLiteral("--out"), dir.filePath(QStringLiteral("set.pdf"))}));
    QProcess text;
    text.start(pdftotext, {dir.filePath(QStringLiteral("set.pdf")), QStringLiteral("-")});
    QVERIFY(text.waitForFinished(60000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput()).simplified(); // a wrapped line reads on
    for (const char *expected : {"Deck plan", "Framing plan", "Footing plan", "Elevations", "Typical section",
                                 "Schedule and notes", "Sheet 1 of ", "Scale: 1/4\" = 1'-0\"", "J: 2x6 @ 12\" o.c.",
                                 "5' 6\"", "8' 0\"", "FOOTING SCHEDULE", "15\" dia.", "FRONT ELEVATION", "SIDE ELEVATION",
                                 "TYPICAL SECTION", "MATERIAL TAKEOFF", "CODE CHECK", "GENERAL NOTES",
                                 // the title block on every sheet
                                 "Owner: not given", "Site: not given", "Prepared by: not given", "Revision: A",
                                 "Size: A 16' 0\", B 12' 0\"", "Sheet 10 of ", "FAILS 1 of 14 rules: see the code check sheet",
                                 // the code check sheet
                                 "Code check", "Table cell: Table R507.6", "SETTINGS", "Species: Southern pine",
                                 "Soil bearing: 1,500 psf", "ASSUMPTIONS", "R312.1.3 guard openings",
                                 // the site plan with what to fill in
                                 "Site plan", "SITE PLAN: TO FILL IN", "A north arrow.",
                                 // the details
                                 "GUARD DETAIL", "Two 1/2\" through-bolts", "STAIR DETAIL", "5 risers of 7 1/4\"",
                                 "2x2 handrail, top 36\" above the line of the nosings", "FOOTING DETAIL",
                                 "confirm with the building department", "Post cap connector, beam to post",
                                 "Concrete pier in a form tube"})
        QVERIFY2(words.contains(QString::fromUtf8(expected)), expected);
}

// File > Drawing Set... asks for a PDF named after the deck and writes the
// set there; off until a deck is shown.
void TestSheets::windowMenu()
{
    QTemporaryDir dir;
    const QString deck = dir.filePath(QStringLiteral("Deck_Rectangle.txt"));
    QVERIFY(QFile::copy(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"), deck));
    DeckPresenter presenter(deckviewer::WindowName, QString());
    DeckWindow *window = presenter.window();
    QVERIFY(!window->drawingSetAction->isEnabled() && !window->printSetAction->isEnabled());
    QStringList asked;
    window->seams.chooseExportName = [&](QWidget *, const QString &start, const QStringList &filters, QString *filter) {
        asked = QStringList{QFileInfo(start).fileName(), *filter} + filters;
        return dir.filePath(QStringLiteral("permit"));
    };
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    presenter.open(deck);
    QVERIFY(drawn.wait(20000));
    QVERIFY(window->drawingSetAction->isEnabled() && window->printSetAction->isEnabled());
    window->drawingSetAction->trigger();
    QCOMPARE(asked, (QStringList{QStringLiteral("Deck_Rectangle-set.pdf"),
                                 QStringLiteral("PDF drawing set, paper chosen for the deck (*.pdf)"),
                                 QStringLiteral("PDF drawing set, paper chosen for the deck (*.pdf)"),
                                 QStringLiteral("PDF drawing set on Letter (*.pdf)"),
                                 QStringLiteral("PDF drawing set on A4 (*.pdf)"),
                                 QStringLiteral("PDF drawing set on Tabloid, 11 x 17 in (*.pdf)"),
                                 QStringLiteral("PDF drawing set on A3 (*.pdf)")}));
    QFile pdf(dir.filePath(QStringLiteral("permit.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.count("/Type /Page\n") >= 6); // a page a sheet, the schedule's as long as it runs

    // The Tabloid filter: 17 x 11 in pages.
    window->seams.chooseExportName = [&](QWidget *, const QString &, const QStringList &filters, QString *filter) {
        *filter = filters[3];
        return dir.filePath(QStringLiteral("large"));
    };
    window->drawingSetAction->trigger();
    QFile large(dir.filePath(QStringLiteral("large.pdf")));
    QVERIFY(large.open(QIODevice::ReadOnly));
    QVERIFY(large.readAll().contains("/MediaBox [0 0 1224.000000 792.000000]"));
}

// The 2D road's plan: style 1 has 11 corners, so 11 edges dimensioned; the
// width as typed under the stretch its picture letters A (the whole width).
void TestSheets::stylePlan()
{
    const auto outline = deckmodel::stylePlan(1, 24);
    QVERIFY(outline.ok());
    const std::vector<Sheet> sheets = styleSheets(*outline, 1, 24, SetFacts{}, Paper::A4);
    QCOMPARE(sheets.size(), size_t(1));
    int edges = 0;
    QStringList typed;
    for (const SheetDimension &d : sheets.front().dimensions) {
        edges += d.chain.startsWith(u"edge ");
        if (d.chain == u"typed width A")
            typed << d.text << QString::number(std::abs(d.to.x() - d.from.x()) / 25.4 * 48 / 12);
    }
    QCOMPARE(edges, 11);
    QCOMPARE(typed, (QStringList{QStringLiteral("A = 24' 0\""), QStringLiteral("24")}));
}

// The worked example's guard and stair details against the hand count in
// data/sheet-details.txt (docs/deck-model.md: 5 risers of 7.2, 4 treads of
// 11.25, the guard's 3.5 opening and 2x4 rails, 36 high), every text drawn.
void TestSheets::details()
{
    const std::vector<Sheet> sheets = setOf(framed(workedExample()));
    const Sheet &details = sheetNamed(sheets, QStringLiteral("details"));
    QStringList expected;
    for (const QStringList &row : tableRows("sheet-details.txt"))
        expected << row.join(QStringLiteral(" | "));
    QCOMPARE(chainLines(details), expected);
    QStringList words;
    for (const SheetText &t : details.texts)
        words << t.text;
    const QString all = words.join(u' ');
    for (const char *expected : {"GUARD DETAIL", "STAIR DETAIL", "FOOTING DETAIL", "frost depth: 12 in, confirm with",
                                 "the building department", "Two 1/2\" through-bolts", "(32 in all)", "(16 in all)",
                                 "5 risers of 7 1/4\", 4 treads of", "11 1/4\"", "No stair guard"})
        QVERIFY2(all.contains(QLatin1String(expected)), expected);
}

// The title block: an L's own B (not its overall depth), the owner, site
// and preparer "not given" when the design has none, the revision, and the
// code status on every sheet.
void TestSheets::titleBlock()
{
    const deckmodel::Deck deck = framed(deckOf(3, 20, 14, 3, QStringLiteral("2 X 8"), QStringLiteral("2 X 8"), 4,
                                               QStringLiteral("5/4x6")));
    SetFacts facts = setFactsOf(deck);
    facts.date = QDate(2024, 5, 1);
    const std::vector<Sheet> sheets = deckSheets(deck, {}, facts, Paper::Letter);
    for (const Sheet &sheet : sheets) {
        QStringList strip;
        for (const SheetText &t : sheet.texts)
            if (t.at.x() > 279.4 - 8 - 62)
                strip << t.text;
        QVERIFY2(strip.contains(QStringLiteral("Size: A 20' 0\", B 14' 0\"")), qPrintable(strip.join(u'|')));
        QVERIFY(strip.contains(QStringLiteral("Overall: 20' 0\" x 20' 0\"")));
        QVERIFY(strip.contains(QStringLiteral("Owner: not given")));
        QVERIFY(strip.contains(QStringLiteral("Site: not given")));
        QVERIFY(strip.contains(QStringLiteral("Prepared by: not given")));
        QVERIFY(strip.contains(QStringLiteral("Revision: A")));
        QVERIFY(strip.contains(QStringLiteral("Date: 2024-05-01")));
        QVERIFY2(strip.join(u' ').contains(QStringLiteral("Checked against the 2021 IRC, R507, R311.7, R312: passes"))
                     || strip.join(u' ').contains(QStringLiteral(" rules: see the code check sheet")),
                 qPrintable(strip.join(u'|')));
    }
    facts.project.owner = QStringLiteral("R. Alder");
    facts.project.siteAddress = QStringLiteral("12 Birch Lane");
    facts.project.preparer = QStringLiteral("the owner");
    facts.project.revision = u'C';
    QStringList strip;
    const std::vector<Sheet> filled = deckSheets(deck, {}, facts, Paper::A4);
    for (const SheetText &t : filled.front().texts)
        strip << t.text;
    for (const char *expected : {"Owner: R. Alder", "Site: 12 Birch Lane", "Prepared by: the owner", "Revision: C"})
        QVERIFY2(strip.contains(QLatin1String(expected)), expected);
}

void TestSheets::sitePlan_data()
{
    QTest::addColumn<QList<double>>("site"); // lot width, depth; deck from left, back (ft)
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QStringList>("dimensions");
    QTest::addColumn<bool>("pastALotLine");
    // The worked example (16' 0" along A, 12' 0" along B), by hand: right is
    // width - left - 16, front is depth - back - 12.
    QTest::newRow("60 x 120 lot") << QList<double>{60, 120, 10, 40} << QStringLiteral("1/32\" = 1'-0\"")
                                  << QStringList{"10' 0\"", "34' 0\"", "40' 0\"", "68' 0\"", "60' 0\"", "120' 0\""} << false;
    QTest::newRow("small lot at 1/8") << QList<double>{30, 24, 6.5, 5} << QStringLiteral("1/8\" = 1'-0\"")
                                      << QStringList{"6' 6\"", "7' 6\"", "5' 0\"", "7' 0\"", "30' 0\"", "24' 0\""} << false;
    QTest::newRow("1000 ft lot") << QList<double>{1000, 1000, 500, 500} << QStringLiteral("1\" = 200'-0\"")
                                 << QStringList{"500' 0\"", "484' 0\"", "500' 0\"", "488' 0\"", "1000' 0\"", "1000' 0\""}
                                 << false;
    QTest::newRow("deck past the right lot line") << QList<double>{60, 120, 50, 40} << QStringLiteral("1/32\" = 1'-0\"")
                                                  << QStringList{"50' 0\"", "40' 0\"", "68' 0\"", "60' 0\"", "120' 0\""} << true;
}

// A lot and the deck's place on it give the site plan its lot lines, the four
// distances, the lot's sizes and a north arrow, every text clear.
void TestSheets::sitePlan()
{
    QFETCH(QList<double>, site);
    QFETCH(QString, scale);
    QFETCH(QStringList, dimensions);
    QFETCH(bool, pastALotLine);
    const deckmodel::Deck deck = framed(workedExample());
    SetFacts facts = setFactsOf(deck);
    facts.project.lotWidthFeet = site[0];
    facts.project.lotDepthFeet = site[1];
    facts.project.deckFromLeftFeet = site[2];
    facts.project.deckFromBackFeet = site[3];
    facts.project.northDegrees = 30;
    const std::vector<Sheet> sheets = deckSheets(deck, {}, facts, Paper::Letter);
    const Sheet &sheet = sheetNamed(sheets, QStringLiteral("site"));
    QStringList texts, drawn;
    for (const SheetText &t : sheet.texts)
        texts << t.text;
    for (const SheetDimension &d : sheet.dimensions)
        drawn << d.text;
    QCOMPARE(drawn, dimensions);
    QVERIFY2(texts.contains(QStringLiteral("SITE PLAN")) && texts.contains(scale), qPrintable(texts.join(u'|')));
    QVERIFY(!texts.contains(QStringLiteral("SITE PLAN: TO FILL IN")));
    QVERIFY(!texts.contains(QStringLiteral("North: not given; the arrow points up until it is.")));
    QCOMPARE(texts.join(u' ').contains(QStringLiteral("The deck as placed runs past a lot line: check the lot's size and "
                                                      "the deck's distances from the left and back lot lines.")),
             pastALotLine);
    QStringList crossings;
    for (const TextCrossing &c : crossingsOf(sheet))
        crossings << crossingWords(sheet, c);
    QVERIFY2(crossings.isEmpty(), qPrintable(crossings.join(u'\n')));
    QVERIFY(sheet.dropped.empty());
}

// A design's owner, lot and frost depth reach the title block, the site plan
// and the footing detail of the set the window writes.
void TestSheets::designFactsReachTheSet()
{
    const auto read = deckfile::readDeckFile(workedExampleFile(), QStringLiteral("Deck_Rectangle.txt"));
    QVERIFY2(read, qPrintable(read.error()));
    design::Design design = design::fromParameters(*read, QStringLiteral("/nowhere/Deck_Rectangle.txt"), QDateTime());
    design.project.owner = QStringLiteral("R. Alder");
    design.project.lotWidthFt = 60;
    design.project.lotDepthFt = 120;
    design.project.deckFromLeftFt = 10;
    design.project.deckFromBackFt = 40;
    design.project.frostDepthIn = 36;
    const ShownDeck shown = deckFromDesign(design, QStringLiteral("x.jmdeck"), {}, false);
    const auto sheets = deckviewer::sheetsOf(shown, Paper::Letter, {});
    QVERIFY2(sheets, qPrintable(sheets ? QString() : sheets.error()));
    QStringList words;
    for (const Sheet &sheet : *sheets)
        for (const SheetText &t : sheet.texts)
            words << t.text;
    const QString all = words.join(u' ');
    QVERIFY(words.contains(QStringLiteral("Owner: R. Alder")));
    QVERIFY2(all.contains(QStringLiteral("frost depth: 36 in")), qPrintable(all));
    QVERIFY(!all.contains(QStringLiteral("confirm with the building department")));
    QStringList site;
    for (const SheetDimension &d : sheetNamed(*sheets, QStringLiteral("site")).dimensions)
        site << d.text;
    QCOMPARE(site, (QStringList{"10' 0\"", "34' 0\"", "40' 0\"", "68' 0\"", "60' 0\"", "120' 0\""}));
}

QTEST_MAIN(TestSheets)
#include "tst_sheets.moc"
