// The drawing set read as data: the worked example's dimension strings
// against a hand count (data/sheet-dimensions.txt), chains that add up,
// texts that are large enough and upright, the scale and
// the orientation of every shape's plan (data/sheet-decks.txt), the footing
// schedule, the command line's set as PDF text and as SVG files.
#include "datatable.h"
#include "deckcases.h"
#include "design.h"
#include "showdeck.h"
#include "drawingset.h"
#include "sheetclear.h"
#include "presentertest.h"
#include "sheetsource.h"
#include "viewer.h"

#include <QAction>
#include <QLineF>
#include "plan.h"
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <initializer_list>
#include <map>
#include <optional>
#include <string_view>

using namespace deckview;

namespace {

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

Sheet sheetNamed(const std::vector<Sheet> &sheets, const QString &key)
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

// Every text of a sheet, in the order drawn.
QStringList textsOf(const Sheet &sheet)
{
    QStringList texts;
    for (const SheetText &t : sheet.texts)
        texts << t.text;
    return texts;
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
    void textsKeepApart();
    void footingSchedule();
    void options();
    void commandLineSet();
    void windowMenu();
    void stylePlan();
    void details();
    void everyText();
    void statusAndSettings();
    void titleBlock();
    void stairOnPlan_data();
    void stairOnPlan();
    void framingConnectors_data();
    void framingConnectors();
    void footingChainsPerBeamLine();
    void kneeBraces_data();
    void kneeBraces();
    void slopedHandrail();
    void sitePlan_data();
    void sitePlan();
    void designFactsReachTheSet();
};

void TestSheets::workedExampleDimensions()
{
    QCOMPARE(workedExampleChains(framed(workedExample())), handCount());
    // 8 ft deep and hung on its left edge: beam lines from the ledger's middle
    // (0.75) to 96 - 30 = 66, one gap, the ledger's own dropped: a chain of two parts.
    deckmodel::DeckParameters hung = workedExample();
    hung.depthA = 8;
    QCOMPARE(chainLines(sheetNamed(setOf(framed(hung, hungOn(3))), QStringLiteral("framing"))).value(0),
             QStringLiteral("framing | beam lines | 5' 6\" 2' 6\" = 8' 0\""));
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
// upright and on the paper; the plans at the largest
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
        for (const SheetText &t : sheet.texts) { // one text over another: tst_legible
            QVERIFY2(t.heightMm >= 2.5 && t.angle > -90 && t.angle <= 90, qPrintable(t.text));
            const QPolygonF box = textBox(t);
            QVERIFY2(QRectF(QPointF(), sheet.paperMm).contains(box.boundingRect()), qPrintable(sheet.key + u' ' + t.text));
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

// A text is placed clear of the texts already there, a step on where its
// first place is taken. Ten W's 2.5 mm high are 10 x 1.015 em of 2.5 / 0.716
// mm, times 1.04: 36.86 mm long. One starts at x = 0; the other, ending at
// x = 60, starts at 23.14 and runs into it, its anchor 60 mm away; a step of
// 5 mm down clears the 2.72 mm above the baseline and the 0.73 below.
void TestSheets::textsKeepApart()
{
    Sheet sheet;
    const QString ws(10, u'W');
    sheet.texts.push_back({QPointF(0, 0), ws, 2.5, Anchor::Start, 0});
    QCOMPARE(placeTextIfClear(sheet, {QPointF(60, 0), ws, 2.5, Anchor::End, 0}, QPointF(0, 5), 1, false),
             std::optional<QPointF>(QPointF(60, 5)));
    QCOMPARE(placeTextIfClear(sheet, {QPointF(80, 0), ws, 2.5, Anchor::End, 0}, QPointF(0, 5), 1, false),
             std::optional<QPointF>(QPointF(80, 0))); // from 43.14: clear of the first
    QCOMPARE(placeTextIfClear(sheet, {QPointF(60, 0), ws, 2.5, Anchor::End, 0}, QPointF(0, 5), 1, false), std::nullopt);
    QCOMPARE(sheet.texts.size(), size_t(3));
}

// The worked example's six posts each carry 31.5 or 33 sq ft: a 15" round
// footing 6" thick for all (Table R507.3.1, 1,500 psf, between 20 and 40
// sq ft), so one row.
void TestSheets::footingSchedule()
{
    // The schedule's rows, each read along its baseline.
    const auto schedule = [](const Sheet &footing) {
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
        return table;
    };
    QCOMPARE(schedule(sheetNamed(setOf(framed(workedExample())), QStringLiteral("footing"))),
             (QStringList{QStringLiteral("Mark | Size | Thickness | Bottom | Tributary area | Count"),
                          QStringLiteral("F1 | 15\" dia. | 6\" | 12\" min. below grade | up to 33 sq ft | 6")}));
    // Posts 36 ft apart carry up to 200 sq ft, past the footing table: size and thickness are a designer's.
    deckmodel::DeckParameters past = workedExample();
    past.depthA = 20, past.widthB = 40, past.beamSpacing = 15, past.postSpacing = 36;
    // 2 beam lines 15 ft apart, 2 posts on each 36 ft apart: 4 posts of 10 x 20 ft.
    QCOMPARE(schedule(sheetNamed(setOf(framed(past)), QStringLiteral("footing"))).value(1),
             QStringLiteral("F1 | by design | by design | 12\" min. below grade | up to 200 sq ft | 4"));
}

// A sheet the set does not have, refused with the sheets it does (the
// command line's --sheets and --paper as read: data/command-lines.txt).
void TestSheets::options()
{
    const auto none = selectSheets(setOf(framed(workedExample())), QStringLiteral("framing,frame"));
    QCOMPARE(none.error(), QStringLiteral("--sheets framing,frame: write all, or one or more of plan, site, framing, footing, "
                                          "elevations, section, details, ledger, check, schedule parted by commas."));
}

// deckviewer --render FILE --sheets ... --out: the PDF's words as pdftotext
// reads them (data/set-words.txt), and an SVG file a sheet.
void TestSheets::commandLineSet()
{
    QTemporaryDir dir;
    const QString deck = copyWorkedExample(dir.path());
    auto run = [&](const QStringList &arguments) {
        return runProgram(QStringLiteral("deckviewer"), QStringList{QStringLiteral("--render"), deck} + arguments).exitCode == 0;
    };
    // What an earlier, longer set left: its own names go, a link and other names stay.
    const auto plant = [&](const char *name) { return writeBytes(dir.filePath(QString::fromLatin1(name)), "old"); };
    QVERIFY(plant("set-schedule-3.svg") && plant("set-plan.svg") && plant("set-notes.svg") && plant("other-plan.svg")
            && plant("victim.txt") && QFile::link(dir.filePath("victim.txt"), dir.filePath("set-section.svg")));
    QVERIFY(run({QStringLiteral("--sheets"), QStringLiteral("footing,framing"), QStringLiteral("--paper"),
                 QStringLiteral("letter"), QStringLiteral("--out"), dir.filePath(QStringLiteral("set.svg"))}));
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.svg")}),
             (QStringList{QStringLiteral("other-plan.svg"), QStringLiteral("set-footing.svg"), QStringLiteral("set-framing.svg"),
                          QStringLiteral("set-notes.svg"), QStringLiteral("set-section.svg")}));
    QVERIFY(QFileInfo(dir.filePath("set-section.svg")).isSymLink());
    QCOMPARE(QFileInfo(dir.filePath("victim.txt")).size(), 3);
    QVERIFY(dataBytes(dir.filePath(QStringLiteral("set-framing.svg"))).contains(">5' 6&quot;</text>"));
    QVERIFY(dataBytes(dir.filePath(QStringLiteral("set-framing.svg"))).contains("\n<title>Framing plan</title>\n"));

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not read.");
    QVERIFY(run({QStringLiteral("--sheets"), QStringLiteral("all"), QStringLiteral("--out"), dir.filePath(QStringLiteral("set.pdf"))}));
    const Run text = runProgram(pdftotext, {dir.filePath(QStringLiteral("set.pdf")), QStringLiteral("-")});
    QCOMPARE(text.exitCode, 0);
    const QString words = QString::fromUtf8(text.out).simplified(); // a wrapped line reads on
    for (const QString &expected : dataLines(JM_TESTDATA "/set-words.txt")) // "Sheet 1 of " ends in a blank
        QVERIFY2(words.contains(expected), qPrintable(expected));
}

// File > Drawing Set... asks for a PDF named after the deck and writes the
// set there; off until a deck is shown.
void TestSheets::windowMenu()
{
    ExampleWindow example(deckviewer::WindowName, false);
    const QTemporaryDir &dir = example.folder;
    DeckWindow *window = example.window;
    QVERIFY(!window->drawingSetAction->isEnabled() && !window->printSetAction->isEnabled());
    QStringList asked;
    window->seams.chooseExportName = [&](QWidget *, const QString &start, const QStringList &filters, QString *filter) {
        asked = QStringList{QFileInfo(start).fileName(), *filter} + filters;
        return dir.filePath(QStringLiteral("permit"));
    };
    QVERIFY(example.open());
    QVERIFY(window->drawingSetAction->isEnabled() && window->printSetAction->isEnabled());
    window->drawingSetAction->trigger();
    QCOMPARE(asked, (QStringList{QStringLiteral("Deck_Rectangle-set.pdf"),
                                 QStringLiteral("PDF drawing set, paper chosen for the deck (*.pdf)"),
                                 QStringLiteral("PDF drawing set, paper chosen for the deck (*.pdf)"),
                                 QStringLiteral("PDF drawing set on Letter (*.pdf)"),
                                 QStringLiteral("PDF drawing set on A4 (*.pdf)"),
                                 QStringLiteral("PDF drawing set on Tabloid, 11 x 17 in (*.pdf)"),
                                 QStringLiteral("PDF drawing set on A3 (*.pdf)")}));
    const QByteArray bytes = dataBytes(dir.filePath(QStringLiteral("permit.pdf")));
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.count("/Type /Page\n") >= 6); // a page a sheet, the schedule's as long as it runs

    // The Tabloid filter: 17 x 11 in pages.
    window->seams.chooseExportName = [&](QWidget *, const QString &, const QStringList &filters, QString *filter) {
        *filter = filters[3];
        return dir.filePath(QStringLiteral("large"));
    };
    window->drawingSetAction->trigger();
    QVERIFY(dataBytes(dir.filePath(QStringLiteral("large.pdf"))).contains("/MediaBox [0 0 1224.000000 792.000000]"));
}

// The 2D road's plan as the viewer sets it: style 1 has 11 corners, so 11 edges dimensioned; the
// width as typed under the stretch its picture letters A (the whole width).
void TestSheets::stylePlan()
{
    ShownDeck shown;
    shown.isPlan = true;
    shown.style = {1, 24};
    const jm::Result<std::vector<Sheet>> set = deckviewer::sheetsOf(shown, Paper::A4);
    QVERIFY(set.ok());
    const std::vector<Sheet> &sheets = *set;
    QCOMPARE(sheets.size(), size_t(1));
    // The title block names the style and its overall size, as the plan's overall dimensions give it.
    QCOMPARE(textsOf(sheets.front()).mid(5, 4), (QStringList{"Deck: Deck 1", "Shape: 2D deck style 1",
                                                           "Overall: 24' 0\" x 11' 0\"", "Height: on the ground"}));
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
    const Sheet details = sheetNamed(setOf(framed(workedExample())), QStringLiteral("details"));
    QStringList expected;
    for (const QStringList &row : tableRows("sheet-details.txt"))
        expected << row.join(QStringLiteral(" | "));
    // Every text drawn: none left without room (the guard's chain stands
    // left of the guard, clear of the callouts' leaders on the right).
    QStringList dropped;
    for (const SheetText &t : details.dropped)
        dropped << t.text;
    QCOMPARE(dropped, QStringList());
    QCOMPARE(chainLines(details), expected); // its texts: everyText
}

// Every text of the worked example's set, sheet by sheet in the order
// drawn, "*" before a bold one (data/sheet-texts.txt): its code check sheet
// has rows that pass, fail and fall outside the tables.
void TestSheets::everyText()
{
    QStringList lines;
    for (const Sheet &sheet : setOf(framed(workedExample())))
        for (const SheetText &t : sheet.texts)
            lines << sheet.key + QStringLiteral(" | ") + (t.bold ? QStringLiteral("*") : QString()) + t.text;
    QCOMPARE(lines.join(u'\n') + u'\n', QString::fromUtf8(dataBytes(JM_TESTDATA "/sheet-texts.txt")));
}

// The title block's code status for hand-made reports (the rows that pass,
// fail or fall outside count; a row to build to does not), and the check
// sheet's settings as chosen.
void TestSheets::statusAndSettings()
{
    using deckmodel::Verdict;
    const auto status = [](std::initializer_list<Verdict> verdicts) {
        deckmodel::CodeReport report;
        for (Verdict v : verdicts)
            report.checks.push_back({QStringLiteral("R"), {}, {}, {}, {}, v, QStringLiteral("S")});
        return codeStatusLine(report);
    };
    QCOMPARE(status({Verdict::Pass, Verdict::Information}), "Checked against the 2021 IRC, R507, R311.7, R312: passes");
    QCOMPARE(status({Verdict::Pass, Verdict::Outside, Verdict::Information}),
             "OUTSIDE THE TABLES for 1 of 2 rules: see the code check sheet");
    QCOMPARE(status({Verdict::Outside, Verdict::Fail, Verdict::Fail}), "FAILS 2 of 3 rules: see the code check sheet");

    const deckmodel::CodeSettings chosen{deckmodel::Species::Redwood, 60, 2000, deckmodel::FootingShape::Square};
    const deckmodel::Deck deck = framed(workedExample());
    const std::vector<Sheet> sheets = deckSheets(deck, chosen, setFactsOf(deck), Paper::Letter);
    QStringList texts; // the check sheet and its continuation
    for (const Sheet &sheet : sheets)
        if (sheet.key == u"check")
            texts << textsOf(sheet);
    const qsizetype at = texts.indexOf(QStringLiteral("SETTINGS"));
    QVERIFY(at > 0);
    QCOMPARE(texts.mid(at + 2, 3), (QStringList{"Snow load: 60 psf ground snow load", "Soil bearing: 2,000 psf", "Footings: square"}));
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
        for (const char *expected : {"Size: A 20' 0\", B 14' 0\"", "Overall: 20' 0\" x 20' 0\"", "Owner: not given",
                                     "Site: not given", "Prepared by: not given", "Revision: A", "Date: 2024-05-01"})
            QVERIFY2(strip.contains(QLatin1String(expected)), qPrintable(sheet.key + u' ' + expected));
        QVERIFY2(strip.join(u' ').contains(QStringLiteral("Checked against the 2021 IRC, R507, R311.7, R312: passes"))
                     || strip.join(u' ').contains(QStringLiteral(" rules: see the code check sheet")),
                 qPrintable(strip.join(u'|')));
    }
    facts.project.owner = QStringLiteral("R. Alder");
    facts.project.siteAddress = QStringLiteral("12 Birch Lane");
    facts.project.preparer = QStringLiteral("the owner");
    facts.project.revision = u'C';
    const QStringList strip = textsOf(deckSheets(deck, {}, facts, Paper::A4).front());
    for (const char *expected : {"Owner: R. Alder", "Site: 12 Birch Lane", "Prepared by: the owner", "Revision: C"})
        QVERIFY2(strip.contains(QLatin1String(expected)), expected);
}

void TestSheets::stairOnPlan_data()
{
    QTest::addColumn<QStringList>("row");
    for (const QStringList &f : tableRows("sheet-stair-plan.txt"))
        QTest::newRow(qPrintable(f[0])) << f.mid(1);
}

// The deck plan draws the stair and the guards outside the outline and
// locates the stair from a corner of the deck (data/sheet-stair-plan.txt).
void TestSheets::stairOnPlan()
{
    QFETCH(QStringList, row);
    const QStringList layout = row[0].split(u' ');
    deckmodel::Extras extras;
    extras.stair.offsetInches = layout[0].toDouble();
    extras.stair.widthInches = layout[1].toDouble();
    const jm::Result<deckmodel::Deck> deck = deckmodel::buildDeck(workedExample(), extras);
    QVERIFY(deck.ok());
    const Sheet plan = sheetNamed(setOf(*deck), QStringLiteral("plan"));
    QCOMPARE(plan.dropped.size(), size_t(0));
    const auto outline = std::find_if(plan.shapes.begin(), plan.shapes.end(),
                                      [](const SheetShape &s) { return s.weight == Weight::Heavy; });
    QVERIFY(outline != plan.shapes.end());
    const QRectF deckRect = outline->corners.boundingRect();
    QStringList stair;
    for (const SheetDimension &d : plan.dimensions)
        if (d.chain == u"stair from corner") {
            stair << d.text;
            // From a corner of the deck along its front edge (the bottom of the plan).
            QVERIFY(std::any_of(outline->corners.begin(), outline->corners.end(), [&](const QPointF &c) {
                return QLineF(c, d.from).length() < 1e-6;
            }));
            QCOMPARE(std::round(d.from.y() * 100), std::round(deckRect.bottom() * 100));
            QCOMPARE(std::round(d.to.y() * 100), std::round(deckRect.bottom() * 100));
        }
    QCOMPARE(stair, QStringList{row[1]});
    const QStringList texts = textsOf(plan);
    QVERIFY2(texts.contains(row[2]), qPrintable(texts.join(u'|')));
    double lowest = 0;
    int light = 0;
    for (const SheetShape &s : plan.shapes) {
        const QRectF box = s.corners.boundingRect();
        if (box.left() < deckRect.left() - 3 || box.right() > deckRect.right() + 3 // the border, the title block
            || s.fill != Fill::None) // arrow heads
            continue;
        lowest = std::max(lowest, box.bottom());
        light += s.weight == Weight::Light && s.fill == Fill::None;
    }
    QCOMPARE(std::round((lowest - deckRect.bottom()) * 100) / 100, row[3].toDouble());
    // 4 treads of 2 boards each at least, the rails along the edges.
    QVERIFY(light >= 8 + 4);
}

void TestSheets::framingConnectors_data()
{
    QTest::addColumn<QString>("sizes");
    QTest::addColumn<QStringList>("row");
    for (const QStringList &f : tableRows("sheet-framing-notes.txt"))
        QTest::newRow(qPrintable(f[0])) << f[1] << f.mid(2);
}

// The framing plan names the hangers and ties and marks each beam splice
// over its post (data/sheet-framing-notes.txt).
void TestSheets::framingConnectors()
{
    QFETCH(QString, sizes);
    QFETCH(QStringList, row);
    const deckmodel::Deck deck = framed(parametersOf(sizes, row));
    const Sheet framing = sheetNamed(setOf(deck, Paper::Tabloid), QStringLiteral("framing"));
    const QString all = textsOf(framing).join(u' ');
    QVERIFY2(all.contains(row[4]), qPrintable(textsOf(framing).join(u'|')));
    QCOMPARE(all.contains(QLatin1String("beam splices")), row[5] != u"0");
    if (row[5] != u"0")
        QVERIFY2(all.contains(QStringLiteral("; %1 beam splices over posts (the heavy ticks)").arg(row[5])), qPrintable(all));
    // Each splice a heavy tick 6 mm across its beam line, at the splice's X.
    int ticks = 0;
    std::vector<double> ys;
    for (const SheetLine &l : framing.lines)
        if (l.weight == Weight::Heavy && std::abs(std::abs(l.b.x() - l.a.x()) - 6) < 1e-6 && std::abs(l.a.y() - l.b.y()) < 1e-6)
            ++ticks, ys.push_back(l.a.y());
    QCOMPARE(ticks, row[5].toInt());
    // The same X on every beam line, over a post: the middle one of the five
    // rows of posts (X = 180 of 24, 102, 180, 258, 336).
    std::vector<double> postYs;
    for (const SheetShape &s : framing.shapes)
        if (s.fill == Fill::Black && s.weight == Weight::Medium && s.corners.size() == 4 // a post: a small square
            && std::abs(s.corners.boundingRect().width() - s.corners.boundingRect().height()) < 0.01
            && s.corners.boundingRect().width() < 3)
            postYs.push_back(std::round(s.corners.boundingRect().center().y() * 100) / 100);
    std::sort(postYs.begin(), postYs.end());
    postYs.erase(std::unique(postYs.begin(), postYs.end()), postYs.end());
    for (double y : ys) {
        QCOMPARE(postYs.size(), size_t(5));
        QCOMPARE(std::round(y * 100) / 100, postYs[2]);
    }
}

// Beam lines whose footings stand alike share one chain, named by the first
// of them: the worked example's three lines, posts at X 24 and 120 on each.
void TestSheets::footingChainsPerBeamLine()
{
    const std::vector<Sheet> rectangle = setOf(framed(workedExample()));
    QStringList chains;
    for (const SheetDimension &d : sheetNamed(rectangle, QStringLiteral("footing")).dimensions)
        if (!chains.contains(d.chain))
            chains << d.chain;
    QCOMPARE(chains, (QStringList{QStringLiteral("footings along Z"), QStringLiteral("footings on beam line 1")}));

    // A cut shape at 40 x 30 (1/8" = 1'-0" on Letter): its beam lines end at
    // the cuts, so some get their own chain; each chain's inner stations are
    // footings of its own line only, never another line's.
    const deckmodel::Deck cut = framed(deckOf(7, 40, 30, 3, QStringLiteral("2 X 8"), QStringLiteral("2 X 8"), 4,
                                              QStringLiteral("5/4x6")));
    const Sheet footing = sheetNamed(setOf(cut), QStringLiteral("footing"));
    const double mmPerInch = 25.4 / 96;
    std::map<QString, std::vector<SheetDimension>> parts;
    for (const SheetDimension &d : footing.dimensions)
        if (d.chain.startsWith(u"footings on beam line ") && !d.overall)
            parts[d.chain].push_back(d);
    QVERIFY(parts.size() > 1);
    const double x0 = deckmodel::bounds(cut.outline).x0;
    for (const auto &[chain, dims] : parts) {
        const double z = cut.beamLines[size_t(chain.mid(22).toInt() - 1)];
        // The chain starts at the deck's edge X = x0, up the paper as X grows.
        for (size_t i = 0; i + 1 < dims.size(); ++i) {
            const double x = x0 + (dims.front().from.y() - dims[i].to.y()) / mmPerInch;
            const bool own = std::any_of(cut.members.begin(), cut.members.end(), [&](const deckmodel::Member &m) {
                const deckmodel::Box b = deckmodel::bounds(m.plan);
                return m.kind == deckmodel::Kind::Post && std::abs((b.z0 + b.z1) / 2 - z) < 0.01
                       && std::abs((b.x0 + b.x1) / 2 - x) < 0.05;
            });
            QVERIFY2(own, qPrintable(chain + QStringLiteral(" at X ") + QString::number(x)));
        }
    }
}

void TestSheets::kneeBraces_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("braces");
    QTest::addColumn<QString>("note");
    // 36 - 1 - 5.5 - 7.25 = 22 1/4" posts: none.
    QTest::newRow("worked example") << 3.0 << 0
                                    << QStringLiteral("No knee braces: the posts stand 1' 10 1/4\", 2' 0\" or lower, too short for one.");
    // 72 - 13.75 = 58 1/4" posts: the 4 corner posts, each view drawing a
    // brace at each of them (two of a beam line coincide in the front view): 8.
    QTest::newRow("worked example at 6 ft")
        << 6.0 << 8
        << QStringLiteral("Knee braces: 2x4 at 45 degrees, 18\" legs, two at each of the 4 corner posts (posts 4' 10 1/4\" "
                          "tall), none at the posts between.");
}

// The elevations draw the knee braces at the corner posts, at 45 degrees,
// and say why, or why there are none, with the posts' restraint at their
// footings.
void TestSheets::kneeBraces()
{
    QFETCH(double, height);
    QFETCH(int, braces);
    QFETCH(QString, note);
    deckmodel::DeckParameters parameters = workedExample();
    parameters.height = height;
    const Sheet elevations = sheetNamed(setOf(framed(parameters)), QStringLiteral("elevations"));
    QCOMPARE(elevations.dropped.size(), size_t(0));
    int drawn = 0;
    for (const SheetShape &s : elevations.shapes) {
        if (s.corners.size() != 4 || s.fill != Fill::White)
            continue;
        const QLineF edge(s.corners[0], s.corners[1]);
        // At 45 degrees (not a member's box, nor a rail along the stair's slope).
        drawn += std::abs(edge.dx()) > 1e-6 && std::round(std::abs(edge.dx()) * 1000) == std::round(std::abs(edge.dy()) * 1000);
    }
    QCOMPARE(drawn, braces);
    const QString all = textsOf(elevations).join(u' ');
    QVERIFY2(all.contains(note), qPrintable(all));
    QVERIFY(all.contains(QLatin1String("The 2021 IRC has no prescriptive bracing rule for a free-standing deck; each post is "
                                       "held to its footing against sideways movement by its post base (R507.4.1).")));
}

// The worked example's handrail, drawn as steps in the model, is one
// straight sloped piece on the side elevation (seen end on at the front):
// the nosings' slope, 7.2 over 11.25 = 0.64, from the top post's face 3.5
// out to the foot post's face 45 out: 41.5 long (docs/deck-model.md).
void TestSheets::slopedHandrail()
{
    const Sheet elevations = sheetNamed(setOf(framed(workedExample())), QStringLiteral("elevations"));
    double mmPerInch = 0;
    for (const SheetDimension &d : elevations.dimensions)
        if (d.chain == u"heights" && d.overall)
            mmPerInch = QLineF(d.from, d.to).length() / 36;
    QVERIFY(mmPerInch > 0);
    QStringList sloped;
    for (const SheetShape &s : elevations.shapes) {
        if (s.corners.size() != 4 || s.fill != Fill::White)
            continue;
        const QLineF top(s.corners[0], s.corners[1]);
        if (std::abs(top.dx()) < 1e-6 || std::abs(top.dy()) < 1e-6)
            continue;
        sloped << QStringLiteral("%1 over %2").arg(std::abs(top.dy() / top.dx()), 0, 'f', 2).arg(std::abs(top.dx()) / mmPerInch, 0, 'f', 2);
    }
    QCOMPARE(sloped, QStringList{QStringLiteral("0.64 over 41.50")});
}

void TestSheets::sitePlan_data()
{
    QTest::addColumn<QList<double>>("site");
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QStringList>("dimensions");
    QTest::addColumn<bool>("pastALotLine");
    for (const QStringList &f : tableRows("site-plans.txt")) {
        QList<double> site;
        for (const QString &feet : f[1].split(u' '))
            site << feet.toDouble();
        QTest::newRow(qPrintable(f[0])) << site << f[2] << f[3].split(u';') << (f[4] == u"past");
    }
}

// A lot and the deck's place on it give the site plan its lot lines, the four
// distances, the lot's sizes and a north arrow, every text clear
// (data/site-plans.txt).
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
    const Sheet sheet = sheetNamed(deckSheets(deck, {}, facts, Paper::Letter), QStringLiteral("site"));
    const QStringList texts = textsOf(sheet);
    QStringList drawn;
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
        words << textsOf(sheet);
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
