// The 3D road through its pages against the in-process fake host: the files
// after the hand-off and after the finish byte for byte against golden files,
// the symbol handed over; the later pages' reminder, refusal and failure
// boxes; Enter, Escape and Cancel on every 3D page; and answers kept when the
// user goes back and on.
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

namespace {

const QByteArray Head = "16        ' Z,   ', Deck Depth\r\n12        ' X,   ', Deck Width\r\n"
                        "3        ' Y,   ', Deck Height\r\n";

QStringList journal(const TestWizard &t)
{
    QStringList lines;
    for (const auto &line : t.host.journal())
        lines << QString::fromStdString(line);
    return lines;
}

QStringList boxes(const TestWizard &t)
{
    QStringList all;
    for (const RecordedMessage &m : t.messages.shown)
        all << m.page + (m.icon == MessageBoxes::Icon::Stop ? " stop: " : " plain: ") + m.text;
    return all;
}

QStringList files(const TestWizard &t)
{
    return QDir(t.folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void click(QWidget *page, const QString &option)
{
    page->findChild<QRadioButton *>(option)->click();
}

// The options checked on a page, by name.
QString checked(QWidget *page)
{
    QStringList on;
    for (auto *option : page->findChildren<QRadioButton *>())
        if (option->isChecked())
            on << option->objectName();
    on.sort();
    return on.join(u' ');
}

} // namespace

class TestRoad3D : public QObject {
    Q_OBJECT
private slots:
    void goldenFiles_data();
    void goldenFiles();
    void finishRefusedOrFailing_data();
    void finishRefusedOrFailing();
    void joistReminder();
    void keys_data();
    void keys();
    void answersKeptBackAndOn();
};

void TestRoad3D::goldenFiles_data()
{
    QTest::addColumn<QString>("golden"); // the golden files' suffix
    QTest::addColumn<int>("nexts");      // Next Style presses from the square
    QTest::addColumn<QStringList>("sizes"); // A, B, height; empty: as browsing left them
    QTest::addColumn<QStringList>("options"); // posts, decking, viewing
    QTest::addColumn<QStringList>("lumber"); // beam, joist; empty: as the page loads them
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("symbol");
    using L = QStringList;
    QTest::newRow("worked example") << "worked-example" << 1 << L{"16", "12", ""} << L{"Option1", "Option5", "Option1"}
        << L{"2 X 8", ""} << "Deck_Rectangle.txt" << "*Program Data\\3D Decks\\Deck_Rectangle.bsx";
    QTest::newRow("L-shape, every default") << "defaults" << 3 << L{"", "", ""} << L{"Option1", "Option5", "Option1"}
        << L{"", ""} << "Deck_L-Shape.txt" << "*Program Data\\3D Decks\\Deck_L-Shape.bsx";
    QTest::newRow("unlisted lumber, type 9") << "unlisted-sizes" << 8 << L{"", "12.5", ""} << L{"Option2", "Option3", "Option2"}
        << L{"2 x 6", "2 X 12"} << "Deck_Slice.txt" << "*Program Data\\3D Decks\\Deck_Slice.bsx";
    QTest::newRow("typed sizes, type 7") << "typed-sizes" << 6 << L{"20.0", "16", "4.5"} << L{"Option1", "Option4", "Option3"}
        << L{"2 X 10", "2 X 8"} << "Deck_Slice2.txt" << "*Program Data\\3D Decks\\Deck_Slice2.bsx";
}

void TestRoad3D::goldenFiles()
{
    QFETCH(QString, golden);
    QFETCH(int, nexts);
    QFETCH(QStringList, sizes);
    QFETCH(QStringList, options);
    QFETCH(QStringList, lumber);
    QFETCH(QString, file);
    QFETCH(QString, symbol);
    const auto expected = [&golden](const QString &name) { return golden::read(name.chopped(4) + '-' + golden + ".txt"); };
    TestWizard t;
    auto *shape = t.open<Wiz_3D_1>(PageId::Wiz_3D_1);
    for (int i = 0; i < nexts; ++i)
        shape->Command4->click();
    const QList<QLineEdit *> boxes{shape->deckLength, shape->deckWidth, shape->deckHeight};
    for (int i = 0; i < 3; ++i)
        if (!sizes[i].isEmpty())
            boxes[i]->setText(sizes[i]);
    shape->Command1->click();

    QStringList names{"DeckType.txt", "Sizes.txt", file};
    names.sort();
    QCOMPARE(files(t), names);
    COMPARE_BYTES(t.read("DeckType.txt"), expected("DeckType.txt"));
    COMPARE_BYTES(t.read("Sizes.txt"), expected("Sizes.txt"));
    COMPARE_BYTES(t.read(file), golden::lines(expected(file)).mid(0, 3).join());

    auto *post = t.page<Wiz_3D_Post>(PageId::Wiz_3D_Post);
    click(post, options[0]);
    click(post, options[1]);
    post->Command9->click();
    auto *joists = t.page<Wiz_3D_2>(PageId::Wiz_3D_2);
    if (!lumber[0].isEmpty())
        joists->BeamSize->setEditText(lumber[0]);
    if (!lumber[1].isEmpty())
        joists->JoistSize->setEditText(lumber[1]);
    joists->Command9->click();
    auto *shading = t.page<Shading>(PageId::Shading);
    click(shading, options[2]);
    shading->Command1->click();

    QCOMPARE(files(t), names);
    for (const QString &name : names)
        COMPARE_BYTES(t.read(name), expected(name));
    QCOMPARE(journal(t), (QStringList{"attach Plankora.Application", "app.ActiveProvider", "app.ActiveTarget",
                                      "app.Prepare", "activeTarget.Mode2D = False", "provider.Target",
                                      "release activeTarget", "providerTarget.OpenSymbolFile (\"" + symbol + "\")",
                                      "release app", "release provider", "release providerTarget"}));
    QVERIFY(t.messages.shown.empty());
    QCOMPARE(t.end.count, 1);
    QVERIFY(t.visiblePages().isEmpty());
}

void TestRoad3D::finishRefusedOrFailing_data()
{
    QTest::addColumn<int>("deckType");
    QTest::addColumn<QString>("joist");
    QTest::addColumn<QString>("failing"); // a host member, "no host", "short sizes" or "full disk"
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("complete"); // the parameter file after the box
    QTest::newRow("joists deeper than the beams on type 8") << 8 << "2 X 10" << ""
        << "Shading plain: The joists must be smaller than the beams on this type of deck." << false;
    QTest::newRow("no host") << 2 << "2 X 6" << "no host"
        << "Shading stop: No host application is running under \"Plankora.Application\".\n\nError number: 0x800401E3" << true;
    QTest::newRow("Prepare fails") << 2 << "2 X 6" << "Prepare"
        << "Shading stop: The host refused Prepare.\n\nError number: 0x80020009" << true;
    QTest::newRow("Sizes.txt of one line") << 2 << "2 X 6" << "short sizes"
        << "Shading stop: The file \"Sizes.txt\" ends before its second value.\n\nError number: 62" << false;
    QTest::newRow("a full disk") << 2 << "2 X 6" << "full disk" << "Shading stop: Could not write the file" << false;
}

// The program folder as the hand-off of the worked example leaves it, the
// later pages along the road, and Finish. A refusal keeps the page and its
// choice; joists as deep as the beams then finish with lines 4 to 24 once.
void TestRoad3D::finishRefusedOrFailing()
{
    QFETCH(int, deckType);
    QFETCH(QString, joist);
    QFETCH(QString, failing);
    QFETCH(QString, shown);
    QFETCH(bool, complete);
    TestWizard t;
    const QString file = deckType == 8 ? QStringLiteral("Deck_Slice.txt") : QStringLiteral("Deck_Rectangle.txt");
    t.write("DeckType.txt", " " + QByteArray::number(deckType) + " \r\n");
    t.write("Sizes.txt", failing == u"short sizes" ? "12\r\n" : "12\r\n16\r\n3\r\n");
    t.write(file, Head);
    auto *joists = t.open<Wiz_3D_2>(PageId::Wiz_3D_2);
    joists->BeamSize->setEditText(QStringLiteral("2 X 8"));
    joists->JoistSize->setEditText(joist);
    joists->Command9->click();
    auto *shading = t.page<Shading>(PageId::Shading);
    click(shading, "Option3");
    click(shading, "Option1");
    t.host.state().running = failing != u"no host";
    t.host.state().failing.insert(failing.toStdString());
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = failing == u"full disk" ? 200 : saved.rlim_cur;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);

    shading->Command1->click();

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    QCOMPARE(boxes(t).size(), 1);
    QVERIFY2(boxes(t).front() == shown || (failing == u"full disk" && boxes(t).front().startsWith(shown)),
             qPrintable(boxes(t).front()));
    const QByteArray worked = golden::read(QStringLiteral("Deck_Rectangle-worked-example.txt"));
    COMPARE_BYTES(t.read(file), complete ? worked : Head);
    QCOMPARE(files(t).size(), 3); // no other file, no temporary one left behind
    QCOMPARE(journal(t).contains(QStringLiteral("app.Prepare")), failing == u"Prepare");
    QCOMPARE(t.host.state().live, 0);
    if (deckType == 8) {
        QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Shading")});
        QCOMPARE(checked(shading), QStringLiteral("Option1"));
        QCOMPARE(t.end.count, 0);
        joists->JoistSize->setEditText(QStringLiteral("2 X 8"));
        shading->Command1->click();
        COMPARE_BYTES(t.read(file), golden::withLines(worked, {{12, "7.25    ' Y,  - Joist Height"}, {22, "8 foot 2x8 Joists"}}));
    }
    if (complete || deckType == 8)
        QVERIFY(t.visiblePages().isEmpty());
    QCOMPARE(t.end.count, 1);
}

// Leaving the joist box empty reminds, each time, and holds nobody; an empty
// beam box says nothing; the page's load fills both with the first size.
void TestRoad3D::joistReminder()
{
    TestWizard t;
    auto *page = t.open<Wiz_3D_2>(PageId::Wiz_3D_2);
    QCOMPARE(page->JoistSize->currentText() + '/' + page->BeamSize->currentText(), QStringLiteral("2 X 6/2 X 6"));
    for (QComboBox *box : {page->JoistSize, page->BeamSize}) {
        box->setFocus(Qt::TabFocusReason);
        box->lineEdit()->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClick(box, Qt::Key_Tab);
    }
    page->JoistSize->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(page->Command9, Qt::LeftButton);
    const QString reminder = QStringLiteral("Wiz_3D_2 plain: Please choose a joist size.");
    QCOMPARE(boxes(t), (QStringList{reminder, reminder}));
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Shading")});
}

void TestRoad3D::keys_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("focus"); // empty: the page itself
    QTest::addColumn<int>("key");       // 0: a click on the page's Cancel
    QTest::addColumn<QString>("shown"); // the page visible afterwards
    QTest::addColumn<int>("ends");
    const int shape = int(PageId::Wiz_3D_1), post = int(PageId::Wiz_3D_Post), joist = int(PageId::Wiz_3D_2),
              view = int(PageId::Shading);
    // Enter presses only the viewing page's Back; Escape and Cancel end the program at once.
    QTest::newRow("Enter: shape page, in a size box") << shape << "deckWidth" << int(Qt::Key_Return) << "Wiz_3D_1" << 0;
    QTest::newRow("Enter: post page, on an option") << post << "Option4" << int(Qt::Key_Return) << "Wiz_3D_Post" << 0;
    QTest::newRow("Enter: joist page, in a list") << joist << "BeamSize" << int(Qt::Key_Return) << "Wiz_3D_2" << 0;
    QTest::newRow("Enter: viewing page, on an option") << view << "Option2" << int(Qt::Key_Return) << "Wiz_3D_2" << 0;
    QTest::newRow("Escape: shape page, in a wrong size") << shape << "deckHeight" << int(Qt::Key_Escape) << "Wiz_3D_1" << 1;
    QTest::newRow("Escape: post page, on an option") << post << "Option1" << int(Qt::Key_Escape) << "Wiz_3D_Post" << 1;
    QTest::newRow("Escape: joist page, in an empty list") << joist << "JoistSize" << int(Qt::Key_Escape) << "Wiz_3D_2" << 1;
    QTest::newRow("Escape: viewing page, on the page") << view << "" << int(Qt::Key_Escape) << "Shading" << 1;
    QTest::newRow("Cancel: shape page, from a wrong size") << shape << "deckLength" << 0 << "Wiz_3D_1" << 1;
    QTest::newRow("Cancel: post page") << post << "Option1" << 0 << "Wiz_3D_Post" << 1;
    QTest::newRow("Cancel: joist page, from an empty list") << joist << "JoistSize" << 0 << "Wiz_3D_2" << 1;
    QTest::newRow("Cancel: viewing page") << view << "Option2" << 0 << "Shading" << 1;
}

// No box, no file, no host call; a box left wrong or empty is not checked.
void TestRoad3D::keys()
{
    QFETCH(int, page);
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, shown);
    QFETCH(int, ends);
    TestWizard t;
    QWidget *w = t.open<WizardPage>(PageId(page));
    QWidget *target = focus.isEmpty() ? w : w->findChild<QWidget *>(focus);
    target->setFocus(Qt::TabFocusReason);
    if (auto *box = qobject_cast<QLineEdit *>(target))
        box->setText(QStringLiteral("0"));
    if (auto *box = qobject_cast<QComboBox *>(target))
        box->setEditText(QString());
    if (key)
        QTest::keyClick(target, Qt::Key(key));
    else
        QTest::mouseClick(w->findChild<QPushButton *>(page == int(PageId::Wiz_3D_1) || page == int(PageId::Shading)
                                                          ? QStringLiteral("Command6") : QStringLiteral("Command2")),
                          Qt::LeftButton);
    QCOMPARE(t.visiblePages(), QStringList{shown});
    QCOMPARE(t.end.count, ends);
    QVERIFY(files(t).isEmpty());
    QVERIFY(t.host.journal().empty());
    QVERIFY(t.messages.shown.empty());
}

// Every page keeps what the user left on it, all the way back to the shape
// page and on again; typed sizes stay as typed, and the option groups are
// the posts, the decking and the viewing mode.
void TestRoad3D::answersKeptBackAndOn()
{
    TestWizard t;
    auto *post = t.open<Wiz_3D_Post>(PageId::Wiz_3D_Post);
    click(post, "Option2");
    click(post, "Option3");
    post->Command9->click();
    auto *joists = t.page<Wiz_3D_2>(PageId::Wiz_3D_2);
    joists->JoistSize->setEditText(QStringLiteral("2 X 1"));
    joists->BeamSize->setEditText(QStringLiteral("2 x 6"));
    joists->Command9->click();
    auto *shading = t.page<Shading>(PageId::Shading);
    click(shading, "Option3");
    shading->Command11->click();
    joists->Command4->click();
    post->Command4->click();
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_1")});
    t.page<Wiz_3D_1>(PageId::Wiz_3D_1)->Command1->click();
    QCOMPARE(checked(post), QStringLiteral("Option2 Option3"));
    post->Command9->click();
    QCOMPARE(joists->JoistSize->currentText() + '/' + joists->BeamSize->currentText(), QStringLiteral("2 X 1/2 x 6"));
    QCOMPARE(joists->JoistSize->count(), 3);
    joists->Command9->click();
    QCOMPARE(checked(shading), QStringLiteral("Option3"));
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Shading")});
    QVERIFY(t.messages.shown.empty());
}

QTEST_MAIN(TestRoad3D)
#include "tst_road3d.moc"
