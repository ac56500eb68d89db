// The start page: start-up (the file deletions and the host's greeting), the
// hand pointer, and the two roads. Its layout, Cancel and Escape are checked
// with every page's (app/tests).
#include "testseams.h"
#include "datatable.h"
#include "testclasses.h"
#include "wiz_1.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLockFile>
#include <QSysInfo>
#include <QTest>

namespace {
const QStringList DeckFiles{"Deck_Rectangle.txt", "Deck_Slice.txt", "Deck_Slice2.txt", "Deck_L-Shape.txt"};
const QStringList KeptFiles{"DeckType.txt", "Sizes.txt", "DeckSize.txt", "Sizes.txt.bak", "notes.txt.Ab3dE9",
                             "Deck_Slice.txt.1234567"};

// Notes each page window's show and hide, and whether the hand was gone at a show.
struct WindowWatch : QObject {
    QStringList events;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        const bool window = o->isWidgetType() && static_cast<QWidget *>(o)->isWindow();
        if (window && e->type() == QEvent::Show)
            events << "show " + o->objectName() + (QGuiApplication::overrideCursor() ? " hand" : "");
        if (window && e->type() == QEvent::Hide)
            events << "hide " + o->objectName();
        return false;
    }
};
} // namespace

class TestWiz1 : public QObject {
    Q_OBJECT
private slots:
    void startUp();
    void handPointer();
    void pictureOpensItsRoad();
    void oneWizardPerFolder();

private:
    void openRoad(const QString &picture, const QString &road, const QString &box);
};

// The rows are in data/start-up.txt. A failing host only cuts the calls short.
void TestWiz1::startUp()
{
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/start-up.txt");
    QCOMPARE(rows.size(), 9);
    for (const QStringList &row : rows) {
        TestWizard t;
        QStringList left = KeptFiles + QStringList{"Joistmaster.lock"};
        for (const QString &name : row[1].split(u' ', Qt::SkipEmptyParts)) {
            if (name.endsWith(u'/'))
                QDir(t.folder.path()).mkdir(left.emplace_back(name.chopped(1)));
            else
                t.write(name, name.toLatin1());
        }
        for (const QString &name : KeptFiles)
            t.write(name, name.toLatin1());
        t.host.state().running = row[2] != u"absent";
        if (row[2] != u"running")
            t.host.state().failing.insert(row[2].toStdString());

        QVERIFY2(t.start(), qPrintable(row[0]));

        QStringList found = QDir(t.folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        found.sort();
        left.sort();
        QCOMPARE(row[0] + ": " + found.join(u' '), row[0] + ": " + left.join(u' '));
        for (const QString &name : KeptFiles)
            QCOMPARE(t.read(name), name.toLatin1());
        QCOMPARE(row[0] + ": " + t.journal().join(u", "), row[0] + ": " + row.mid(3).join(u", "));
        QCOMPARE(t.host.state().live, 0);
        QCOMPARE(t.messages.lines(), QStringList());
        QCOMPARE(t.visiblePages(), QStringList{"Wiz_1"});
        QCOMPARE(t.end.count, 0);
    }
}

// The hand over either picture stays over the frames, the banner and the
// button; only the page's own background brings the default back.
void TestWiz1::handPointer()
{
    TestWizard t;
    QVERIFY(t.start());
    auto *page = t.page<Wiz_1>(PageId::Wiz_1);
    const auto hand = [] { return QGuiApplication::overrideCursor(); };
    QVERIFY(!hand());
    for (const char *picture : {"Image2", "Image1"}) {
        QTest::mouseMove(control(page, picture), QPoint(20, 20));
        QVERIFY(hand());
        QCOMPARE(hand()->shape(), Qt::BitmapCursor);
        QCOMPARE(hand()->hotSpot(), QPoint(6, 0));
        for (const char *over : {"Frame2", "Frame1", "Picture1", "Command1"}) {
            QTest::mouseMove(control(page, over), QPoint(5, 5));
            QVERIFY2(hand(), over);
        }
        QTest::mouseMove(page, QPoint(2, 2));
        QVERIFY(!hand());
    }
}

// The road's page shows, the hand already gone, before the start page hides.
// Back shows the start page again without another start-up.
void TestWiz1::pictureOpensItsRoad()
{
    for (const QStringList &row : {QStringList{"Image1", "Wiz_2D_1", "Text1"}, {"Image2", "Wiz_3D_1", "deckLength"}})
        openRoad(row[0], row[1], row[2]);
}

// Clicks the picture; the focus lands in the box.
void TestWiz1::openRoad(const QString &picture, const QString &road, const QString &box)
{
    TestWizard t;
    QVERIFY(t.start());
    auto *start = t.page<Wiz_1>(PageId::Wiz_1);
    auto *image = start->findChild<QWidget *>(picture);
    QTest::mouseMove(image, QPoint(10, 10));
    WindowWatch watch;
    qApp->installEventFilter(&watch);
    QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(10, 10));
    qApp->removeEventFilter(&watch);
    QCOMPARE(watch.events, (QStringList{"show " + road, "hide Wiz_1"}));
    QCOMPARE(t.visiblePages(), QStringList{road});

    // The page's first box arrives with its text selected, so typing replaces
    // it, on the first showing and again after Back.
    const PageId roadId = road == u"Wiz_2D_1" ? PageId::Wiz_2D_1 : PageId::Wiz_3D_1;
    for (const QString typed : {"15", "16"}) {
        QTRY_COMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), box);
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QCOMPARE(t.wizard.existingPage(roadId)->findChild<QLineEdit *>(box)->text(), typed);
        t.write("Deck_Rectangle.txt", "kept");
        t.wizard.move(t.wizard.existingPage(roadId), PageId::Wiz_1);
        QCOMPARE(t.visiblePages(), QStringList{"Wiz_1"});
        t.wizard.move(start, roadId);
    }
    QCOMPARE(t.read("Deck_Rectangle.txt"), QByteArray("kept"));
    QCOMPARE(t.journal().size(), 7); // the greeting alone
}

// A wizard already running from the folder holds its lock: the second one says
// so and goes, deleting, writing and asking nothing. A lock left by a run that
// crashed is taken over, or passed by where it cannot be removed (here its
// removal's own lock is a folder, as good as a read-only folder to a root).
void TestWiz1::oneWizardPerFolder()
{
    for (const int holder : {0, 1, 2}) {
        const bool holderRuns = holder == 0;
        TestWizard t;
        for (const QString &name : DeckFiles + KeptFiles)
            t.write(name, name.toLatin1());
        QLockFile other(t.path("Joistmaster.lock"));
        if (holderRuns)
            QVERIFY(other.tryLock(0));
        else // the lock of a process that is gone
            t.write("Joistmaster.lock", "999999999\njoistmaster\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        if (holder == 2)
            QVERIFY(QDir(t.folder.path()).mkdir("Joistmaster.lock.rmlock"));

        QCOMPARE(t.start(), !holderRuns);

        QCOMPARE(t.messages.lines(), holderRuns ? QStringList{" information Plankora Joistmaster: Joistmaster is already "
                                                              "running from this folder."}
                                                : QStringList());
        for (const QString &name : DeckFiles)
            QCOMPARE(t.exists(name), holderRuns);
        QCOMPARE(t.read(KeptFiles[0]), KeptFiles[0].toLatin1());
        QCOMPARE(t.journal().isEmpty(), holderRuns);
        QCOMPARE(t.visiblePages(), holderRuns ? QStringList() : QStringList{"Wiz_1"});
    }
}

JM_TEST_CLASS(TestWiz1)
#include "tst_wiz_1.moc"
