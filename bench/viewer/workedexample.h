// Scenes framed by hand the way the deck model frames a rectangle: 5/4 x 6
// boards along X on 2 x 8 joists at 12 inches along Z, four rims, doubled
// 2 x 8 beams along X at most 12 ft apart, 4 x 4 posts at most 6 ft apart. The
// worked example (16 x 12 ft, 3 ft high) gets 35 boards, 11 joists, two beams
// and six posts.
#pragma once

#include "scene.h"

#include <algorithm>
#include <cmath>

inline deckview::Scene framedScene(double aFeet, double bFeet, double heightFeet = 3)
{
    using namespace deckview;
    Scene scene;
    const double a = aFeet * 12, b = bFeet * 12, top = heightFeet * 12; // inches: Z along A, X along B
    const double board = 1, boardWidth = 5.5, gap = 0.125;
    const double joistHeight = 7.25, ply = 1.5;
    const double joistTop = top - board, joistBase = joistTop - joistHeight;
    const double beamBase = joistBase - joistHeight;
    for (int i = 0; i * (boardWidth + gap) < a; ++i) {
        const double z = i * (boardWidth + gap);
        scene.prisms.push_back(boxPrism(deckmodel::Kind::DeckingBoard, QStringLiteral("Board %1").arg(i + 1), 0, z, b,
                                        std::min(a, z + boardWidth), joistTop, board));
    }
    for (int i = 1; i * 12 < b - ply; ++i) {
        const double x = i * 12 - ply / 2;
        scene.prisms.push_back(boxPrism(deckmodel::Kind::Joist, QStringLiteral("Joist %1").arg(i), x, ply, x + ply, a - ply,
                                        joistBase, joistHeight));
    }
    scene.prisms.push_back(boxPrism(deckmodel::Kind::RimJoist, QStringLiteral("Rim 1"), 0, 0, b, ply, joistBase, joistHeight));
    scene.prisms.push_back(
        boxPrism(deckmodel::Kind::RimJoist, QStringLiteral("Rim 2"), 0, a - ply, b, a, joistBase, joistHeight));
    scene.prisms.push_back(
        boxPrism(deckmodel::Kind::RimJoist, QStringLiteral("Rim 3"), 0, ply, ply, a - ply, joistBase, joistHeight));
    scene.prisms.push_back(
        boxPrism(deckmodel::Kind::RimJoist, QStringLiteral("Rim 4"), b - ply, ply, b, a - ply, joistBase, joistHeight));
    const int beamLines = 1 + int(std::ceil((a - 48) / 144)), postsPerLine = 1 + int(std::ceil((b - 24) / 72));
    int post = 0, beam = 0;
    for (int l = 0; l < beamLines; ++l) {
        const double z = 24 + l * (a - 48) / (beamLines - 1);
        for (int p = 0; p < 2; ++p)
            scene.prisms.push_back(boxPrism(deckmodel::Kind::BeamPly, QStringLiteral("Beam ply %1").arg(++beam), 0,
                                            z - ply + p * ply, b, z + p * ply, beamBase, joistHeight));
        for (int p = 0; p < postsPerLine; ++p) {
            const double x = 12 + p * (b - 24) / (postsPerLine - 1);
            scene.prisms.push_back(boxPrism(deckmodel::Kind::Post, QStringLiteral("Post %1").arg(++post), x - 1.75,
                                            z - 1.75, x + 1.75, z + 1.75, 0, beamBase));
        }
    }
    return scene;
}

inline deckview::Scene workedExampleScene()
{
    return framedScene(16, 12);
}
