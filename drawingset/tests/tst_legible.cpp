// No text on any sheet of the drawing set crosses a member line, a dimension
// line, an outline, a circle or another text: the nine shapes at four sizes on
// Letter, and a rectangle, an L and a cut shape on A4, Tabloid and A3; and a
// rectangle hung on the house along each of its edges; a table's columns;
// a sheet's SVG whole.

#include "datatable.h"
#include "deckcases.h"
#include "drawingset.h"
#include "extras.h"
#include "framing.h"
#include "ledger.h"
#include "sheetdeck.h"
#include "sheetclear.h"
#include "sheetlayout.h"

#include <QDate>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>
#include <utility>

using namespace deckview;

class TestLegible : public QObject {
    Q_OBJECT
private slots:
    void legible_data();
    void legible();
    void deckBlocksOnTheSheets();
    void hungOnTheHouse_data();
    void hungOnTheHouse();
    void tableHeadingsKeepApart();
    void sheetSvgWhole();
};

// A sheet of one of each thing drawn, as SVG text whole (data/sheet.svg,
// read by eye): a filled outline, a dashed circle, lines of two weights,
// a bold text turned and one to escape.
void TestLegible::sheetSvgWhole()
{
    Sheet sheet{.key = QStringLiteral("x"), .title = QStringLiteral("Plan & <notes>"), .paperMm = QSizeF(100, 50.5)};
    addShape(sheet, QPolygonF({{0, 0}, {10, 0}, {10, 5}}), Weight::Heavy, false, Fill::Black);
    sheet.circles.push_back({{20, 20}, 2.5, Weight::Light, true});
    addLine(sheet, {0, 0}, {1, 1}, Weight::Light);
    addLine(sheet, {2, 2}, {3, 3.125}, Weight::Medium, true);
    sheet.texts.push_back({{5, 6}, QStringLiteral("A<B"), 2.5, Anchor::Middle, 90, true});
    sheet.texts.push_back({{7, 8}, QStringLiteral("\"C\" & D"), 3.5, Anchor::End});
    QCOMPARE(QString::fromUtf8(sheetSvg(sheet)), QString::fromUtf8(dataBytes(JM_TESTDATA "/sheet.svg")));
}

// A table's column is as wide as its widest text, the heading measured in
// bold: a long heading over short cells keeps clear of the next column.
void TestLegible::tableHeadingsKeepApart()
{
    Sheet sheet{.key = QStringLiteral("table"), .paperMm = QSizeF(400, 300)};
    addTable(sheet, {10, 10}, {{QString(40, u'W'), QStringLiteral("Next")}, {QStringLiteral("i"), QStringLiteral("j")}});
    QCOMPARE(sheet.texts.size(), size_t(4));
    QVERIFY(crossingsOf(sheet).empty());
}

// A rectangle hung on the house along each edge (0 back, 1 right, 2 front,
// 3 left): the framing turned for the back and the front, the house drawn on
// the plans and elevations, the ledger's own sheet; no text crosses a line,
// and the ledger sheet is there.
void TestLegible::hungOnTheHouse_data()
{
    QTest::addColumn<int>("edge");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    for (const auto &[a, b] : {std::pair{16.0, 12.0}, {40.0, 30.0}})
        for (const auto &[edge, name] : {std::pair{0, "back"}, {1, "right"}, {2, "front"}, {3, "left"}})
            QTest::addRow("%s %gx%g", name, a, b) << edge << a << b;
}

void TestLegible::hungOnTheHouse()
{
    QFETCH(int, edge);
    QFETCH(double, a);
    QFETCH(double, b);
    const jm::Result<deckmodel::Deck> deck = deckmodel::buildDeck(
        deckOf(1, a, b, 3, QStringLiteral("2 X 8"), QStringLiteral("2 X 8"), 4, QStringLiteral("5/4x6")), hungOn(edge));
    QVERIFY2(deck.ok(), qPrintable(deck.ok() ? QString() : deck.error()));
    const std::vector<Sheet> sheets =
        deckSheets(*deck, {},
                   SetFacts{QStringLiteral("Deck_Rectangle"), QStringLiteral("rectangle"), QStringLiteral("16' 0\" x 12' 0\""),
                            QStringLiteral("3' 0\""), QDate(2024, 5, 1), QStringLiteral("Joistmaster")},
                   *paperNamed(QStringLiteral("letter")));
    QStringList crossings, keys;
    for (const Sheet &sheet : sheets) {
        keys << sheet.key;
        for (const TextCrossing &c : crossingsOf(sheet))
            crossings << sheet.key + QStringLiteral(": ") + crossingWords(sheet, c);
    }
    QVERIFY2(keys.contains(QStringLiteral("ledger")), qPrintable(keys.join(u' ')));
    QVERIFY2(crossings.isEmpty(), qPrintable(QString::number(crossings.size()) + u' ' + crossings.mid(0, 8).join(u'\n')));
}

// A 1-foot deck of 2x6 beams and joists rests on deck blocks: the framing
// plan calls them out where it would call out a post, the footing plan draws
// each on its footing in outline, 11 inches square (none on the same deck at
// 3 feet, whose posts are filled), the elevations and the section speak of
// blocks and of no post, and no text crosses a line.
void TestLegible::deckBlocksOnTheSheets()
{
    QStringList callouts, crossings, views;
    std::map<int, int> outlinedSquares; // by the deck's height in feet
    for (int feet : {1, 3}) {
        const jm::Result<deckmodel::Deck> deck = deckmodel::buildDeck(
            deckOf(2, 16, 12, feet, QStringLiteral("2 X 6"), QStringLiteral("2 X 6"), 4, QStringLiteral("5/4x6")));
        QVERIFY2(deck.ok(), qPrintable(deck.ok() ? QString() : deck.error()));
        const std::vector<Sheet> sheets =
            deckSheets(*deck, {},
                       SetFacts{QStringLiteral("Deck_Rectangle"), QStringLiteral("rectangle"), QStringLiteral("16' 0\" x 12' 0\""),
                                QStringLiteral("%1' 0\"").arg(feet), QDate(2024, 5, 1), QStringLiteral("Joistmaster")},
                       *paperNamed(QStringLiteral("letter")));
        for (const Sheet &sheet : sheets) {
            for (const TextCrossing &c : crossingsOf(sheet))
                crossings << crossingWords(sheet, c);
            if (sheet.key == u"framing" && feet == 1)
                for (const SheetText &t : sheet.texts)
                    if (t.text.contains(u"post") || t.text.contains(u"block"))
                        callouts << t.text;
            if ((sheet.key == u"section" || sheet.key == u"elevations") && feet == 1)
                for (const SheetText &t : sheet.texts)
                    views << t.text;
            if (sheet.key == u"footing")
                for (const SheetShape &shape : sheet.shapes) {
                    const QRectF r = shape.corners.boundingRect();
                    // 11 inches at a quarter inch to the foot: 11 x 25.4 / 48 mm.
                    if (shape.corners.size() == 4 && shape.fill == Fill::None && std::abs(r.width() - 5.820833) < 1e-3
                        && std::abs(r.height() - 5.820833) < 1e-3)
                        ++outlinedSquares[feet];
                }
        }
    }
    QCOMPARE(callouts, QStringList(QStringLiteral("K: deck block, 11\" precast concrete, under the beam")));
    // The elevations name the blocks where they give the post's height; the
    // section's callouts have the block instead of post, post cap, carriage
    // bolts, post base and pier (its lines wrapped, joined again here).
    QVERIFY(views.contains(QStringLiteral("Deck blocks, beams at the ground, beam 5 1/2\", joists 5 1/2\", decking 1\"")));
    QVERIFY2(views.join(u' ').contains(QStringLiteral("(2) 2x6 beam, Southern pine, No. 2 Deck block, 11\" precast concrete, on "
                                                        "the footing, the beam in its top (9 in all) Concrete footing")),
             qPrintable(views.join(u'|')));
    for (const QString &text : views)
        QVERIFY2(!text.contains(u"post", Qt::CaseInsensitive) && !text.contains(u"bolt") && !text.contains(u"pier"),
                 qPrintable(text));
    // 9 blocks: beam lines 30" in from the 16-ft ends, at most 6 ft apart (3);
    // on each, 3 where the posts would stand, 2 ft in and at most 6 ft apart.
    QCOMPARE(outlinedSquares[1], 9);
    QCOMPARE(outlinedSquares[3], 0);
    QVERIFY2(crossings.isEmpty(), qPrintable(crossings.join(u'\n')));
}

void TestLegible::legible_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<QString>("paper");
    for (const char *paper : {"letter", "a4", "tabloid", "a3"})
        for (int type = 1; type <= 9; ++type)
            for (const auto &[a, b] : {std::pair{8.0, 8.0}, {16.0, 16.0}, {40.0, 30.0}, {99.0, 99.0}})
                if (paper == std::string_view("letter") || ((type == 2 || type == 3 || type == 7) && a != 8 && a != 40))
                    QTest::addRow("%s type %d %gx%g", paper, type, a, b) << type << a << b << QString::fromLatin1(paper);
}

void TestLegible::legible()
{
    QFETCH(int, type);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(QString, paper);
    const bool large = a > 50;
    const jm::Result<deckmodel::Deck> deck =
        deckmodel::buildDeck(deckOf(type, a, b, large ? 6 : 3, large ? QStringLiteral("2 X 6") : QStringLiteral("2 X 8"),
                                    large ? QStringLiteral("2 X 10") : QStringLiteral("2 X 8"), large ? 6 : 4,
                                    large ? QStringLiteral("2x4") : QStringLiteral("5/4x6")));
    QVERIFY2(deck.ok(), qPrintable(deck.ok() ? QString() : deck.error()));
    const std::optional<Paper> named = paperNamed(paper);
    QVERIFY(named);
    const std::vector<Sheet> sheets =
        deckSheets(*deck, {},
                   SetFacts{QStringLiteral("Deck_Rectangle"), QStringLiteral("rectangle"), QStringLiteral("16' 0\" x 12' 0\""),
                            QStringLiteral("3' 0\""), QDate(2024, 5, 1), QStringLiteral("Joistmaster")},
                   *named);
    QStringList crossings, dropped;
    for (const Sheet &sheet : sheets) {
        for (const TextCrossing &c : crossingsOf(sheet))
            crossings << crossingWords(sheet, c);
        for (const SheetText &t : sheet.dropped)
            dropped << sheet.key + u' ' + t.text;
    }
    if (!dropped.isEmpty())
        qInfo("dropped %lld: %s", qlonglong(dropped.size()), qPrintable(dropped.join(QStringLiteral("; "))));
    QVERIFY2(crossings.isEmpty(), qPrintable(QString::number(crossings.size()) + u' ' + crossings.mid(0, 6).join(u'\n')));
}

QTEST_MAIN(TestLegible)
#include "tst_legible.moc"
