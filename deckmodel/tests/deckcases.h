// Deck parameters for the model's tests, straight from the wizard's framing
// tables: beam, joist, post and decking choices to the values of their lines.
#pragma once

#include "datatable.h"
#include "framing.h"

#include <QString>
#include <QtGlobal>

#include <utility>

inline deckmodel::DeckParameters deckOf(int type, double a, double b, double height, const QString &beam,
                                        const QString &joist, double post, const QString &decking)
{
    deckmodel::DeckParameters d;
    d.deckType = type;
    d.depthA = a, d.widthB = b, d.height = height;
    d.overhangX = 2, d.overhangZ = 2.5, d.beamSpacing = 6, d.joistSpacing = 12, d.deckingGap = .25;
    d.postSize = post;
    d.postSpacing = beam == u"2 X 6" ? 6 : beam == u"2 X 8" ? 8 : 10;
    d.beamHeight = beam == u"2 X 6" ? 5.5 : beam == u"2 X 8" ? 7.25 : 9.25;
    d.beamPly = 1.5;
    d.joistHeight = joist == u"2 X 6" ? 5.5 : joist == u"2 X 8" ? 7.25 : 9.25;
    d.joistWidth = 1.5;
    d.deckingThickness = decking == u"5/4x6" ? 1 : 1.5;
    d.deckingWidth = decking == u"2x4" ? 3.5 : 5.5;
    return d;
}

// The deck built, or the test ended with the reason it cannot be.
inline deckmodel::Deck framed(const deckmodel::DeckParameters &parameters, const deckmodel::Extras &extras = {})
{
    const jm::Result<deckmodel::Deck> built = deckmodel::buildDeck(parameters, extras);
    if (!built)
        qFatal("%s", qPrintable(built.error()));
    return *built;
}

// A member of a kind: its plan standing from `base` up `thickness` (inches).
inline deckmodel::Member member(deckmodel::Kind kind, const QString &name, deckmodel::Polygon plan, double base,
                                double thickness)
{
    deckmodel::Member m;
    m.kind = kind;
    m.name = name;
    m.plan = std::move(plan);
    m.base = base;
    m.thickness = thickness;
    return m;
}

// A deck hung on the house along the outline's `edge` (0 back, 3 left) by lag
// screws into the band joist, half an inch off the wall; free-standing where
// `edge` is -1.
inline deckmodel::Extras hungOn(int edge)
{
    deckmodel::Extras extras;
    if (edge >= 0)
        extras.attachment = {true, edge, deckmodel::HouseFraming::BandJoist, deckmodel::LedgerFastener::Lag, 0.5};
    return extras;
}

// The worked example: 16 x 12 x 3 rectangle, 2 X 8 beams, 2 X 6 joists, 4 inch posts, 5/4x6 decking.
inline deckmodel::DeckParameters workedExample()
{
    deckmodel::DeckParameters d = deckOf(2, 16, 12, 3, QStringLiteral("2 X 8"), QStringLiteral("2 X 6"), 4,
                                         QStringLiteral("5/4x6"));
    d.materials = QStringList{QStringLiteral("4 inch x 4 inch Square Posts"), QStringLiteral("12 foot 2x8 Beams"),
                              QStringLiteral("8 foot 2x6 Joists"), QStringLiteral("2x6 Pieces of Decking")};
    return d;
}

// The worked example's deck file, as the wizard writes it.
inline QByteArray workedExampleFile()
{
    return dataBytes(QStringLiteral(JM_DECK3D_DATA "/Deck_Rectangle-worked-example.txt"));
}

// The rows of a table under data/, its fields parted by " | ".
inline QList<QStringList> tableRows(const char *name)
{
    return dataTable(QStringLiteral(JM_TESTDATA "/") + QLatin1String(name), QStringLiteral(" | "));
}
