// The three later pages of the 3D road: post and decking size, joist and beam
// size, viewing options. Their layouts, option groups, the joist and beam
// defaults and reminder, the way back and on, and the keys.
#include "layoutcheck.h"
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

using namespace layout;

namespace {

QString checkedOf(QWidget *page, const QStringList &options)
{
    QString on;
    for (const QString &name : options)
        if (page->findChild<QRadioButton *>(name)->isChecked())
            on += (on.isEmpty() ? QString() : QStringLiteral(" ")) + name;
    return on;
}

const QStringList PostOptions{"Option1", "Option2", "Option3", "Option4", "Option5"};
const QStringList ViewOptions{"Option1", "Option2", "Option3"};

// Leaves the focused combo box the way the keyboard does.
void typeInto(QComboBox *box, const QString &text)
{
    box->setFocus(Qt::OtherFocusReason);
    box->lineEdit()->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

} // namespace

class TestWiz3DPages : public QObject {
    Q_OBJECT
private slots:
    void postLayout();
    void joistAndBeamLayout();
    void shadingLayout();
    void postGroupsAreIndependent_data();
    void postGroupsAreIndependent();
    void viewingOptionsAreOneGroup_data();
    void viewingOptionsAreOneGroup();
    void joistAndBeamStartAtTheSmallestSize();
    void loadFillsOnlyEmptySizes();
    void emptyJoistSizeIsRemindedEachTimeButNotHeld();
    void typedSizesStayAsTyped_data();
    void typedSizesStayAsTyped();
    void roadForwardAndBack();
    void everyPageKeepsItsValues();
    void finishIsWiredToTheFinish();
    void enterPressesOnlyShadingsBack_data();
    void enterPressesOnlyShadingsBack();
    void escapeCancelsEverywhere_data();
    void escapeCancelsEverywhere();
};

void TestWiz3DPages::postLayout()
{
    TestWizard t;
    check(t.open<Wiz_3D_Post>(PageId::Wiz_3D_Post),
          {"Wiz_3D_Post", QStringLiteral("Joistmaster . . . Post and Decking Size"), 6792, 4032, false,
           {
               {"Option5", Kind::Option, nullptr, "5/4x6 Decking", {3720, 3000, 1695, 252}, 14, Bold | Selected},
               {"Option4", Kind::Option, nullptr, "2x6 Decking", {3720, 2760, 1692, 252}, 13, Bold},
               {"Option3", Kind::Option, nullptr, "2x4 Decking", {3720, 2520, 1695, 252}, 12, Bold},
               {"Command4", Kind::Button, nullptr, "<< &Back", {3240, 3600, 1125, 345}, 1},
               {"Command9", Kind::Button, nullptr, "&Next  >>", {4440, 3600, 1125, 345}, 0},
               {"Command2", Kind::Button, nullptr, "&Cancel", {120, 3600, 1125, 345}, 2},
               {"Picture3", Kind::PictureBox, nullptr, {}, {3360, 360, 1572, 1692}, 7},
               {"Picture2", Kind::PictureBox, nullptr, {}, {480, 360, 1572, 1692}, 6},
               {"Picture1", Kind::PictureBox, nullptr, {}, {5760, 240, 744, 2472}, 3},
               {"Frame1", Kind::Frame, nullptr, {}, {120, 120, 2775, 3255}, 5},
               {"Option2", Kind::Option, "Frame1", "6\" Square Posts", {360, 2880, 1935, 252}, 11, Bold},
               {"Option1", Kind::Option, "Frame1", "4\" Square Posts", {360, 2520, 1935, 252}, 10, Bold | Selected},
               {"Frame2", Kind::Frame, nullptr, {}, {3000, 120, 2655, 3255}, 4},
           }});
}

void TestWiz3DPages::joistAndBeamLayout()
{
    TestWizard t;
    auto *page = t.open<Wiz_3D_2>(PageId::Wiz_3D_2);
    // The layout's empty texts, before the load fills them.
    for (QComboBox *box : {page->JoistSize, page->BeamSize})
        box->setEditText(QString());
    check(page, {"Wiz_3D_2", QStringLiteral("Joistmaster . . . Joist and Beam Size"), 6792, 4032, true,
                 {
                     {"JoistSize", Kind::ComboBox, nullptr, {}, {960, 2880, 1215, 315}, 0},
                     {"BeamSize", Kind::ComboBox, nullptr, {}, {3840, 2880, 1215, 315}, 1},
                     {"Command4", Kind::Button, nullptr, "<< &Back", {3240, 3600, 1125, 345}, 3},
                     {"Command9", Kind::Button, nullptr, "&Next  >>", {4440, 3600, 1125, 345}, 2},
                     {"Command2", Kind::Button, nullptr, "&Cancel", {120, 3600, 1125, 345}, 4},
                     {"Picture3", Kind::PictureBox, nullptr, {}, {3360, 480, 1728, 1728}, 11},
                     {"Picture2", Kind::PictureBox, nullptr, {}, {480, 480, 1728, 1728}, 10},
                     {"Picture1", Kind::PictureBox, nullptr, {}, {5760, 240, 744, 2472}, 7},
                     {"Frame1", Kind::Frame, nullptr, {}, {120, 120, 2775, 3255}, 9},
                     {"Label2", Kind::Label, "Frame1", "Joist Size", {840, 2520, 1215, 255}, 6, Bold | Centred},
                     {"Frame2", Kind::Frame, nullptr, {}, {3000, 120, 2655, 3255}, 8},
                     {"Label3", Kind::Label, "Frame2", "Beam Size", {840, 2520, 1215, 255}, 5, Bold | Centred},
                 }});
    const QStringList list{"2 X 6", "2 X 8", "2 X 10"};
    for (QComboBox *box : {page->JoistSize, page->BeamSize}) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        QCOMPARE(items, list);
        QVERIFY(!box->completer());
    }
    QCOMPARE(page->JoistSize->accessibleName(), QStringLiteral("Joist Size"));
    QCOMPARE(page->BeamSize->accessibleName(), QStringLiteral("Beam Size"));
}

void TestWiz3DPages::shadingLayout()
{
    TestWizard t;
    auto *page = t.open<Shading>(PageId::Shading);
    check(page, {"Shading", QStringLiteral("Joistmaster . . . Viewing Options"), 6780, 4020, true,
                 {
                     {"Option3", Kind::Option, nullptr, "Shaded", {4320, 2640, 972, 372}, 12, Bold},
                     {"Option2", Kind::Option, nullptr, "Hidden Line", {2160, 2640, 1452, 372}, 11, Bold},
                     {"Option1", Kind::Option, nullptr, "Wireframe", {360, 2640, 1212, 372}, 10, Bold | Selected},
                     {"Picture1(2)", Kind::PictureBox, nullptr, {}, {4080, 360, 1452, 1932}, 6},
                     {"Picture1(1)", Kind::PictureBox, nullptr, {}, {240, 360, 1452, 1932}, 5},
                     {"Picture1(0)", Kind::PictureBox, nullptr, {}, {2160, 360, 1452, 1932}, 4},
                     {"Command11", Kind::Button, nullptr, "<< &Back", {3240, 3600, 1125, 345}, 1},
                     {"Picture3", Kind::PictureBox, nullptr, {}, {5760, 240, 744, 2472}, 3},
                     {"Command6", Kind::Button, nullptr, "&Cancel", {120, 3600, 1125, 345}, 2},
                     {"Command1", Kind::Button, nullptr, "&Finish >>", {4440, 3600, 1125, 345}, 0},
                     {"Frame1", Kind::Frame, nullptr, {}, {120, 120, 1692, 3255}, 7},
                     {"Label1", Kind::Label, "Frame1", "( fastest )", {480, 2880, 855, 255}, 13},
                     {"Frame2", Kind::Frame, nullptr, {}, {2040, 120, 1692, 3255}, 9},
                     {"Label2", Kind::Label, "Frame2", "( slower )", {480, 2880, 855, 255}, 14},
                     {"Frame4", Kind::Frame, nullptr, {}, {3960, 120, 1692, 3255}, 8},
                     {"Label3", Kind::Label, "Frame4", "( slowest )", {480, 2880, 975, 255}, 15},
                 }});
    // The array's members by index: hidden line, wireframe, shaded.
    QCOMPARE(page->Picture1[0]->objectName(), QStringLiteral("Picture1(0)"));
    QCOMPARE(page->Picture1[1]->objectName(), QStringLiteral("Picture1(1)"));
    QCOMPARE(page->Picture1[2]->objectName(), QStringLiteral("Picture1(2)"));
    QVERIFY(page->Picture1[1]->x() < page->Picture1[0]->x());
    QVERIFY(page->Picture1[0]->x() < page->Picture1[2]->x());
}

void TestWiz3DPages::postGroupsAreIndependent_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("checked");
    QTest::newRow("untouched") << QStringList{} << "Option1 Option5";
    QTest::newRow("6-inch posts") << QStringList{"Option2"} << "Option2 Option5";
    QTest::newRow("2x6 decking") << QStringList{"Option4"} << "Option1 Option4";
    QTest::newRow("2x4 decking, then 6-inch posts") << QStringList{"Option3", "Option2"} << "Option2 Option3";
    QTest::newRow("6-inch posts, then 2x6, then 4-inch") << QStringList{"Option2", "Option4", "Option1"} << "Option1 Option4";
    QTest::newRow("decking twice") << QStringList{"Option3", "Option5"} << "Option1 Option5";
}

void TestWiz3DPages::postGroupsAreIndependent()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, checked);
    TestWizard t;
    auto *page = t.open<Wiz_3D_Post>(PageId::Wiz_3D_Post);
    for (const QString &name : clicks)
        QTest::mouseClick(page->findChild<QRadioButton *>(name), Qt::LeftButton, {}, QPoint(6, 6));
    QCOMPARE(checkedOf(page, PostOptions), checked);
}

void TestWiz3DPages::viewingOptionsAreOneGroup_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("checked");
    QTest::newRow("untouched") << QStringList{} << "Option1";
    QTest::newRow("hidden line") << QStringList{"Option2"} << "Option2";
    QTest::newRow("shaded") << QStringList{"Option3"} << "Option3";
    QTest::newRow("shaded, then wireframe") << QStringList{"Option3", "Option1"} << "Option1";
}

void TestWiz3DPages::viewingOptionsAreOneGroup()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, checked);
    TestWizard t;
    auto *page = t.open<Shading>(PageId::Shading);
    for (const QString &name : clicks)
        QTest::mouseClick(page->findChild<QRadioButton *>(name), Qt::LeftButton, {}, QPoint(6, 6));
    QCOMPARE(checkedOf(page, ViewOptions), checked);
    QVERIFY(t.messages.shown.empty());
}

void TestWiz3DPages::joistAndBeamStartAtTheSmallestSize()
{
    TestWizard t;
    auto *page = t.open<Wiz_3D_2>(PageId::Wiz_3D_2);
    QCOMPARE(page->JoistSize->currentText(), QStringLiteral("2 X 6"));
    QCOMPARE(page->BeamSize->currentText(), QStringLiteral("2 X 6"));
    QVERIFY(t.messages.shown.empty());
}

void TestWiz3DPages::loadFillsOnlyEmptySizes()
{
    TestWizard t;
    WizardContext context{t.folder.path(), &t.host, &t.messages, &t.end, &t.wizard};
    Wiz_3D_2 page(context);
    QCOMPARE(page.JoistSize->currentText(), QString());
    QCOMPARE(page.BeamSize->currentText(), QString());
    page.BeamSize->setEditText(QStringLiteral("2 X 10"));
    page.load();
    QCOMPARE(page.BeamSize->currentText(), QStringLiteral("2 X 10"));
    QCOMPARE(page.JoistSize->currentText(), QStringLiteral("2 X 6"));
}

void TestWiz3DPages::emptyJoistSizeIsRemindedEachTimeButNotHeld()
{
    TestWizard t;
    auto *page = t.open<Wiz_3D_2>(PageId::Wiz_3D_2);
    const QString reminder = QStringLiteral("Please choose a joist size.");
    typeInto(page->JoistSize, QString());
    QTest::keyClick(page->JoistSize, Qt::Key_Tab);
    QCOMPARE(t.messages.texts(), QStringList{reminder});
    QCOMPARE(t.messages.shown.front().icon, MessageBoxes::Icon::None);
    QCOMPARE(t.messages.shown.front().title, QStringLiteral("Plankora Joistmaster"));
    QVERIFY(page->BeamSize->hasFocus());
    QCOMPARE(page->JoistSize->currentText(), QString());

    // An empty beam size says nothing.
    typeInto(page->BeamSize, QString());
    QTest::keyClick(page->BeamSize, Qt::Key_Tab);
    QCOMPARE(t.messages.shown.size(), std::size_t(1));

    // Each time it is left empty; a click on Next still goes on.
    page->JoistSize->setFocus(Qt::OtherFocusReason);
    QTest::mouseClick(page->Command9, Qt::LeftButton);
    QCOMPARE(t.messages.texts(), (QStringList{reminder, reminder}));
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Shading")});
    QCOMPARE(page->JoistSize->currentText(), QString());
    QCOMPARE(page->BeamSize->currentText(), QString());

    // The list opening is not leaving the box.
    QTest::mouseClick(t.open<Shading>(PageId::Shading)->Command11, Qt::LeftButton);
    TestWizard::activate(page);
    page->JoistSize->setFocus(Qt::OtherFocusReason);
    page->JoistSize->showPopup();
    page->JoistSize->hidePopup();
    QCOMPARE(t.messages.shown.size(), std::size_t(2));
}

void TestWiz3DPages::typedSizesStayAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("small x") << "2 x 6";
    QTest::newRow("not in the list") << "2 X 12";
    QTest::newRow("start of an entry") << "2 X 1";
    QTest::newRow("free text") << "4x4 cedar";
}

void TestWiz3DPages::typedSizesStayAsTyped()
{
    QFETCH(QString, typed);
    TestWizard t;
    auto *page = t.open<Wiz_3D_2>(PageId::Wiz_3D_2);
    typeInto(page->JoistSize, typed);
    QTest::keyClick(page->JoistSize, Qt::Key_Tab);
    typeInto(page->BeamSize, typed);
    QTest::mouseClick(page->Command9, Qt::LeftButton);
    QCOMPARE(page->JoistSize->currentText(), typed);
    QCOMPARE(page->BeamSize->currentText(), typed);
    QCOMPARE(page->JoistSize->count(), 3); // nothing added to the list
    QVERIFY(t.messages.shown.empty());
}

void TestWiz3DPages::roadForwardAndBack()
{
    TestWizard t;
    t.start();
    auto *post = t.open<Wiz_3D_Post>(PageId::Wiz_3D_Post);
    QTest::mouseClick(post->Command9, Qt::LeftButton);
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_2")});
    auto *sizes = t.page<Wiz_3D_2>(PageId::Wiz_3D_2);
    QTest::mouseClick(sizes->Command9, Qt::LeftButton);
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Shading")});
    auto *shading = t.page<Shading>(PageId::Shading);
    QTest::mouseClick(shading->Command11, Qt::LeftButton);
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_2")});
    QTest::mouseClick(sizes->Command4, Qt::LeftButton);
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_Post")});
    QTest::mouseClick(post->Command4, Qt::LeftButton);
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Wiz_3D_1")});
    // Moving about writes nothing and asks nothing.
    QVERIFY(QDir(t.folder.path()).entryList(QDir::Files).isEmpty());
    QVERIFY(t.messages.shown.empty());
    QCOMPARE(t.end.count, 0);
}

void TestWiz3DPages::everyPageKeepsItsValues()
{
    TestWizard t;
    t.start();
    auto *post = t.open<Wiz_3D_Post>(PageId::Wiz_3D_Post);
    QTest::mouseClick(post->Option2, Qt::LeftButton, {}, QPoint(6, 6));
    QTest::mouseClick(post->Option3, Qt::LeftButton, {}, QPoint(6, 6));
    QTest::mouseClick(post->Command9, Qt::LeftButton);
    auto *sizes = t.page<Wiz_3D_2>(PageId::Wiz_3D_2);
    TestWizard::activate(sizes);
    sizes->JoistSize->setCurrentIndex(1);
    typeInto(sizes->BeamSize, QStringLiteral("2 X 12"));
    QTest::mouseClick(sizes->Command9, Qt::LeftButton);
    auto *shading = t.page<Shading>(PageId::Shading);
    QTest::mouseClick(shading->Option3, Qt::LeftButton, {}, QPoint(6, 6));

    // All the way back to the shape page and on again.
    QTest::mouseClick(shading->Command11, Qt::LeftButton);
    QTest::mouseClick(sizes->Command4, Qt::LeftButton);
    QTest::mouseClick(post->Command4, Qt::LeftButton);
    auto *shape = t.page<Wiz_3D_1>(PageId::Wiz_3D_1);
    TestWizard::activate(shape);
    QTest::mouseClick(shape->Command1, Qt::LeftButton);
    QCOMPARE(t.page<Wiz_3D_Post>(PageId::Wiz_3D_Post), post);
    QCOMPARE(checkedOf(post, PostOptions), QStringLiteral("Option2 Option3"));
    QTest::mouseClick(post->Command9, Qt::LeftButton);
    QCOMPARE(sizes->JoistSize->currentText(), QStringLiteral("2 X 8"));
    QCOMPARE(sizes->BeamSize->currentText(), QStringLiteral("2 X 12"));
    QTest::mouseClick(sizes->Command9, Qt::LeftButton);
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Shading")});
    QCOMPARE(checkedOf(shading, ViewOptions), QStringLiteral("Option3"));
    QVERIFY(t.messages.shown.empty());
}

void TestWiz3DPages::finishIsWiredToTheFinish()
{
    TestWizard t;
    auto *page = t.open<Shading>(PageId::Shading);
    // Disconnecting succeeds only where the click is connected to the finish.
    QVERIFY(QObject::disconnect(page->Command1, &QPushButton::clicked, page, &Shading::finish));
}

void TestWiz3DPages::enterPressesOnlyShadingsBack_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("shown"); // the page visible afterwards
    QTest::newRow("shape page, in a size box") << int(PageId::Wiz_3D_1) << "deckWidth" << "Wiz_3D_1";
    QTest::newRow("post page, on an option") << int(PageId::Wiz_3D_Post) << "Option4" << "Wiz_3D_Post";
    QTest::newRow("joist page, in a list") << int(PageId::Wiz_3D_2) << "BeamSize" << "Wiz_3D_2";
    QTest::newRow("viewing page, on an option") << int(PageId::Shading) << "Option2" << "Wiz_3D_2";
    QTest::newRow("viewing page, on the page") << int(PageId::Shading) << "" << "Wiz_3D_2";
}

void TestWiz3DPages::enterPressesOnlyShadingsBack()
{
    QFETCH(int, page);
    QFETCH(QString, focus);
    QFETCH(QString, shown);
    TestWizard t;
    t.start();
    QWidget *w = t.open<WizardPage>(PageId(page));
    QWidget *target = focus.isEmpty() ? w : w->findChild<QWidget *>(focus);
    if (!focus.isEmpty()) {
        target->setFocus(Qt::OtherFocusReason);
        QVERIFY(target->hasFocus());
    }
    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(t.visiblePages(), QStringList{shown});
    QVERIFY(QDir(t.folder.path()).entryList(QDir::Files).isEmpty());
    QCOMPARE(t.end.count, 0);
    QVERIFY(t.messages.shown.empty());
}

void TestWiz3DPages::escapeCancelsEverywhere_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("focus");
    QTest::newRow("shape page, in a size box") << int(PageId::Wiz_3D_1) << "deckHeight";
    QTest::newRow("shape page, on a step button") << int(PageId::Wiz_3D_1) << "Command7";
    QTest::newRow("post page, on an option") << int(PageId::Wiz_3D_Post) << "Option1";
    QTest::newRow("post page, on Next") << int(PageId::Wiz_3D_Post) << "Command9";
    QTest::newRow("joist page, in a list") << int(PageId::Wiz_3D_2) << "JoistSize";
    QTest::newRow("viewing page, on an option") << int(PageId::Shading) << "Option3";
    QTest::newRow("viewing page, on Finish") << int(PageId::Shading) << "Command1";
}

void TestWiz3DPages::escapeCancelsEverywhere()
{
    QFETCH(int, page);
    QFETCH(QString, focus);
    TestWizard t;
    t.start();
    const auto calls = t.host.journal().size();
    QWidget *w = t.open<WizardPage>(PageId(page));
    QWidget *target = w->findChild<QWidget *>(focus);
    target->setFocus(Qt::OtherFocusReason);
    QVERIFY(target->hasFocus());
    QTest::keyClick(target, Qt::Key_Escape);
    QCOMPARE(t.end.count, 1);
    QVERIFY(QDir(t.folder.path()).entryList(QDir::Files).isEmpty());
    QCOMPARE(t.host.journal().size(), calls);
    QVERIFY(t.messages.shown.empty());
}

QTEST_MAIN(TestWiz3DPages)
#include "tst_wiz_3d_pages.moc"
