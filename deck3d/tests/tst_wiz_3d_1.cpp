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
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace layout;

namespace {

// A fresh run of the wizard, on the deck shape and size page.
struct ShapePage {
    ShapePage()
    {
        t.start();
        page = t.open<Wiz_3D_1>(PageId::Wiz_3D_1);
    }
    QLineEdit *box(const QString &name) { return page->findChild<QLineEdit *>(name); }
    QPushButton *button(const QString &name) { return page->findChild<QPushButton *>(name); }
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
    // Where a test starts: the focus on a button, away from the boxes.
    void focusAway() { page->Command11->setFocus(Qt::OtherFocusReason); }
    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    QStringList texts() const
    {
        return {page->deckLength->text(), page->deckWidth->text(), page->deckHeight->text()};
    }

    TestWizard t;
    Wiz_3D_1 *page = nullptr;
};

bool showsBitmap(QLabel *box, int id)
{
    const QPixmap expected = resources::bitmap(id);
    return box->pixmap().cacheKey() == expected.cacheKey() && box->pixmap().toImage() == expected.toImage();
}

QByteArray dimensions(const char *a, const char *b, const char *height)
{
    return handoff::dimensionBytes({QString::fromLatin1(a), QString::fromLatin1(b), QString::fromLatin1(height)});
}

} // namespace

class TestWiz3D1 : public QObject {
    Q_OBJECT
private slots:
    void layoutMatchesTheTable();
    void firstOpening();
    void ringOfShapes_data();
    void ringOfShapes();
    void shapeNineKeepsTypedSizes();
    void stepButtons_data();
    void stepButtons();
    void heightStepsDownToOneFoot();
    void focusChecks_data();
    void focusChecks();
    void checkRunsOnlyWhenTheBoxIsLeft();
    void squareRuleFollowsEveryAAndBAction_data();
    void squareRuleFollowsEveryAAndBAction();
    void enteringABoxSelectsItsText();
    void nextWritesTheHandOff_data();
    void nextWritesTheHandOff();
    void nextTwiceRewritesTheDeckFile();
    void eachShapeKeepsItsOwnDeckFile();
    void checkRunsBeforeNext_data();
    void checkRunsBeforeNext();
    void aFailedWriteKeepsTheUserHere();
    void valuesSurviveBackAndNext();
    void backCancelEscapeAndEnter();
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
    // The run-time picture box is white behind its bitmap and fits it with its border.
    QCOMPARE(s.page->Picture2->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(s.page->Picture2->autoFillBackground());
    QCOMPARE(s.page->Picture2->size(), QSize(218, 155));
}

void TestWiz3D1::firstOpening()
{
    ShapePage s;
    QCOMPARE(s.page->shapeNumber, qint16(1));
    QVERIFY(showsBitmap(s.page->Picture2, 101));
    QCOMPARE(s.texts(), (QStringList{"20", "20", "3"}));
    QVERIFY(s.t.messages.shown.empty());
}

void TestWiz3D1::ringOfShapes_data()
{
    QTest::addColumn<int>("direction"); // +1 Next Style, -1 Previous Style
    QTest::addColumn<QList<int>>("shapes");
    QTest::addColumn<QStringList>("a");
    QTest::addColumn<QStringList>("b");
    QTest::newRow("forward, once round")
        << 1 << QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 1}
        << QStringList{"20", "20", "20", "20", "20", "20", "20", "20", "10"}
        << QStringList{"10", "10", "10", "10", "10", "10", "10", "10", "10"};
    QTest::newRow("backward, once round")
        << -1 << QList<int>{9, 8, 7, 6, 5, 4, 3, 2, 1}
        << QStringList{"20", "20", "20", "20", "20", "20", "20", "20", "10"}
        << QStringList{"20", "10", "10", "10", "10", "10", "10", "10", "10"};
}

void TestWiz3D1::ringOfShapes()
{
    QFETCH(int, direction);
    QFETCH(QList<int>, shapes);
    QFETCH(QStringList, a);
    QFETCH(QStringList, b);
    ShapePage s;
    s.page->deckHeight->setText(QStringLiteral("4.5"));
    for (int i = 0; i < shapes.size(); ++i) {
        QTest::mouseClick(direction > 0 ? s.page->Command4 : s.page->Command2, Qt::LeftButton);
        const QByteArray step = QByteArray::number(i + 1);
        QVERIFY2(s.page->shapeNumber == shapes[i], step.constData());
        QVERIFY2(showsBitmap(s.page->Picture2, 100 + shapes[i]), step.constData());
        QCOMPARE(s.page->Picture2->size(), QSize(218, 155));
        QCOMPARE(s.page->deckLength->text(), a[i]);
        QCOMPARE(s.page->deckWidth->text(), b[i]);
        QCOMPARE(s.page->deckHeight->text(), QStringLiteral("4.5")); // browsing never changes the height
    }
    QVERIFY(s.t.messages.shown.empty());
}

void TestWiz3D1::shapeNineKeepsTypedSizes()
{
    ShapePage s;
    s.browse(7); // shape 8
    s.type(s.page->deckLength, QStringLiteral("33"));
    s.type(s.page->deckWidth, QStringLiteral("44.5"));
    s.focusAway();
    s.browse(1);
    QCOMPARE(s.page->shapeNumber, qint16(9));
    QCOMPARE(s.texts(), (QStringList{"33", "44.5", "3"}));
    s.browse(1);
    QCOMPARE(s.page->shapeNumber, qint16(1));
    QCOMPARE(s.texts(), (QStringList{"10", "10", "3"}));
}

void TestWiz3D1::stepButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("message");
    const QString aHigh = QStringLiteral("Deck length can not exceed 99 feet.");
    const QString aLow = QStringLiteral("Deck length can not be less than 10 feet.");
    const QString bHigh = QStringLiteral("Deck width can not exceed 99 feet.");
    const QString bLow = QStringLiteral("Deck width can not be less than 10 feet.");
    const QString hHigh = QStringLiteral("Deck height can not exceed 6 feet.");
    const QString hLow = QStringLiteral("Deck height can not be less than 1 foot.");
    QTest::newRow("A + below the top") << "Command7" << "deckLength" << "98.5" << "99" << QString();
    QTest::newRow("A + at the top") << "Command7" << "deckLength" << "99" << "99" << aHigh;
    QTest::newRow("A + just past the last step") << "Command7" << "deckLength" << "98.75" << "98.75" << aHigh;
    QTest::newRow("A + above the top") << "Command7" << "deckLength" << "150" << "150" << aHigh;
    QTest::newRow("A + off the grid") << "Command7" << "deckLength" << "20.25" << "20.75" << QString();
    QTest::newRow("A + trailing zero") << "Command7" << "deckLength" << "20.0" << "20.5" << QString();
    QTest::newRow("A + whole foot") << "Command7" << "deckLength" << "20.5" << "21" << QString();
    QTest::newRow("A - above the bottom") << "Command8" << "deckLength" << "10.5" << "10" << QString();
    QTest::newRow("A - at the bottom") << "Command8" << "deckLength" << "10" << "10" << aLow;
    QTest::newRow("A - just short of a step") << "Command8" << "deckLength" << "10.25" << "10.25" << aLow;
    QTest::newRow("B + below the top") << "Command10" << "deckWidth" << "98.5" << "99" << QString();
    QTest::newRow("B + at the top") << "Command10" << "deckWidth" << "99" << "99" << bHigh;
    QTest::newRow("B - above the bottom") << "Command9" << "deckWidth" << "10.5" << "10" << QString();
    QTest::newRow("B - at the bottom") << "Command9" << "deckWidth" << "10" << "10" << bLow;
    QTest::newRow("B - below the bottom") << "Command9" << "deckWidth" << "2" << "2" << bLow;
    QTest::newRow("height + below the top") << "Command3" << "deckHeight" << "5.5" << "6" << QString();
    QTest::newRow("height + at the top") << "Command3" << "deckHeight" << "6" << "6" << hHigh;
    QTest::newRow("height + from the step floor") << "Command3" << "deckHeight" << "1" << "1.5" << QString();
    QTest::newRow("height - from the usual") << "Command5" << "deckHeight" << "3" << "2.5" << QString();
    QTest::newRow("height - above the bottom") << "Command5" << "deckHeight" << "1.5" << "1" << QString();
    QTest::newRow("height - at the bottom") << "Command5" << "deckHeight" << "1" << "1" << hLow;
    QTest::newRow("A + letters") << "Command7" << "deckLength" << "abc" << "abc" << QString();
    QTest::newRow("A - empty") << "Command8" << "deckLength" << "" << "" << QString();
    QTest::newRow("B + with a unit") << "Command10" << "deckWidth" << "12ft" << "12ft" << QString();
    QTest::newRow("height - letters") << "Command5" << "deckHeight" << "x" << "x" << QString();
}

void TestWiz3D1::stepButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QString, message);
    ShapePage s;
    s.browse(1); // the rectangle: A and B go their own ways
    s.focusAway();
    s.box(box)->setText(before);
    const QStringList others = s.texts();

    QTest::mouseClick(s.button(button), Qt::LeftButton);

    QCOMPARE(s.box(box)->text(), after);
    QCOMPARE(s.t.messages.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
    for (const auto &m : s.t.messages.shown) {
        QCOMPARE(m.icon, MessageBoxes::Icon::None);
        QCOMPARE(m.title, QStringLiteral("Plankora Joistmaster"));
        QCOMPARE(m.page, QStringLiteral("Wiz_3D_1"));
    }
    // Off the square a step touches its own box only.
    QStringList expected = others;
    expected[QStringList{"deckLength", "deckWidth", "deckHeight"}.indexOf(box)] = after;
    QCOMPARE(s.texts(), expected);
}

void TestWiz3D1::heightStepsDownToOneFoot()
{
    ShapePage s;
    QStringList seen;
    for (int i = 0; i < 5; ++i) {
        QTest::mouseClick(s.page->Command5, Qt::LeftButton);
        seen << s.page->deckHeight->text();
    }
    QCOMPARE(seen, (QStringList{"2.5", "2", "1.5", "1", "1"}));
    QCOMPARE(s.t.messages.texts(), QStringList{QStringLiteral("Deck height can not be less than 1 foot.")});
    // Leaving the box with a stepped height under 3 repairs it.
    s.page->deckHeight->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(s.page->deckHeight, Qt::Key_Tab);
    QCOMPARE(s.t.messages.texts().last(), QStringLiteral("The deck height can not be less than 3 feet."));
    QCOMPARE(s.page->deckHeight->text(), QStringLiteral("3"));
}

void TestWiz3D1::focusChecks_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("texts"); // A, B, height afterwards
    QTest::addColumn<QString>("focus");     // where the focus is afterwards
    const QString aLow = QStringLiteral("The deck Width can not be less than 10 feet.");
    const QString aHigh = QStringLiteral("The deck Width can not exceed 99 feet.");
    const QString bLow = QStringLiteral("The deck Length can not be less than 10 feet.");
    const QString bHigh = QStringLiteral("The deck Length can not exceed 99 feet.");
    const QString hLow = QStringLiteral("The deck height can not be less than 3 feet.");
    const QString hHigh = QStringLiteral("The deck height can not exceed 6 feet.");
    // On the rectangle (shape 2) A is "20" and B "10" before typing; Tab goes A -> B -> height -> Next.
    QTest::newRow("A too high") << 2 << "deckLength" << "150" << QStringList{aHigh} << QStringList{"99", "10", "3"} << "deckWidth";
    QTest::newRow("A just above") << 2 << "deckLength" << "99.5" << QStringList{aHigh} << QStringList{"99", "10", "3"} << "deckWidth";
    QTest::newRow("A top passes") << 2 << "deckLength" << "99" << QStringList{} << QStringList{"99", "10", "3"} << "deckWidth";
    QTest::newRow("A bottom passes") << 2 << "deckLength" << "10" << QStringList{} << QStringList{"10", "10", "3"} << "deckWidth";
    QTest::newRow("A too low") << 2 << "deckLength" << "9.5" << QStringList{aLow} << QStringList{"10", "10", "3"} << "deckWidth";
    QTest::newRow("A negative") << 2 << "deckLength" << "-20" << QStringList{aLow} << QStringList{"10", "10", "3"} << "deckWidth";
    QTest::newRow("A empty") << 2 << "deckLength" << "" << QStringList{aLow} << QStringList{"10", "10", "3"} << "deckWidth";
    QTest::newRow("A letters") << 2 << "deckLength" << "abc" << QStringList{aLow} << QStringList{"10", "10", "3"} << "deckWidth";
    QTest::newRow("A with a unit") << 2 << "deckLength" << "12ft" << QStringList{aLow} << QStringList{"10", "10", "3"} << "deckWidth";
    QTest::newRow("A two points") << 2 << "deckLength" << "1.2.3" << QStringList{aLow} << QStringList{"10", "10", "3"} << "deckWidth";
    QTest::newRow("A trailing zero kept") << 2 << "deckLength" << "20.0" << QStringList{} << QStringList{"20.0", "10", "3"} << "deckWidth";
    QTest::newRow("A leading blank kept") << 2 << "deckLength" << " 20" << QStringList{} << QStringList{" 20", "10", "3"} << "deckWidth";
    QTest::newRow("A exponent kept") << 2 << "deckLength" << "1e1" << QStringList{} << QStringList{"1e1", "10", "3"} << "deckWidth";
    QTest::newRow("B too low") << 2 << "deckWidth" << "9" << QStringList{bLow} << QStringList{"20", "10", "3"} << "deckHeight";
    QTest::newRow("B too high") << 2 << "deckWidth" << "100" << QStringList{bHigh} << QStringList{"20", "99", "3"} << "deckHeight";
    QTest::newRow("B passes") << 2 << "deckWidth" << "12.5" << QStringList{} << QStringList{"20", "12.5", "3"} << "deckHeight";
    QTest::newRow("B letters") << 2 << "deckWidth" << "ten" << QStringList{bLow} << QStringList{"20", "10", "3"} << "deckHeight";
    QTest::newRow("height too low") << 2 << "deckHeight" << "2.5" << QStringList{hLow} << QStringList{"20", "10", "3"} << "deckHeight";
    QTest::newRow("height too high goes to 3") << 2 << "deckHeight" << "7" << QStringList{hHigh} << QStringList{"20", "10", "3"} << "deckHeight";
    QTest::newRow("height just above") << 2 << "deckHeight" << "6.5" << QStringList{hHigh} << QStringList{"20", "10", "3"} << "deckHeight";
    QTest::newRow("height top passes") << 2 << "deckHeight" << "6" << QStringList{} << QStringList{"20", "10", "6"} << "Command1";
    QTest::newRow("height bottom passes") << 2 << "deckHeight" << "3" << QStringList{} << QStringList{"20", "10", "3"} << "Command1";
    QTest::newRow("height empty") << 2 << "deckHeight" << "" << QStringList{hLow} << QStringList{"20", "10", "3"} << "deckHeight";
    QTest::newRow("height letters") << 2 << "deckHeight" << "high" << QStringList{hLow} << QStringList{"20", "10", "3"} << "deckHeight";
    // On the square the box left gives its text to the other.
    QTest::newRow("square: A too high") << 1 << "deckLength" << "150" << QStringList{aHigh} << QStringList{"99", "99", "3"} << "deckWidth";
    QTest::newRow("square: A letters") << 1 << "deckLength" << "x" << QStringList{aLow} << QStringList{"10", "10", "3"} << "deckWidth";
    QTest::newRow("square: B passes") << 1 << "deckWidth" << "30" << QStringList{} << QStringList{"30", "30", "3"} << "deckHeight";
    QTest::newRow("square: B too low") << 1 << "deckWidth" << "5" << QStringList{bLow} << QStringList{"10", "10", "3"} << "deckHeight";
    QTest::newRow("square: height leaves A and B") << 1 << "deckHeight" << "5" << QStringList{} << QStringList{"20", "20", "5"} << "Command1";
}

void TestWiz3D1::focusChecks()
{
    QFETCH(int, shape);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, texts);
    QFETCH(QString, focus);
    ShapePage s;
    s.browse(shape - 1);
    s.type(s.box(box), typed);
    QCOMPARE(s.box(box)->text(), typed);

    QTest::keyClick(s.box(box), Qt::Key_Tab);

    QCOMPARE(s.t.messages.texts(), messages);
    for (const auto &m : s.t.messages.shown) {
        QCOMPARE(m.icon, MessageBoxes::Icon::None);
        QCOMPARE(m.title, QStringLiteral("Plankora Joistmaster"));
    }
    QCOMPARE(s.texts(), texts);
    QCOMPARE(s.focused(), focus);
    if (focus == QLatin1String("deckHeight") && box == focus && !messages.isEmpty())
        QCOMPARE(s.page->deckHeight->selectedText(), QStringLiteral("3")); // typing replaces it
}

void TestWiz3D1::checkRunsOnlyWhenTheBoxIsLeft()
{
    ShapePage s;
    s.type(s.page->deckHeight, QStringLiteral("9"));
    // A message box or another program taking the focus is not leaving the box.
    QWidget elsewhere;
    TestWizard::activate(&elsewhere);
    TestWizard::activate(s.page);
    QVERIFY(s.t.messages.shown.empty());
    QCOMPARE(s.page->deckHeight->text(), QStringLiteral("9"));
    QVERIFY(s.page->deckHeight->hasFocus());
    // Being repaired and taking the focus back runs the check once only.
    QTest::keyClick(s.page->deckHeight, Qt::Key_Tab);
    QCOMPARE(s.t.messages.texts(), QStringList{QStringLiteral("The deck height can not exceed 6 feet.")});
    QTest::keyClick(s.page->deckHeight, Qt::Key_Tab);
    QCOMPARE(s.t.messages.shown.size(), std::size_t(1));
    QCOMPARE(s.focused(), QStringLiteral("Command1"));
}

void TestWiz3D1::squareRuleFollowsEveryAAndBAction_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("messages");
    QTest::newRow("A + copies A") << "Command7" << "30" << "12" << QStringList{"30.5", "30.5", "3"} << 0;
    QTest::newRow("A - copies A") << "Command8" << "30" << "12" << QStringList{"29.5", "29.5", "3"} << 0;
    QTest::newRow("B + copies B") << "Command10" << "30" << "12" << QStringList{"12.5", "12.5", "3"} << 0;
    QTest::newRow("B - copies B") << "Command9" << "30" << "12" << QStringList{"11.5", "11.5", "3"} << 0;
    QTest::newRow("refused A + copies A too") << "Command7" << "99" << "50" << QStringList{"99", "99", "3"} << 1;
    QTest::newRow("refused B - copies B too") << "Command9" << "50" << "10" << QStringList{"10", "10", "3"} << 1;
    QTest::newRow("height steps leave A and B") << "Command3" << "30" << "12" << QStringList{"30", "12", "3.5"} << 0;
    QTest::newRow("a step on letters copies nothing") << "Command7" << "abc" << "12" << QStringList{"abc", "12", "3"} << 0;
}

void TestWiz3D1::squareRuleFollowsEveryAAndBAction()
{
    QFETCH(QString, button);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QStringList, texts);
    QFETCH(int, messages);
    ShapePage s;
    s.focusAway();
    s.page->deckLength->setText(a);
    s.page->deckWidth->setText(b);
    QTest::mouseClick(s.button(button), Qt::LeftButton);
    QCOMPARE(s.texts(), texts);
    QCOMPARE(int(s.t.messages.shown.size()), messages);

    // Off the square the other box is left alone.
    ShapePage r;
    r.browse(1);
    r.focusAway();
    r.page->deckLength->setText(QStringLiteral("30"));
    r.page->deckWidth->setText(QStringLiteral("12"));
    QTest::mouseClick(r.page->Command7, Qt::LeftButton);
    QCOMPARE(r.texts(), (QStringList{"30.5", "12", "3"}));
}

void TestWiz3D1::enteringABoxSelectsItsText()
{
    ShapePage s;
    s.page->deckLength->setFocus(Qt::OtherFocusReason);
    s.page->deckWidth->setText(QStringLiteral("37.5"));
    QTest::keyClick(s.page->deckLength, Qt::Key_Tab);
    QVERIFY(s.page->deckWidth->hasFocus());
    QCOMPARE(s.page->deckWidth->selectionStart(), 0);
    QCOMPARE(s.page->deckWidth->selectedText(), QStringLiteral("20")); // the square rule copied A in
    QTest::keyClicks(s.page->deckWidth, QStringLiteral("42"));
    QCOMPARE(s.page->deckWidth->text(), QStringLiteral("42"));
    QTest::keyClick(s.page->deckWidth, Qt::Key_Tab);
    QVERIFY(s.page->deckHeight->hasFocus());
    QCOMPARE(s.page->deckHeight->selectedText(), QStringLiteral("3"));
    QCOMPARE(s.page->deckLength->text(), QStringLiteral("42"));
}

void TestWiz3D1::nextWritesTheHandOff_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QStringList>("typed"); // A, B, height; empty: left as browsing set them
    QTest::addColumn<QByteArray>("deckType");
    QTest::addColumn<QString>("deckFile");
    QTest::addColumn<QByteArray>("deckLines");
    QTest::addColumn<QByteArray>("sizes");
    QTest::newRow("square, initial texts") << 1 << QStringList{} << QByteArray("\x20\x31\x20\x0D\x0A")
                                           << "Deck_Rectangle.txt" << dimensions("20", "20", "3")
                                           << QByteArray("20\r\n20\r\n3\r\n");
    QTest::newRow("rectangle") << 2 << QStringList{} << QByteArray(" 2 \r\n") << "Deck_Rectangle.txt"
                               << dimensions("20", "10", "3") << QByteArray("10\r\n20\r\n3\r\n");
    QTest::newRow("L-shape after browsing") << 3 << QStringList{} << QByteArray("\x20\x33\x20\x0D\x0A")
                                            << "Deck_L-Shape.txt" << dimensions("20", "10", "3")
                                            << QByteArray("10\r\n20\r\n3\r\n");
    QTest::newRow("L-shape 6") << 6 << QStringList{} << QByteArray(" 6 \r\n") << "Deck_L-Shape.txt"
                               << dimensions("20", "10", "3") << QByteArray("10\r\n20\r\n3\r\n");
    QTest::newRow("both corners cut") << 7 << QStringList{} << QByteArray(" 7 \r\n") << "Deck_Slice2.txt"
                                      << dimensions("20", "10", "3") << QByteArray("10\r\n20\r\n3\r\n");
    QTest::newRow("lower right cut") << 8 << QStringList{} << QByteArray(" 8 \r\n") << "Deck_Slice.txt"
                                     << dimensions("20", "10", "3") << QByteArray("10\r\n20\r\n3\r\n");
    QTest::newRow("lower left cut") << 9 << QStringList{} << QByteArray(" 9 \r\n") << "Deck_Slice.txt"
                                    << dimensions("20", "10", "3") << QByteArray("10\r\n20\r\n3\r\n");
    QTest::newRow("typed 20.0 and 12.5") << 2 << QStringList{"20.0", "12.5", "4.5"} << QByteArray(" 2 \r\n")
                                         << "Deck_Rectangle.txt" << dimensions("20.0", "12.5", "4.5")
                                         << QByteArray("12.5\r\n20.0\r\n4.5\r\n");
    QTest::newRow("square typed 20.5") << 1 << QStringList{"20.5", "", "6"} << QByteArray(" 1 \r\n")
                                       << "Deck_Rectangle.txt" << dimensions("20.5", "20.5", "6")
                                       << QByteArray("20.5\r\n20.5\r\n6\r\n");
}

void TestWiz3D1::nextWritesTheHandOff()
{
    QFETCH(int, shape);
    QFETCH(QStringList, typed);
    QFETCH(QByteArray, deckType);
    QFETCH(QString, deckFile);
    QFETCH(QByteArray, deckLines);
    QFETCH(QByteArray, sizes);
    ShapePage s;
    s.browse(shape - 1);
    const QList<QLineEdit *> boxes{s.page->deckLength, s.page->deckWidth, s.page->deckHeight};
    for (int i = 0; i < typed.size(); ++i)
        if (!typed[i].isEmpty())
            s.type(boxes[i], typed[i]);

    QTest::mouseClick(s.page->Command1, Qt::LeftButton);

    QVERIFY(s.t.messages.shown.empty());
    QCOMPARE(s.t.read(QStringLiteral("DeckType.txt")), deckType);
    QCOMPARE(s.t.read(deckFile), deckLines);
    QCOMPARE(s.t.read(QStringLiteral("Sizes.txt")), sizes);
    QStringList expected{QStringLiteral("DeckType.txt"), deckFile, QStringLiteral("Sizes.txt")};
    expected.sort();
    QCOMPARE(QDir(s.t.folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    QCOMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_Post")});
    QCOMPARE(s.page->shapeNumber, qint16(shape));
}

void TestWiz3D1::nextTwiceRewritesTheDeckFile()
{
    ShapePage s;
    s.browse(1);
    QTest::mouseClick(s.page->Command1, Qt::LeftButton);
    auto *post = s.t.page<Wiz_3D_Post>(PageId::Wiz_3D_Post);
    QTest::mouseClick(post->Command4, Qt::LeftButton);
    QCOMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_1")});
    s.type(s.page->deckLength, QStringLiteral("30"));
    QTest::mouseClick(s.page->Command1, Qt::LeftButton);
    QCOMPARE(s.t.read(QStringLiteral("Deck_Rectangle.txt")), dimensions("30", "10", "3"));
    QCOMPARE(s.t.read(QStringLiteral("Sizes.txt")), QByteArray("10\r\n30\r\n3\r\n"));
}

void TestWiz3D1::eachShapeKeepsItsOwnDeckFile()
{
    ShapePage s;
    s.browse(1);
    QTest::mouseClick(s.page->Command1, Qt::LeftButton);
    QTest::mouseClick(s.t.page<Wiz_3D_Post>(PageId::Wiz_3D_Post)->Command4, Qt::LeftButton);
    s.browse(1);
    s.type(s.page->deckLength, QStringLiteral("25"));
    QTest::mouseClick(s.page->Command1, Qt::LeftButton);
    QCOMPARE(s.t.read(QStringLiteral("Deck_Rectangle.txt")), dimensions("20", "10", "3"));
    QCOMPARE(s.t.read(QStringLiteral("Deck_L-Shape.txt")), dimensions("25", "10", "3"));
    QCOMPARE(s.t.read(QStringLiteral("DeckType.txt")), QByteArray(" 3 \r\n"));
    QCOMPARE(s.t.read(QStringLiteral("Sizes.txt")), QByteArray("10\r\n25\r\n3\r\n"));
}

void TestWiz3D1::checkRunsBeforeNext_data()
{
    QTest::addColumn<bool>("accessKey");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("sizes");
    QTest::newRow("click after A 150") << false << "deckLength" << "150" << "The deck Width can not exceed 99 feet."
                                       << QByteArray("99\r\n99\r\n3\r\n");
    QTest::newRow("Alt+N after A 150") << true << "deckLength" << "150" << "The deck Width can not exceed 99 feet."
                                       << QByteArray("99\r\n99\r\n3\r\n");
    QTest::newRow("click after B letters") << false << "deckWidth" << "wide" << "The deck Length can not be less than 10 feet."
                                           << QByteArray("10\r\n10\r\n3\r\n");
    QTest::newRow("click after height 7") << false << "deckHeight" << "7" << "The deck height can not exceed 6 feet."
                                          << QByteArray("20\r\n20\r\n3\r\n");
    QTest::newRow("Alt+N after height 0") << true << "deckHeight" << "0" << "The deck height can not be less than 3 feet."
                                          << QByteArray("20\r\n20\r\n3\r\n");
}

void TestWiz3D1::checkRunsBeforeNext()
{
    QFETCH(bool, accessKey);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QByteArray, sizes);
    ShapePage s;
    s.type(s.box(box), typed);
    if (accessKey)
        QTest::keyClick(s.page, Qt::Key_N, Qt::AltModifier);
    else
        QTest::mouseClick(s.page->Command1, Qt::LeftButton);
    QTRY_COMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_Post")});
    QCOMPARE(s.t.messages.texts(), QStringList{message});
    QCOMPARE(s.t.read(QStringLiteral("Sizes.txt")), sizes);
}

void TestWiz3D1::aFailedWriteKeepsTheUserHere()
{
    ShapePage s;
    QTest::mouseClick(s.page->Command1, Qt::LeftButton);
    auto *post = s.t.page<Wiz_3D_Post>(PageId::Wiz_3D_Post);
    QTest::mouseClick(post->Command4, Qt::LeftButton);
    s.browse(2);
    s.type(s.page->deckLength, QStringLiteral("30"));
    // A folder where the L-shape's file should go: it cannot be written.
    QVERIFY(QDir(s.t.folder.path()).mkdir(QStringLiteral("Deck_L-Shape.txt")));

    QTest::mouseClick(s.page->Command1, Qt::LeftButton);

    QCOMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_1")});
    QCOMPARE(s.t.messages.shown.size(), std::size_t(1));
    const RecordedMessage &m = s.t.messages.shown.front();
    QCOMPARE(m.icon, MessageBoxes::Icon::Stop);
    QCOMPARE(m.title, QStringLiteral("Plankora Joistmaster"));
    QCOMPARE(m.page, QStringLiteral("Wiz_3D_1"));
    const QString start = QStringLiteral("Could not write the file \"Deck_L-Shape.txt\" in the folder \"%1\": ")
                              .arg(QDir::toNativeSeparators(s.t.folder.path()));
    QVERIFY2(m.text.startsWith(start) && m.text.size() > start.size() + 1, qPrintable(m.text));
    // The earlier Next's files are whole; the sizes are not yet rewritten.
    QCOMPARE(s.t.read(QStringLiteral("Deck_Rectangle.txt")), dimensions("20", "20", "3"));
    QCOMPARE(s.t.read(QStringLiteral("Sizes.txt")), QByteArray("20\r\n20\r\n3\r\n"));
    QCOMPARE(s.t.end.count, 0);

    // With the way cleared, Next goes through.
    QVERIFY(QDir(s.t.folder.path()).rmdir(QStringLiteral("Deck_L-Shape.txt")));
    QTest::mouseClick(s.page->Command1, Qt::LeftButton);
    QCOMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_Post")});
    QCOMPARE(s.t.read(QStringLiteral("Deck_L-Shape.txt")), dimensions("30", "10", "3"));
    QCOMPARE(s.t.read(QStringLiteral("DeckType.txt")), QByteArray(" 3 \r\n"));
    QCOMPARE(s.t.read(QStringLiteral("Sizes.txt")), QByteArray("10\r\n30\r\n3\r\n"));
}

void TestWiz3D1::valuesSurviveBackAndNext()
{
    ShapePage s;
    s.browse(4);
    s.type(s.page->deckLength, QStringLiteral("45.5"));
    s.type(s.page->deckWidth, QStringLiteral("15"));
    s.type(s.page->deckHeight, QStringLiteral("4"));
    QTest::mouseClick(s.page->Command11, Qt::LeftButton);
    QCOMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_1")});
    TestWizard::activate(s.t.page<WizardPage>(PageId::Wiz_1));
    s.t.open<Wiz_3D_1>(PageId::Wiz_3D_1);
    QCOMPARE(s.t.page<Wiz_3D_1>(PageId::Wiz_3D_1), s.page);
    QCOMPARE(s.page->shapeNumber, qint16(5));
    QVERIFY(showsBitmap(s.page->Picture2, 105));
    QCOMPARE(s.texts(), (QStringList{"45.5", "15", "4"}));
    // Through the post page and back again.
    QTest::mouseClick(s.page->Command1, Qt::LeftButton);
    QTest::mouseClick(s.t.page<Wiz_3D_Post>(PageId::Wiz_3D_Post)->Command4, Qt::LeftButton);
    QCOMPARE(s.page->shapeNumber, qint16(5));
    QCOMPARE(s.texts(), (QStringList{"45.5", "15", "4"}));
}

void TestWiz3D1::backCancelEscapeAndEnter()
{
    {
        ShapePage s;
        s.type(s.page->deckLength, QStringLiteral("33"));
        QTest::mouseClick(s.page->Command11, Qt::LeftButton);
        QCOMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_1")});
        QVERIFY(QDir(s.t.folder.path()).entryList(QDir::Files).isEmpty()); // Back writes nothing
        QCOMPARE(s.t.end.count, 0);
    }
    {
        ShapePage s;
        s.page->deckLength->setFocus(Qt::OtherFocusReason);
        // Enter presses no button here.
        QTest::keyClick(s.page->deckLength, Qt::Key_Return);
        QCOMPARE(s.t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_1")});
        QCOMPARE(s.page->shapeNumber, qint16(1));
        QCOMPARE(s.t.end.count, 0);
        QTest::keyClick(s.page->deckLength, Qt::Key_Escape);
        QCOMPARE(s.t.end.count, 1);
        QVERIFY(QDir(s.t.folder.path()).entryList(QDir::Files).isEmpty());
    }
    {
        ShapePage s;
        const auto calls = s.t.host.journal().size();
        s.focusAway();
        QTest::mouseClick(s.page->Command6, Qt::LeftButton);
        QCOMPARE(s.t.end.count, 1);
        QCOMPARE(s.t.host.journal().size(), calls);
        QVERIFY(s.t.messages.shown.empty());
        QVERIFY(QDir(s.t.folder.path()).entryList(QDir::Files).isEmpty());
    }
}

QTEST_MAIN(TestWiz3D1)
#include "tst_wiz_3d_1.moc"
