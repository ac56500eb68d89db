// A scene the size of the worked example (16 x 12 ft, 3 ft high), framed by
// hand the way the deck model frames it: 35 boards of 5/4 x 6 on 2 x 8 joists
// at 12 inches, four rims, two doubled 2 x 8 beams, six 4 x 4 posts.
#pragma once

#include "scene.h"

inline deckview::Scene workedExampleScene()
{
    using namespace deckview;
    Scene scene;
    const double a = 192, b = 144, top = 36;            // inches: Z along A, X along B
    const double board = 1, boardWidth = 5.5, gap = 0.125; // decking
    const double joistHeight = 7.25, ply = 1.5;
    const double joistTop = top - board, joistBase = joistTop - joistHeight;
    const double beamBase = joistBase - joistHeight;
    for (int i = 0; i * (boardWidth + gap) < a; ++i) {
        const double z = i * (boardWidth + gap);
        scene.prisms.push_back(boxPrism(MemberKind::DeckingBoard, QStringLiteral("Board %1").arg(i + 1), 0, z, b,
                                        std::min(a, z + boardWidth), joistTop, board));
    }
    for (int i = 1; i * 12 < b - ply; ++i) {
        const double x = i * 12 - ply / 2;
        scene.prisms.push_back(boxPrism(MemberKind::Joist, QStringLiteral("Joist %1").arg(i), x, ply, x + ply, a - ply,
                                        joistBase, joistHeight));
    }
    scene.prisms.push_back(boxPrism(MemberKind::RimJoist, QStringLiteral("Rim 1"), 0, 0, b, ply, joistBase, joistHeight));
    scene.prisms.push_back(
        boxPrism(MemberKind::RimJoist, QStringLiteral("Rim 2"), 0, a - ply, b, a, joistBase, joistHeight));
    scene.prisms.push_back(
        boxPrism(MemberKind::RimJoist, QStringLiteral("Rim 3"), 0, ply, ply, a - ply, joistBase, joistHeight));
    scene.prisms.push_back(
        boxPrism(MemberKind::RimJoist, QStringLiteral("Rim 4"), b - ply, ply, b, a - ply, joistBase, joistHeight));
    int post = 0, beam = 0;
    for (double z : {24.0, a - 24}) {
        for (int p = 0; p < 2; ++p)
            scene.prisms.push_back(boxPrism(MemberKind::BeamPly, QStringLiteral("Beam ply %1").arg(++beam), 0,
                                            z - ply + p * ply, b, z + p * ply, beamBase, joistHeight));
        for (double x : {12.0, b / 2, b - 12})
            scene.prisms.push_back(boxPrism(MemberKind::Post, QStringLiteral("Post %1").arg(++post), x - 1.75,
                                            z - 1.75, x + 1.75, z + 1.75, 0, beamBase));
    }
    return scene;
}
