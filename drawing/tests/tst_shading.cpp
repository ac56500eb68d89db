// The shaded view hides what lies behind, by depth, whatever order the
// members come in. Each row looks at members with a camera whose pixel
// positions are worked out by hand, and names the member expected at chosen
// points; colours come from a test palette of pure channels.
#include "framing.h"
#include "raster.h"

#include <QSet>
#include <QTest>

using namespace deckview;

namespace {
const QColor Post(0, 0, 255), Beam(255, 0, 0), Joist(0, 255, 0), Board(255, 255, 0), Nothing(255, 255, 255);

// Flat shading darkens a colour but never mixes in another channel.
bool isShadeOf(QRgb pixel, const QColor &colour)
{
    if (colour == Nothing)
        return pixel == Nothing.rgb();
    for (int channel : {16, 8, 0}) {
        const int want = (colour.rgb() >> channel) & 0xff, got = (pixel >> channel) & 0xff;
        if (want == 0 ? got != 0 : got < 60)
            return false;
    }
    return true;
}

struct Probe {
    QPointF at; // pixel
    QColor expected;
};

// A post with a beam ply bolted to its face towards +Z, the front. Front
// view, 4 pixels an inch, scene point (2, 24, *) at the centre of 200 x 300:
// pixel = (100 + 4 (x - 2), 150 - 4 (y - 24)).
QPointF front(double x, double y)
{
    return {100 + 4 * (x - 2), 150 - 4 * (y - 24)};
}

// A 12 ft board lying on a joist that runs from under it far towards the eye.
// Seen from the front, 30 degrees above the horizon, 2 pixels an inch, scene
// point (72, 8.25, 2.75) at the centre of 400 x 500: the eye is
// (0, 1/2, sqrt(3)/2), screen up (0, sqrt(3)/2, -1/2), so
// pixel = (200 + 2 (x - 72), 250 - 2 (sqrt(3)/2 (y - 8.25) - (z - 2.75) / 2)).
QPointF above(double x, double y, double z)
{
    return {200 + 2 * (x - 72), 250 - 2 * (std::sqrt(3.0) / 2 * (y - 8.25) - (z - 2.75) / 2)};
}
} // namespace

class TestShading : public QObject {
    Q_OBJECT
private slots:
    void hidesByDepth_data();
    void hidesByDepth();
    void everyKindHasItsColour();
};

// The shaded view's colours, as a person picks them apart: each kind its own,
// the deck blocks concrete grey (150, 150, 146), darker than the landing pad,
// the ledger treated green (122, 140, 92), its hangers galvanised steel
// (168, 173, 178).
void TestShading::everyKindHasItsColour()
{
    const Palette palette = woodPalette();
    QSet<QRgb> seen;
    for (size_t i = 0; i < KindCount; ++i) {
        QVERIFY2(palette.kinds[i].isValid(), qPrintable(deckmodel::kindName(deckmodel::Kind(i))));
        seen.insert(palette.kinds[i].rgb());
    }
    QCOMPARE(seen.size(), qsizetype(KindCount));
    QCOMPARE(KindCount, size_t(16));
    QCOMPARE(palette.kinds[size_t(deckmodel::Kind::Block)], QColor(150, 150, 146));
    QCOMPARE(palette.kinds[size_t(deckmodel::Kind::Ledger)], QColor(122, 140, 92));
    QCOMPARE(palette.kinds[size_t(deckmodel::Kind::Hanger)], QColor(168, 173, 178));
}

void TestShading::hidesByDepth_data()
{
    QTest::addColumn<std::vector<Prism>>("members");
    QTest::addColumn<Camera>("camera");
    QTest::addColumn<QSize>("viewport");
    QTest::addColumn<std::vector<Probe>>("probes");

    const Prism post = boxPrism(deckmodel::Kind::Post, QStringLiteral("Post 1"), 0, 0, 4, 4, 0, 48);
    const Prism beam = boxPrism(deckmodel::Kind::BeamPly, QStringLiteral("Beam ply 1"), -20, 4, 24, 5.5, 30, 7.25);
    const Prism broken = boxPrism(deckmodel::Kind::Joist, QStringLiteral("Joist 1"), 0, qQNaN(), 1e300, 4, 0, qInf());
    const Camera frontCamera{0, 0, 4, {2, 24, 0}, {}};
    const std::vector<Probe> postAndBeam = {
        {front(2, 33), Beam},   // the beam hides the post
        {front(2, 10), Post},   // below the beam
        {front(2, 45), Post},   // above it
        {front(-10, 33), Beam}, // the beam beside the post
        {front(-10, 10), Nothing},
        {front(10, 45), Nothing},
    };
    QTest::newRow("beam in front of the post, post listed first")
        << std::vector<Prism>{post, beam} << frontCamera << QSize(200, 300) << postAndBeam;
    QTest::newRow("beam in front of the post, beam listed first")
        << std::vector<Prism>{beam, post} << frontCamera << QSize(200, 300) << postAndBeam;
    QTest::newRow("a member with a corner that is no number is left out")
        << std::vector<Prism>{post, broken} << frontCamera << QSize(200, 300)
        << std::vector<Probe>{{front(2, 24), Post}, {front(-10, 10), Nothing}};

    // Faces painted far to near by their middles would draw the joist (middle
    // near the eye) over the board.
    const Prism board = boxPrism(deckmodel::Kind::DeckingBoard, QStringLiteral("Board 1"), 0, 0, 144, 5.5, 7.25, 1);
    const Prism joist = boxPrism(deckmodel::Kind::Joist, QStringLiteral("Joist 1"), 71.25, -10, 72.75, 200, 0, 7.25);
    QTest::newRow("long joist under a board")
        << std::vector<Prism>{board, joist} << Camera{0, 30, 2, {72, 8.25, 2.75}, {}} << QSize(400, 500)
        << std::vector<Probe>{{above(72, 8.25, 2.75), Board}, // the board's top over the joist
                              {above(72, 7.25, 60), Joist},   // the joist's top in front of the board
                              {above(20, 0, 60), Nothing}};
}

void TestShading::hidesByDepth()
{
    QFETCH(std::vector<Prism>, members);
    QFETCH(Camera, camera);
    QFETCH(QSize, viewport);
    QFETCH(std::vector<Probe>, probes);

    Palette palette;
    palette.kinds.fill(QColor(128, 128, 128));
    palette.kinds[size_t(deckmodel::Kind::Post)] = Post;
    palette.kinds[size_t(deckmodel::Kind::BeamPly)] = Beam;
    palette.kinds[size_t(deckmodel::Kind::Joist)] = Joist;
    palette.kinds[size_t(deckmodel::Kind::DeckingBoard)] = Board;
    palette.background = Nothing;
    const QImage image = shadedImage(triangulate(Scene{members}), Projection(camera, viewport), palette);
    QCOMPARE(image.size(), viewport);
    for (const Probe &probe : probes) {
        const QRgb pixel = image.pixel(int(probe.at.x()), int(probe.at.y()));
        QVERIFY2(isShadeOf(pixel, probe.expected), qPrintable(QStringLiteral("(%1, %2) is %3, not a shade of %4")
                                                                  .arg(probe.at.x()).arg(probe.at.y())
                                                                  .arg(QColor(pixel).name(), probe.expected.name())));
    }
}

QTEST_GUILESS_MAIN(TestShading)
#include "tst_shading.moc"
