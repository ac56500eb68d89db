// The deck shape and size page: its layout, the ring of deck shapes, the step
// buttons, the checks of the three size boxes, the square rule, and Next's
// three files.
#include "handoff.h"
#include "layoutcheck.h"
#include "resources.h"
#include "testseams.h"
#include "wiz_3d_1.h"
#include "wiz_3d_post.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace layout;

namespace {

// A fresh run of the wizard, on the deck shape and size page at the given shape.
struct ShapePage {
    explicit ShapePage(int shape = 1)
    {
        t.start();
        page = t.open<Wiz_3D_1>(PageId::Wiz_3D_1);
        browse(shape - 1);
    }
    QLineEdit *box(const QString &name) { return page->findChild<QLineEdit *>(name); }
    void browse(int nexts)
    {
        for (int i = 0; i < nexts; ++i)
            QTest::mouseClick(page->Command4, Qt::LeftButton);
    }
    // Enters the box and types the text over the whole old one.
    void type(QLineEdit *into, const QString &text)
    {
        if (!page->isActiveWindow())
            TestWizard::activate(page);
        into->setFocus(Qt::OtherFocusReason);
        QVERIFY(into->hasFocus());
        into->selectAll();
        QTest::keyClick(into, Qt::Key_Delete);
        QTest::keyClicks(into, text);
    }
    void next() { QTest::mouseClick(page->Command1, Qt::LeftButton); }
    // From the post page back to this one.
    void back() { QTest::mouseClick(t.page<Wiz_3D_Post>(PageId::Wiz_3D_Post)->Command4, Qt::LeftButton); }
    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    QStringList texts() const { return {page->deckLength->text(), page->deckWidth->text(), page->deckHeight->text()}; }

    TestWizard t;
    Wiz_3D_1 *page = nullptr;
};

// The messages shown so far, each on this page with no icon and the program's title.
void checkMessages(const TestWizard &t, const QStringList &texts)
{
    QCOMPARE(t.messages.texts(), texts);
    for (const auto &m : t.messages.shown) {
        QCOMPARE(m.icon, MessageBoxes::Icon::None);
        QCOMPARE(m.title, QStringLiteral("Plankora Joistmaster"));
        QCOMPARE(m.page, QStringLiteral("Wiz_3D_1"));
    }
}

bool showsBitmap(QLabel *box, int id)
{
    const QPixmap expected = resources::bitmap(id);
    return box->pixmap().cacheKey() == expected.cacheKey() && box->pixmap().toImage() == expected.toImage();
}

// The head of the deck parameter file and Sizes.txt for the texts of A, B and the height.
QByteArray dimensions(const QStringList &t) { return handoff::dimensionBytes({t[0], t[1], t[2]}); }
QByteArray sizesFile(const QStringList &t) { return (t[1] + "\r\n" + t[0] + "\r\n" + t[2] + "\r\n").toLatin1(); }

const QString AHigh = QStringLiteral("The deck Width can not exceed 99 feet.");
const QString ALow = QStringLiteral("The deck Width can not be less than 10 feet.");
const QString BHigh = QStringLiteral("The deck Length can not exceed 99 feet.");
const QString BLow = QStringLiteral("The deck Length can not be less than 10 feet.");
const QString HHigh = QStringLiteral("The deck height can not exceed 6 feet.");
const QString HLow = QStringLiteral("The deck height can not be less than 3 feet.");

} // namespace

class TestWiz3D1 : public QObject {
    Q_OBJECT
private slots:
    void layoutMatchesTheTable();
    void ringOfShapes_data();
    void ringOfShapes();
    void sizeBoxes_data();
    void sizeBoxes();
    void nextWritesTheHandOff_data();
    void nextWritesTheHandOff();
    void nextAgainAndAfterAFailedWrite();
    void valuesSurviveBackAndNext();
};

void TestWiz3D1::layoutMatchesTheTable()
{
    ShapePage s;
    check(s.page,
          {"Wiz_3D_1", QStringLiteral("Joistmaster . . . Deck Shape and Size"), 6780, 4020, true,
           {
               {"Command11", Kind::Button, nullptr, "<< &Back", {3240, 3600, 1125, 345}, 4},
               {"Frame1", Kind::Frame, nullptr, "Adjust Deck Sizes", {3840, 120, 1875, 3255}, 19},
               {"deckLength", Kind::TextBox, "Frame1", "20", {600, 600, 690, 330}, 0, Centred},
               {"deckHeight", Kind::TextBox, "Frame1", "3", {600, 2480, 690, 330}, 2, Centred},
               {"deckWidth", Kind::TextBox, "Frame1", "20", {615, 1560, 690, 330}, 1, Centred},
               {"Command3", Kind::Button, "Frame1", "+", {1440, 2520, 250, 250}, 9},
               {"Command5", Kind::Button, "Frame1", "-", {240, 2520, 250, 250}, 10, Bold},
               {"Command7", Kind::Button, "Frame1", "+", {1440, 600, 250, 250}, 11},
               {"Command8", Kind::Button, "Frame1", "-", {240, 600, 250, 250}, 12, Bold},
               {"Command9", Kind::Button, "Frame1", "-", {240, 1560, 250, 250}, 14, Bold},
               {"Command10", Kind::Button, "Frame1", "+", {1440, 1560, 250, 250}, 13},
               {"Label2", Kind::Label, "Frame1", "Deck Width (A)", {360, 360, 1095, 195}, 17, Blue},
               {"Label3", Kind::Label, "Frame1", "Deck Length (B)", {360, 1320, 1170, 195}, 16, Blue},
               {"Label4", Kind::Label, "Frame1", "Deck Height", {480, 2280, 900, 195}, 15},
               {"Picture3", Kind::PictureBox, nullptr, {}, {5760, 240, 744, 2472}, 18},
               {"Command6", Kind::Button, nullptr, "&Cancel", {120, 3600, 1125, 345}, 7},
               {"Command1", Kind::Button, nullptr, "&Next >>", {4440, 3600, 1125, 345}, 3},
               {"Picture2", Kind::PictureBox, nullptr, {}, {240, 360, 2292, 1575}, 8, RuntimePicture},
               {"Command4", Kind::Button, nullptr, "   Ne&xt Style  >", {2040, 2880, 1425, 345}, 5},
               {"Command2", Kind::Button, nullptr, "<  &Previous Style", {240, 2880, 1425, 345}, 6},
               {"Frame2", Kind::Frame, nullptr, "Choose Deck Shape", {120, 120, 3495, 3255}, 20},
           }});
    QCOMPARE(s.page->Label4->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    QCOMPARE(s.page->deckLength->accessibleName(), QStringLiteral("Deck Width (A)"));
    QCOMPARE(s.page->deckWidth->accessibleName(), QStringLiteral("Deck Length (B)"));
    QCOMPARE(s.page->deckHeight->accessibleName(), QStringLiteral("Deck Height"));
    // The run-time picture box is white behind its bitmap.
    QCOMPARE(s.page->Picture2->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(s.page->Picture2->autoFillBackground());
}

void TestWiz3D1::ringOfShapes_data()
{
    using L = QStringList;
    QTest::addColumn<int>("direction"); // +1 Next Style, -1 Previous Style
    QTest::addColumn<QList<int>>("shapes");
    QTest::addColumn<QStringList>("a"); // "?": the type left A as it was
    QTest::addColumn<QStringList>("b");
    QTest::newRow("forward, once round") << 1 << QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 1}
                                         << L{"20", "20", "20", "20", "20", "20", "20", "?", "10"}
                                         << L{"10", "10", "10", "10", "10", "10", "10", "?", "10"};
    QTest::newRow("backward, once round") << -1 << QList<int>{9, 8, 7, 6, 5, 4, 3, 2, 1}
                                          << L{"20", "20", "20", "20", "20", "20", "20", "20", "10"}
                                          << L{"20", "10", "10", "10", "10", "10", "10", "10", "10"};
}

void TestWiz3D1::ringOfShapes()
{
    QFETCH(int, direction);
    QFETCH(QList<int>, shapes);
    QFETCH(QStringList, a);
    QFETCH(QStringList, b);
    ShapePage s;
    QCOMPARE(s.page->shapeNumber, qint16(1));
    QVERIFY(showsBitmap(s.page->Picture2, 101));
    QCOMPARE(s.texts(), (QStringList{"20", "20", "3"}));
    s.page->deckHeight->setText(QStringLiteral("4.5"));
    for (int i = 0; i < shapes.size(); ++i) {
        // From the first opening on, A and B show what each type sets, if anything.
        if (i > 0) {
            s.page->deckLength->setText(QStringLiteral("?"));
            s.page->deckWidth->setText(QStringLiteral("?"));
        }
        QTest::mouseClick(direction > 0 ? s.page->Command4 : s.page->Command2, Qt::LeftButton);
        const QByteArray step = QByteArray::number(i + 1);
        QVERIFY2(s.page->shapeNumber == shapes[i], step.constData());
        QVERIFY2(showsBitmap(s.page->Picture2, 100 + shapes[i]), step.constData());
        QCOMPARE(s.page->Picture2->size(), QSize(218, 155));
        QCOMPARE(s.texts(), (QStringList{a[i], b[i], "4.5"})); // browsing never changes the height
    }
    QVERIFY(s.t.messages.shown.empty());
}

void TestWiz3D1::sizeBoxes_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    // A step button; or straight after typing the text: Tab, Next, Alt+N, or another window taking the focus.
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("texts"); // A, B, height afterwards
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("after"); // Tab: the control with the focus; Next: the page shown
    const auto row = [](const char *name, int shape, const char *box, const char *text, const char *action,
                        const QStringList &texts, const QString &message = {}, const char *after = "") {
        QTest::newRow(name) << shape << box << text << action << texts << message << after;
    };
    const QString aHigh = QStringLiteral("Deck length can not exceed 99 feet.");
    const QString aLow = QStringLiteral("Deck length can not be less than 10 feet.");
    const QString bHigh = QStringLiteral("Deck width can not exceed 99 feet.");
    const QString bLow = QStringLiteral("Deck width can not be less than 10 feet.");
    const QString hHigh = QStringLiteral("Deck height can not exceed 6 feet.");
    const QString hLow = QStringLiteral("Deck height can not be less than 1 foot.");
    // Step buttons on the rectangle (A "20", B "10"): each touches its own box only.
    row("A + below the top", 2, "deckLength", "98.5", "Command7", {"99", "10", "3"});
    row("A + at the top", 2, "deckLength", "99", "Command7", {"99", "10", "3"}, aHigh);
    row("A + just past the last step", 2, "deckLength", "98.75", "Command7", {"98.75", "10", "3"}, aHigh);
    row("A + off the grid", 2, "deckLength", "20.25", "Command7", {"20.75", "10", "3"});
    row("A + whole foot", 2, "deckLength", "20.5", "Command7", {"21", "10", "3"});
    row("A - above the bottom", 2, "deckLength", "10.5", "Command8", {"10", "10", "3"});
    row("A - at the bottom", 2, "deckLength", "10", "Command8", {"10", "10", "3"}, aLow);
    row("A - just short of a step", 2, "deckLength", "10.25", "Command8", {"10.25", "10", "3"}, aLow);
    row("B + below the top", 2, "deckWidth", "98.5", "Command10", {"20", "99", "3"});
    row("B + at the top", 2, "deckWidth", "99", "Command10", {"20", "99", "3"}, bHigh);
    row("B - above the bottom", 2, "deckWidth", "10.5", "Command9", {"20", "10", "3"});
    row("B - below the bottom", 2, "deckWidth", "2", "Command9", {"20", "2", "3"}, bLow);
    row("height + below the top", 2, "deckHeight", "5.5", "Command3", {"20", "10", "6"});
    row("height + at the top", 2, "deckHeight", "6", "Command3", {"20", "10", "6"}, hHigh);
    // The height steps down 3, 2.5, 2, 1.5, 1 and no further.
    row("height - from 3", 2, "deckHeight", "3", "Command5", {"20", "10", "2.5"});
    row("height - from 2.5", 2, "deckHeight", "2.5", "Command5", {"20", "10", "2"});
    row("height - from 2", 2, "deckHeight", "2", "Command5", {"20", "10", "1.5"});
    row("height - from 1.5", 2, "deckHeight", "1.5", "Command5", {"20", "10", "1"});
    row("height - at the bottom", 2, "deckHeight", "1", "Command5", {"20", "10", "1"}, hLow);
    row("A + on letters", 2, "deckLength", "abc", "Command7", {"abc", "10", "3"});
    row("B + on a unit", 2, "deckWidth", "12ft", "Command10", {"20", "12ft", "3"});
    row("height - on letters", 2, "deckHeight", "x", "Command5", {"20", "10", "x"});
    // On the square (A and B "20") every A or B step, refused or not, copies its box into the other.
    row("square: A + copies A", 1, "deckLength", "30", "Command7", {"30.5", "30.5", "3"});
    row("square: A - copies A", 1, "deckLength", "30", "Command8", {"29.5", "29.5", "3"});
    row("square: B + copies B", 1, "deckWidth", "12", "Command10", {"12.5", "12.5", "3"});
    row("square: B - copies B", 1, "deckWidth", "12", "Command9", {"11.5", "11.5", "3"});
    row("square: refused A + copies A", 1, "deckLength", "99", "Command7", {"99", "99", "3"}, aHigh);
    row("square: refused B - copies B", 1, "deckWidth", "10", "Command9", {"10", "10", "3"}, bLow);
    row("square: height + leaves A and B", 1, "deckHeight", "3", "Command3", {"20", "20", "3.5"});
    row("square: a step on letters copies nothing", 1, "deckLength", "abc", "Command7", {"abc", "20", "3"});
    // Focus checks on the rectangle; Tab goes A -> B -> height -> Next.
    row("A too high", 2, "deckLength", "150", "Tab", {"99", "10", "3"}, AHigh, "deckWidth");
    row("A just above", 2, "deckLength", "99.5", "Tab", {"99", "10", "3"}, AHigh, "deckWidth");
    row("A top passes", 2, "deckLength", "99", "Tab", {"99", "10", "3"}, {}, "deckWidth");
    row("A bottom passes", 2, "deckLength", "10", "Tab", {"10", "10", "3"}, {}, "deckWidth");
    row("A too low", 2, "deckLength", "9.5", "Tab", {"10", "10", "3"}, ALow, "deckWidth");
    row("A empty", 2, "deckLength", "", "Tab", {"10", "10", "3"}, ALow, "deckWidth");
    row("A letters", 2, "deckLength", "abc", "Tab", {"10", "10", "3"}, ALow, "deckWidth");
    row("A trailing zero kept", 2, "deckLength", "20.0", "Tab", {"20.0", "10", "3"}, {}, "deckWidth");
    row("B too low", 2, "deckWidth", "9", "Tab", {"20", "10", "3"}, BLow, "deckHeight");
    row("B too high", 2, "deckWidth", "100", "Tab", {"20", "99", "3"}, BHigh, "deckHeight");
    row("B passes", 2, "deckWidth", "12.5", "Tab", {"20", "12.5", "3"}, {}, "deckHeight");
    row("B letters", 2, "deckWidth", "ten", "Tab", {"20", "10", "3"}, BLow, "deckHeight");
    // The height repairs to "3" both ways and takes the focus back, its text selected.
    row("height too low", 2, "deckHeight", "2.5", "Tab", {"20", "10", "3"}, HLow, "deckHeight");
    row("height too high goes to 3", 2, "deckHeight", "7", "Tab", {"20", "10", "3"}, HHigh, "deckHeight");
    row("height just above", 2, "deckHeight", "6.5", "Tab", {"20", "10", "3"}, HHigh, "deckHeight");
    row("height top passes", 2, "deckHeight", "6", "Tab", {"20", "10", "6"}, {}, "Command1");
    row("height bottom passes", 2, "deckHeight", "3", "Tab", {"20", "10", "3"}, {}, "Command1");
    row("height letters", 2, "deckHeight", "high", "Tab", {"20", "10", "3"}, HLow, "deckHeight");
    // Another window taking the focus, as a message box does, is not leaving the box.
    row("height 9, the window left and back", 2, "deckHeight", "9", "Away", {"20", "10", "9"}, {}, "deckHeight");
    // On the square the box left gives its text to the other.
    row("square: A too high", 1, "deckLength", "150", "Tab", {"99", "99", "3"}, AHigh, "deckWidth");
    row("square: B passes", 1, "deckWidth", "30", "Tab", {"30", "30", "3"}, {}, "deckHeight");
    row("square: B too low", 1, "deckWidth", "5", "Tab", {"10", "10", "3"}, BLow, "deckHeight");
    row("square: height leaves A and B", 1, "deckHeight", "5", "Tab", {"20", "20", "5"}, {}, "Command1");
    // Next, clicked or by its access key, runs the check first and writes the repaired text.
    row("click Next after A 150", 1, "deckLength", "150", "Next", {"99", "99", "3"}, AHigh, "Wiz_3D_Post");
    row("Alt+N after A 150", 1, "deckLength", "150", "Alt+N", {"99", "99", "3"}, AHigh, "Wiz_3D_Post");
    row("click Next after B letters", 1, "deckWidth", "wide", "Next", {"10", "10", "3"}, BLow, "Wiz_3D_Post");
    row("Alt+N after height 0", 1, "deckHeight", "0", "Alt+N", {"20", "20", "3"}, HLow, "Wiz_3D_Post");
}

void TestWiz3D1::sizeBoxes()
{
    QFETCH(int, shape);
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, action);
    QFETCH(QStringList, texts);
    QFETCH(QString, message);
    QFETCH(QString, after);
    ShapePage s(shape);
    if (auto *step = s.page->findChild<QPushButton *>(action)) {
        s.page->Command11->setFocus(Qt::OtherFocusReason);
        s.box(box)->setText(text);
        QTest::mouseClick(step, Qt::LeftButton);
    } else {
        s.type(s.box(box), text);
        if (action == QLatin1String("Tab"))
            QTest::keyClick(s.box(box), Qt::Key_Tab);
        else if (action == QLatin1String("Next"))
            s.next();
        else if (action == QLatin1String("Alt+N"))
            QTest::keyClick(s.page, Qt::Key_N, Qt::AltModifier);
        else {
            QWidget elsewhere;
            TestWizard::activate(&elsewhere);
            TestWizard::activate(s.page);
        }
    }
    QCOMPARE(s.texts(), texts);
    checkMessages(s.t, message.isEmpty() ? QStringList{} : QStringList{message});
    if (action == QLatin1String("Tab") || action == QLatin1String("Away")) {
        QCOMPARE(s.focused(), after);
        if (QLineEdit *entered = s.box(after); entered && action == QLatin1String("Tab"))
            QCOMPARE(entered->selectedText(), entered->text()); // entering a box selects its whole text
    } else if (!after.isEmpty()) {
        QTRY_COMPARE(s.t.visiblePages(), QStringList{after});
        QCOMPARE(s.t.read(QStringLiteral("Sizes.txt")), sizesFile(texts));
    }
}

void TestWiz3D1::nextWritesTheHandOff_data()
{
    using L = QStringList;
    QTest::addColumn<int>("shape");
    QTest::addColumn<QStringList>("typed"); // A, B, height; empty: left as browsing set them
    QTest::addColumn<QString>("deckFile");
    QTest::addColumn<QStringList>("texts"); // A, B, height as Next finds them
    QTest::newRow("type 1, initial texts") << 1 << L{} << "Deck_Rectangle.txt" << L{"20", "20", "3"};
    QTest::newRow("type 3 after browsing") << 3 << L{} << "Deck_L-Shape.txt" << L{"20", "10", "3"};
    QTest::newRow("type 7") << 7 << L{} << "Deck_Slice2.txt" << L{"20", "10", "3"};
    QTest::newRow("type 8") << 8 << L{} << "Deck_Slice.txt" << L{"20", "10", "3"};
    QTest::newRow("type 9") << 9 << L{} << "Deck_Slice.txt" << L{"20", "10", "3"};
    QTest::newRow("typed 20.0 and 12.5") << 2 << L{"20.0", "12.5", "4.5"} << "Deck_Rectangle.txt" << L{"20.0", "12.5", "4.5"};
}

void TestWiz3D1::nextWritesTheHandOff()
{
    QFETCH(int, shape);
    QFETCH(QStringList, typed);
    QFETCH(QString, deckFile);
    QFETCH(QStringList, texts);
    ShapePage s(shape);
    const QList<QLineEdit *> boxes{s.page->deckLength, s.page->deckWidth, s.page->deckHeight};
    for (int i = 0; i < typed.size(); ++i)
        s.type(boxes[i], typed[i]);

    s.next();

    QVERIFY(s.t.messages.shown.empty());
    QCOMPARE(s.t.read(QStringLiteral("DeckType.txt")), QByteArray(" ") + QByteArray::number(shape) + " \r\n");
    QCOMPARE(s.t.read(deckFile), dimensions(texts));
    QCOMPARE(s.t.read(QStringLiteral("Sizes.txt")), sizesFile(texts));
    QStringList expected{QStringLiteral("DeckType.txt"), deckFile, QStringLiteral("Sizes.txt")};
    expected.sort();
    QCOMPARE(QDir(s.t.folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    QCOMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_Post")});
}

void TestWiz3D1::nextAgainAndAfterAFailedWrite()
{
    ShapePage s(2);
    s.next();
    s.back();
    s.type(s.page->deckLength, QStringLiteral("30"));
    s.next();
    // The rectangle's head is rewritten, not added to.
    QCOMPARE(s.t.read(QStringLiteral("Deck_Rectangle.txt")), dimensions({"30", "10", "3"}));
    s.back();
    s.browse(1);
    s.type(s.page->deckLength, QStringLiteral("25"));
    // A folder where the L-shape's file should go: it cannot be written.
    QVERIFY(QDir(s.t.folder.path()).mkdir(QStringLiteral("Deck_L-Shape.txt")));

    s.next();

    QCOMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_1")});
    QCOMPARE(s.t.messages.shown.size(), std::size_t(1));
    const RecordedMessage &m = s.t.messages.shown.front();
    QCOMPARE(m.icon, MessageBoxes::Icon::Stop);
    QCOMPARE(m.title, QStringLiteral("Plankora Joistmaster"));
    const QString start = QStringLiteral("Could not write the file \"Deck_L-Shape.txt\" in the folder \"%1\": ")
                              .arg(QDir::toNativeSeparators(s.t.folder.path()));
    QVERIFY2(m.text.startsWith(start) && m.text.size() > start.size() + 1, qPrintable(m.text));
    // The earlier Next's files are whole; the sizes are not yet rewritten.
    QCOMPARE(s.t.read(QStringLiteral("Deck_Rectangle.txt")), dimensions({"30", "10", "3"}));
    QCOMPARE(s.t.read(QStringLiteral("Sizes.txt")), sizesFile({"30", "10", "3"}));
    QCOMPARE(s.t.end.count, 0);

    // With the way cleared, Next goes through and both shapes' files stay.
    QVERIFY(QDir(s.t.folder.path()).rmdir(QStringLiteral("Deck_L-Shape.txt")));
    s.next();
    QCOMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_Post")});
    QCOMPARE(s.t.read(QStringLiteral("Deck_L-Shape.txt")), dimensions({"25", "10", "3"}));
    QCOMPARE(s.t.read(QStringLiteral("DeckType.txt")), QByteArray(" 3 \r\n"));
    QCOMPARE(s.t.read(QStringLiteral("Sizes.txt")), sizesFile({"25", "10", "3"}));
}

void TestWiz3D1::valuesSurviveBackAndNext()
{
    ShapePage s(5);
    s.type(s.page->deckLength, QStringLiteral("45.5"));
    s.type(s.page->deckWidth, QStringLiteral("15"));
    s.type(s.page->deckHeight, QStringLiteral("4"));
    QTest::mouseClick(s.page->Command11, Qt::LeftButton);
    QCOMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_1")});
    QVERIFY(QDir(s.t.folder.path()).entryList(QDir::Files).isEmpty()); // Back writes nothing
    TestWizard::activate(s.t.page<WizardPage>(PageId::Wiz_1));
    QCOMPARE(s.t.open<Wiz_3D_1>(PageId::Wiz_3D_1), s.page);
    QCOMPARE(s.page->shapeNumber, qint16(5));
    QVERIFY(showsBitmap(s.page->Picture2, 105));
    QCOMPARE(s.texts(), (QStringList{"45.5", "15", "4"}));
    // Through the post page and back again.
    s.next();
    s.back();
    QCOMPARE(s.page->shapeNumber, qint16(5));
    QCOMPARE(s.texts(), (QStringList{"45.5", "15", "4"}));
}

QTEST_MAIN(TestWiz3D1)
#include "tst_wiz_3d_1.moc"
