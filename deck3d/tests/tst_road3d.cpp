// The 3D road through its pages against the in-process fake host: the files
// after the hand-off and after the finish byte for byte against golden files,
// and the symbol handed over; the shape ring; each size button and box wired
// to its rule, with the check of a box running before the click that takes
// the focus from it; every box a 3D page shows, with its icon; answers kept
// going back and on. Enter, Escape and Cancel are in the six-page test. The
// size rules row by row are in tst_deck3drules, the files' lines row by row in
// deckfile's tests.
#include "golden.h"
#include "resources.h"
#include "shading.h"
#include "testseams.h"
#include "wiz_3d_1.h"
#include "wiz_3d_2.h"
#include "wiz_3d_post.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QByteArray Head = "16        ' Z,   ', Deck Depth\r\n12        ' X,   ', Deck Width\r\n3        ' Y,   ', Deck Height\r\n";

// Each box shown as "page icon: text".
QStringList boxes(const TestWizard &t)
{
    QStringList all;
    for (const RecordedMessage &m : t.messages.shown)
        all << m.page + (m.icon == MessageBoxes::Icon::Stop ? " stop: " : " plain: ") + m.text;
    return all;
}

QStringList files(const TestWizard &t)
{
    QStringList names = QDir(t.folder.path()).entryList(QDir::Files | QDir::Hidden);
    names.sort();
    return names;
}

QString sizes(const Wiz_3D_1 *page)
{
    return page->deckLength->text() + ' ' + page->deckWidth->text() + ' ' + page->deckHeight->text();
}

template<typename Control = QPushButton>
Control *named(QWidget *page, const QString &name) { return page->findChild<Control *>(name); }

} // namespace

class TestRoad3D : public QObject {
    Q_OBJECT
private slots:
    void goldenFiles();
    void ringOfShapes();
    void sizeButtonsAndBoxes();
    void nextAgainAndNextRefused();
    void droppedTextIsCheckedAtNext();
    void steppedHeightIsWrittenAtNext();
    void finishRefusedOrFailing();
    void joistReminder();
    void answersKeptBackAndOn();
};

// From the square through every page to Finish; after the hand-off the
// parameter file holds the golden file's first three lines.
void TestRoad3D::goldenFiles()
{
    const struct { const char *golden; int nexts; QStringList sizes, options, lumber; const char *file, *symbol; } rows[] = {
        {"worked-example", 1, {"16", "12", ""}, {"Option1", "Option5", "Option1"}, {"2 X 8", ""}, "Deck_Rectangle.txt", "*Program Data\\3D Decks\\Deck_Rectangle.bsx"},
        {"defaults", 3, {"", "", ""}, {"", "", ""}, {"", ""}, "Deck_L-Shape.txt", "*Program Data\\3D Decks\\Deck_L-Shape.bsx"},
        {"unlisted-sizes", 8, {"", "12.5", ""}, {"Option2", "Option3", "Option2"}, {"2 x 6", "2 X 12"}, "Deck_Slice.txt", "*Program Data\\3D Decks\\Deck_Slice.bsx"},
        {"typed-sizes", 6, {"20.0", "16", "4.5"}, {"Option1", "Option4", "Option3"}, {"2 X 10", "2 X 8"}, "Deck_Slice2.txt", "*Program Data\\3D Decks\\Deck_Slice2.bsx"},
    };
    for (const auto &r : rows) {
        const auto expected = [&r](const QString &name) { return golden::read(name.chopped(4) + '-' + r.golden + ".txt"); };
        TestWizard t;
        auto *shape = t.open<Wiz_3D_1>(PageId::Wiz_3D_1);
        for (int i = 0; i < r.nexts; ++i)
            shape->Command4->click();
        const QList<QLineEdit *> sizeBoxes{shape->deckLength, shape->deckWidth, shape->deckHeight};
        for (int i = 0; i < 3; ++i)
            if (!r.sizes[i].isEmpty())
                sizeBoxes[i]->setText(r.sizes[i]);
        shape->Command1->click();
        QStringList names{"DeckType.txt", "Sizes.txt", r.file};
        names.sort();
        QCOMPARE(files(t), names);
        for (const QString &name : names)
            COMPARE_BYTES(t.read(name), name == r.file ? golden::lines(expected(name)).mid(0, 3).join() : expected(name));

        // Empty texts leave every page as it first shows.
        const auto choose = [](QWidget *page, const QString &option) {
            if (!option.isEmpty())
                named<QRadioButton>(page, option)->click();
        };
        auto *post = t.page<Wiz_3D_Post>(PageId::Wiz_3D_Post);
        choose(post, r.options[0]);
        choose(post, r.options[1]);
        post->Command9->click();
        auto *joists = t.page<Wiz_3D_2>(PageId::Wiz_3D_2);
        if (!r.lumber[0].isEmpty())
            joists->BeamSize->setEditText(r.lumber[0]);
        if (!r.lumber[1].isEmpty())
            joists->JoistSize->setEditText(r.lumber[1]);
        joists->Command9->click();
        auto *shading = t.page<Shading>(PageId::Shading);
        choose(shading, r.options[2]);
        shading->Command1->click();

        QCOMPARE(files(t), names);
        for (const QString &name : names)
            COMPARE_BYTES(t.read(name), expected(name));
        QCOMPARE(t.journal(), (QStringList{"attach Plankora.Application", "app.ActiveProvider", "app.ActiveTarget",
                                          "app.Prepare", "activeTarget.Mode2D = False", "provider.Target",
                                          "release activeTarget", "providerTarget.OpenSymbolFile (\"" + QString(r.symbol) + "\")",
                                          "release app", "release provider", "release providerTarget"}));
        QVERIFY(t.messages.shown.empty() && t.visiblePages().isEmpty());
        QCOMPARE(t.end.count, 1);
    }
}

// Nine presses either way come round; A and B as each shape sets them ("?":
// left as they were), the height never touched.
void TestRoad3D::ringOfShapes()
{
    const struct { const char *button; QList<int> shapes; QStringList ab; } rows[] = {
        {"Command4", {2, 3, 4, 5, 6, 7, 8, 9, 1}, {"20 10", "20 10", "20 10", "20 10", "20 10", "20 10", "20 10", "? ?", "10 10"}},
        {"Command2", {9, 8, 7, 6, 5, 4, 3, 2, 1}, {"20 20", "20 10", "20 10", "20 10", "20 10", "20 10", "20 10", "20 10", "10 10"}},
    };
    for (const auto &r : rows) {
        TestWizard t;
        auto *page = t.open<Wiz_3D_1>(PageId::Wiz_3D_1);
        QCOMPARE(int(page->shapeNumber), 1);
        QCOMPARE(page->Picture2->pixmap().toImage(), resources::bitmap(101).toImage());
        QCOMPARE(sizes(page), QString("20 20 3"));
        page->deckHeight->setText("4.5");
        for (int i = 0; i < 9; ++i) {
            if (i > 0) {
                page->deckLength->setText("?");
                page->deckWidth->setText("?");
            }
            named(page, r.button)->click();
            QCOMPARE(int(page->shapeNumber), r.shapes[i]);
            QCOMPARE(page->Picture2->pixmap().toImage(), resources::bitmap(100 + r.shapes[i]).toImage());
            QCOMPARE(sizes(page), r.ab[i] + " 4.5");
        }
    }
}

// A step button pressed with the focus elsewhere; or, after typing the text
// into its box: Tab, a step button, Next or Alt+N. Then A, B and the height, the boxes shown, and the control with the
// focus or the page shown.
void TestRoad3D::sizeButtonsAndBoxes()
{
    const QString aHigh = "Wiz_3D_1 plain: The deck Width can not exceed 99 feet.";
    const QString bLow = "Wiz_3D_1 plain: The deck Length can not be less than 10 feet.";
    const struct { const char *name; int shape; const char *box, *text, *action, *sizes; QStringList shown; const char *after; } rows[] = {
        {"A + refused", 2, "deckLength", "99", "Command7", "99 10 3", {"Wiz_3D_1 plain: Deck length can not exceed 99 feet."}, ""},
        {"A -", 2, "deckLength", "20", "Command8", "19.5 10 3", {}, ""},
        {"B +", 2, "deckWidth", "20", "Command10", "20 20.5 3", {}, ""},
        {"B - refused", 2, "deckWidth", "10", "Command9", "20 10 3", {"Wiz_3D_1 plain: Deck width can not be less than 10 feet."}, ""},
        {"height +", 2, "deckHeight", "3", "Command3", "20 10 3.5", {}, ""},
        {"height - refused", 2, "deckHeight", "1", "Command5", "20 10 1", {"Wiz_3D_1 plain: Deck height can not be less than 1 foot."}, ""},
        {"square: A + copies A", 1, "deckLength", "30", "Command7", "30.5 30.5 3", {}, ""},
        {"square: B - refused copies B", 1, "deckWidth", "10", "Command9", "10 10 3", {"Wiz_3D_1 plain: Deck width can not be less than 10 feet."}, ""},
        {"square: height + leaves A and B", 1, "deckHeight", "3", "Command3", "20 20 3.5", {}, ""},
        {"A left too high", 2, "deckLength", "150", "Tab", "99 10 3", {aHigh}, "deckWidth"},
        {"B left too low leaves A", 2, "deckWidth", "9", "Tab", "20 10 3", {bLow}, "deckHeight"},
        {"height left too high keeps the focus", 2, "deckHeight", "7", "Tab", "20 10 3", {"Wiz_3D_1 plain: The deck height can not exceed 6 feet."}, "deckHeight"},
        {"square: A left too high copies A", 1, "deckLength", "150", "Tab", "99 99 3", {aHigh}, "deckWidth"},
        {"A checked before the height + click", 2, "deckLength", "150", "typed Command3", "99 10 3.5", {aHigh}, "Command3"},
        {"A checked before the Next click", 1, "deckLength", "150", "Next", "99 99 3", {aHigh}, "Wiz_3D_Post"},
        {"height checked before Alt+N", 1, "deckHeight", "0", "Alt+N", "20 20 3", {"Wiz_3D_1 plain: The deck height can not be less than 3 feet."}, "Wiz_3D_Post"},
    };
    for (const auto &r : rows) {
        TestWizard t;
        auto *page = t.open<Wiz_3D_1>(PageId::Wiz_3D_1);
        if (r.shape == 2)
            page->Command4->click();
        auto *box = named<QLineEdit>(page, r.box);
        if (auto *step = named(page, r.action)) {
            page->Command11->setFocus();
            box->setText(r.text);
            QTest::mouseClick(step, Qt::LeftButton);
        } else {
            box->setFocus();
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, r.text);
            if (r.action == QLatin1String("Tab"))
                QTest::keyClick(box, Qt::Key_Tab);
            else if (r.action == QLatin1String("typed Command3"))
                QTest::mouseClick(page->Command3, Qt::LeftButton);
            else if (r.action == QLatin1String("Next"))
                QTest::mouseClick(page->Command1, Qt::LeftButton);
            else
                QTest::keyClick(page, Qt::Key_N, Qt::AltModifier);
        }
        QCOMPARE(QString(r.name) + ": " + sizes(page), QString(r.name) + ": " + r.sizes);
        QCOMPARE(boxes(t), r.shown);
        if (QString(r.after).startsWith("Wiz_")) {
            QTRY_COMPARE(t.visiblePages(), QStringList{r.after}); // an access key clicks a moment later
            const QStringList texts = sizes(page).split(u' ');
            QCOMPARE(t.read("Sizes.txt"), (texts[1] + "\r\n" + texts[0] + "\r\n" + texts[2] + "\r\n").toLatin1());
        } else if (*r.after) {
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(r.after));
            if (auto *next = qobject_cast<QLineEdit *>(QApplication::focusWidget()); next && r.action == QLatin1String("Tab"))
                QCOMPARE(next->selectedText(), next->text()); // entering a box selects its whole text
        }
    }
}

// Next rewrites the head of the deck's file rather than adding to it; a file
// that cannot be written keeps the user on the page with a stop box and the
// earlier files whole; both shapes' files stay once the way is clear.
void TestRoad3D::nextAgainAndNextRefused()
{
    TestWizard t;
    auto *page = t.open<Wiz_3D_1>(PageId::Wiz_3D_1);
    auto *post = t.page<Wiz_3D_Post>(PageId::Wiz_3D_Post);
    page->Command4->click();
    page->Command1->click();
    post->Command4->click();
    page->deckLength->setText("30");
    page->Command1->click();
    const QByteArray rectangle = "30        ' Z,   ', Deck Depth\r\n10        ' X,   ', Deck Width\r\n3        ' Y,   ', Deck Height\r\n";
    QCOMPARE(t.read("Deck_Rectangle.txt"), rectangle);
    post->Command4->click();
    page->Command4->click();
    QVERIFY(QDir(t.folder.path()).mkdir("Deck_L-Shape.txt"));
    page->Command1->click();
    QCOMPARE(t.visiblePages(), QStringList{"Wiz_3D_1"});
    const QString start = QString("Wiz_3D_1 stop: Could not write the file \"Deck_L-Shape.txt\" in the folder \"%1\": ")
                              .arg(QDir::toNativeSeparators(t.folder.path()));
    QVERIFY2(boxes(t).size() == 1 && boxes(t)[0].startsWith(start) && boxes(t)[0].endsWith(u'.'), qPrintable(boxes(t).join(u'\n')));
    QCOMPARE(t.read("Sizes.txt"), QByteArray("10\r\n30\r\n3\r\n"));
    QVERIFY(QDir(t.folder.path()).rmdir("Deck_L-Shape.txt"));
    page->Command1->click();
    QCOMPARE(t.visiblePages(), QStringList{"Wiz_3D_Post"});
    QCOMPARE(t.read("DeckType.txt") + t.read("Deck_Rectangle.txt"), " 3 \r\n" + rectangle);
}

// Text dropped on a box moves no focus, so no check ran: Next runs the three
// checks in the boxes' order, and only sizes within their limits are written.
void TestRoad3D::droppedTextIsCheckedAtNext()
{
    TestWizard t;
    auto *page = t.open<Wiz_3D_1>(PageId::Wiz_3D_1);
    page->Command4->click(); // the rectangle
    page->deckLength->setFocus();
    page->deckWidth->setText("abc");
    page->deckHeight->setText("9\r\n7");
    page->Command1->click();
    QCOMPARE(boxes(t), (QStringList{"Wiz_3D_1 plain: The deck Length can not be less than 10 feet.",
                                    "Wiz_3D_1 plain: The deck height can not be less than 3 feet."}));
    QCOMPARE(t.read("Sizes.txt"), QByteArray("10\r\n20\r\n3\r\n"));
    QCOMPARE(t.visiblePages(), QStringList{"Wiz_3D_Post"});
}

// The step buttons take the height down to 1 foot, below what a typed height
// may be: Next writes it as the buttons left it. A drop on another box after
// the steps is still checked.
void TestRoad3D::steppedHeightIsWrittenAtNext()
{
    for (const bool drop : {false, true}) {
        TestWizard t;
        auto *page = t.open<Wiz_3D_1>(PageId::Wiz_3D_1);
        page->Command4->click(); // the rectangle, 20 by 10
        for (int i = 0; i < 4; ++i)
            QTest::mouseClick(page->Command5, Qt::LeftButton);
        if (drop)
            page->deckWidth->setText("abc");
        QTest::mouseClick(page->Command1, Qt::LeftButton);
        QCOMPARE(boxes(t), drop ? QStringList{"Wiz_3D_1 plain: The deck Length can not be less than 10 feet."} : QStringList{});
        QCOMPARE(t.read("Sizes.txt"), QByteArray("10\r\n20\r\n1\r\n"));
        QCOMPARE(t.visiblePages(), QStringList{"Wiz_3D_Post"});
    }
}

// The folder as the worked example's hand-off leaves it, Finish on the
// viewing page. A refusal keeps the page and its choice, and joists as deep
// as the beams then finish with lines 4 to 24 added once; a failure before the
// host leaves the three lines, a host failure the complete file.
void TestRoad3D::finishRefusedOrFailing()
{
    const QString Kept = "\n\nThe deck is complete in the file \"Deck_Rectangle.txt\" in the folder \"%F\". The host application "
                         "was asked to open \"*Program Data\\3D Decks\\Deck_Rectangle.bsx\".";
    const struct { const char *name; int deckType; const char *joist; std::string failing; QString shown; bool complete; } rows[] = {
        {"joists too deep on type 8", 8, "2 X 10", "", "Shading plain: The joists must be smaller than the beams on this type of deck.", false},
        {"no host", 2, "2 X 6", "no host", "Shading stop: No host application is running under \"Plankora.Application\".\n\nError number: 0x800401E3" + Kept, true},
        {"Prepare fails", 2, "2 X 6", "Prepare", "Shading stop: The host refused Prepare.\n\nError number: 0x80020009" + Kept, true},
        {"Sizes.txt of one line", 2, "2 X 6", "short sizes", "Shading stop: The file \"Sizes.txt\" ends before its second value.\n\nError number: 62", false},
        {"a full disk", 2, "2 X 6", "full disk", "Shading stop: Could not write the file \"Deck_Rectangle.txt\"", false},
        // A second wizard's finish may have completed the file already: it is finished once more, 24 lines.
        {"a file finished before", 2, "2 X 6", "finished before", "", true},
        {"a file of two lines", 2, "2 X 6", "two lines", "Shading stop: The file \"Deck_Rectangle.txt\" in the folder \"%F\" does not hold the deck's three dimension lines. Go back to the first page of the 3D deck and press Next again.\n\nError number: 1", false},
    };
    const QByteArray worked = golden::read("Deck_Rectangle-worked-example.txt");
    for (const auto &r : rows) {
        TestWizard t;
        const QString file = r.deckType == 8 ? "Deck_Slice.txt" : "Deck_Rectangle.txt";
        t.write("DeckType.txt", " " + QByteArray::number(r.deckType) + " \r\n");
        t.write("Sizes.txt", r.failing == "short sizes" ? "12\r\n" : "12\r\n16\r\n3\r\n");
        const QByteArray before = r.failing == "finished before" ? worked
                                  : r.failing == "two lines"       ? Head.left(Head.indexOf("3 "))
                                                                   : Head;
        t.write(file, before);
        const QString shown = QString(r.shown).replace("%F", QDir::toNativeSeparators(t.folder.path()));
        auto *joists = t.open<Wiz_3D_2>(PageId::Wiz_3D_2);
        joists->BeamSize->setEditText("2 X 8");
        joists->JoistSize->setEditText(r.joist);
        joists->Command9->click();
        auto *shading = t.page<Shading>(PageId::Shading);
        shading->Option3->click();
        shading->Option1->click();
        t.host.state().running = r.failing != "no host";
        t.host.state().failing.insert(r.failing);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited{r.failing == "full disk" ? 200 : saved.rlim_cur, saved.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        shading->Command1->click();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        QVERIFY2(shown.isEmpty() ? boxes(t).isEmpty()
                                 : boxes(t).size() == 1 && boxes(t)[0].startsWith(shown)
                                       && (r.failing == "full disk" || boxes(t)[0] == shown),
                 qPrintable(QString(r.name) + ": " + boxes(t).join(u'\n')));
        COMPARE_BYTES(t.read(file), r.complete ? worked : before);
        QCOMPARE(files(t).size(), 3); // no temporary file left behind
        QCOMPARE(t.host.journal().empty(), !r.complete);
        QCOMPARE(t.host.state().live, 0);
        if (r.deckType == 8) {
            QCOMPARE(t.visiblePages(), QStringList{"Shading"});
            QVERIFY(shading->Option1->isChecked() && t.end.count == 0);
            joists->JoistSize->setEditText("2 X 8");
            shading->Command1->click();
            COMPARE_BYTES(t.read(file), golden::withLines(worked, {{12, "7.25    ' Y,  - Joist Height"}, {22, "8 foot 2x8 Joists"}}));
        }
        QVERIFY(!r.complete || t.visiblePages().isEmpty());
        QCOMPARE(t.end.count, 1);
    }
}

// Leaving the joist box empty reminds each time, a click on Next included,
// and holds nobody; an empty beam box says nothing. The load fills both with
// the first of the three sizes of their lists.
void TestRoad3D::joistReminder()
{
    TestWizard t;
    auto *page = t.open<Wiz_3D_2>(PageId::Wiz_3D_2);
    QCOMPARE(page->JoistSize->currentText() + '/' + page->BeamSize->currentText(), QString("2 X 6/2 X 6"));
    for (QComboBox *box : {page->JoistSize, page->BeamSize})
        QCOMPARE(box->itemText(0) + '/' + box->itemText(1) + '/' + box->itemText(2) + '/' + QString::number(box->count()),
                 QString("2 X 6/2 X 8/2 X 10/3"));
    for (QComboBox *box : {page->JoistSize, page->BeamSize}) {
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClick(box, Qt::Key_Tab);
    }
    page->JoistSize->setFocus();
    page->JoistSize->showPopup(); // opening the list is not leaving the box
    page->JoistSize->hidePopup();
    QTest::mouseClick(page->Command9, Qt::LeftButton);
    QCOMPARE(boxes(t), QStringList(2, "Wiz_3D_2 plain: Please choose a joist size."));
    QCOMPARE(t.visiblePages(), QStringList{"Shading"});
}

// Every page keeps what the user left on it, all the way back to the shape
// page and on again; typed lumber stays as typed; the option groups are the
// posts, the decking and the viewing mode.
void TestRoad3D::answersKeptBackAndOn()
{
    TestWizard t;
    auto *post = t.open<Wiz_3D_Post>(PageId::Wiz_3D_Post);
    post->Option2->click();
    post->Option3->click();
    post->Command9->click();
    auto *joists = t.page<Wiz_3D_2>(PageId::Wiz_3D_2);
    joists->JoistSize->setEditText("2 X 1");
    joists->BeamSize->setEditText("2 x 6");
    joists->Command9->click();
    auto *shading = t.page<Shading>(PageId::Shading);
    shading->Option3->click();
    shading->Command11->click();
    joists->Command4->click();
    post->Command4->click();
    t.page<Wiz_3D_1>(PageId::Wiz_3D_1)->Command1->click();
    QVERIFY(post->Option2->isChecked() && post->Option3->isChecked());
    post->Command9->click();
    QCOMPARE(joists->JoistSize->currentText() + '/' + joists->BeamSize->currentText(), QString("2 X 1/2 x 6"));
    QCOMPARE(joists->JoistSize->count(), 3);
    joists->Command9->click();
    QVERIFY(shading->Option3->isChecked() && !shading->Option1->isChecked());
    QVERIFY(t.messages.shown.empty());
}

QTEST_MAIN(TestRoad3D)
#include "tst_road3d.moc"
