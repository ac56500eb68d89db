// How long the 3D road's file work takes: the three writes and the read-back
// of one Next, and the framing section of a finish. Not run by the tests.
#include "handoff.h"
#include "textfiles.h"

#include <QTemporaryDir>
#include <QTest>

class BenchDeck3dFiles : public QObject {
    Q_OBJECT
private slots:
    void next();
    void framingSection();
};

void BenchDeck3dFiles::next()
{
    QTemporaryDir dir;
    QBENCHMARK {
        QVERIFY(deckfile::writeHandOff(dir.path(), 3, {"20", "10", "3"}));
    }
}

void BenchDeck3dFiles::framingSection()
{
    const deckfile::Answers answers{2, 12, {QStringLiteral("2 X 8"), QStringLiteral("2 X 6")}};
    QByteArray bytes;
    QBENCHMARK {
        bytes = textfiles::encodeLines(deckfile::framingLines(answers));
    }
    QVERIFY(!bytes.isEmpty());
}

QTEST_GUILESS_MAIN(BenchDeck3dFiles)
#include "bench_deck3dfiles.moc"
