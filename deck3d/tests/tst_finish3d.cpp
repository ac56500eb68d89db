// The 3D finish on the viewing options page, against the in-process fake host:
// the answers read from the hidden pages, the completed deck parameter file,
// the host conversation, the joists-against-beams refusal, and every failure.
#include "deckparameters.h"
#include "golden.h"
#include "shading.h"
#include "testseams.h"
#include "wiz_3d_1.h"
#include "wiz_3d_2.h"
#include "wiz_3d_post.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using golden::Lines;

namespace {

const QString WorkedExample = QStringLiteral("Deck_Rectangle-worked-example.txt");
const QByteArray Head = "16        ' Z,   ', Deck Depth\r\n"
                        "12        ' X,   ', Deck Width\r\n"
                        "3        ' Y,   ', Deck Height\r\n";

const QString NoHost = QStringLiteral("No host application is running under \"Plankora.Application\".\n\n"
                                      "Error number: 0x800401E3");

// A message box of the viewing options page as "page icon title: text".
QString box(bool stop, const QString &text)
{
    return QStringLiteral("Shading %1 Plankora Joistmaster: %2")
        .arg(stop ? QStringLiteral("stop") : QStringLiteral("plain"), text);
}

QStringList journalOf(const host::testing::FakeConnector &host)
{
    QStringList lines;
    for (const auto &line : host.journal())
        lines << QString::fromStdString(line);
    return lines;
}

QStringList fullJournal(int deckType)
{
    return {"attach Plankora.Application", "app.ActiveProvider", "app.ActiveTarget", "app.Prepare",
            "activeTarget.Mode2D = False", "provider.Target", "release activeTarget",
            "providerTarget.OpenSymbolFile (\"" + deckparameters::symbolPath(deckType) + "\")", "release app",
            "release provider", "release providerTarget"};
}

// The program folder as the shape and size hand-off leaves it (A 16, B 12,
// height 3), and the later pages opened along the road with the given sizes;
// the viewing options page is shown last.
struct Road {
    TestWizard t;
    Wiz_3D_Post *post = nullptr;
    Wiz_3D_2 *sizes = nullptr;
    Shading *shading = nullptr;
    QString file;

    explicit Road(int deckType, const QString &beam = QStringLiteral("2 X 8"),
                  const QString &joist = QStringLiteral("2 X 6"))
    {
        file = deckparameters::parameterFile(deckType);
        t.write(QStringLiteral("DeckType.txt"), " " + QByteArray::number(deckType) + " \r\n");
        t.write(QStringLiteral("Sizes.txt"), "12\r\n16\r\n3\r\n");
        t.write(file, Head);
        post = t.page<Wiz_3D_Post>(PageId::Wiz_3D_Post);
        sizes = t.page<Wiz_3D_2>(PageId::Wiz_3D_2);
        sizes->BeamSize->setEditText(beam);
        sizes->JoistSize->setEditText(joist);
        shading = t.open<Shading>(PageId::Shading);
    }

    void finish() { shading->Command1->click(); }

    // The worked example's file with the deck type code of this deck type.
    QByteArray completeFile(int deckType, Lines changed = {}) const
    {
        changed.insert(19, deckparameters::framingLines({deckType}).at(19 - 4).toLatin1());
        return golden::withLines(golden::read(WorkedExample), changed);
    }

    // The one message shown, or how many there were.
    QString message() const
    {
        if (t.messages.shown.size() != 1)
            return QStringLiteral("%1 messages").arg(t.messages.shown.size());
        const RecordedMessage &m = t.messages.shown.front();
        return QStringLiteral("%1 %2 %3: %4")
            .arg(m.page, m.icon == MessageBoxes::Icon::Stop ? QStringLiteral("stop") : QStringLiteral("plain"),
                 m.title, m.text);
    }

    // A failure noticed before the host is asked: one stop box that names the
    // file, the end of the program, no host call.
    void expectStopBeforeTheHost(const QString &file) const
    {
        QVERIFY2(message().startsWith(box(true, {})) && message().contains(file), qPrintable(message()));
        QCOMPARE(t.end.count, 1);
        QVERIFY(t.host.journal().empty());
    }
};

} // namespace

class TestFinish3D : public QObject {
    Q_OBJECT
private slots:
    void theWholeRoadGivesTheWorkedExample();
    void answersComeFromTheHiddenPages_data();
    void answersComeFromTheHiddenPages();
    void joistsAgainstBeams_data();
    void joistsAgainstBeams();
    void handOff_data();
    void handOff();
    void filesThatFail_data();
    void filesThatFail();
    void aFolderInPlaceOfTheParameterFile();
    void aFailedWriteLeavesTheThreeLinesAlone();
};

// From the shape page's Next to Finish with the buttons, as a person goes.
void TestFinish3D::theWholeRoadGivesTheWorkedExample()
{
    TestWizard t;
    auto *shape = t.open<Wiz_3D_1>(PageId::Wiz_3D_1);
    shape->Command4->click(); // the rectangle
    QCOMPARE(shape->shapeNumber, 2);
    shape->deckLength->setText(QStringLiteral("16"));
    shape->deckWidth->setText(QStringLiteral("12"));
    shape->deckHeight->setText(QStringLiteral("3"));
    shape->Command1->click();
    t.page<Wiz_3D_Post>(PageId::Wiz_3D_Post)->Command9->click();
    auto *sizes = t.page<Wiz_3D_2>(PageId::Wiz_3D_2);
    sizes->BeamSize->setEditText(QStringLiteral("2 X 8"));
    sizes->Command9->click();
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Shading")});

    t.page<Shading>(PageId::Shading)->Command1->click();

    COMPARE_BYTES(t.read(QStringLiteral("Deck_Rectangle.txt")), golden::read(WorkedExample));
    QCOMPARE(journalOf(t.host), fullJournal(2));
    QVERIFY(t.messages.shown.empty());
    QCOMPARE(t.end.count, 1);
    QVERIFY(t.visiblePages().isEmpty());
}

void TestFinish3D::answersComeFromTheHiddenPages_data()
{
    QTest::addColumn<QString>("choose");
    QTest::addColumn<Lines>("changed");
    QTest::newRow("6-inch posts") << "post Option2"
        << Lines{{7, "6       ' XZ,  ', Post Width & Depth"}, {20, "6 inch x 6 inch Square Posts"}};
    QTest::newRow("2x4 decking") << "post Option3"
        << Lines{{16, "1.5     ' Y - Decking Height"}, {17, "3.5     ' Z - Decking Depth"},
                                 {23, "2x4 Pieces of Decking"}};
    QTest::newRow("2x6 decking") << "post Option4"
        << Lines{{16, "1.5     ' Y - Decking Height"}, {17, "5.5     ' Z - Decking Depth"}};
    QTest::newRow("hidden line") << "shading Option2" << Lines{{24, "1          - Hidden"}};
    QTest::newRow("shaded") << "shading Option3" << Lines{{24, "2          - Shaded"}};
}

void TestFinish3D::answersComeFromTheHiddenPages()
{
    QFETCH(QString, choose);
    QFETCH(Lines, changed);
    Road road(2);
    const QStringList where = choose.split(u' ');
    QWidget *page = where[0] == u"post" ? static_cast<QWidget *>(road.post) : road.shading;
    control<QRadioButton>(page, qPrintable(where[1]))->setChecked(true);
    road.finish();
    COMPARE_BYTES(road.t.read(road.file), road.completeFile(2, changed));
}

// Every pair of the check is told in tst_deckparameters; here one refusal for
// each cut-corner deck and two passes prove the page asks with its answers.
void TestFinish3D::joistsAgainstBeams_data()
{
    QTest::addColumn<int>("deckType");
    QTest::addColumn<QString>("beam");
    QTest::addColumn<QString>("joist");
    QTest::addColumn<bool>("refused");
    QTest::newRow("type 7, 2 X 6 beams, 2 X 8 joists refused") << 7 << "2 X 6" << "2 X 8" << true;
    QTest::newRow("type 8, 2 X 6 beams, 2 X 10 joists refused") << 8 << "2 X 6" << "2 X 10" << true;
    QTest::newRow("type 9, 2 X 8 beams, 2 X 10 joists refused") << 9 << "2 X 8" << "2 X 10" << true;
    QTest::newRow("type 6, deeper joists pass") << 6 << "2 X 6" << "2 X 10" << false;
    QTest::newRow("type 9, unlisted beam text passes") << 9 << "2 x 6" << "2 X 10" << false;
}

// A refusal writes nothing and keeps the page and its selection; after Back,
// joists as deep as the beams and Finish again, lines 4 to 24 are added once.
void TestFinish3D::joistsAgainstBeams()
{
    QFETCH(int, deckType);
    QFETCH(QString, beam);
    QFETCH(QString, joist);
    QFETCH(bool, refused);
    Road road(deckType, beam, joist);
    road.shading->Option3->setChecked(true);

    road.finish();

    if (refused) {
        QCOMPARE(road.message(),
                 box(false, QStringLiteral("The joists must be smaller than the beams on this type of deck.")));
        QCOMPARE(road.t.read(road.file), Head);
        QVERIFY(road.shading->isVisible());
        QVERIFY(road.shading->Option3->isChecked());
        QVERIFY(road.t.host.journal().empty());
        QCOMPARE(road.t.end.count, 0);
        road.sizes->JoistSize->setEditText(beam);
        road.finish();
    }
    QCOMPARE(road.t.messages.shown.size(), std::size_t(refused ? 1 : 0));
    const QByteArray written = road.t.read(road.file);
    QCOMPARE(written.count("\r\n"), 24);
    QVERIFY(written.startsWith(Head));
    QVERIFY(written.endsWith("2          - Shaded\r\n"));
    QCOMPARE(written.count("X Deck Overhang"), 1);
    QCOMPARE(journalOf(road.t.host), fullJournal(deckType));
    QCOMPARE(road.t.end.count, 1);
}

void TestFinish3D::handOff_data()
{
    QTest::addColumn<int>("deckType");
    QTest::addColumn<QString>("failing"); // a host member, or "no host" running
    for (int deckType = 1; deckType <= 9; ++deckType)
        QTest::addRow("deck type %d", deckType) << deckType << QString();
    for (const char *member : {"no host", "ActiveProvider", "ActiveTarget", "Prepare", "Mode2D", "Target",
                               "OpenSymbolFile"})
        QTest::addRow("deck type 8, %s", member) << 8 << QString::fromLatin1(member);
}

// The file complete before the host is asked, the page hidden, every host
// object released and the program ended; a failure gives one stop box.
void TestFinish3D::handOff()
{
    QFETCH(int, deckType);
    QFETCH(QString, failing);
    Road road(deckType);
    road.t.host.state().running = failing != u"no host";
    road.t.host.state().failing.insert(failing.toStdString());

    road.finish();

    COMPARE_BYTES(road.t.read(road.file), road.completeFile(deckType));
    QCOMPARE(QDir(road.t.folder.path()).entryList(QDir::Files).size(), 3); // no other file touched
    QVERIFY(!road.shading->isVisible());
    QCOMPARE(road.t.host.state().live, 0);
    QCOMPARE(road.t.end.count, 1);
    if (failing.isEmpty())
        QCOMPARE(journalOf(road.t.host), fullJournal(deckType));
    QCOMPARE(road.message(), failing.isEmpty()         ? QStringLiteral("0 messages")
                             : failing == u"no host" ? box(true, NoHost)
                                 : box(true, "The host refused " + failing + ".\n\nError number: 0x80020009"));
}

void TestFinish3D::filesThatFail_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // the file's bytes; none: the file is missing
    QTest::addColumn<QString>("text");     // the whole message, or empty when it need only name the file
    QTest::newRow("no DeckType.txt") << "DeckType.txt" << QByteArray() << QString();
    QTest::newRow("no Sizes.txt") << "Sizes.txt" << QByteArray() << QString();
    QTest::newRow("deck type not a number") << "DeckType.txt" << QByteArray("x\r\n")
        << "The first value of the file \"DeckType.txt\" is \"x\", which is not a number.\n\nError number: 13";
    QTest::newRow("deck type out of range") << "DeckType.txt" << QByteArray(" 12 \r\n")
        << "The file \"DeckType.txt\" holds the deck type 12, which is not one of 1 to 9.\n\nError number: 13";
    QTest::newRow("one size only") << "Sizes.txt" << QByteArray("12\r\n")
        << "The file \"Sizes.txt\" ends before its second value.\n\nError number: 62";
}

// One stop box, the end of the program, the host never asked and the three
// lines as they were.
void TestFinish3D::filesThatFail()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    Road road(2);
    if (bytes.isEmpty())
        QVERIFY(QFile::remove(road.t.path(name)));
    else
        road.t.write(name, bytes);

    road.finish();

    road.expectStopBeforeTheHost(name);
    if (!text.isEmpty())
        QCOMPARE(road.message(), box(true, text));
    QCOMPARE(road.t.read(road.file), Head);
}

void TestFinish3D::aFolderInPlaceOfTheParameterFile()
{
    Road road(4);
    QVERIFY(QFile::remove(road.t.path(road.file)));
    QVERIFY(QDir(road.t.folder.path()).mkdir(road.file));

    road.finish();

    road.expectStopBeforeTheHost(road.file);
    QVERIFY(QFileInfo(road.t.path(road.file)).isDir());
}

// A file size limit lets the three lines be read but not the whole file be
// written, as a full disk would.
void TestFinish3D::aFailedWriteLeavesTheThreeLinesAlone()
{
    Road road(2);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = 200;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);

    road.finish();

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    road.expectStopBeforeTheHost(road.file);
    QCOMPARE(road.t.read(road.file), Head);
    QCOMPARE(QDir(road.t.folder.path()).entryList(QDir::Files).size(), 3); // no temporary file left behind
}

QTEST_MAIN(TestFinish3D)
#include "tst_finish3d.moc"
