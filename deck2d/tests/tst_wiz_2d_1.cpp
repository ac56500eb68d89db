// The 2D page through the seams: its layout, the style ring, the width steps,
// the keys, Back and Cancel, and the finish against the in-process fake host.
#include "layoutcheck.h"
#include "resources.h"
#include "testseams.h"
#include "wiz_1.h"
#include "wiz_2d_1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace layout;

namespace {

const QString DeckSize = QStringLiteral("DeckSize.txt");
const QString Attach = QStringLiteral("attach Plankora.Application");

bool showsBitmap(QLabel *box, int id)
{
    return box->pixmap().toImage() == resources::bitmap(id).toImage();
}

QStringList journalOf(TestWizard &t)
{
    QStringList lines;
    for (const auto &line : t.host.journal())
        lines << QString::fromStdString(line);
    return lines;
}

// Writes "hide <page>" into the host's journal when the page hides, so that
// the journal shows where the hide falls among the host calls.
class HideRecorder : public QObject {
public:
    HideRecorder(TestWizard &t, QWidget *page) : m_t(t) { page->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide)
            m_t.host.state().journal.push_back("hide " + watched->objectName().toStdString());
        return false;
    }

private:
    TestWizard &m_t;
};

// The page opened as the 2D road opens it, with the focus in the width box.
Wiz_2D_1 *openPage(TestWizard &t)
{
    auto *page = t.open<Wiz_2D_1>(PageId::Wiz_2D_1);
    page->Text1->setFocus(Qt::TabFocusReason);
    return page;
}

void pressTimes(QPushButton *button, int times)
{
    for (int i = 0; i < times; ++i)
        QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestWiz2D1 : public QObject {
    Q_OBJECT
private slots:
    void layoutMatchesTheTable();
    void firstShowIsStyleOneAndWidth20();
    void ringBothWays_data();
    void ringBothWays();
    void styleBoxTakesTheBitmapSize();
    void widthSteps_data();
    void widthSteps();
    void tabIntoTheWidthSelectsAll();
    void enterFinishesUnlessTheFocusIsOnAButton();
    void cancelAndEscapeEndWithoutAWord();
    void stateIsKeptAcrossBack();
    void finishRefusals_data();
    void finishRefusals();
    void finishHandsTheStyleToTheHost_data();
    void finishHandsTheStyleToTheHost();
    void failingHostMember_data();
    void failingHostMember();
    void noHostLeavesTheOldFile();
    void unwritableDeckSize();
};

void TestWiz2D1::layoutMatchesTheTable()
{
    TestWizard t;
    auto *page = t.open<Wiz_2D_1>(PageId::Wiz_2D_1);
    check(page, {"Wiz_2D_1", QStringLiteral("Joistmaster . . . Choose your Deck Shape and Width"), 6780, 4020, true,
                 {
                     {"Command7", Kind::Button, nullptr, QStringLiteral("+"), {5160, 1800, 250, 250}, 4},
                     {"Command4", Kind::Button, nullptr, QStringLiteral("-"), {3960, 1800, 250, 250}, 5},
                     {"Text1", Kind::TextBox, nullptr, QStringLiteral("20"), {4320, 1680, 690, 405}, 3},
                     {"Frame2", Kind::Frame, nullptr, QStringLiteral("Deck Width"), {3705, 135, 1905, 3255}, 7},
                     {"Label1", Kind::Label, "Frame2", QStringLiteral("Deck Width (A)"), {360, 1320, 1215, 255}, 1,
                      Blue | Centred},
                     {"Command5", Kind::Button, nullptr, QStringLiteral("Next Style >>"), {2070, 2910, 1425, 345}, 9},
                     {"Command6", Kind::Button, nullptr, QStringLiteral("<< Previous Style"), {330, 2925, 1425, 345}, 8},
                     {"Picture2", Kind::PictureBox, nullptr, {}, {5760, 240, 744, 2472}, 2},
                     {"Picture1", Kind::PictureBox, nullptr, {}, {240, 360, 3255, 2232}, 0, RuntimePicture},
                     {"Frame1", Kind::Frame, nullptr, QStringLiteral("Deck Shape"), {120, 135, 3495, 3255}, 6},
                     {"Command3", Kind::Button, nullptr, QStringLiteral("&Finish  >>"), {3960, 3600, 1125, 345}, 11},
                     {"Command2", Kind::Button, nullptr, QStringLiteral("<<  &Back"), {2760, 3600, 1125, 345}, 10},
                     {"Command1", Kind::Button, nullptr, QStringLiteral("&Cancel"), {120, 3600, 1125, 345}, 12},
                 }});
    QCOMPARE(page->Text1->accessibleName(), QStringLiteral("Deck Width (A)"));
    QCOMPARE(page->Picture1->palette().color(page->Picture1->backgroundRole()), QColor(Qt::white));
    QVERIFY(page->Picture1->autoFillBackground());
}

void TestWiz2D1::firstShowIsStyleOneAndWidth20()
{
    TestWizard t;
    WizardContext context{t.folder.path(), &t.host, &t.messages, &t.end, &t.wizard};
    Wiz_2D_1 unloaded(context);
    QCOMPARE(unloaded.styleNumber, qint16(0));

    auto *page = t.open<Wiz_2D_1>(PageId::Wiz_2D_1);
    QCOMPARE(page->styleNumber, qint16(1));
    QVERIFY(showsBitmap(page->Picture1, 300));
    QCOMPARE(page->Text1->text(), QStringLiteral("20"));
    QVERIFY(t.host.journal().empty());
}

void TestWiz2D1::ringBothWays_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<int>>("styles"); // after each press, from style 1
    QList<int> up, down;
    for (int i = 2; i <= 19; ++i)
        up << i;
    up << 1;
    for (int i = 19; i >= 1; --i)
        down << i;
    QTest::newRow("Next Style") << QStringLiteral("Command5") << up;
    QTest::newRow("Previous Style") << QStringLiteral("Command6") << down;
}

void TestWiz2D1::ringBothWays()
{
    QFETCH(QString, button);
    QFETCH(QList<int>, styles);
    TestWizard t;
    auto *page = t.open<Wiz_2D_1>(PageId::Wiz_2D_1);
    auto *press = page->findChild<QPushButton *>(button);
    for (int style : styles) {
        QTest::mouseClick(press, Qt::LeftButton);
        QCOMPARE(page->styleNumber, qint16(style));
        QVERIFY2(showsBitmap(page->Picture1, 299 + style), qPrintable(QString::number(style)));
    }
    QCOMPARE(page->Text1->text(), QStringLiteral("20"));
    QVERIFY(t.messages.shown.empty());
    QVERIFY(t.host.journal().empty());
}

void TestWiz2D1::styleBoxTakesTheBitmapSize()
{
    TestWizard t;
    auto *page = t.open<Wiz_2D_1>(PageId::Wiz_2D_1);
    QCOMPARE(page->Picture1->size(), QSize(217, 157));
    page->Picture1->resize(40, 30);
    QTest::mouseClick(page->Command5, Qt::LeftButton);
    QCOMPARE(page->Picture1->size(), QSize(217, 157));
    QCOMPARE(page->Picture1->pos(), QPoint(20, 30));
}

void TestWiz2D1::widthSteps_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("texts"); // after each press
    const QString minus = QStringLiteral("Command4"), plus = QStringLiteral("Command7");
    QTest::newRow("20 down") << "20" << minus << QStringList{"19", "18"};
    QTest::newRow("10 down below the limit") << "10" << minus << QStringList{"9"};
    QTest::newRow("800 up above the limit") << "800" << plus << QStringList{"801"};
    QTest::newRow("1 down to 0 and -1") << "1" << minus << QStringList{"0", "-1"};
    QTest::newRow("-1 up") << "-1" << plus << QStringList{"0", "1"};
    QTest::newRow("10.5 down") << "10.5" << minus << QStringList{"9.5"};
    QTest::newRow("blanks around") << " 24 " << plus << QStringList{"25"};
    QTest::newRow("exponent") << "1e3" << minus << QStringList{"999"};
    QTest::newRow("number then letters unchanged") << "12ft" << plus << QStringList{"12ft", "12ft"};
    QTest::newRow("empty unchanged") << "" << minus << QStringList{""};
    QTest::newRow("blank inside unchanged") << "1 0" << plus << QStringList{"1 0"};
    QTest::newRow("decimal comma unchanged") << "2,5" << minus << QStringList{"2,5"};
}

void TestWiz2D1::widthSteps()
{
    QFETCH(QString, start);
    QFETCH(QString, button);
    QFETCH(QStringList, texts);
    TestWizard t;
    auto *page = t.open<Wiz_2D_1>(PageId::Wiz_2D_1);
    page->Text1->setText(start);
    auto *press = page->findChild<QPushButton *>(button);
    for (const QString &text : texts) {
        QTest::mouseClick(press, Qt::LeftButton);
        QCOMPARE(page->Text1->text(), text);
    }
    QCOMPARE(page->styleNumber, qint16(1));
    QVERIFY(t.messages.shown.empty());
    QVERIFY(t.host.journal().empty());
    QCOMPARE(t.end.count, 0);
    QVERIFY(!t.exists(DeckSize));
}

void TestWiz2D1::tabIntoTheWidthSelectsAll()
{
    TestWizard t;
    auto *page = t.open<Wiz_2D_1>(PageId::Wiz_2D_1);
    page->Text1->setText(QStringLiteral("24.5"));
    page->Command1->setFocus(Qt::OtherFocusReason);
    page->Text1->deselect();
    QTest::keyClick(page->Command1, Qt::Key_Tab);
    QVERIFY(page->Text1->hasFocus());
    QCOMPARE(page->Text1->selectedText(), QStringLiteral("24.5"));
    QTest::keyClicks(page->Text1, QStringLiteral("30"));
    QCOMPARE(page->Text1->text(), QStringLiteral("30"));

    // Tab leaves the width box for the style buttons, passing the small steps by.
    QTest::keyClick(page->Text1, Qt::Key_Tab);
    QVERIFY(page->Command6->hasFocus());
}

void TestWiz2D1::enterFinishesUnlessTheFocusIsOnAButton()
{
    TestWizard t;
    auto *page = openPage(t);
    page->Text1->setText(QStringLiteral("9"));
    QTest::keyClick(page->Text1, Qt::Key_Return);
    QCOMPARE(t.messages.texts(), QStringList{QStringLiteral("Deck Width must be at least 10 feet")});

    // A focused button takes Enter itself.
    page->Command5->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(page->Command5, Qt::Key_Return);
    QCOMPARE(page->styleNumber, qint16(2));
    QCOMPARE(t.messages.shown.size(), std::size_t(1));
}

void TestWiz2D1::cancelAndEscapeEndWithoutAWord()
{
    for (const bool escape : {false, true}) {
        TestWizard t;
        t.write(DeckSize, "old\r\n");
        auto *page = openPage(t);
        if (escape)
            QTest::keyClick(page->Text1, Qt::Key_Escape);
        else
            QTest::mouseClick(page->Command1, Qt::LeftButton);
        QCOMPARE(t.end.count, 1);
        QVERIFY(t.messages.shown.empty());
        QVERIFY(t.host.journal().empty());
        QCOMPARE(t.read(DeckSize), QByteArray("old\r\n"));
    }
}

void TestWiz2D1::stateIsKeptAcrossBack()
{
    TestWizard t;
    t.start();
    auto *start = t.page<Wiz_1>(PageId::Wiz_1);
    const auto startUpCalls = t.host.journal().size();
    QTest::mouseClick(start->Image1, Qt::LeftButton, {}, QPoint(10, 10));
    auto *page = t.page<Wiz_2D_1>(PageId::Wiz_2D_1);
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Wiz_2D_1")});
    pressTimes(page->Command6, 2);
    page->Text1->setText(QStringLiteral("33"));

    QTest::mouseClick(page->Command2, Qt::LeftButton);
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Wiz_1")});

    QTest::mouseClick(start->Image1, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(t.page<Wiz_2D_1>(PageId::Wiz_2D_1), page);
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Wiz_2D_1")});
    QCOMPARE(page->styleNumber, qint16(18));
    QVERIFY(showsBitmap(page->Picture1, 317));
    QCOMPARE(page->Text1->text(), QStringLiteral("33"));

    // And through the wizard's own move, once more.
    t.wizard.move(page, PageId::Wiz_1);
    t.wizard.move(start, PageId::Wiz_2D_1);
    QCOMPARE(page->styleNumber, qint16(18));
    QCOMPARE(page->Text1->text(), QStringLiteral("33"));
    QCOMPARE(t.host.journal().size(), startUpCalls);
    QCOMPARE(t.end.count, 0);
}

void TestWiz2D1::finishRefusals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("stop");
    const QString small = QStringLiteral("Deck Width must be at least 10 feet");
    const QString invalid = QStringLiteral("Please enter a valid Deck Width and try again");
    const QString range = QStringLiteral("Please enter a Deck Width between 10 and 800 feet");
    QTest::newRow("empty") << "" << small << false;
    QTest::newRow("letters only") << "abc" << small << false;
    QTest::newRow("9.99") << "9.99" << small << false;
    QTest::newRow("below zero") << "-5" << small << false;
    QTest::newRow("800.01") << "800.01" << range << true;
    QTest::newRow("1e3") << "1e3" << range << true;
    QTest::newRow("12ft") << "12ft" << invalid << true;
    QTest::newRow("1 0") << "1 0" << invalid << true;
    QTest::newRow("decimal comma") << "20,5" << invalid << true;
    QTest::newRow("1e309") << "1e309" << invalid << true;
}

void TestWiz2D1::finishRefusals()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(bool, stop);
    for (const bool byKey : {true, false}) {
        TestWizard t;
        t.write(DeckSize, "old\r\n");
        auto *page = openPage(t);
        page->Text1->setText(text);
        if (text.size() >= 2)
            page->Text1->setSelection(1, 1);
        QWidget *focused = byKey ? page->Text1 : static_cast<QWidget *>(page->Command3);
        if (byKey)
            QTest::keyClick(page->Text1, Qt::Key_Return);
        else
            QTest::mouseClick(page->Command3, Qt::LeftButton);

        QCOMPARE(t.messages.shown.size(), std::size_t(1));
        const RecordedMessage &shown = t.messages.shown.front();
        QCOMPARE(shown.text, message);
        QCOMPARE(shown.icon, stop ? MessageBoxes::Icon::Stop : MessageBoxes::Icon::None);
        QCOMPARE(shown.title, QStringLiteral("Plankora Joistmaster"));
        QCOMPARE(shown.page, QStringLiteral("Wiz_2D_1"));
        QCOMPARE(page->Text1->text(), text);
        QVERIFY(QApplication::focusWidget() == focused);
        if (byKey && text.size() >= 2)
            QCOMPARE(page->Text1->selectionStart(), 1);
        QVERIFY(t.host.journal().empty());
        QCOMPARE(t.read(DeckSize), QByteArray("old\r\n"));
        QCOMPARE(QDir(t.folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{DeckSize});
        QVERIFY(page->isVisible());
        QCOMPARE(t.end.count, 0);
    }
}

void TestWiz2D1::finishHandsTheStyleToTheHost_data()
{
    QTest::addColumn<int>("previousPresses");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("symbol");
    QTest::newRow("style 19, 24.5") << 1 << "24.5" << QByteArray("24.5\r\n") << "Deck 19.dc";
    QTest::newRow("style 1, 10") << 0 << "10" << QByteArray("10\r\n") << "Deck 1.dc";
    QTest::newRow("style 10, 800") << 10 << "800" << QByteArray("800\r\n") << "Deck 10.dc";
    QTest::newRow("blanks written as typed") << 0 << " 24 " << QByteArray(" 24 \r\n") << "Deck 1.dc";
    QTest::newRow("exponent written as typed") << 0 << "1E2" << QByteArray("1E2\r\n") << "Deck 1.dc";
}

void TestWiz2D1::finishHandsTheStyleToTheHost()
{
    QFETCH(int, previousPresses);
    QFETCH(QString, width);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, symbol);
    TestWizard t;
    t.write(DeckSize, "an older, longer width\r\n");
    auto *page = openPage(t);
    pressTimes(page->Command6, previousPresses);
    page->Text1->setText(width);
    HideRecorder hides(t, page);

    QTest::keyClick(page->Text1, Qt::Key_Return);

    QCOMPARE(t.read(DeckSize), bytes);
    QCOMPARE(QDir(t.folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{DeckSize});
    const QStringList expected{Attach,
                               "app.ActiveProvider",
                               "app.ActiveTarget",
                               "hide Wiz_2D_1",
                               "activeTarget.Mode2D = True",
                               "provider.Target",
                               "release activeTarget",
                               "providerTarget.SymbolLoader",
                               "loader.LoadSymbol (\"*\\Program Data\\2D Decks\\" + symbol + "\", False, True, True)",
                               "providerTarget.OpenSymbolFile (\"*\\Program Data\\2D Decks\\2ddecks.bsx\")",
                               "release loader",
                               "release providerTarget",
                               "release provider",
                               "release app"};
    QCOMPARE(journalOf(t), expected);
    QCOMPARE(t.host.state().live, 0);
    QVERIFY(t.messages.shown.empty());
    QCOMPARE(t.end.count, 1);
    QVERIFY(!page->isVisible());
}

void TestWiz2D1::failingHostMember_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<int>("calls"); // host calls made, the failing one included
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<bool>("written");
    QTest::newRow("ActiveProvider") << "ActiveProvider" << 1 << false << false;
    QTest::newRow("ActiveTarget") << "ActiveTarget" << 2 << false << false;
    QTest::newRow("Mode2D") << "Mode2D" << 3 << true << false;
    QTest::newRow("Target") << "Target" << 4 << true << true;
    QTest::newRow("SymbolLoader") << "SymbolLoader" << 5 << true << true;
    QTest::newRow("LoadSymbol") << "LoadSymbol" << 6 << true << true;
    QTest::newRow("OpenSymbolFile") << "OpenSymbolFile" << 7 << true << true;
}

void TestWiz2D1::failingHostMember()
{
    QFETCH(QString, member);
    QFETCH(int, calls);
    QFETCH(bool, hidden);
    QFETCH(bool, written);
    TestWizard t;
    t.write(DeckSize, "old\r\n");
    t.host.state().failing.insert(member.toStdString());
    auto *page = openPage(t);
    page->Text1->setText(QStringLiteral("24.5"));

    QTest::mouseClick(page->Command3, Qt::LeftButton);

    QCOMPARE(t.messages.shown.size(), std::size_t(1));
    const RecordedMessage &shown = t.messages.shown.front();
    QCOMPARE(shown.icon, MessageBoxes::Icon::Stop);
    QCOMPARE(shown.title, QStringLiteral("Plankora Joistmaster"));
    QCOMPARE(shown.text, "The host refused " + member + ".\n\nError number: 0x80020009");
    QCOMPARE(t.end.count, 1);
    QCOMPARE(t.host.state().live, 0);
    QCOMPARE(page->isVisible(), !hidden);
    QCOMPARE(t.read(DeckSize), written ? QByteArray("24.5\r\n") : QByteArray("old\r\n"));

    QStringList made;
    for (const QString &line : journalOf(t))
        if (!line.startsWith(QLatin1String("attach ")) && !line.startsWith(QLatin1String("release "))
            && !line.startsWith(QLatin1String("hide ")))
            made << line;
    QCOMPARE(made.size(), calls);
    QVERIFY2(made.last().contains(member), qPrintable(made.last()));
}

void TestWiz2D1::noHostLeavesTheOldFile()
{
    TestWizard t;
    t.write(DeckSize, "old\r\n");
    t.host.state().running = false;
    auto *page = openPage(t);
    page->Text1->setText(QStringLiteral("24.5"));
    HideRecorder hides(t, page);

    QTest::keyClick(page->Text1, Qt::Key_Return);

    QCOMPARE(journalOf(t), QStringList{Attach});
    QCOMPARE(t.messages.shown.size(), std::size_t(1));
    const RecordedMessage &shown = t.messages.shown.front();
    QCOMPARE(shown.icon, MessageBoxes::Icon::Stop);
    QCOMPARE(shown.page, QStringLiteral("Wiz_2D_1"));
    QCOMPARE(shown.text, QStringLiteral("No host application is running under \"Plankora.Application\".\n\n"
                                        "Error number: 0x800401E3"));
    QCOMPARE(t.end.count, 1);
    QVERIFY(page->isVisible());
    QCOMPARE(t.read(DeckSize), QByteArray("old\r\n"));
    QCOMPARE(QDir(t.folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{DeckSize});
}

void TestWiz2D1::unwritableDeckSize()
{
    TestWizard t;
    // A folder in the file's place cannot be replaced by the file.
    QDir(t.folder.path()).mkpath(QStringLiteral("DeckSize.txt/inside"));
    t.write(QStringLiteral("DeckSize.txt/inside/kept.txt"), "kept");
    auto *page = openPage(t);
    page->Text1->setText(QStringLiteral("24.5"));

    QTest::mouseClick(page->Command3, Qt::LeftButton);

    QCOMPARE(t.messages.shown.size(), std::size_t(1));
    const RecordedMessage &shown = t.messages.shown.front();
    QCOMPARE(shown.icon, MessageBoxes::Icon::Stop);
    const QString folder = QDir::toNativeSeparators(QDir(t.folder.path()).absolutePath());
    QCOMPARE(shown.text, "Could not write the file \"DeckSize.txt\" in the folder \"" + folder
                             + "\": Filename refers to a directory.\n\nError number: 2");
    QCOMPARE(t.end.count, 1);
    // The host heard Mode2D and nothing after the file.
    QCOMPARE(journalOf(t).mid(0, 4), (QStringList{Attach, "app.ActiveProvider", "app.ActiveTarget",
                                                  "activeTarget.Mode2D = True"}));
    QVERIFY(!journalOf(t).contains(QStringLiteral("provider.Target")));
    QCOMPARE(t.host.state().live, 0);
    QVERIFY(QFileInfo(t.path(DeckSize)).isDir());
    QCOMPARE(t.read(QStringLiteral("DeckSize.txt/inside/kept.txt")), QByteArray("kept"));
    QVERIFY(QDir(t.folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

QTEST_MAIN(TestWiz2D1)
#include "tst_wiz_2d_1.moc"
