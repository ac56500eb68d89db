// The 2D page through the seams: its layout, the style ring, the width steps,
// the keys, Back and Cancel, and the finish against the in-process fake host.
// Which text gets which message, and what a step makes of a text, are told
// case by case in tst_deckwidth; here one case of each proves the wiring.
#include "layoutcheck.h"
#include "resources.h"
#include "testseams.h"
#include "wiz_1.h"
#include "wiz_2d_1.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace layout;

namespace {

const QString DeckSize = QStringLiteral("DeckSize.txt");
const QString Attach = QStringLiteral("attach Plankora.Application");
const QByteArray Old = "an older, longer width\r\n";

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

QStringList withoutReleases(const QStringList &journal)
{
    return journal.filter(QRegularExpression(QStringLiteral("^(?!release )")));
}

const QString NoHost = QStringLiteral("No host application is running under \"Plankora.Application\".\n\n"
                                      "Error number: 0x800401E3");

// The one message shown as "page icon title: text", or how many there were.
QString message(const TestWizard &t)
{
    if (t.messages.shown.size() != 1)
        return QStringLiteral("%1 messages").arg(t.messages.shown.size());
    const RecordedMessage &m = t.messages.shown.front();
    return QStringLiteral("%1 %2 %3: %4")
        .arg(m.page, m.icon == MessageBoxes::Icon::Stop ? QStringLiteral("stop") : QStringLiteral("plain"), m.title,
             m.text);
}

QString box(bool stop, const QString &text)
{
    return QStringLiteral("Wiz_2D_1 %1 Plankora Joistmaster: %2")
        .arg(stop ? QStringLiteral("stop") : QStringLiteral("plain"), text);
}

// The folder holds DeckSize.txt alone: no temporary file is left behind.
QStringList files(const TestWizard &t)
{
    return QDir(t.folder.path()).entryList(QDir::Files | QDir::Hidden);
}

// Notes "hide <page>" in the host's journal when the page hides, so that the
// journal shows where the hide falls among the host calls.
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

// The journal of a finish of this style that succeeds.
QStringList finishJournal(int style)
{
    return {Attach, "app.ActiveProvider", "app.ActiveTarget", "hide Wiz_2D_1", "activeTarget.Mode2D = True",
            "provider.Target", "release activeTarget", "providerTarget.SymbolLoader",
            QStringLiteral("loader.LoadSymbol (\"*\\Program Data\\2D Decks\\Deck %1.dc\", False, True, True)").arg(style),
            "providerTarget.OpenSymbolFile (\"*\\Program Data\\2D Decks\\2ddecks.bsx\")", "release loader",
            "release providerTarget", "release provider", "release app"};
}

// The page opened as the 2D road opens it, an older DeckSize.txt in the
// folder, the given width typed and the focus in the width box.
Wiz_2D_1 *openPage(TestWizard &t, const QString &width = QStringLiteral("20"))
{
    t.write(DeckSize, Old);
    auto *page = t.open<Wiz_2D_1>(PageId::Wiz_2D_1);
    page->Text1->setText(width);
    page->Text1->setFocus(Qt::TabFocusReason);
    return page;
}

} // namespace

class TestWiz2D1 : public QObject {
    Q_OBJECT
private slots:
    void layoutMatchesTheTable();
    void ringBothWays();
    void widthSteps_data();
    void widthSteps();
    void keys();
    void cancelAndEscapeEndWithoutAWord();
    void stateIsKeptAcrossBack();
    void finishRefusals_data();
    void finishRefusals();
    void finish_data();
    void finish();
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

// Nineteen presses either way from the first show's style 1 visit every
// style, each with its bitmap and the box sized to it, and come back.
void TestWiz2D1::ringBothWays()
{
    for (const int step : {+1, -1}) {
        TestWizard t;
        auto *page = t.open<Wiz_2D_1>(PageId::Wiz_2D_1);
        QCOMPARE(page->styleNumber, qint16(1));
        QVERIFY(showsBitmap(page->Picture1, 300));
        page->Picture1->resize(40, 30);
        for (int i = 1; i <= 19; ++i) {
            QTest::mouseClick(step > 0 ? page->Command5 : page->Command6, Qt::LeftButton);
            const int style = (19 + step * i) % 19 + 1;
            QCOMPARE(page->styleNumber, qint16(style));
            QVERIFY2(showsBitmap(page->Picture1, 299 + style), qPrintable(QString::number(style)));
            QCOMPARE(page->Picture1->size(), page->Picture1->pixmap().size() + QSize(4, 4));
        }
        QCOMPARE(page->styleNumber, qint16(1));
        QCOMPARE(page->Picture1->pos(), QPoint(20, 30));
        QCOMPARE(page->Text1->text(), QStringLiteral("20"));
        QVERIFY(t.messages.shown.empty());
        QVERIFY(t.host.journal().empty());
    }
}

void TestWiz2D1::widthSteps_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("texts"); // after each press
    const QString minus = QStringLiteral("Command4"), plus = QStringLiteral("Command7");
    QTest::newRow("10 down below the limit") << "10" << minus << QStringList{"9"};
    QTest::newRow("800 up above the limit") << "800" << plus << QStringList{"801"};
    QTest::newRow("1 down to 0 and -1") << "1" << minus << QStringList{"0", "-1"};
    QTest::newRow("number then letters unchanged") << "12ft" << plus << QStringList{"12ft", "12ft"};
}

void TestWiz2D1::widthSteps()
{
    QFETCH(QString, start);
    QFETCH(QString, button);
    QFETCH(QStringList, texts);
    TestWizard t;
    auto *page = openPage(t, start);
    auto *press = page->findChild<QPushButton *>(button);
    for (const QString &text : texts) {
        QTest::mouseClick(press, Qt::LeftButton);
        QCOMPARE(page->Text1->text(), text);
    }
    QCOMPARE(page->styleNumber, qint16(1));
    QVERIFY(t.messages.shown.empty());
    QVERIFY(t.host.journal().empty());
    QCOMPARE(t.end.count, 0);
    QCOMPARE(t.read(DeckSize), Old);
}

// Tab into the width selects all of it and passes the small steps by; Enter
// finishes from the width box, but a focused button takes Enter itself.
void TestWiz2D1::keys()
{
    TestWizard t;
    auto *page = openPage(t, QStringLiteral("24.5"));
    page->Command1->setFocus(Qt::OtherFocusReason);
    page->Text1->deselect();
    QTest::keyClick(page->Command1, Qt::Key_Tab);
    QVERIFY(page->Text1->hasFocus());
    QCOMPARE(page->Text1->selectedText(), QStringLiteral("24.5"));
    QTest::keyClicks(page->Text1, QStringLiteral("9"));
    QCOMPARE(page->Text1->text(), QStringLiteral("9"));

    QTest::keyClick(page->Text1, Qt::Key_Return);
    QCOMPARE(t.messages.texts(), QStringList{QStringLiteral("Deck Width must be at least 10 feet")});

    QTest::keyClick(page->Text1, Qt::Key_Tab);
    QVERIFY(page->Command6->hasFocus());
    QTest::keyClick(page->Command6, Qt::Key_Return);
    QCOMPARE(page->styleNumber, qint16(19));
    QCOMPARE(t.messages.shown.size(), std::size_t(1));
}

void TestWiz2D1::cancelAndEscapeEndWithoutAWord()
{
    for (const bool escape : {false, true}) {
        TestWizard t;
        auto *page = openPage(t);
        if (escape)
            QTest::keyClick(page->Text1, Qt::Key_Escape);
        else
            QTest::mouseClick(page->Command1, Qt::LeftButton);
        QCOMPARE(t.end.count, 1);
        QVERIFY(t.messages.shown.empty());
        QVERIFY(t.host.journal().empty());
        QCOMPARE(t.read(DeckSize), Old);
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
    QTest::mouseClick(page->Command6, Qt::LeftButton);
    QTest::mouseClick(page->Command6, Qt::LeftButton);
    page->Text1->setText(QStringLiteral("33"));

    QTest::mouseClick(page->Command2, Qt::LeftButton);
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Wiz_1")});
    QTest::mouseClick(start->Image1, Qt::LeftButton, {}, QPoint(10, 10));

    QCOMPARE(t.page<Wiz_2D_1>(PageId::Wiz_2D_1), page);
    QCOMPARE(t.visiblePages(), QStringList{QStringLiteral("Wiz_2D_1")});
    QCOMPARE(page->styleNumber, qint16(18));
    QVERIFY(showsBitmap(page->Picture1, 317));
    QCOMPARE(page->Text1->text(), QStringLiteral("33"));
    QCOMPARE(t.host.journal().size(), startUpCalls);
    QCOMPARE(t.end.count, 0);
}

void TestWiz2D1::finishRefusals_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<bool>("stop");
    QTest::newRow("below 10") << "9.99" << "Deck Width must be at least 10 feet" << false;
    QTest::newRow("above 800") << "800.01" << "Please enter a Deck Width between 10 and 800 feet" << true;
    QTest::newRow("not a number") << "12ft" << "Please enter a valid Deck Width and try again" << true;
}

// By Enter in the width box and by a click on Finish: the one message, and
// nothing written, no host call, the text, selection and focus as they were.
void TestWiz2D1::finishRefusals()
{
    QFETCH(QString, width);
    QFETCH(QString, refusal);
    QFETCH(bool, stop);
    for (const bool byKey : {true, false}) {
        TestWizard t;
        auto *page = openPage(t, width);
        page->Text1->setSelection(1, 1);
        QWidget *focused = byKey ? page->Text1 : static_cast<QWidget *>(page->Command3);
        if (byKey)
            QTest::keyClick(page->Text1, Qt::Key_Return);
        else
            QTest::mouseClick(page->Command3, Qt::LeftButton);

        QCOMPARE(message(t), box(stop, refusal));
        QCOMPARE(page->Text1->text(), width);
        QVERIFY(QApplication::focusWidget() == focused);
        if (byKey)
            QCOMPARE(page->Text1->selectionStart(), 1);
        QVERIFY(t.host.journal().empty());
        QCOMPARE(t.read(DeckSize), Old);
        QCOMPARE(files(t), QStringList{DeckSize});
        QVERIFY(page->isVisible());
        QCOMPARE(t.end.count, 0);
    }
}

void TestWiz2D1::finish_data()
{
    QTest::addColumn<int>("previousPresses");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("failing"); // a host member, or "no host" running
    QTest::addColumn<int>("heard");       // journal lines up to the failing call, releases aside
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray written = "24.5\r\n";
    QTest::newRow("style 19, 24.5") << 1 << "24.5" << QString() << 10 << written;
    QTest::newRow("style 10, 800") << 10 << "800" << QString() << 10 << QByteArray("800\r\n");
    QTest::newRow("blanks written as typed") << 0 << " 24 " << QString() << 10 << QByteArray(" 24 \r\n");
    QTest::newRow("exponent written as typed") << 0 << "1E2" << QString() << 10 << QByteArray("1E2\r\n");
    QTest::newRow("no host") << 0 << "24.5" << "no host" << 1 << Old;
    QTest::newRow("ActiveProvider fails") << 0 << "24.5" << "ActiveProvider" << 2 << Old;
    QTest::newRow("ActiveTarget fails") << 0 << "24.5" << "ActiveTarget" << 3 << Old;
    QTest::newRow("Mode2D fails") << 0 << "24.5" << "Mode2D" << 5 << Old;
    QTest::newRow("Target fails") << 0 << "24.5" << "Target" << 6 << written;
    QTest::newRow("SymbolLoader fails") << 0 << "24.5" << "SymbolLoader" << 7 << written;
    QTest::newRow("LoadSymbol fails") << 0 << "24.5" << "LoadSymbol" << 8 << written;
    QTest::newRow("OpenSymbolFile fails") << 0 << "24.5" << "OpenSymbolFile" << 9 << written;
}

// The file and the host calls in their order, the page hidden before Mode2D.
// A failure gives one stop box; either way every host object is released, no
// temporary file stays behind and the program ends.
void TestWiz2D1::finish()
{
    QFETCH(int, previousPresses);
    QFETCH(QString, width);
    QFETCH(QString, failing);
    QFETCH(int, heard);
    QFETCH(QByteArray, bytes);
    TestWizard t;
    t.host.state().running = failing != u"no host";
    t.host.state().failing.insert(failing.toStdString());
    auto *page = openPage(t, width);
    for (int i = 0; i < previousPresses; ++i)
        QTest::mouseClick(page->Command6, Qt::LeftButton);
    page->Text1->setFocus();
    HideRecorder hides(t, page);

    QTest::keyClick(page->Text1, Qt::Key_Return);

    QCOMPARE(t.read(DeckSize), bytes);
    QCOMPARE(files(t), QStringList{DeckSize});
    QCOMPARE(t.host.state().live, 0);
    QCOMPARE(t.end.count, 1);
    QCOMPARE(page->isVisible(), heard < 4);
    const QStringList journal = finishJournal(previousPresses ? 20 - previousPresses : 1);
    if (failing.isEmpty())
        QCOMPARE(journalOf(t), journal);
    QCOMPARE(withoutReleases(journalOf(t)), withoutReleases(journal).mid(0, heard));
    QCOMPARE(message(t), failing.isEmpty()         ? QStringLiteral("0 messages")
                         : failing == u"no host" ? box(true, NoHost)
                             : box(true, "The host refused " + failing + ".\n\nError number: 0x80020009"));
}

void TestWiz2D1::unwritableDeckSize()
{
    TestWizard t;
    auto *page = t.open<Wiz_2D_1>(PageId::Wiz_2D_1);
    // A folder in the file's place cannot be replaced by the file.
    QDir(t.folder.path()).mkpath(QStringLiteral("DeckSize.txt/inside"));
    t.write(QStringLiteral("DeckSize.txt/inside/kept.txt"), "kept");

    QTest::mouseClick(page->Command3, Qt::LeftButton);

    const QString folder = QDir::toNativeSeparators(QDir(t.folder.path()).absolutePath());
    QCOMPARE(message(t), box(true, "Could not write the file \"DeckSize.txt\" in the folder \"" + folder
                                     + "\": Filename refers to a directory.\n\nError number: 2"));
    QCOMPARE(t.end.count, 1);
    // The host heard Mode2D and nothing after the file.
    QCOMPARE(withoutReleases(journalOf(t)),
             (QStringList{Attach, "app.ActiveProvider", "app.ActiveTarget", "activeTarget.Mode2D = True"}));
    QCOMPARE(t.host.state().live, 0);
    QVERIFY(QFileInfo(t.path(DeckSize)).isDir());
    QCOMPARE(t.read(QStringLiteral("DeckSize.txt/inside/kept.txt")), QByteArray("kept"));
    QVERIFY(files(t).isEmpty());
}

QTEST_MAIN(TestWiz2D1)
#include "tst_wiz_2d_1.moc"
