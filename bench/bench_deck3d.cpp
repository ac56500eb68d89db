// What the 3D road's file work costs: the three writes and the read-back of
// one Next on the shape and size page, and the 21 framing lines of the finish.
#include "deckparameters.h"
#include "handoff.h"
#include "textfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace deckparameters;

class BenchDeck3D : public QObject {
    Q_OBJECT
private slots:
    void next();
    void framingSection();
};

void BenchDeck3D::next()
{
    QTemporaryDir dir;
    QBENCHMARK {
        QVERIFY(!handoff::write(dir.path(), 3, {"20", "10", "3"}));
    }
}

void BenchDeck3D::framingSection()
{
    const Answers answers{2, 12, QStringLiteral("2 X 8"), QStringLiteral("2 X 6"), Posts::FourInch,
                          Decking::FiveQuarterBySix, ViewingMode::Wireframe};
    QByteArray bytes;
    QBENCHMARK {
        bytes = textfiles::encodeLines(framingLines(answers));
    }
    QCOMPARE(bytes.count("\r\n"), 21);
}

QTEST_GUILESS_MAIN(BenchDeck3D)
#include "bench_deck3d.moc"
