// The start page: its layout, start-up (file deletions and the host's
// greeting), the hand pointer, the two roads and Cancel.
#include "layoutcheck.h"
#include "resources.h"
#include "testseams.h"
#include "wiz_1.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace layout;

class TestWiz1 : public QObject {
    Q_OBJECT
private slots:
    void layoutMatchesTheTable();
    void startUpDeletesTheFourDeckFiles_data();
    void startUpDeletesTheFourDeckFiles();
    void aFileThatCannotBeDeletedDoesNotStopTheOthers();
    void startUpGreetsTheHost_data();
    void startUpGreetsTheHost();
    void handPointerOverThePictures();
    void clickingAPictureOpensItsRoad_data();
    void clickingAPictureOpensItsRoad();
    void backShowsTheStartPageWithoutAnotherStartUp();
    void cancelAndEscapeEndTheProgram();
};

void TestWiz1::layoutMatchesTheTable()
{
    TestWizard t;
    t.start();
    check(t.page<Wiz_1>(PageId::Wiz_1),
          {"Wiz_1", QStringLiteral("Joistmaster . . . Choose your Deck Type"), 6780, 4020, true,
           {
               {"Frame2", Kind::Frame, nullptr, QStringLiteral("3D Deck"), {3045, 300, 2535, 2745}, 3},
               {"Image2", Kind::Image, "Frame2", {}, {240, 240, 1644, 1848}, -1},
               {"Frame1", Kind::Frame, nullptr, QStringLiteral("2D Deck"), {195, 300, 2535, 2745}, 2},
               {"Image1", Kind::Image, "Frame1", {}, {120, 360, 1764, 1680}, -1},
               {"Command1", Kind::Button, nullptr, QStringLiteral("&Cancel"), {120, 3600, 1125, 345}, 1},
               {"Picture1", Kind::PictureBox, nullptr, {}, {5760, 240, 744, 2472}, 0},
           }});
}

void TestWiz1::startUpDeletesTheFourDeckFiles_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::newRow("none of them") << QStringList{};
    QTest::newRow("all four") << Wiz_1::deckParameterFiles();
    QTest::newRow("only the slices") << QStringList{QStringLiteral("Deck_Slice.txt"), QStringLiteral("Deck_Slice2.txt")};
}

void TestWiz1::startUpDeletesTheFourDeckFiles()
{
    QFETCH(QStringList, present);
    TestWizard t;
    for (const QString &name : present)
        t.write(name, "16        ' Z,   ', Deck Depth\r\n");
    const QStringList kept{QStringLiteral("DeckType.txt"), QStringLiteral("Sizes.txt"), QStringLiteral("DeckSize.txt")};
    for (const QString &name : kept)
        t.write(name, name.toLatin1());

    t.start();

    for (const QString &name : Wiz_1::deckParameterFiles())
        QVERIFY2(!t.exists(name), qPrintable(name));
    for (const QString &name : kept)
        QCOMPARE(t.read(name), name.toLatin1());
    QCOMPARE(QDir(t.folder.path()).entryList(QDir::Files).size(), kept.size()); // nothing created
    QVERIFY(t.messages.shown.empty());
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Wiz_1")});
}

void TestWiz1::aFileThatCannotBeDeletedDoesNotStopTheOthers()
{
    TestWizard t;
    // A folder under the first file's name cannot be deleted as a file.
    QDir(t.folder.path()).mkdir(QStringLiteral("Deck_Rectangle.txt"));
    for (const QString &name : Wiz_1::deckParameterFiles().mid(1))
        t.write(name, "x");
    t.start();
    for (const QString &name : Wiz_1::deckParameterFiles().mid(1))
        QVERIFY2(!t.exists(name), qPrintable(name));
    QVERIFY(t.messages.shown.empty());
    QVERIFY(t.page<Wiz_1>(PageId::Wiz_1)->isVisible());
}

void TestWiz1::startUpGreetsTheHost_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QStringList>("journal");
    const QString attach = QStringLiteral("attach Plankora.Application");
    QTest::newRow("host running") << true << QString()
                                  << QStringList{attach, "app.ActiveProvider", "app.ActiveTarget", "app.Prepare",
                                                 "release provider", "release activeTarget", "release app"};
    QTest::newRow("no host") << false << QString() << QStringList{attach};
    QTest::newRow("Prepare fails") << true << QStringLiteral("Prepare")
                                   << QStringList{attach, "app.ActiveProvider", "app.ActiveTarget", "app.Prepare",
                                                  "release provider", "release activeTarget", "release app"};
    QTest::newRow("ActiveProvider fails") << true << QStringLiteral("ActiveProvider")
                                          << QStringList{attach, "app.ActiveProvider", "release app"};
    QTest::newRow("ActiveTarget fails") << true << QStringLiteral("ActiveTarget")
                                        << QStringList{attach, "app.ActiveProvider", "app.ActiveTarget",
                                                       "release provider", "release app"};
}

void TestWiz1::startUpGreetsTheHost()
{
    QFETCH(bool, running);
    QFETCH(QString, failing);
    QFETCH(QStringList, journal);
    TestWizard t;
    t.host.state().running = running;
    if (!failing.isEmpty())
        t.host.state().failing.insert(failing.toStdString());

    t.start();

    QStringList seen;
    for (const auto &line : t.host.journal())
        seen << QString::fromStdString(line);
    QCOMPARE(seen, journal);
    QCOMPARE(t.host.state().live, 0);
    QVERIFY(t.messages.shown.empty());
    QVERIFY(t.page<Wiz_1>(PageId::Wiz_1)->isVisible());
    QCOMPARE(t.end.count, 0);
}

void TestWiz1::handPointerOverThePictures()
{
    TestWizard t;
    t.start();
    auto *page = t.page<Wiz_1>(PageId::Wiz_1);
    const auto pointer = [] { return QGuiApplication::overrideCursor(); };
    QVERIFY(!pointer());

    QTest::mouseMove(page->Image2, QPoint(20, 20));
    QVERIFY(pointer());
    QCOMPARE(pointer()->hotSpot(), QPoint(6, 0));
    QCOMPARE(pointer()->shape(), Qt::BitmapCursor);

    // The frame, the banner and the button leave the hand as it is.
    QTest::mouseMove(page->Frame2, QPoint(5, 5));
    QTest::mouseMove(page->Picture1, QPoint(5, 5));
    QTest::mouseMove(page->Command1, QPoint(5, 5));
    QVERIFY(pointer());

    // The page's own background brings the default back.
    QTest::mouseMove(page, QPoint(2, 2));
    QVERIFY(!pointer());

    QTest::mouseMove(page->Image1, QPoint(20, 20));
    QVERIFY(pointer());
    QTest::mouseMove(page, QPoint(2, 2));
    QVERIFY(!pointer());
}

void TestWiz1::clickingAPictureOpensItsRoad_data()
{
    QTest::addColumn<QString>("image");
    QTest::addColumn<int>("road");
    QTest::newRow("2D picture") << QStringLiteral("Image1") << int(PageId::Wiz_2D_1);
    QTest::newRow("3D picture") << QStringLiteral("Image2") << int(PageId::Wiz_3D_1);
}

void TestWiz1::clickingAPictureOpensItsRoad()
{
    QFETCH(QString, image);
    QFETCH(int, road);
    TestWizard t;
    t.start();
    auto *start = t.page<Wiz_1>(PageId::Wiz_1);
    QLabel *picture = start->findChild<QLabel *>(image);
    QTest::mouseMove(picture, QPoint(10, 10));
    QVERIFY(QGuiApplication::overrideCursor());

    // The road's page is shown before the start page hides, and the pointer is the default by then.
    QStringList order;
    bool defaultPointerAtShow = false;
    struct Watch : QObject {
        QStringList *order;
        bool *defaultPointer;
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (e->type() == QEvent::Show && o->isWidgetType() && static_cast<QWidget *>(o)->isWindow()) {
                *order << QStringLiteral("show ") + o->objectName();
                if (o->objectName() != QLatin1String("Wiz_1"))
                    *defaultPointer = !QGuiApplication::overrideCursor();
            }
            if (e->type() == QEvent::Hide && o->isWidgetType() && static_cast<QWidget *>(o)->isWindow())
                *order << QStringLiteral("hide ") + o->objectName();
            return false;
        }
    } watch;
    watch.order = &order;
    watch.defaultPointer = &defaultPointerAtShow;
    qApp->installEventFilter(&watch);
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(10, 10));
    qApp->removeEventFilter(&watch);

    QWidget *roadPage = t.wizard.existingPage(PageId(road));
    QVERIFY(roadPage);
    const QStringList expected{QStringLiteral("show ") + roadPage->objectName(), QStringLiteral("hide Wiz_1")};
    QCOMPARE(order, expected);
    QVERIFY(defaultPointerAtShow);
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(t.visiblePages(), QStringList{roadPage->objectName()});
}

void TestWiz1::backShowsTheStartPageWithoutAnotherStartUp()
{
    TestWizard t;
    t.start();
    const auto calls = t.host.journal().size();
    auto *start = t.page<Wiz_1>(PageId::Wiz_1);
    QTest::mouseClick(start->Image2, Qt::LeftButton, {}, QPoint(10, 10));
    t.write(QStringLiteral("Deck_Rectangle.txt"), "kept");
    t.wizard.move(t.wizard.existingPage(PageId::Wiz_3D_1), PageId::Wiz_1);
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Wiz_1")});
    QCOMPARE(t.read(QStringLiteral("Deck_Rectangle.txt")), QByteArray("kept"));
    QCOMPARE(t.host.journal().size(), calls);
}

void TestWiz1::cancelAndEscapeEndTheProgram()
{
    {
        TestWizard t;
        t.start();
        auto *page = t.page<Wiz_1>(PageId::Wiz_1);
        const auto calls = t.host.journal().size();
        QTest::mouseClick(page->Command1, Qt::LeftButton);
        QCOMPARE(t.end.count, 1);
        QCOMPARE(t.host.journal().size(), calls);
        QVERIFY(t.messages.shown.empty());
    }
    {
        TestWizard t;
        t.start();
        auto *page = t.page<Wiz_1>(PageId::Wiz_1);
        TestWizard::activate(page);
        QTest::keyClick(page, Qt::Key_Escape);
        QCOMPARE(t.end.count, 1);
        // Enter presses nothing on the start page.
        QTest::keyClick(page, Qt::Key_Return);
        QCOMPARE(t.end.count, 1);
        QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Wiz_1")});
    }
}

QTEST_MAIN(TestWiz1)
#include "tst_wiz_1.moc"
