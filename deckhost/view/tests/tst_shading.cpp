// The shaded view hides what lies behind, by depth, whatever order the
// members come in. Each case looks at two members with a camera whose
// pixel positions are worked out by hand, and names the member expected at
// chosen points; colours come from a test palette of pure channels.
#include "raster.h"

#include <QTest>

using namespace deckview;

namespace {
const QColor Post(0, 0, 255), Beam(255, 0, 0), Joist(0, 255, 0), Board(255, 255, 0);
const QColor Nothing(255, 255, 255);

Palette testPalette()
{
    Palette palette;
    palette.kinds.fill(QColor(128, 128, 128));
    palette.kinds[size_t(MemberKind::Post)] = Post;
    palette.kinds[size_t(MemberKind::BeamPly)] = Beam;
    palette.kinds[size_t(MemberKind::Joist)] = Joist;
    palette.kinds[size_t(MemberKind::DeckingBoard)] = Board;
    palette.background = Nothing;
    return palette;
}

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
    double x, y; // pixel
    QColor expected;
};

// A post with a beam ply bolted to its face towards +Z, the front. Front
// view, 4 pixels an inch, scene point (2, 24, *) at the centre of 200 x 300:
// pixel = (100 + 4 (x - 2), 150 - 4 (y - 24)).
QPointF front(double x, double y)
{
    return {100 + 4 * (x - 2), 150 - 4 * (y - 24)};
}

Prism post()
{
    return boxPrism(MemberKind::Post, QStringLiteral("Post 1"), 0, 0, 4, 4, 0, 48);
}

Prism beamInFront()
{
    return boxPrism(MemberKind::BeamPly, QStringLiteral("Beam ply 1"), -20, 4, 24, 5.5, 30, 7.25);
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

Prism board()
{
    return boxPrism(MemberKind::DeckingBoard, QStringLiteral("Board 1"), 0, 0, 144, 5.5, 7.25, 1);
}

Prism longJoist()
{
    return boxPrism(MemberKind::Joist, QStringLiteral("Joist 1"), 71.25, -10, 72.75, 200, 0, 7.25);
}
} // namespace

class TestShading : public QObject {
    Q_OBJECT
private slots:
    void hidesByDepth_data();
    void hidesByDepth();
    void survivesNotANumber();
};

void TestShading::hidesByDepth_data()
{
    QTest::addColumn<std::vector<Prism>>("members");
    QTest::addColumn<Camera>("camera");
    QTest::addColumn<QSize>("viewport");
    QTest::addColumn<std::vector<Probe>>("probes");

    const Camera frontCamera{0, 0, 4, {2, 24, 0}, {}};
    auto at = [](QPointF p, QColor colour) { return Probe{p.x(), p.y(), colour}; };
    const std::vector<Probe> postAndBeam = {
        at(front(2, 33), Beam),    // the beam hides the post
        at(front(2, 10), Post),    // below the beam
        at(front(2, 45), Post),    // above it
        at(front(-10, 33), Beam),  // the beam beside the post
        at(front(-10, 10), Nothing),
        at(front(10, 45), Nothing),
    };
    QTest::newRow("beam in front of the post, post listed first")
        << std::vector<Prism>{post(), beamInFront()} << frontCamera << QSize(200, 300) << postAndBeam;
    QTest::newRow("beam in front of the post, beam listed first")
        << std::vector<Prism>{beamInFront(), post()} << frontCamera << QSize(200, 300) << postAndBeam;

    // Faces painted far to near by their middles would draw the joist (middle
    // near the eye) over the board.
    const Camera aboveCamera{0, 30, 2, {72, 8.25, 2.75}, {}};
    const std::vector<Probe> boardOnJoist = {
        at(above(72, 8.25, 2.75), Board),  // the board's top over the joist
        at(above(72, 8.25, 0.5), Board),
        at(above(20, 8.25, 2.75), Board),  // away from the joist
        at(above(72, 7.25, 60), Joist),    // the joist's top in front of the board
        at(above(72, 3, 200), Joist),      // its end face
        at(above(20, 0, 60), Nothing),
    };
    QTest::newRow("long joist under a board, joist listed last")
        << std::vector<Prism>{board(), longJoist()} << aboveCamera << QSize(400, 500) << boardOnJoist;
    QTest::newRow("long joist under a board, joist listed first")
        << std::vector<Prism>{longJoist(), board()} << aboveCamera << QSize(400, 500) << boardOnJoist;
}

void TestShading::hidesByDepth()
{
    QFETCH(std::vector<Prism>, members);
    QFETCH(Camera, camera);
    QFETCH(QSize, viewport);
    QFETCH(std::vector<Probe>, probes);

    const Mesh mesh = triangulate(Scene{members});
    const QImage image = shadedImage(mesh, Projection(camera, viewport), testPalette());
    QCOMPARE(image.size(), viewport);
    for (const Probe &probe : probes) {
        const QRgb pixel = image.pixel(int(probe.x), int(probe.y));
        QVERIFY2(isShadeOf(pixel, probe.expected), qPrintable(QStringLiteral("(%1, %2) is %3, not a shade of %4")
                                                                  .arg(probe.x).arg(probe.y)
                                                                  .arg(QColor(pixel).name(), probe.expected.name())));
    }
}

// A member with a corner that is not a number is left out; the rest is drawn.
void TestShading::survivesNotANumber()
{
    const Scene scene{{post(), boxPrism(MemberKind::Joist, QStringLiteral("Joist 1"), 0, qQNaN(), 1e300, 4, 0, qInf())}};
    const Mesh mesh = triangulate(scene);
    const Camera camera = standardCamera(StandardView::Front, scene.bounds(), QSize(200, 300));
    QVERIFY(isShadeOf(shadedImage(mesh, Projection(camera, QSize(200, 300)), testPalette()).pixel(100, 150), Post));
    QVERIFY(!hiddenLinesByDepth(mesh, Projection(camera, QSize(200, 300))).empty());
}

QTEST_GUILESS_MAIN(TestShading)
#include "tst_shading.moc"
