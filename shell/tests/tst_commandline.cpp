// The wizard's command line: which program folder a line gives, and the exact
// refusal for each mistake, before any window exists.
#include "commandline.h"

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
    void read_data();
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

void TestCommandLine::read_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    // "<root>" stands for the temporary folder the tests run in.
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("text");
    // A refusal for a word that may be one of Qt's options waits for Qt to take them.
    QTest::addColumn<bool>("waitsForQt");

    const int run = int(Action::Run), refuse = int(Action::Refuse);
    QTest::newRow("nothing: the executable's folder") << QStringList{} << run << "<root>/exe" << "" << false;
    QTest::newRow("an absolute folder") << QStringList{"--program-folder", "<root>/chosen"} << run << "<root>/chosen"
                                        << "" << false;
    QTest::newRow("a relative folder, made absolute") << QStringList{"--program-folder", "chosen"} << run
                                                      << "<root>/chosen" << "" << false;
    QTest::newRow("a folder with a trailing slash and a dot") << QStringList{"--program-folder", "./chosen/"} << run
                                                              << "<root>/chosen" << "" << false;
    QTest::newRow("folder after an equals sign") << QStringList{"--program-folder=chosen"} << run << "<root>/chosen"
                                                 << "" << false;
    QTest::newRow("the last folder counts") << QStringList{"--program-folder", "exe", "--program-folder", "chosen"}
                                            << run << "<root>/chosen" << "" << false;

    QTest::newRow("no folder after the option")
        << QStringList{"--program-folder"} << refuse << ""
        << "joistmaster: --program-folder needs a folder (see --help).\n" << false;
    QTest::newRow("an empty folder after the equals sign")
        << QStringList{"--program-folder="} << refuse << ""
        << "joistmaster: --program-folder needs a folder (see --help).\n" << false;
    QTest::newRow("a folder that does not exist")
        << QStringList{"--program-folder", "missing"} << refuse << ""
        << "joistmaster: the program folder \"missing\" does not exist (see --help).\n" << false;
    QTest::newRow("a file, not a folder")
        << QStringList{"--program-folder", "DeckSize.txt"} << refuse << ""
        << "joistmaster: the program folder \"DeckSize.txt\" is not a folder (see --help).\n" << false;
    QTest::newRow("an unknown option")
        << QStringList{"--folder", "chosen"} << refuse << ""
        << "joistmaster: unknown option \"--folder\" (see --help).\n" << true;
    QTest::newRow("a word that is no option")
        << QStringList{"chosen"} << refuse << ""
        << "joistmaster: unexpected argument \"chosen\" (see --help).\n" << true;

    QTest::newRow("--help wins over a mistake") << QStringList{"--folder", "--help"} << int(Action::Help) << "" << "" << false;
    QTest::newRow("-h is --help") << QStringList{"-h"} << int(Action::Help) << "" << "" << false;
    QTest::newRow("--version wins over a mistake") << QStringList{"missing", "--version"} << int(Action::Version)
                                                   << "" << "" << false;
}

void TestCommandLine::read()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, programFolder);
    QFETCH(QString, text);
    QFETCH(bool, waitsForQt);
    const QString root = QDir(m_root.path()).canonicalPath();
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("<root>"), root);

    const CommandLine read = readCommandLine(arguments, root + QStringLiteral("/exe"));

    QCOMPARE(int(read.action), action);
    QCOMPARE(read.programFolder, QString(programFolder).replace(QStringLiteral("<root>"), root));
    if (read.action == Action::Refuse)
        QCOMPARE(read.text, text);
    QCOMPARE(read.unknownWord, waitsForQt);
    if (read.action == Action::Version)
        QVERIFY2(read.text.startsWith(QStringLiteral("joistmaster ")), qPrintable(read.text));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
