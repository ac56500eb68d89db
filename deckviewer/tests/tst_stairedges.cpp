// The edges of an outline named as a person sees the deck
// (data/stair-edges.txt), and the edges a stair fits on of a cut shape
// built from the wizard's file, with their words and reach counted by hand.
#include "datatable.h"
#include "framing.h"
#include "handoff.h"
#include "stairedges.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestStairEdges : public QObject {
    Q_OBJECT
private slots:
    void names_data()
    {
        QTest::addColumn<QString>("corners");
        QTest::addColumn<int>("edge");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("from");
        for (const QStringList &row : dataTable(JM_TESTDATA "/stair-edges.txt", QStringLiteral(" | ")))
            QTest::newRow(qPrintable(row[0])) << row[1] << row[2].toInt() << row[3] << row[4];
    }
    void names()
    {
        QFETCH(QString, corners);
        QFETCH(int, edge);
        deckmodel::Polygon outline;
        for (const QString &corner : corners.split(u' '))
            outline.push_back({corner.section(u',', 0, 0).toDouble(), corner.section(u',', 1, 1).toDouble()});
        QTEST(stairedges::edgeName(outline, edge), "name");
        QTEST(stairedges::startEnd(outline, edge), "from");
    }

    // The cut shape 7 of the typed sizes: 16 ft deep, 20 ft wide, its front
    // corners cut 45 in each way. A 36" stair needs 18" + two 3 1/2" posts =
    // 25" from each corner; a cut edge is 45 x 1.4142 = 63.64" (5' 3 5/8") long.
    // The labels stand 18" out from each middle, at the top of the 4.5 ft deck: 54".
    void edgesOfACutShape()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath("Deck_Slice2.txt");
        QVERIFY(QFile::copy(JM_DECK3D_DATA "/Deck_Slice2-typed-sizes.txt", file));
        const auto read = deckfile::readDeck(file);
        QVERIFY(read);
        const auto deck = deckmodel::buildDeck(*read);
        QVERIFY(deck);
        QStringList lines;
        for (const StairEdge &e : stairedges::stairEdges(*deck))
            lines << QStringLiteral("%1 | %2 | %3 | %4 | %5 to %6 | label %7 %8 %9")
                         .arg(e.edge).arg(e.words, e.name, e.fromEnd)
                         .arg(e.fromInches, 0, 'f', 2).arg(e.toInches, 0, 'f', 2)
                         .arg(e.labelAt.x, 0, 'f', 2).arg(e.labelAt.z, 0, 'f', 2).arg(e.labelHeightInches);
        QCOMPARE(lines, (QStringList{
                            "0 | Back edge, 20' 0\" long | Back edge | left | 25.00 to 215.00 | label 210.00 120.00 54",
                            "1 | Right edge, 12' 3\" long | Right edge | back | 25.00 to 122.00 | label 118.50 258.00 54",
                            "2 | 45-degree edge at the front right, 5' 3 5/8\" long | 45-degree edge at the front right "
                            "| right | 25.00 to 38.64 | label 9.77 230.23 54",
                            "3 | Front edge, 12' 6\" long | Front edge | right | 25.00 to 125.00 | label -18.00 120.00 54",
                            "4 | 45-degree edge at the front left, 5' 3 5/8\" long | 45-degree edge at the front left "
                            "| right | 25.00 to 38.64 | label 9.77 9.77 54",
                            "5 | Left edge, 12' 3\" long | Left edge | front | 25.00 to 122.00 | label 118.50 -18.00 54"}));
    }

    // The worked example hung on the house along its back edge is framed
    // turned a quarter turn; its edges are still named and labelled where
    // they stand: 192" back and front, 144" right and left, the labels 18"
    // out from each middle at the 3 ft deck's top.
    void edgesOfADeckFramedTurned()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath("Deck_Rectangle.txt");
        QVERIFY(QFile::copy(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt", file));
        const auto read = deckfile::readDeck(file);
        QVERIFY(read);
        deckmodel::Extras extras;
        extras.attachment = {true, 0, deckmodel::HouseFraming::BandJoist, deckmodel::LedgerFastener::Lag, 0.5};
        const auto deck = deckmodel::buildDeck(*read, extras);
        QVERIFY(deck && deck->turned);
        QStringList lines;
        for (const StairEdge &e : stairedges::stairEdges(*deck))
            lines << QStringLiteral("%1 | %2 | %3 | %4 to %5 | label %6 %7 %8")
                         .arg(e.edge).arg(e.words, e.fromEnd)
                         .arg(e.fromInches, 0, 'f', 2).arg(e.toInches, 0, 'f', 2)
                         .arg(e.labelAt.x, 0, 'f', 2).arg(e.labelAt.z, 0, 'f', 2).arg(e.labelHeightInches);
        QCOMPARE(lines, (QStringList{"0 | Back edge, 16' 0\" long | left | 25.00 to 167.00 | label 162.00 96.00 36",
                                     "1 | Right edge, 12' 0\" long | back | 25.00 to 119.00 | label 72.00 210.00 36",
                                     "2 | Front edge, 16' 0\" long | right | 25.00 to 167.00 | label -18.00 96.00 36",
                                     "3 | Left edge, 12' 0\" long | front | 25.00 to 119.00 | label 72.00 -18.00 36"}));
    }
};

QTEST_MAIN(TestStairEdges)
#include "tst_stairedges.moc"
