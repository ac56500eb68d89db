// All six pages against their layout listings (data/layouts), and the rules
// every page keeps: Enter, Escape, Cancel and Back.
#include "layoutcheck.h"
#include "testseams.h"

#include <QDir>
#include <QPushButton>
#include <QAccessible>
#include <QTest>

namespace {

// Which buttons of the page are clicked, by name.
struct Clicks {
    QStringList names;
    explicit Clicks(QWidget *page)
    {
        for (QPushButton *button : page->findChildren<QPushButton *>())
            QObject::connect(button, &QPushButton::clicked, page,
                             [this, button] { names << button->objectName(); });
    }
};

} // namespace

class TestPages : public QObject {
    Q_OBJECT
private slots:
    void layoutMatchesTheListing_data();
    void layoutMatchesTheListing();
    void enterEscapeAndCancel_data();
    void enterEscapeAndCancel();
    void backShowsThePageBefore_data();
    void backShowsThePageBefore();
};

void TestPages::layoutMatchesTheListing_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("Wiz_1") << int(PageId::Wiz_1);
    QTest::newRow("Wiz_2D_1") << int(PageId::Wiz_2D_1);
    QTest::newRow("Wiz_3D_1") << int(PageId::Wiz_3D_1);
    QTest::newRow("Wiz_3D_Post") << int(PageId::Wiz_3D_Post);
    QTest::newRow("Wiz_3D_2") << int(PageId::Wiz_3D_2);
    QTest::newRow("Shading") << int(PageId::Shading);
}

void TestPages::layoutMatchesTheListing()
{
    QFETCH(int, id);
    TestWizard t;
    auto *page = t.open<WizardPage>(PageId(id));
    layout::check(page, layout::listing(QString::fromLatin1(QTest::currentDataTag())));
    // A screen reader announces the window as a dialog, by its caption.
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(page);
    QCOMPARE(window->role(), QAccessible::Dialog);
    QCOMPARE(window->text(QAccessible::Name), page->windowTitle());
}

void TestPages::enterEscapeAndCancel_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("action");   // Enter, Escape, or a click on the cancel button
    QTest::addColumn<QStringList>("clicked");
    QTest::addColumn<bool>("ends");
    struct Page {
        const char *name;
        PageId id;
        const char *enter;  // the default button, if any
        const char *cancel;
    };
    const Page pages[] = {
        {"Wiz_1", PageId::Wiz_1, nullptr, "Command1"},
        {"Wiz_2D_1", PageId::Wiz_2D_1, "Command3", "Command1"},
        {"Wiz_3D_1", PageId::Wiz_3D_1, nullptr, "Command6"},
        {"Wiz_3D_Post", PageId::Wiz_3D_Post, nullptr, "Command2"},
        {"Wiz_3D_2", PageId::Wiz_3D_2, nullptr, "Command2"},
        {"Shading", PageId::Shading, "Command11", "Command6"},
    };
    for (const Page &p : pages) {
        const QStringList enter = p.enter ? QStringList{p.enter} : QStringList{};
        // Enter on the 2D page finishes, which ends the program.
        QTest::addRow("%s Enter", p.name) << int(p.id) << "Enter" << enter << (p.id == PageId::Wiz_2D_1);
        QTest::addRow("%s Escape", p.name) << int(p.id) << "Escape" << QStringList{p.cancel} << true;
        QTest::addRow("%s Cancel", p.name) << int(p.id) << p.cancel << QStringList{p.cancel} << true;
    }
}

// With the focus on no button. Cancel and Escape end the program without a
// word, a file or a host call.
void TestPages::enterEscapeAndCancel()
{
    QFETCH(int, id);
    QFETCH(QString, action);
    QFETCH(QStringList, clicked);
    QFETCH(bool, ends);
    TestWizard t;
    auto *page = t.open<WizardPage>(PageId(id));
    const QStringList startUp = t.journal();
    const QStringList files = QDir(t.folder.path()).entryList(QDir::Files);
    page->setFocus(Qt::OtherFocusReason);
    Clicks clicks(page);
    if (action == u"Enter")
        QTest::keyClick(page, Qt::Key_Return);
    else if (action == u"Escape")
        QTest::keyClick(page, Qt::Key_Escape);
    else
        QTest::mouseClick(page->findChild<QPushButton *>(action), Qt::LeftButton);
    QCOMPARE(clicks.names, clicked);
    QCOMPARE(t.end.count, int(ends));
    if (action != u"Enter") {
        QCOMPARE(t.messages.lines(), QStringList());
        QCOMPARE(t.journal(), startUp);
        QCOMPARE(QDir(t.folder.path()).entryList(QDir::Files), files);
    }
}

void TestPages::backShowsThePageBefore_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("back");
    QTest::addColumn<QString>("before");
    QTest::newRow("Wiz_2D_1") << int(PageId::Wiz_2D_1) << "Command2" << "Wiz_1";
    QTest::newRow("Wiz_3D_1") << int(PageId::Wiz_3D_1) << "Command11" << "Wiz_1";
    QTest::newRow("Wiz_3D_Post") << int(PageId::Wiz_3D_Post) << "Command4" << "Wiz_3D_1";
    QTest::newRow("Wiz_3D_2") << int(PageId::Wiz_3D_2) << "Command4" << "Wiz_3D_Post";
    QTest::newRow("Shading") << int(PageId::Shading) << "Command11" << "Wiz_3D_2";
}

void TestPages::backShowsThePageBefore()
{
    QFETCH(int, id);
    QFETCH(QString, back);
    QFETCH(QString, before);
    TestWizard t;
    auto *page = t.open<WizardPage>(PageId(id));
    QTest::mouseClick(page->findChild<QPushButton *>(back), Qt::LeftButton);
    QCOMPARE(t.visiblePages(), QStringList{before});
    QVERIFY(t.messages.shown.empty());
    QCOMPARE(t.end.count, 0);
}

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
