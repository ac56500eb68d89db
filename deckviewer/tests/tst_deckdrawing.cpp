// What the viewer draws: the hidden-line kernel's lines for two boxes counted
// by hand, the worked example's hidden lines each drawn once, the substitute
// host's window after the wizard's OpenSymbolFile, and the viewer's window
// with its title.
#include "datatable.h"
#include "presenter.h"
#include "viewer.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

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

void copy(const QString &from, const QString &to)
{
    QFile::remove(to);
    QVERIFY(QFile::copy(from, to));
}
} // namespace

class TestDeckDrawing : public QObject {
    Q_OBJECT
private slots:
    void postUnderBeamFromAbove();
    void workedExampleDrawsEachLineOnce();
    void windowAfterOpenSymbolFile_data();
    void windowAfterOpenSymbolFile();
    void viewerWindowTitle();
};

// A 4 x 4 post 30 high under a beam ply 44 long and 1.5 thick, seen from
// above: x to the right, z downwards. The beam covers the post's first 1.5
// inches; the post's two sides there are hidden, its near edge lies under the beam's.
void TestDeckDrawing::postUnderBeamFromAbove()
{
    const auto kernel = std::make_shared<const deckmodel::HiddenLines>(std::vector<deckmodel::Member>{
        box(deckmodel::Kind::Post, 0, 0, 4, 4, 0, 30), box(deckmodel::Kind::BeamPly, -20, 0, 24, 1.5, 30, 7.25)});
    const std::vector<Segment2> lines = cleanSegments(hiddenLineSource(kernel)({{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}));
    QCOMPARE(visibleLines(lines), QStringList({"(-20 -1.5)-(-20 0)", "(-20 -1.5)-(24 -1.5)", "(-20 0)-(24 0)",
                                               "(0 -4)-(0 -1.5)", "(0 -4)-(4 -4)", "(24 -1.5)-(24 0)",
                                               "(4 -4)-(4 -1.5)"}));
    QCOMPARE(lines.size() - size_t(visibleLines(lines).size()), 2u); // the post's sides under the beam
}

void TestDeckDrawing::workedExampleDrawsEachLineOnce()
{
    QTemporaryDir folder;
    copy(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt", folder.filePath("Deck_Rectangle.txt"));
    ShownDeck shown = deckFrom(folder.filePath("Deck_Rectangle.txt"));
    QVERIFY2(shown.error.isEmpty(), qPrintable(shown.error));
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

void TestDeckDrawing::windowAfterOpenSymbolFile_data()
{
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("title");
    QTest::newRow("3D worked example") << "" << R"(*Program Data\3D Decks\Deck_Rectangle.bsx)"
                                       << "drawn Deck_Rectangle: 16' 0\" x 12' 0\"" << "Host - Deck_Rectangle.txt";
    QTest::newRow("2D style 3") << R"(*\Program Data\2D Decks\Deck 3.dc)" << R"(*\Program Data\2D Decks\2ddecks.bsx)"
                                << "drawn Deck 3: 24' 6\" wide" << "Host - DeckSize.txt";
    QTest::newRow("no deck symbol") << "" << R"(*Program Data\3D Decks\Fence.bsx)"
                                    << R"(cannot draw: deckhost draws no symbol "*Program Data\3D Decks\Fence.bsx".)"
                                    << "Host";
    QTest::newRow("2D without a style") << "" << R"(*\Program Data\2D Decks\2ddecks.bsx)"
                                        << "cannot draw: The 2D decks were opened before any LoadSymbol named a deck style."
                                        << "Host";
}

void TestDeckDrawing::windowAfterOpenSymbolFile()
{
    QFETCH(QString, loaded);
    QFETCH(QString, symbol);
    QFETCH(QString, said);
    QFETCH(QString, title);
    QTemporaryDir folder;
    copy(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt", folder.filePath("Deck_Rectangle.txt"));
    QFile size(folder.filePath("DeckSize.txt"));
    QVERIFY(size.open(QIODevice::WriteOnly) && size.write("24.5\r\n") == 6);
    size.close();
    DeckPresenter presenter(QStringLiteral("Host"), folder.path());
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
             "Beam plies: 6\nJoists: 11\nRim joists: 4\nDecking boards: 34");
    QStringList lines = dataLines(JM_DECKMODEL_DATA "/worked-example-takeoff.csv");
    lines.removeFirst();
    const QTableWidget *table = presenter.window()->takeoff;
    QCOMPARE(table->rowCount(), lines.size());
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < table->columnCount(); ++c)
            row << (table->item(r, c) ? table->item(r, c)->text() : QString());
        QCOMPARE(row.join(u',') + u'\r', lines[r]); // the CSV's lines end in CR LF
    }
}

// The viewer's window names itself, then the deck's file too.
void TestDeckDrawing::viewerWindowTitle()
{
    QTemporaryDir folder;
    copy(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt", folder.filePath("Deck_Rectangle.txt"));
    DeckPresenter presenter(deckviewer::WindowName, folder.path());
    QCOMPARE(presenter.window()->windowTitle(), "Joistmaster Deck Viewer");
    QSignalSpy drawn(&presenter, &DeckPresenter::drawn);
    presenter.open(folder.filePath("Deck_Rectangle.txt"));
    QVERIFY(drawn.wait(10000));
    QCOMPARE(presenter.window()->windowTitle(), "Joistmaster Deck Viewer - Deck_Rectangle.txt");
}

QTEST_MAIN(TestDeckDrawing)
#include "tst_deckdrawing.moc"
