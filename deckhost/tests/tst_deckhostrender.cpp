// deckhost --render: headless, exit code 0 and the file on success, exit
// code 1 and one line saying why otherwise, 2 for a half-given option; and a
// journal that cannot be opened.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

Run deckhost(const QStringList &arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("DECKHOST"), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class TestDeckHostRender : public QObject {
    Q_OBJECT
private slots:
    // A wizard folder: DeckType.txt names the family's parameter file.
    void renderFolderToCsv()
    {
        QTemporaryDir folder;
        QVERIFY(QFile::copy(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"),
                            folder.filePath(QStringLiteral("Deck_Rectangle.txt"))));
        QFile type(folder.filePath(QStringLiteral("DeckType.txt")));
        QVERIFY(type.open(QIODevice::WriteOnly) && type.write(" 2 \r\n") == 5);
        type.close();
        const QString out = folder.filePath(QStringLiteral("takeoff.csv"));
        const Run run = deckhost({QStringLiteral("--render"), folder.path(), QStringLiteral("--out"), out});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QFile csv(out), golden(QStringLiteral(JM_DECKMODEL_DATA "/worked-example-takeoff.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly) && golden.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(), golden.readAll());
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("file of no family") << QStringList{"--render", JM_DECK3D_DATA "/Deck_Slice-unlisted-sizes.txt", "--out", "x.step"} << 1
                                       << QByteArray("deckhost: \"Deck_Slice-unlisted-sizes.txt\" is not a deck parameter file "
                                                     "(Deck_Rectangle.txt, Deck_L-Shape.txt, Deck_Slice.txt or Deck_Slice2.txt).\n");
        QTest::newRow("format not written") << QStringList{"--render", "folder", "--out", "deck.dxf"} << 1
                                            << QByteArray("deckhost: \"deck.dxf\" names no format this host writes (.step, .glb or .csv).\n");
        QTest::newRow("journal in no folder") << QStringList{"--headless", "--journal", "/nonexistent/folder/journal"} << 1
                                              << QByteArray("deckhost: cannot open the journal /nonexistent/folder/journal: No such file or directory\n");
        QTest::newRow("no out") << QStringList{"--render", "folder"} << 2
                                << QByteArray("deckhost: --render and --out go together: --render FOLDER|FILE --out "
                                              "FILE.step|.glb|.csv.\n");
    }
    void failures()
    {
        QFETCH(QStringList, arguments);
        const Run run = deckhost(arguments);
        QTEST(run.exitCode, "exitCode");
        QTEST(run.err, "err");
        QCOMPARE(run.out, QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestDeckHostRender)
#include "tst_deckhostrender.moc"
