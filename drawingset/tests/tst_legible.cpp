// No text on any sheet of the drawing set crosses a member line, a dimension
// line, an outline, a circle or another text: the nine shapes at four sizes on
// Letter, and a rectangle, an L and a cut shape on A4, Tabloid and A3.

#include "deckcases.h"
#include "drawingset.h"
#include "sheetclear.h"
#include "sheetlayout.h"

#include <QDate>
#include <QTest>

#include <string_view>
#include <utility>

using namespace deckview;

class TestLegible : public QObject {
    Q_OBJECT
private slots:
    void legible_data();
    void legible();
};

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
