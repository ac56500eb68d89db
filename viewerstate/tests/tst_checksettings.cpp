// The code check's settings as stored between runs: where the file lives,
// what a saved file holds byte for byte, and what a stored file reads as,
// each bad value falling back to its own default (data/code-settings.txt).
#include "checksettings.h"
#include "datatable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>

using namespace deckviewer;
using deckmodel::FootingShape;
using deckmodel::Species;

namespace {
QString summary(const CodeSettings &s)
{
    return QStringLiteral("%1 snow=%2 soil=%3 %4").arg(deckmodel::speciesKey(s.species)).arg(s.snowLoadPsf)
        .arg(s.soilBearingPsf).arg(deckmodel::footingKey(s.footing));
}
} // namespace

class TestCheckSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { qputenv("XDG_CONFIG_HOME", m_root.filePath(QTest::currentTestFunction()).toUtf8()); }
    void cleanupTestCase() { qputenv("HOME", m_home); }

    void where_data() // data/config-homes.txt
    {
        QTest::addColumn<QByteArray>("xdg");
        QTest::addColumn<QString>("path");
        for (const QStringList &f : dataTable(JM_TESTDATA "/config-homes.txt"))
            QTest::newRow(qPrintable(f[0])) << f[1].toUtf8() << f[2];
    }
    void where()
    {
        QFETCH(QByteArray, xdg);
        qputenv("HOME", "/home/pat");
        xdg == "unset" ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", xdg);
        QTEST(codeSettingsPath(), "path");
    }

    void savedFile()
    {
        saveCodeSettings({Species::Redwood, 60, 3000, FootingShape::Square});
        QFile file(qEnvironmentVariable("XDG_CONFIG_HOME") + "/joistmaster/deckviewer.conf");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[code]\nfooting=square\nsnow_load_psf=60\nsoil_bearing_psf=3000\n"
                                            "species=redwood\n"));
        QCOMPARE(summary(loadCodeSettings()), QStringLiteral("redwood snow=60 soil=3000 square"));
    }

    void storedFile_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("read");
        const QList<QStringList> rows = dataTable(JM_TESTDATA "/code-settings.txt");
        QCOMPARE(rows.size(), 7);
        for (const QStringList &f : rows)
            QTest::newRow(qPrintable(f[0].trimmed())) << f[1].trimmed() << f[2].trimmed();
    }
    void storedFile()
    {
        QFETCH(QString, stored);
        const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + "/joistmaster";
        QVERIFY(QDir().mkpath(folder));
        QFile file(folder + "/deckviewer.conf");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(stored.toUtf8()) == stored.toUtf8().size());
        file.close();
        QTEST(summary(loadCodeSettings()), "read");
    }

    // Settings that are not a small regular file in a folder of the person's
    // alone are not read (nor waited on) and not written: the defaults hold
    // (data/hostile-files.txt).
    void hostileFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("storedAs");
        for (const QStringList &f : dataTable(JM_TESTDATA "/hostile-files.txt"))
            QTest::newRow(qPrintable(f[0])) << f[1] << f[2] << f[3].toUtf8() << f[4];
    }
    void hostileFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, after);
        QFETCH(QString, storedAs);
        qputenv("XDG_CONFIG_HOME", m_root.filePath(QStringLiteral("hostile/") + kind).toUtf8());
        const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + "/joistmaster";
        const QString conf = folder + "/deckviewer.conf";
        const QString elsewhere = m_root.filePath(QString("elsewhere-%1").arg(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(elsewhere));
        const auto store = [](const QString &path, const QByteArray &bytes) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        const QByteArray redwood = "[code]\nspecies=redwood\n";
        if (kind == u"linked folder") {
            QVERIFY(QDir().mkpath(QFileInfo(folder).absolutePath()) && QFile::link(elsewhere, folder));
            QVERIFY(store(elsewhere + "/deckviewer.conf", redwood));
        } else {
            QVERIFY(QDir().mkpath(folder) && QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        if (kind == u"fifo")
            QVERIFY(::mkfifo(QFile::encodeName(conf).constData(), 0600) == 0);
        if (kind == u"folder")
            QVERIFY(QDir().mkdir(conf));
        if (kind == u"large")
            QVERIFY(store(conf, redwood + QByteArray(5 << 20, '#')));
        if (kind == u"0777" || kind == u"plain") {
            QVERIFY(store(conf, redwood));
            if (kind == u"0777")
                QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0777) == 0);
        }
        if (kind == u"link")
            QVERIFY(store(elsewhere + "/deckviewer.conf", redwood) && QFile::link(elsewhere + "/deckviewer.conf", conf));
        QTEST(summary(loadCodeSettings()), "read");
        // The window's layout and the rest of the viewer's keys come by the same rule.
        const std::unique_ptr<const QSettings> stored = storedSettings();
        QCOMPARE(stored ? stored->value(QStringLiteral("code/species"), QStringLiteral("none")).toString() : QStringLiteral("not read"),
                 storedAs);
        if (const std::unique_ptr<QSettings> toWrite = settingsToWrite())
            toWrite->setValue(QStringLiteral("layout/viewer_geometry"), QStringLiteral("at 10 20"));
        saveCodeSettings({Species::SouthernPine, 50, 1500, FootingShape::Round});
        if (after == "-") {
            QVERIFY(!QFileInfo(conf).isFile() || QFileInfo(conf).size() > 4 << 20);
        } else {
            const QString target = kind == u"link" || kind == u"linked folder" ? elsewhere + "/deckviewer.conf" : conf;
            QCOMPARE(dataBytes(target), after);
        }
    }

private:
    QTemporaryDir m_root;
    const QByteArray m_home = qgetenv("HOME");
};

QTEST_GUILESS_MAIN(TestCheckSettings)
#include "tst_checksettings.moc"
