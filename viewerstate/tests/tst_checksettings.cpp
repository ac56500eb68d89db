// The code check's settings as stored between runs: where the file lives,
// what a saved file holds byte for byte, and what a stored file reads as,
// each bad value falling back to its own default (data/code-settings.txt).
#include "checksettings.h"
#include "datatable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

    void where_data()
    {
        QTest::addColumn<QByteArray>("xdg"); // "unset": not in the environment
        QTest::addColumn<QString>("path");
        QTest::newRow("config home set") << QByteArray("/cfg") << "/cfg/joistmaster/deckviewer.conf";
        QTest::newRow("config home unset") << QByteArray("unset") << "/home/pat/.config/joistmaster/deckviewer.conf";
        QTest::newRow("config home empty") << QByteArray("") << "/home/pat/.config/joistmaster/deckviewer.conf";
        QTest::newRow("config home relative") << QByteArray("cfg") << "/home/pat/.config/joistmaster/deckviewer.conf";
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

private:
    QTemporaryDir m_root;
    const QByteArray m_home = qgetenv("HOME");
};

QTEST_GUILESS_MAIN(TestCheckSettings)
#include "tst_checksettings.moc"
