// deckviewer --render with designs: --out X.jmdeck makes a design of a
// wizard folder (every field as the wizard's file has it), the saved design
// re-renders every output byte for byte as the folder does, --framing
// suggested writes the suggested framing (passing every rule) from a folder
// and from a design alike, a design's own check settings apply unless the
// command line gives others, a bad design is refused in one line, and the
// wizard's folder is left as it was.
#include "datatable.h"
#include "folderhashes.h"
#include "workedexample.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

Run render(const QStringList &arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("DECKVIEWER"), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace

class TestDesignRender : public QObject {
    Q_OBJECT
    QTemporaryDir m_config, m_wizard, m_out;
    QStringList m_before;

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
        QVERIFY(writeWorkedExampleFolder(m_wizard.path()));
        m_before = folderHashes(m_wizard.path());
    }

    void designOfAFolder()
    {
        const QString design = m_out.filePath(QStringLiteral("deck.jmdeck"));
        const Run run = render({"--render", m_wizard.path(), "--out", design});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        // The golden worked example, but for where and when it was made.
        QList<QByteArray> expected = byteLines(dataBytes(QStringLiteral(JM_DESIGN_DATA "/worked-example.jmdeck")));
        QList<QByteArray> written = byteLines(dataBytes(design));
        QCOMPARE(written.size(), expected.size());
        for (qsizetype i = 0; i < written.size(); ++i)
            if (expected[i].contains("\"at\": ") || expected[i].contains("\"wizardFolder\": "))
                written[i] = expected[i];
        QCOMPARE(written, expected);
    }

    void sameOutputs_data()
    {
        QTest::addColumn<QString>("out");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("takeoff") << "takeoff.csv" << QStringList();
        QTest::newRow("code check JSON") << "check.json" << QStringList();
        QTest::newRow("code check text, Douglas fir") << "check.txt" << QStringList{"--species", "dfl"};
        QTest::newRow("hidden line SVG") << "deck.svg" << QStringList{"--mode", "hidden"};
        QTest::newRow("glTF") << "deck.glb" << QStringList();
        QTest::newRow("drawing set SVG") << "set.svg" << QStringList{"--sheets", "plan,framing"};
        QTest::newRow("suggested framing, text") << "check.txt" << QStringList{"--framing", "suggested"};
        QTest::newRow("suggested framing, takeoff") << "takeoff.csv" << QStringList{"--framing", "suggested"};
    }
    // A design saved from the folder writes what the folder writes.
    void sameOutputs()
    {
        QFETCH(QString, out);
        QFETCH(QStringList, options);
        const QString design = m_out.filePath(QStringLiteral("same.jmdeck"));
        QCOMPARE(render({"--render", m_wizard.path(), "--out", design}).exitCode, 0);
        QTemporaryDir a, b;
        const Run fromFolder = render(QStringList{"--render", m_wizard.path(), "--out", a.filePath(out)} + options);
        const Run fromDesign = render(QStringList{"--render", design, "--out", b.filePath(out)} + options);
        QCOMPARE(fromFolder.exitCode, 0);
        QCOMPARE(fromDesign.exitCode, 0);
        QCOMPARE(folderHashes(b.path()), folderHashes(a.path()));
        QVERIFY(!folderHashes(a.path()).isEmpty());
    }

    void suggestedFraming()
    {
        const QString suggested = m_out.filePath(QStringLiteral("suggested.jmdeck"));
        QCOMPARE(render({"--render", m_wizard.path(), "--framing", "suggested", "--out", suggested}).exitCode, 0);
        const QByteArray bytes = dataBytes(suggested);
        QVERIFY(bytes.contains("\"joistDepthIn\": 7.25,"));
        QVERIFY(bytes.contains("\"joistSpacingIn\": 16,"));
        QVERIFY(bytes.contains("\"beamPlies\": 1,"));
        QVERIFY(bytes.contains("\"beamDepthIn\": 5.5,"));
        QVERIFY(bytes.contains("\"aFt\": 16,"));
        const QString check = m_out.filePath(QStringLiteral("suggested.txt"));
        QCOMPARE(render({"--render", suggested, "--out", check}).exitCode, 0);
        QVERIFY(dataBytes(check).contains("\nPasses all 14 checks of the 2021 IRC deck tables\n"));
        // A passing deck has no suggestion: its own framing is written.
        QCOMPARE(render({"--render", suggested, "--framing", "suggested", "--out", check}).exitCode, 0);
        QVERIFY(dataBytes(check).contains("\nPasses all 14 checks of the 2021 IRC deck tables\n"));
    }

    void designSettings()
    {
        QByteArray bytes = dataBytes(QStringLiteral(JM_DESIGN_DATA "/worked-example.jmdeck"));
        bytes.replace("\"species\": \"southern-pine\"", "\"species\": \"redwood\"");
        const QString design = m_out.filePath(QStringLiteral("redwood.jmdeck"));
        QFile file(design);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        const QString check = m_out.filePath(QStringLiteral("redwood.txt"));
        QCOMPARE(render({"--render", design, "--out", check}).exitCode, 0);
        QVERIFY(dataBytes(check).contains("Settings: Redwood, western cedars, ponderosa pine, red pine;"));
        QCOMPARE(render({"--render", design, "--species", "dfl", "--out", check}).exitCode, 0);
        QVERIFY(dataBytes(check).contains("Settings: Douglas fir-larch, hem-fir, spruce-pine-fir;"));
    }

    void badDesign()
    {
        const QString design = m_out.filePath(QStringLiteral("bad.jmdeck"));
        QFile file(design);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("{\"format\": \"Joistmaster deck design\", \"version\": 7}") > 0);
        file.close();
        const Run run = render({"--render", design, "--out", m_out.filePath(QStringLiteral("x.txt"))});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.err, QByteArray("deckviewer: \"bad.jmdeck\" is a deck design of version 7, made by a newer Joistmaster; "
                                     "this one reads version 2.\n"));
        QVERIFY(!QFile::exists(m_out.filePath(QStringLiteral("x.txt"))));
    }

    void helpSaysSo()
    {
        const Run run = render({"--help"});
        QVERIFY(run.out.contains("--render FOLDER|FILE|DESIGN"));
        QVERIFY(run.out.contains("  --framing suggested   Write any output from the framing the code check\n"));
        QVERIFY(run.out.contains(".jmdeck, a deck design"));
    }

    void wizardFolderUntouched() { QCOMPARE(folderHashes(m_wizard.path()), m_before); }
};

QTEST_GUILESS_MAIN(TestDesignRender)
#include "tst_designrender.moc"
