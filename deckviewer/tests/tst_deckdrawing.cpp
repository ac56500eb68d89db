// What the viewer draws: the hidden-line kernel's lines for two boxes counted
// by hand, the worked example's hidden lines each drawn once, the substitute
// host's window after the wizard's OpenSymbolFile, and the viewer's window as
// a person meets it: its title, a failed deck that leaves nothing of the one
// before, coming forward, every format exported with the folder and filter
// remembered, its words and its panels.
#include "checksettings.h"
#include "codecheckpanel.h"
#include "stairpanel.h"
#include "takeoffprices.h"
#include "datatable.h"
#include "testclasses.h"
#include "presentertest.h"
#include "viewer.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QTreeWidget>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

using namespace deckview;

namespace {
deckmodel::Member box(deckmodel::Kind kind, double x0, double z0, double x1, double z1, double base, double thickness)
{
    return {kind, QStringLiteral("member"), {{x0, z0}, {x1, z0}, {x1, z1}, {x0, z1}}, base, thickness};
}

QStringList visibleLines(const std::vector<Segment2> &segments)
{
    QStringList lines;
    for (const Segment2 &s : segments)
        if (s.stroke == Stroke::Visible)
            lines << QStringLiteral("(%1 %2)-(%3 %4)").arg(s.a.x()).arg(s.a.y()).arg(s.b.x()).arg(s.b.y());
    lines.sort();
    return lines;
}

// Two visible segments on one line that share more than a point.
bool drawnTwice(const Segment2 &s, const Segment2 &t)
{
    const QLineF a(s.a, s.b), b(t.a, t.b);
    const QPointF d = (s.b - s.a) / a.length();
    auto across = [&](QPointF p) { return std::abs(d.x() * (p.y() - s.a.y()) - d.y() * (p.x() - s.a.x())); };
    auto along = [&](QPointF p) { return QPointF::dotProduct(p - s.a, d); };
    if (across(t.a) > 0.5 || across(t.b) > 0.5)
        return false;
    const double from = std::max(0.0, std::min(along(t.a), along(t.b)));
    const double to = std::min(a.length(), std::max(along(t.a), along(t.b)));
    return to - from > 0.5 && b.length() > 0;
}

// The viewer's window with the worked example in a folder of its own.
struct Viewer : ExampleWindow {
    Viewer() : ExampleWindow(deckviewer::WindowName, false) {}
    // The title, the words, the facts, the takeoff's rows and whether export and print are on.
    QString state() const
    {
        return QStringList{window->windowTitle(), window->message->text(), window->facts->text(),
                           QString::number(window->takeoff->isVisible() * window->takeoff->rowCount()),
                           QString::number(window->exportAction->isEnabled() + window->printAction->isEnabled())}
            .join(" | ");
    }
};
} // namespace

class TestDeckDrawing : public QObject {
    Q_OBJECT
private slots:
    void postUnderBeamFromAbove();
    void workedExampleDrawsEachLineOnce();
    void windowAfterOpenSymbolFile_data() { rowsOf(JM_TESTDATA "/symbols.txt"); }
    void windowAfterOpenSymbolFile();
    void failedDeckLeavesNothing_data() { rowsOf(JM_TESTDATA "/failed-decks.txt"); }
    void failedDeckLeavesNothing();
    void printPaper();
    void exportsEveryFormat();
    void wordsAndPanels();
    void codeCheckBesideTheDeck();
    void wasteAllowanceRemembered();

private:
    QTemporaryDir m_config = [] {
        QTemporaryDir config; // QSettings finds its folder once, before the first test
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        return config;
    }();
};

// A 4 x 4 post 30 high under a beam ply 44 long and 1.5 thick, seen from
// above: x to the right, z downwards. The beam covers the post's first 1.5
// inches; the post's two sides there are hidden, its near edge lies under the beam's.
void TestDeckDrawing::postUnderBeamFromAbove()
{
    const auto kernel = std::make_shared<const deckmodel::HiddenLines>(std::vector<deckmodel::Member>{
        box(deckmodel::Kind::Post, 0, 0, 4, 4, 0, 30), box(deckmodel::Kind::BeamPly, -20, 0, 24, 1.5, 30, 7.25)});
    const std::vector<Segment2> lines = cleanSegments(hiddenLineSource(kernel)({{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, true));
    QCOMPARE(visibleLines(lines), QStringList({"(-20 -1.5)-(-20 0)", "(-20 -1.5)-(24 -1.5)", "(-20 0)-(24 0)",
                                               "(0 -4)-(0 -1.5)", "(0 -4)-(4 -4)", "(24 -1.5)-(24 0)",
                                               "(4 -4)-(4 -1.5)"}));
    QCOMPARE(lines.size() - size_t(visibleLines(lines).size()), 2u); // the post's sides under the beam
}

void TestDeckDrawing::workedExampleDrawsEachLineOnce()
{
    QTemporaryDir folder;
    ShownDeck shown = deckFrom(copyWorkedExample(folder.path()));
    QVERIFY2(shown.error.isEmpty(), qPrintable(shown.error));
    // The framing alone: in this view some of the guard's hundred balusters
    // and the stair's pieces pass within half a pixel of each other by chance.
    std::erase_if(shown.scene.prisms, [](const Prism &p) { return !deckmodel::isFraming(p.kind); });
    std::erase_if(shown.members, [](const deckmodel::Member &m) { return !deckmodel::isFraming(m.kind); });
    addKernel(shown);
    const Mesh mesh = triangulate(shown.scene);
    const QSize viewport(1000, 700);
    const Camera camera = standardCamera(StandardView::Isometric, mesh.bounds, viewport);
    RenderOptions options;
    const size_t wireframe = renderDrawing(mesh, camera, viewport, options).lines.size();
    options.mode = ViewMode::HiddenLine;
    options.hiddenLines = hiddenLineSource(shown.hiddenLines);
    std::vector<Segment2> visible = renderDrawing(mesh, camera, viewport, options).lines;
    std::erase_if(visible, [](const Segment2 &s) { return s.stroke != Stroke::Visible; });
    QVERIFY2(visible.size() > 100 && visible.size() < wireframe, qPrintable(QString::number(visible.size())));
    for (size_t i = 0; i < visible.size(); ++i)
        for (size_t j = i + 1; j < visible.size(); ++j)
            QVERIFY2(!drawnTwice(visible[i], visible[j]) && !drawnTwice(visible[j], visible[i]),
                     qPrintable(QStringList(visibleLines({visible[i], visible[j]})).join(u' ')));
}

void TestDeckDrawing::windowAfterOpenSymbolFile()
{
    QFETCH(QStringList, row);
    const QString loaded = row[1] == "-" ? QString() : row[1], symbol = row[2], said = row[3], title = row[4];
    ExampleWindow host(QStringLiteral("Host"));
    QVERIFY(writeBytes(host.folder.filePath("DeckSize.txt"), "24.5\r\n"));
    DeckPresenter &presenter = host.presenter;
    QCOMPARE(presenter.window()->windowTitle(), QStringLiteral("Host"));
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    if (!loaded.isEmpty())
        presenter.symbolLoaded(loaded);
    presenter.symbolFileOpened(symbol);
    QVERIFY(drawn.wait(10000));
    QCOMPARE(drawn.at(0).at(0).toString(), said);
    QCOMPARE(presenter.window()->windowTitle(), title);
    if (said.startsWith("cannot draw: "))
        QCOMPARE(presenter.window()->message->text(), said.mid(13));
    if (!said.contains("Deck_Rectangle"))
        return;
    // The worked example's hand count (docs/deck-model.md).
    QCOMPARE(presenter.window()->facts->text(),
             "Shape: rectangle\nA: 16' 0\"\nB: 12' 0\"\nHeight: 3' 0\"\nArea: 192 sq ft\nPosts: 6\n"
             "Beam plies: 6\nJoists: 11\nRim joists: 4\nDecking boards: 34\nGuard posts: 17\nGuard rails: 22\n"
             "Balusters: 116\nStringers: 3\nTread boards: 8\nHandrails: 1\nLanding pads: 1\nRiser boards: 3\n"
             "Code check: Fails 1 of 14 checks of the 2021 IRC deck tables; 2 outside the tables");
    // The table as the priced golden CSV, up to the wizard's notes, which stand apart under it.
    QStringList lines = dataLines(JM_TAKEOFF_DATA "/worked-example-takeoff-priced.csv");
    lines.removeFirst();
    lines = lines.mid(0, lines.indexOf(QStringLiteral("\r")));
    QTableWidget *table = presenter.window()->takeoff;
    QCOMPARE(table->rowCount(), lines.size());
    auto rowText = [&](int r) {
        QStringList row;
        for (int c = 0; c < table->columnCount(); ++c) {
            QString cell = table->item(r, c) ? table->item(r, c)->text() : QString();
            if (cell.contains(u',') || cell.contains(u'"'))
                cell = u'"' + cell.replace(QLatin1String("\""), QLatin1String("\"\"")) + u'"';
            row << cell;
        }
        return row.join(u',') + u'\r'; // the CSV's lines end in CR LF
    };
    for (int r = 0; r < table->rowCount(); ++r)
        QCOMPARE(rowText(r), lines[r]);
    // The priced golden file's subtotals and total, then the wizard's notes.
    QCOMPARE(presenter.window()->takeoffNotes->text(),
             "Subtotal lumber 1,171.38\nSubtotal hardware 558.48\nSubtotal concrete 136.08\nTotal 1,865.94\n"
             "These are example prices: double-click a unit price to put in your own (saved to "
                 + qEnvironmentVariable("XDG_CONFIG_HOME") + "/joistmaster/prices.csv).\n\nThe wizard's notes\n"
             "4 inch x 4 inch Square Posts\n12 foot 2x8 Beams\n8 foot 2x6 Joists\n2x6 Pieces of Decking");

    // A price typed into the table: in prices.csv afterwards and in the totals.
    // It is the price of 2x6 lumber 16 ft long, so the 2 rim joists of that
    // size and length follow the 11 joists: 13 x (20.00 - 13.48) = 84.76 more
    // than 1865.94.
    table->item(2, 5)->setText("20");
    QCOMPARE(rowText(2).section(u',', 0, 6), "Joists,2x6,16,11,piece,20.00,220.00");
    QCOMPARE(rowText(4).section(u',', 0, 6), "Rim joists,2x6,16,2,piece,20.00,40.00");
    QCOMPARE(rowText(table->rowCount() - 1), "Total,,,,,,1950.70,\r");
    QFile saved(m_config.filePath("joistmaster/prices.csv"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    QVERIFY(bytes.contains("\nLumber,2x6,16,piece,20.00\n"));
    QVERIFY(bytes.startsWith("# Prices of your own, changed from the examples.\n"));
    QVERIFY(!presenter.window()->takeoffNotes->text().contains("These are example prices"));
    table->item(2, 5)->setText("13.48");
    QCOMPARE(rowText(table->rowCount() - 1), "Total,,,,,,1865.94,\r");
    // A price that is no number, or below 0: refused above the notes, the price as it was.
    for (const auto &[typed, refusal] : {std::pair{"x", "A price is a number of at least 0."},
                                         {"-1", "A price is a number from 0 to 1,000,000."}}) {
        table->item(2, 5)->setText(typed);
        QVERIFY2(presenter.window()->takeoffNotes->text().startsWith(refusal + QStringLiteral("\nSubtotal lumber ")), typed);
        QCOMPARE(rowText(table->rowCount() - 1), "Total,,,,,,1865.94,\r");
    }
}

// The worked example, then a deck that cannot be shown, asked for while the
// worked example is being built again: only the later is shown.
void TestDeckDrawing::failedDeckLeavesNothing()
{
    QFETCH(QStringList, row);
    Viewer viewer;
    QTemporaryDir other;
    const QString path = other.filePath(row[1]);
    if (row[1] != "none")
        QVERIFY(QFile::copy(JM_TESTDATA "/" + row[1], path));
    QCOMPARE(viewer.state(), "Joistmaster Deck Viewer | Nothing to draw yet. Finish a deck in Joistmaster, or open "
                             "a wizard folder with File > Open. |  | 0 | 0");
    QVERIFY(viewer.open());
    QCOMPARE(viewer.state().section(" | ", 0, 0), "Joistmaster Deck Viewer - Rectangle");
    QCOMPARE(viewer.state().section(" | ", 3), "33 | 2"); // the priced golden file's rows and totals
    QSignalSpy drawn(&viewer.presenter, &DeckPresenter::drawn);
    viewer.presenter.open(viewer.deck);
    viewer.presenter.open(path);
    QVERIFY(drawn.wait(20000));
    row[2].replace("<folder>", other.path());
    QCOMPARE(drawn, QList<QVariantList>{{"cannot draw: " + row[2]}});
    QCOMPARE(viewer.state(), "Joistmaster Deck Viewer | " + row[2] + " |  | 0 | 0");
    // Neither the Stair nor the Code check panel has a deck to speak of.
    QCOMPARE(viewer.presenter.stairPanel()->note->text() + u'|'
                 + viewer.presenter.codeCheckPanel()->findChild<QLabel *>("verdictLabel")->text(),
             "No deck is shown.|No deck is shown.");
    QCOMPARE(viewer.window->exportDrawing(other.filePath("out.pdf")).error(), "There is no deck to export.");
}

void TestDeckDrawing::printPaper()
{
    for (const QStringList &row : dataTable(JM_TESTDATA "/paper.txt", QStringLiteral(" | "))) {
        const PrintDefaults paper = printDefaults(QLocale::codeToTerritory(row[0]), row[1], "/docs");
        QCOMPARE(row[0] + (paper.paper == QPageSize::Letter ? " Letter " : paper.paper == QPageSize::A4 ? " A4 " : " ")
                     + paper.fileName,
                 row[0] + u' ' + row[2]);
    }
}

// Each row exports the worked example once more; the next export starts in
// the folder the last one went to.
void TestDeckDrawing::exportsEveryFormat()
{
    Viewer viewer;
    QVERIFY(viewer.open());
    QStringList asked, told;
    QString filter = "PDF drawing (*.pdf)", folder; // the first time: PDF, in the documents folder
    viewer.window->seams.tellFailure = [&](QWidget *, const QString &title, const QString &text) { told << title + ": " + text; };
    for (const QStringList &row : dataTable(JM_TESTDATA "/exports.txt")) {
        viewer.window->seams.chooseExportName = [&](QWidget *, const QString &start, const QStringList &filters, QString *f) {
            asked = QStringList{start, *f} + filters;
            *f = row[1];
            return QDir(viewer.folder.path()).filePath(row[0]);
        };
        told.clear();
        viewer.window->askExport();
        QCOMPARE(asked.mid(1).join(";;"), filter + ";;PDF drawing (*.pdf);;PNG picture (*.png);;SVG drawing (*.svg);;"
                                          "STEP model (*.step *.stp);;glTF model (*.glb);;CSV takeoff (*.csv);;"
                                          "Code check text (*.txt);;Code check JSON (*.json)");
        QCOMPARE(told, row[2] == "-" ? QStringList{row[3]} : QStringList());
        if (!folder.isEmpty())
            QCOMPARE(asked[0], folder + "/Deck_Rectangle");
        if (row[2] == "-")
            continue;
        QFile file(viewer.folder.filePath(row[2]));
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (row[3] == "csv") // the takeoff priced as the window shows it (and tst_render's command line writes it)
            QCOMPARE(file.readAll(), dataBytes(JM_TAKEOFF_DATA "/worked-example-takeoff-priced.csv"));
        else
            QCOMPARE(file.read(row[3].size()), row[3].toLatin1());
        filter = row[1];
        folder = viewer.folder.path();
    }
}

// The window minimised behind another comes forward with the deck.
void TestDeckDrawing::wordsAndPanels()
{
    Viewer viewer;
    DeckWindow *window = viewer.window;
    window->addPanel("Files", "filesDock", new QWidget);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->showMinimized();
    QWidget other;
    other.show();
    other.activateWindow();
    QTRY_VERIFY(other.isActiveWindow());
    QVERIFY(viewer.open());
    QTRY_VERIFY(window->isActiveWindow());
    QVERIFY(!(window->windowState() & Qt::WindowMinimized));
    const QTabBar *tabs = window->findChild<QTabBar *>();
    QCOMPARE(QStringList({tabs->tabText(0), tabs->tabText(1), tabs->tabText(2), tabs->tabText(3), tabs->tabText(4),
                          QString::number(tabs->currentIndex())}),
             QStringList({"Deck", "Stair", "Code check", "Framing", "Files", "0"}));
    // Every column of the takeoff in sight at the window's first size.
    QTRY_COMPARE(window->takeoff->horizontalScrollBar()->maximum(), 0);
    // No hidden lines to dash in a shaded picture.
    window->view->setMode(ViewMode::Shaded);
    const bool dashable = window->view->dashAction()->isEnabled();
    window->view->setMode(ViewMode::HiddenLine);
    QCOMPARE(QList<bool>({dashable, window->view->dashAction()->isEnabled()}), QList<bool>({false, true}));
    // A closed panel comes back from the View menu; File > Open asks for a folder.
    auto *files = window->findChild<QDockWidget *>("filesDock");
    files->close();
    const QList<QAction *> menus = window->menuBar()->actions();
    QCOMPARE(menus[2]->text() + menus[2]->menu()->actions().last()->text(), "&ViewFiles");
    menus[2]->menu()->actions().last()->trigger();
    QVERIFY(files->isVisible());
    QSignalSpy opened(window, &DeckWindow::openRequested);
    window->seams.chooseFolder = [](QWidget *) { return QStringLiteral("/some/folder"); };
    QCOMPARE(menus[0]->text() + menus[0]->menu()->actions()[1]->text(), "&File&Open...");
    menus[0]->menu()->actions()[1]->trigger();
    QCOMPARE(opened, QList<QVariantList>{{"/some/folder"}});
}

// The code check panel of the worked example: its rows, the failing joists
// lit up, the suggested framing shown in its place and back, and a changed
// setting remembered and checked again.
void TestDeckDrawing::codeCheckBesideTheDeck()
{
    Viewer viewer;
    deckviewer::CodeCheckPanel *panel = viewer.presenter.codeCheckPanel();
    panel->findChild<QComboBox *>("speciesBox")->setCurrentIndex(0);
    QVERIFY(viewer.open());
    auto *rows = panel->findChild<QTreeWidget *>("checksTable");
    QCOMPARE(rows->topLevelItemCount(), 17); // the framing's 9 rules, the guard's and stair's 7, the rim advice
    rows->setCurrentItem(rows->topLevelItem(1)); // the joist cantilever, failing
    QStringList joists;
    for (int j = 1; j <= 11; ++j)
        joists << QStringLiteral("Joist %1").arg(j);
    QCOMPARE(viewer.window->view->highlighted(), joists);

    const QString designed = viewer.window->facts->text();
    QVERIFY(designed.endsWith("Code check: Fails 1 of 14 checks of the 2021 IRC deck tables; 2 outside the tables"));
    panel->findChild<QRadioButton *>("suggestedButton")->click();
    QVERIFY(viewer.window->facts->text().endsWith("Code check: Passes all 14 checks of the 2021 IRC deck tables"));
    QVERIFY(viewer.window->view->highlighted().isEmpty());
    panel->findChild<QRadioButton *>("designedButton")->click();
    QCOMPARE(viewer.window->facts->text(), designed);

    // Redwood: the cantilever allowed at a 5' 6" back span is 12 + 4 x 3/4 = 15".
    QVERIFY(redrawn(viewer.presenter, [&] { panel->findChild<QComboBox *>("speciesBox")->setCurrentIndex(2); }));
    QVERIFY2(rows->topLevelItem(1)->text(2).contains("allows 15\" for 2x6 redwood, western cedars, ponderosa pine or red pine"),
             qPrintable(rows->topLevelItem(1)->text(2)));
    QCOMPARE(deckviewer::loadCodeSettings().species, deckmodel::Species::Redwood);
}

// The decking's waste allowance changed beside the takeoff: remembered, and
// the takeoff counted again (20 % of the worked example's 34 boards is 6.8:
// 7 boards more; 10 % is 3.4: 4); and the one the window's export and the
// command line use: 15 % is 5.1, so 6 more.
void TestDeckDrawing::wasteAllowanceRemembered()
{
    Viewer viewer;
    QVERIFY(viewer.open());
    auto wasteRow = [&] {
        for (int r = 0; r < viewer.window->takeoff->rowCount(); ++r)
            if (viewer.window->takeoff->item(r, 0)->text() == "Decking boards (waste allowance)")
                return viewer.window->takeoff->item(r, 3)->text();
        return QString();
    };
    QCOMPARE(wasteRow(), "4");
    QDoubleSpinBox *waste = viewer.window->findChild<QDoubleSpinBox *>("wasteBox");
    QVERIFY(waste && waste == viewer.window->wasteBox);
    const auto setWaste = [&](double percent) {
        waste->setValue(percent);
        emit waste->editingFinished();
    };
    QVERIFY(redrawn(viewer.presenter, [&] { setWaste(20); }));
    QCOMPARE(wasteRow(), "7");
    QCOMPARE(deckviewer::wastePercent(), 20.0);

    QVERIFY(redrawn(viewer.presenter, [&] { setWaste(15); }));
    const QString exported = viewer.folder.filePath("window.csv"), rendered = viewer.folder.filePath("command.csv");
    QVERIFY(viewer.window->exportDrawing(exported));
    QVERIFY(writeModel(viewer.deck, rendered));
    const QByteArray bytes = dataBytes(exported);
    QCOMPARE(bytes, dataBytes(rendered));
    QVERIFY2(bytes.contains("\r\nDecking boards (waste allowance),5/4x6,12,6,piece,11.48,68.88,\"waste allowance: 15 % of 34, "
                            "rounded up\"\r\n"),
             bytes.constData());
    QVERIFY2(bytes.contains("\r\nTotal,,,,,,1888.90,\r\n"), bytes.constData()); // 1865.94 + 2 x 11.48
    QVERIFY(redrawn(viewer.presenter, [&] { setWaste(10); })); // as the other tests expect it
    QCOMPARE(wasteRow(), "4");
}

JM_TEST_CLASS(TestDeckDrawing)
JM_TEST_MAIN(QApplication)
#include "tst_deckdrawing.moc"
