// The wizard's command line: which program folder a line gives, and the exact
// refusal for each mistake, and the help, before any window exists.
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
    void read();
};

// The rows are in data/command-lines.txt. <root>/exe is the executable's folder,
// <root>/chosen another folder, <root>/DeckSize.txt a file; the lines are read in <root>.
void TestCommandLine::read()
{
    QTemporaryDir folder;
    const QString root = QDir(folder.path()).canonicalPath(), oldCurrent = QDir::currentPath();
    QVERIFY(QDir(root).mkpath("exe") && QDir(root).mkpath("chosen"));
    QFile file(root + "/DeckSize.txt");
    QVERIFY(file.open(QIODevice::WriteOnly) && QDir::setCurrent(root));
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
        if (read.action == Action::Help) // the text whole: data/help.txt
            QCOMPARE(read.text, QString::fromUtf8(dataBytes(JM_TESTDATA "/help.txt")));
        if (read.action == Action::Version)
            QVERIFY2(read.text.startsWith(QStringLiteral("joistmaster ")), qPrintable(read.text));
    }
    QDir::setCurrent(oldCurrent);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
