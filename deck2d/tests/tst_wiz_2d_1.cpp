// The 2D page: which message (text, icon, page) Finish gives each width text,
// what a step makes of it, the style ring, and the finish: DeckSize.txt and
// the host calls in order against the files in data/, every host failure.
#include "datatable.h"
#include "resources.h"
#include "testseams.h"
#include "wiz_1.h"
#include "wiz_2d_1.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString Stop = "Wiz_2D_1 stop Plankora Joistmaster: ";
const QByteArray Old = "an older, longer width\r\n";

QByteArray golden(const QString &name)
{
    QFile file(QStringLiteral(JM_DECK2D_TESTDATA "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing golden file>");
}

QStringList withoutReleases(QStringList journal)
{
    journal.removeIf([](const QString &line) { return line.startsWith(u"release "); });
    return journal;
}

// The page as the 2D road opens it over an older DeckSize.txt, with this width
// typed and the focus in the width box.
Wiz_2D_1 *openPage(TestWizard &t, const QString &width = QStringLiteral("20"))
{
    t.write("DeckSize.txt", Old);
    auto *page = t.open<Wiz_2D_1>(PageId::Wiz_2D_1);
    page->Text1->setText(width);
    page->Text1->setFocus(Qt::TabFocusReason);
    return page;
}

// Notes the page's hide in the host's journal, to show where it falls among the calls.
struct HideRecorder : QObject {
    TestWizard &t;
    HideRecorder(TestWizard &t, QWidget *page) : t(t) { page->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            t.host.state().journal.push_back("hide " + watched->objectName().toStdString());
        return false;
    }
};

} // namespace

class TestWiz2D1 : public QObject {
    Q_OBJECT
private slots:
    void finishMessages_data();
    void finishMessages();
    void widthSteps_data();
    void widthSteps();
    void styleRing_data();
    void styleRing();
    void tabSelectsTheWidthAndBackKeepsThePage();
    void finish_data();
    void finish();
    void unwritableDeckSize();
};

// The rows are in data/finish-messages.txt.
void TestWiz2D1::finishMessages_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("message"); // empty: accepted
    for (const QStringList &row : dataTable(JM_TESTDATA "/finish-messages.txt"))
        QTest::newRow(qPrintable(row[0])) << row[1] << (row[2].isEmpty() ? QString() : "Wiz_2D_1 " + QString(row[2]).replace(": ", " Plankora Joistmaster: "));
}

// Enter in the width box. After a message nothing is written, the host is not
// called, and the text, its selection and the focus stay as they were.
void TestWiz2D1::finishMessages()
{
    QFETCH(QString, width);
    QFETCH(QString, message);
    TestWizard t;
    auto *page = openPage(t, width);
    page->Text1->setSelection(1, 1);
    QTest::keyClick(page->Text1, Qt::Key_Return);
    QCOMPARE(t.messages.lines(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(t.end.count, int(message.isEmpty()));
    if (message.isEmpty())
        return;
    QCOMPARE(page->Text1->text(), width);
    QVERIFY(page->Text1->hasFocus());
    QCOMPARE(page->Text1->selectionStart(), width.isEmpty() ? -1 : 1);
    QCOMPARE(t.journal(), QStringList());
    QCOMPARE(t.read("DeckSize.txt"), Old);
    QVERIFY(page->isVisible());
}

// The rows are in data/width-steps.txt.
void TestWiz2D1::widthSteps_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("texts"); // after each press
    for (const QStringList &row : dataTable(JM_TESTDATA "/width-steps.txt"))
        QTest::newRow(qPrintable(row[0])) << row[1] << row[2] << row[3].split(u';');
}

void TestWiz2D1::widthSteps()
{
    QFETCH(QString, start);
    QFETCH(QString, button);
    QFETCH(QStringList, texts);
    TestWizard t;
    auto *page = openPage(t, start);
    for (const QString &text : texts) {
        QTest::mouseClick(page->findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(page->Text1->text(), text);
    }
    QCOMPARE(page->styleNumber, qint16(1));
    QCOMPARE(t.messages.lines(), QStringList());
    QCOMPARE(t.journal(), QStringList());
    QCOMPARE(t.read("DeckSize.txt"), Old);
}

void TestWiz2D1::styleRing_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("bitmaps"); // after each press, from the first show's 300
    QTest::newRow("Next round") << "Command5"
                                << QList<int>{301, 302, 303, 304, 305, 306, 307, 308, 309, 310,
                                              311, 312, 313, 314, 315, 316, 317, 318, 300};
    QTest::newRow("Previous round") << "Command6"
                                    << QList<int>{318, 317, 316, 315, 314, 313, 312, 311, 310, 309,
                                                  308, 307, 306, 305, 304, 303, 302, 301, 300};
}

// The run-time picture box takes the bitmap's size plus its border, whatever its size before.
void TestWiz2D1::styleRing()
{
    QFETCH(QString, button);
    QFETCH(QList<int>, bitmaps);
    TestWizard t;
    auto *page = openPage(t);
    QCOMPARE(page->styleNumber, qint16(1));
    QVERIFY(page->Picture1->pixmap().toImage() == resources::bitmap(300).toImage());
    for (int bitmap : bitmaps) {
        page->Picture1->resize(40, 30);
        QTest::mouseClick(page->findChild<QPushButton *>(button), Qt::LeftButton);
        QVERIFY2(page->Picture1->pixmap().toImage() == resources::bitmap(bitmap).toImage(), qPrintable(QString::number(bitmap)));
        QCOMPARE(page->Picture1->size(), QSize(217, 157));
    }
    QCOMPARE(page->styleNumber, qint16(1));
    QCOMPARE(page->Text1->text(), QStringLiteral("20"));
    QCOMPARE(t.messages.lines(), QStringList());
    QCOMPARE(t.journal(), QStringList());
}

// Tab into the width selects all of it. Back, then the 2D picture again, shows
// the same style and width without another load or start-up.
void TestWiz2D1::tabSelectsTheWidthAndBackKeepsThePage()
{
    TestWizard t;
    QVERIFY(t.start());
    auto *start = t.page<Wiz_1>(PageId::Wiz_1);
    QTest::mouseClick(start->Image1, Qt::LeftButton, {}, QPoint(10, 10));
    auto *page = t.page<Wiz_2D_1>(PageId::Wiz_2D_1);
    TestWizard::activate(page);
    page->Command1->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(page->Command1, Qt::Key_Tab);
    QCOMPARE(page->Text1->selectedText(), QStringLiteral("20"));
    QTest::keyClicks(page->Text1, QStringLiteral("33"));
    QTest::mouseClick(page->Command6, Qt::LeftButton);
    const QStringList startUp = t.journal();

    QTest::mouseClick(page->Command2, Qt::LeftButton);
    QCOMPARE(t.visiblePages(), QStringList{"Wiz_1"});
    QTest::mouseClick(start->Image1, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(t.visiblePages(), QStringList{"Wiz_2D_1"});
    QCOMPARE(page->styleNumber, qint16(19));
    QCOMPARE(page->Text1->text(), QStringLiteral("33"));
    QCOMPARE(t.journal(), startUp);
}

// The rows are in data/finishes.txt.
void TestWiz2D1::finish_data()
{
    QTest::addColumn<int>("previousPresses");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("failing");
    QTest::addColumn<int>("heard");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("journal");
    const auto given = [](const QString &field) { return field == u"-" ? QString() : field; };
    for (const QStringList &f : dataTable(JM_TESTDATA "/finishes.txt", QStringLiteral(" | ")))
        QTest::newRow(qPrintable(f[0])) << f[1].toInt() << f[2] << given(f[3]) << f[4].toInt() << given(f[5]) << f[6];
}

// The page hides before Mode2D; a failure gives one stop box. Either way every
// host object is released, no temporary file stays and the program ends.
void TestWiz2D1::finish()
{
    QFETCH(int, previousPresses);
    QFETCH(QString, width);
    QFETCH(QString, failing);
    QFETCH(int, heard);
    QFETCH(QString, file);
    QFETCH(QString, journal);
    TestWizard t;
    t.host.state().running = failing != u"no host";
    t.host.state().failing.insert(failing.toStdString());
    auto *page = openPage(t, width);
    for (int i = 0; i < previousPresses; ++i)
        QTest::mouseClick(page->Command6, Qt::LeftButton);
    page->Text1->setFocus();
    HideRecorder hides(t, page);

    QTest::keyClick(page->Text1, Qt::Key_Return);

    QCOMPARE(t.read("DeckSize.txt"), file.isEmpty() ? Old : golden(file));
    QCOMPARE(QDir(t.folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"DeckSize.txt"});
    QCOMPARE(t.host.state().live, 0);
    QCOMPARE(t.end.count, 1);
    const QStringList expected = QString::fromLatin1(golden(journal)).split(u'\n', Qt::SkipEmptyParts);
    if (failing.isEmpty())
        QCOMPARE(t.journal(), expected);
    QCOMPARE(withoutReleases(t.journal()), withoutReleases(expected).mid(0, heard));
    // Once the width is on disk, the box says where, and what the host was to do.
    const QString folder = QDir::toNativeSeparators(QDir(t.folder.path()).absolutePath());
    const QString saved = file.isEmpty() ? QString()
                                         : "\n\nThe deck width is saved in the file \"DeckSize.txt\" in the folder \""
            + folder + "\". The host application was asked to load \"*\\Program Data\\2D Decks\\Deck 1.dc\" and open "
                       "\"*\\Program Data\\2D Decks\\2ddecks.bsx\".";
    const QString refused = "The host refused " + failing + ".\n\nError number: 0x80020009" + saved;
    const QString noHost = "No host application is running under \"Plankora.Application\".\n\nError number: 0x800401E3";
    QCOMPARE(t.messages.lines(), failing.isEmpty()   ? QStringList()
                                 : failing == u"no host" ? QStringList{Stop + noHost}
                                                         : QStringList{Stop + refused});
}

// A folder in the file's place: the error box, nothing asked of the host after
// Mode2D, the folder and its content untouched.
void TestWiz2D1::unwritableDeckSize()
{
    TestWizard t;
    auto *page = t.open<Wiz_2D_1>(PageId::Wiz_2D_1);
    QDir(t.folder.path()).mkpath(QStringLiteral("DeckSize.txt/inside"));
    t.write("DeckSize.txt/inside/kept.txt", "kept");

    QTest::mouseClick(page->Command3, Qt::LeftButton);

    const QString folder = QDir::toNativeSeparators(QDir(t.folder.path()).absolutePath());
    QCOMPARE(t.messages.lines(), QStringList{Stop + "Could not write the file \"DeckSize.txt\" in the folder \"" + folder
                                             + "\": Filename refers to a directory.\n\nError number: 2"});
    QCOMPARE(t.end.count, 1);
    QCOMPARE(withoutReleases(t.journal()),
             (QStringList{"attach Plankora.Application", "app.ActiveProvider", "app.ActiveTarget",
                          "activeTarget.Mode2D = True"}));
    QCOMPARE(t.host.state().live, 0);
    QCOMPARE(t.read("DeckSize.txt/inside/kept.txt"), QByteArray("kept"));
    QVERIFY(QDir(t.folder.path()).entryList(QDir::Files).isEmpty());
}

QTEST_MAIN(TestWiz2D1)
#include "tst_wiz_2d_1.moc"
