// The deck window as a person meets it: a failed deck leaves nothing of the
// one before, a new deck brings the window forward, every format is exported
// with the folder and filter remembered, the words it shows, and its panels.
#include "datatable.h"
#include "presenter.h"
#include "viewer.h"

#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace deckview;

namespace {
// The worked example in a folder of the test's, under its family's name.
QString copied(const QTemporaryDir &folder, const QString &from, const QString &name)
{
    const QString to = folder.filePath(name);
    return QFile::copy(from, to) ? to : QString();
}

QString rectangle(const QTemporaryDir &folder)
{
    return copied(folder, JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt", "Deck_Rectangle.txt");
}

// Opens a deck and waits until the window shows it or says why not.
bool openAndWait(DeckPresenter &presenter, const QString &path)
{
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    presenter.open(path);
    return drawn.wait(20000);
}

QAction *menuAction(QMainWindow *window, const QString &menu, const QString &text)
{
    for (QAction *top : window->menuBar()->actions())
        if (top->text() == menu)
            for (QAction *action : top->menu()->actions())
                if (action->text() == text)
                    return action;
    return nullptr;
}
} // namespace

class TestDeckWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void namesAndPaper_data();
    void namesAndPaper();
    void failedDeckLeavesNothing_data();
    void failedDeckLeavesNothing();
    void comesForward();
    void comesForwardUnderAWindowManager();
    void exportsEveryFormat_data();
    void exportsEveryFormat();
    void exportFailureIsToldInABox();
    void wordsAndPanels();
    void supersededDeckIsNeverShown();

private:
    QTemporaryDir m_config;
};

void TestDeckWindow::initTestCase()
{
    // QSettings reads the folder once: set it before the first use.
    qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    qputenv("HOME", m_config.path().toUtf8());
}

void TestDeckWindow::namesAndPaper_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no extension takes the filter's") << "ext" << "/d/deck|PDF drawing (*.pdf)" << "/d/deck.pdf";
    QTest::newRow("STEP's first extension") << "ext" << "deck|STEP model (*.step *.stp)" << "deck.step";
    QTest::newRow("an extension stays") << "ext" << "deck.png|CSV takeoff (*.csv)" << "deck.png";
    QTest::newRow("US Letter") << "paper" << "UnitedStates|Deck_Rectangle.txt" << "Letter /docs/Deck_Rectangle.pdf";
    QTest::newRow("Canada Letter") << "paper" << "Canada|Deck_Slice2.txt" << "Letter /docs/Deck_Slice2.pdf";
    QTest::newRow("Mexico Letter") << "paper" << "Mexico|DeckSize.txt" << "Letter /docs/DeckSize.pdf";
    QTest::newRow("Germany A4") << "paper" << "Germany|Deck_L-Shape.txt" << "A4 /docs/Deck_L-Shape.pdf";
    QTest::newRow("UK A4") << "paper" << "UnitedKingdom|" << "A4 /docs/deck.pdf";
    QTest::newRow("short stays") << "short 10" << "0123456789" << "0123456789";
    QTest::newRow("long is cut") << "short 10" << "0123456789A" << "0123456...";
}

void TestDeckWindow::namesAndPaper()
{
    QFETCH(QString, function);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    const QStringList in = input.split(u'|');
    QString got;
    if (function == "ext") {
        got = withExtension(in[0], in[1]);
    } else if (function == "paper") {
        const auto territory = QLocale::codeToTerritory(in[0] == "UnitedStates" ? u"US"
                                                        : in[0] == "Canada"     ? u"CA"
                                                        : in[0] == "Mexico"     ? u"MX"
                                                        : in[0] == "Germany"    ? u"DE"
                                                                                : u"GB");
        const PrintDefaults d = printDefaults(territory, in[1], "/docs");
        got = (d.paper == QPageSize::Letter ? "Letter " : d.paper == QPageSize::A4 ? "A4 " : "other ") + d.fileName;
    } else {
        got = shortened(input, 10);
    }
    QCOMPARE(got, expected);
}

void TestDeckWindow::failedDeckLeavesNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("error");
    const QList<QStringList> rows = dataTable(JM_TESTDATA "/failed-decks.txt", QStringLiteral(" | "));
    QCOMPARE(rows.size(), 3);
    for (const QStringList &f : rows)
        QTest::newRow(qPrintable(f[0])) << f[1] << f[2];
}

// The worked example first, then a deck that cannot be shown.
void TestDeckWindow::failedDeckLeavesNothing()
{
    QFETCH(QString, file);
    QFETCH(QString, error);
    QTemporaryDir folder;
    QTemporaryDir before;
    const QString path = file == "none" ? folder.filePath(file) : copied(folder, JM_TESTDATA "/" + file, file);
    DeckPresenter presenter(deckviewer::WindowName, folder.path());
    DeckWindow *window = presenter.window();
    QVERIFY(openAndWait(presenter, rectangle(before)));
    QVERIFY(window->exportAction->isEnabled() && window->takeoff->rowCount() > 0);
    QVERIFY(openAndWait(presenter, path));
    QCOMPARE(window->message->text(), error.replace("<folder>", folder.path()));
    QCOMPARE(window->facts->text(), "");
    QCOMPARE(window->takeoff->rowCount(), 0);
    QVERIFY(window->takeoff->isHidden());
    QVERIFY(!window->exportAction->isEnabled());
    QVERIFY(!window->printAction->isEnabled());
    QCOMPARE(window->windowTitle(), "Joistmaster Deck Viewer");
    QVERIFY(!window->exportDrawing(folder.filePath("out.pdf")));
    QVERIFY(!QFile::exists(folder.filePath("out.pdf")));
}

namespace {
void checkComesForward()
{
    QTemporaryDir folder;
    DeckPresenter presenter(deckviewer::WindowName, QString());
    DeckWindow *window = presenter.window();
    window->show();
    QWidget other;
    other.show();
    window->showMinimized();
    other.activateWindow();
    QTRY_VERIFY(other.isActiveWindow());
    QVERIFY(openAndWait(presenter, rectangle(folder)));
    QTRY_VERIFY(window->isActiveWindow());
    QVERIFY(!(window->windowState() & Qt::WindowMinimized));
}
} // namespace

void TestDeckWindow::comesForward()
{
    checkComesForward();
}

void TestDeckWindow::comesForwardUnderAWindowManager()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("The raise by a window manager needs an X display with one running (e.g. under Xvfb); "
              "this run has the offscreen platform.");
    checkComesForward();
}

void TestDeckWindow::exportsEveryFormat_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("begins");
    QTest::newRow("pdf") << "deck" << "PDF drawing (*.pdf)" << "deck.pdf" << QByteArray("%PDF-");
    QTest::newRow("png") << "deck" << "PNG picture (*.png)" << "deck.png" << QByteArray("\x89PNG\r\n");
    QTest::newRow("svg") << "deck" << "SVG drawing (*.svg)" << "deck.svg" << QByteArray("<?xml");
    QTest::newRow("step") << "deck" << "STEP model (*.step *.stp)" << "deck.step" << QByteArray("ISO-10303-21;");
    QTest::newRow("glb") << "deck" << "glTF model (*.glb)" << "deck.glb" << QByteArray("glTF");
    QTest::newRow("csv by its name") << "deck.csv" << "PDF drawing (*.pdf)" << "deck.csv" << QByteArray();
}

void TestDeckWindow::exportsEveryFormat()
{
    QFETCH(QString, chosen);
    QFETCH(QString, filter);
    QFETCH(QString, written);
    QFETCH(QByteArray, begins);
    QTemporaryDir folder;
    DeckPresenter presenter(deckviewer::WindowName, folder.path());
    DeckWindow *window = presenter.window();
    QVERIFY(openAndWait(presenter, rectangle(folder)));
    QStringList offered;
    QString suggested;
    window->seams.chooseExportName = [&](QWidget *, const QString &start, const QStringList &filters, QString *f) {
        suggested = start;
        offered = filters;
        *f = filter;
        return folder.filePath(chosen);
    };
    window->seams.tellFailure = [](QWidget *, const QString &, const QString &text) { QFAIL(qPrintable(text)); };
    window->askExport();
    QCOMPARE(offered.join(";;"), "PDF drawing (*.pdf);;PNG picture (*.png);;SVG drawing (*.svg);;STEP model (*.step "
                                 "*.stp);;glTF model (*.glb);;CSV takeoff (*.csv)");
    QCOMPARE(QFileInfo(suggested).fileName(), "Deck_Rectangle");
    QFile file(folder.filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    if (begins.isEmpty()) // the takeoff, as the command line writes it
        QCOMPARE(bytes, dataBytes(JM_DECKMODEL_DATA "/worked-example-takeoff.csv"));
    else
        QCOMPARE(bytes.left(begins.size()), begins);
    // The next export starts where this one went, with its filter.
    const QSettings remembered(QStringLiteral("Plankora"), QStringLiteral("Joistmaster Deck Viewer"));
    QCOMPARE(remembered.value("export/folder").toString(), folder.path());
    QCOMPARE(remembered.value("export/filter").toString(), filter);
    window->askExport();
    QCOMPARE(suggested, folder.filePath("Deck_Rectangle"));
}

void TestDeckWindow::exportFailureIsToldInABox()
{
    QTemporaryDir folder;
    DeckPresenter presenter(deckviewer::WindowName, folder.path());
    DeckWindow *window = presenter.window();
    QVERIFY(openAndWait(presenter, rectangle(folder)));
    QStringList told;
    window->seams.chooseExportName = [](QWidget *, const QString &, const QStringList &, QString *) {
        return QStringLiteral("/nonexistent/folder/deck.pdf");
    };
    window->seams.tellFailure = [&](QWidget *, const QString &title, const QString &text) { told << title << text; };
    window->askExport();
    QCOMPARE(told, QStringList({"Export failed", "cannot write /nonexistent/folder/deck.pdf: No such file or directory"}));
}

void TestDeckWindow::wordsAndPanels()
{
    QTemporaryDir folder;
    DeckPresenter presenter(deckviewer::WindowName, QString());
    DeckWindow *window = presenter.window();
    QCOMPARE(window->message->text(),
             "Nothing to draw yet. Finish a deck in Joistmaster, or open a wizard folder with File > Open.");
    QVERIFY(!window->exportAction->isEnabled() && !window->printAction->isEnabled());
    window->addPanel("Files", "filesDock", new QWidget);
    window->show();
    QVERIFY(openAndWait(presenter, rectangle(folder)));
    // The deck's tab first, and in front.
    const QTabBar *tabs = window->findChild<QTabBar *>();
    QVERIFY(tabs);
    QCOMPARE(tabs->tabText(0), "Deck");
    QCOMPARE(tabs->tabText(1), "Files");
    QCOMPARE(tabs->currentIndex(), 0);
    // Every column of the takeoff in sight at the window's first size.
    QTRY_COMPARE(window->takeoff->horizontalScrollBar()->maximum(), 0);
    // No hidden lines to dash in a shaded picture.
    QAction *dash = window->view->dashAction();
    window->view->setMode(ViewMode::Shaded);
    QVERIFY(!dash->isEnabled());
    window->view->setMode(ViewMode::HiddenLine);
    QVERIFY(dash->isEnabled());
    // A closed panel comes back from the View menu.
    auto *files = window->findChild<QDockWidget *>("filesDock");
    files->close();
    QVERIFY(files->isHidden());
    QAction *back = menuAction(window, "&View", "Files");
    QVERIFY(back);
    back->trigger();
    QVERIFY(files->isVisible());
    // File > Open asks for a folder and opens it.
    QSignalSpy opened(window, &DeckWindow::openRequested);
    window->seams.chooseFolder = [](QWidget *) { return QStringLiteral("/some/folder"); };
    menuAction(window, "&File", "&Open...")->trigger();
    QCOMPARE(opened.value(0).value(0).toString(), "/some/folder");
}

// A deck asked for while another is still being built: only the later shows.
void TestDeckWindow::supersededDeckIsNeverShown()
{
    QTemporaryDir first, second;
    DeckPresenter presenter(deckviewer::WindowName, QString());
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    presenter.open(rectangle(first));
    presenter.open(copied(second, JM_DECK3D_DATA "/Deck_L-Shape-defaults.txt", "Deck_L-Shape.txt"));
    QVERIFY(drawn.wait(20000));
    QCOMPARE(drawn.size(), 1);
    QCOMPARE(drawn.at(0).at(0).toString(), "drawn Deck_L-Shape: 20' 0\" x 10' 0\"");
    QCOMPARE(presenter.window()->windowTitle(), "Joistmaster Deck Viewer - Deck_L-Shape.txt");
}

QTEST_MAIN(TestDeckWindow)
#include "tst_deckwindow.moc"
