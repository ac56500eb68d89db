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

// The names of the page's checked options, in the order of the layout's names.
QString checkedOptions(QWidget *page)
{
    QStringList on;
    for (const char *name : {"Option1", "Option2", "Option3", "Option4", "Option5"})
        if (auto *option = page->findChild<QRadioButton *>(QLatin1String(name)); option && option->isChecked())
            on << option->objectName();
    return on.join(QLatin1Char(' '));
}

void clickOption(QWidget *page, const QString &name)
{
    QTest::mouseClick(page->findChild<QRadioButton *>(name), Qt::LeftButton, {}, QPoint(6, 6));
}

// Types over the combo box's text the way the keyboard does.
void typeInto(QComboBox *box, const QString &text)
{
    box->setFocus(Qt::OtherFocusReason);
    box->lineEdit()->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

const QString Reminder = QStringLiteral("Please choose a joist size.");

} // namespace

class TestWiz3DPages : public QObject {
    Q_OBJECT
private slots:
    void postLayout();
    void joistAndBeamLayout();
    void shadingLayout();
    void optionGroups_data();
    void optionGroups();
    void joistAndBeamDefaultsAndReminder();
    void everyPageKeepsItsValuesBackAndOn();
    void keys_data();
    void keys();
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
    for (QComboBox *box : {page->JoistSize, page->BeamSize}) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        QCOMPARE(items, (QStringList{"2 X 6", "2 X 8", "2 X 10"}));
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
    for (int i = 0; i < 3; ++i)
        QCOMPARE(page->Picture1[i]->objectName(), QStringLiteral("Picture1(%1)").arg(i));
}

void TestWiz3DPages::optionGroups_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("checked");
    const int post = int(PageId::Wiz_3D_Post);
    const int view = int(PageId::Shading);
    // Posts and decking are two groups; the viewing options are one.
    QTest::newRow("post: 6-inch posts") << post << QStringList{"Option2"} << "Option2 Option5";
    QTest::newRow("post: 2x6 decking") << post << QStringList{"Option4"} << "Option1 Option4";
    QTest::newRow("post: 2x4 decking, then 6-inch posts") << post << QStringList{"Option3", "Option2"} << "Option2 Option3";
    QTest::newRow("post: 6-inch, 2x6, then 4-inch") << post << QStringList{"Option2", "Option4", "Option1"} << "Option1 Option4";
    QTest::newRow("post: decking twice") << post << QStringList{"Option3", "Option5"} << "Option1 Option5";
    QTest::newRow("viewing: hidden line") << view << QStringList{"Option2"} << "Option2";
    QTest::newRow("viewing: shaded, then wireframe") << view << QStringList{"Option3", "Option1"} << "Option1";
}

void TestWiz3DPages::optionGroups()
{
    QFETCH(int, page);
    QFETCH(QStringList, clicks);
    QFETCH(QString, checked);
    TestWizard t;
    auto *shown = t.open<WizardPage>(PageId(page));
    for (const QString &name : clicks)
        clickOption(shown, name);
    QCOMPARE(checkedOptions(shown), checked);
    QVERIFY(t.messages.shown.empty());
}

void TestWiz3DPages::joistAndBeamDefaultsAndReminder()
{
    TestWizard t;
    auto *page = t.open<Wiz_3D_2>(PageId::Wiz_3D_2);
    QCOMPARE(page->JoistSize->currentText(), QStringLiteral("2 X 6"));
    QCOMPARE(page->BeamSize->currentText(), QStringLiteral("2 X 6"));
    typeInto(page->JoistSize, QString());
    QTest::keyClick(page->JoistSize, Qt::Key_Tab);
    QCOMPARE(t.messages.texts(), QStringList{Reminder});
    QCOMPARE(t.messages.shown.front().icon, MessageBoxes::Icon::None);
    QCOMPARE(t.messages.shown.front().title, QStringLiteral("Plankora Joistmaster"));
    QVERIFY(page->BeamSize->hasFocus());

    // An empty beam size says nothing.
    typeInto(page->BeamSize, QString());
    QTest::keyClick(page->BeamSize, Qt::Key_Tab);
    QCOMPARE(t.messages.shown.size(), std::size_t(1));

    // Each time it is left empty; a click on Next still goes on, and nothing fills the sizes.
    page->JoistSize->setFocus(Qt::OtherFocusReason);
    QTest::mouseClick(page->Command9, Qt::LeftButton);
    QCOMPARE(t.messages.texts(), (QStringList{Reminder, Reminder}));
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Shading")});
    QTest::mouseClick(t.page<Shading>(PageId::Shading)->Command11, Qt::LeftButton);
    QCOMPARE(page->JoistSize->currentText(), QString());
    QCOMPARE(page->BeamSize->currentText(), QString());

    // The list opening is not leaving the box.
    TestWizard::activate(page);
    page->JoistSize->setFocus(Qt::OtherFocusReason);
    page->JoistSize->showPopup();
    page->JoistSize->hidePopup();
    QCOMPARE(t.messages.shown.size(), std::size_t(2));
    // A load fills only a size that is empty, the beam's first.
    page->BeamSize->setEditText(QStringLiteral("2 X 10"));
    page->load();
    QCOMPARE(page->JoistSize->currentText(), QStringLiteral("2 X 6"));
    QCOMPARE(page->BeamSize->currentText(), QStringLiteral("2 X 10"));
}

void TestWiz3DPages::everyPageKeepsItsValuesBackAndOn()
{
    TestWizard t;
    t.start();
    auto *post = t.open<Wiz_3D_Post>(PageId::Wiz_3D_Post);
    auto *sizes = t.page<Wiz_3D_2>(PageId::Wiz_3D_2);
    auto *shading = t.page<Shading>(PageId::Shading);
    const auto click = [&t](QPushButton *button, const char *then) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(t.visiblePages(), QStringList{QLatin1String(then)});
    };
    clickOption(post, QStringLiteral("Option2"));
    clickOption(post, QStringLiteral("Option3"));
    click(post->Command9, "Wiz_3D_2");
    TestWizard::activate(sizes);
    // Typed sizes stay as typed: no completion, nothing added to the list.
    typeInto(sizes->JoistSize, QStringLiteral("2 X 1"));
    QTest::keyClick(sizes->JoistSize, Qt::Key_Tab);
    typeInto(sizes->BeamSize, QStringLiteral("2 x 6"));
    click(sizes->Command9, "Shading");
    clickOption(shading, QStringLiteral("Option3"));

    // All the way back to the shape page, which writes nothing, and on again.
    click(shading->Command11, "Wiz_3D_2");
    click(sizes->Command4, "Wiz_3D_Post");
    click(post->Command4, "Wiz_3D_1");
    QVERIFY(QDir(t.folder.path()).entryList(QDir::Files).isEmpty());
    auto *shape = t.page<Wiz_3D_1>(PageId::Wiz_3D_1);
    TestWizard::activate(shape);
    click(shape->Command1, "Wiz_3D_Post");
    QCOMPARE(checkedOptions(post), QStringLiteral("Option2 Option3"));
    click(post->Command9, "Wiz_3D_2");
    QCOMPARE(sizes->JoistSize->currentText(), QStringLiteral("2 X 1"));
    QCOMPARE(sizes->BeamSize->currentText(), QStringLiteral("2 x 6"));
    QCOMPARE(sizes->JoistSize->count(), 3);
    click(sizes->Command9, "Shading");
    QCOMPARE(checkedOptions(shading), QStringLiteral("Option3"));
    QVERIFY(t.messages.shown.empty());
    QCOMPARE(t.end.count, 0);
}

void TestWiz3DPages::keys_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("focus"); // empty: the page itself
    QTest::addColumn<int>("key");       // 0: a click on the page's Cancel
    QTest::addColumn<QString>("shown"); // the page visible afterwards
    QTest::addColumn<int>("ends");
    const int shape = int(PageId::Wiz_3D_1), post = int(PageId::Wiz_3D_Post), joist = int(PageId::Wiz_3D_2),
              view = int(PageId::Shading);
    // Enter presses only the viewing page's Back; Escape and Cancel end the program everywhere.
    QTest::newRow("Enter: shape page, in a size box") << shape << "deckWidth" << int(Qt::Key_Return) << "Wiz_3D_1" << 0;
    QTest::newRow("Enter: post page, on an option") << post << "Option4" << int(Qt::Key_Return) << "Wiz_3D_Post" << 0;
    QTest::newRow("Enter: joist page, in a list") << joist << "BeamSize" << int(Qt::Key_Return) << "Wiz_3D_2" << 0;
    QTest::newRow("Enter: viewing page, on an option") << view << "Option2" << int(Qt::Key_Return) << "Wiz_3D_2" << 0;
    QTest::newRow("Enter: viewing page, on the page") << view << "" << int(Qt::Key_Return) << "Wiz_3D_2" << 0;
    QTest::newRow("Escape: shape page, in a size box") << shape << "deckHeight" << int(Qt::Key_Escape) << "Wiz_3D_1" << 1;
    QTest::newRow("Escape: post page, on an option") << post << "Option1" << int(Qt::Key_Escape) << "Wiz_3D_Post" << 1;
    QTest::newRow("Escape: joist page, in a list") << joist << "JoistSize" << int(Qt::Key_Escape) << "Wiz_3D_2" << 1;
    QTest::newRow("Escape: viewing page, on an option") << view << "Option3" << int(Qt::Key_Escape) << "Shading" << 1;
    QTest::newRow("Cancel: shape page") << shape << "Command11" << 0 << "Wiz_3D_1" << 1;
    QTest::newRow("Cancel: post page") << post << "Option1" << 0 << "Wiz_3D_Post" << 1;
    QTest::newRow("Cancel: joist page") << joist << "BeamSize" << 0 << "Wiz_3D_2" << 1;
    QTest::newRow("Cancel: viewing page") << view << "Option2" << 0 << "Shading" << 1;
}

void TestWiz3DPages::keys()
{
    QFETCH(int, page);
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, shown);
    QFETCH(int, ends);
    TestWizard t;
    t.start();
    const auto calls = t.host.journal().size();
    QWidget *w = t.open<WizardPage>(PageId(page));
    QWidget *target = focus.isEmpty() ? w : w->findChild<QWidget *>(focus);
    if (!focus.isEmpty()) {
        target->setFocus(Qt::OtherFocusReason);
        QVERIFY(target->hasFocus());
    }
    if (key)
        QTest::keyClick(target, Qt::Key(key));
    else
        for (auto *button : w->findChildren<QPushButton *>())
            if (button->text() == QLatin1String("&Cancel"))
                QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(t.visiblePages(), QStringList{shown});
    QCOMPARE(t.end.count, ends);
    QVERIFY(QDir(t.folder.path()).entryList(QDir::Files).isEmpty());
    QCOMPARE(t.host.journal().size(), calls);
    QVERIFY(t.messages.shown.empty());
}

QTEST_MAIN(TestWiz3DPages)
#include "tst_wiz_3d_pages.moc"
