// The wizard's command line: which program folder a line gives, and the exact
// refusal for each mistake, before any window exists.
#include "commandline.h"
#include "datatable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Action = CommandLine::Action;

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void read();

private:
    QTemporaryDir m_root;
    QString m_oldCurrent;
};

void TestCommandLine::initTestCase()
{
    // <root>/exe is the executable's folder, <root>/chosen another folder,
    // <root>/DeckSize.txt a file; the tests run from <root>.
    QVERIFY(m_root.isValid());
    QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("exe")));
    QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("chosen")));
    QFile file(m_root.filePath(QStringLiteral("DeckSize.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    m_oldCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_root.path()));
}

void TestCommandLine::cleanupTestCase()
{
    QDir::setCurrent(m_oldCurrent);
}

// The rows are in data/command-lines.txt.
void TestCommandLine::read()
{
    const QString root = QDir(m_root.path()).canonicalPath();
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/command-lines.txt");
    QCOMPARE(rows.size(), 15);
    for (QStringList row : rows) {
        for (QString &field : row)
            field.replace(QStringLiteral("<root>"), root);
        const CommandLine read = readCommandLine(row[1].split(u' ', Qt::SkipEmptyParts), root + QStringLiteral("/exe"));
        const QStringList actions{"run", "help", "version", "refuse"};
        const QString seen = actions.value(int(read.action)) + '|' + read.programFolder + '|'
            + (read.action == Action::Refuse ? read.text : QString()) + '|' + (read.unknownWord ? "yes" : "no");
        QCOMPARE(row[0] + ": " + seen, row[0] + ": " + row.mid(2).join(u'|'));
        if (read.action == Action::Version)
            QVERIFY2(read.text.startsWith(QStringLiteral("joistmaster ")), qPrintable(read.text));
    }
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
