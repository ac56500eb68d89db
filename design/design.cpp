#include "design.h"

#include "catalogue.h"
#include "designfile.h"

#include <QFileInfo>

namespace design {

bool isDesignPath(const QString &path)
{
    return QFileInfo(path).suffix().compare(Extension, Qt::CaseInsensitive) == 0;
}

namespace {
Origin originOf(const QString &source, const QString &deckFile, const QDateTime &at)
{
    const QFileInfo info(source);
    const QString folder = info.isFile() ? info.absolutePath() : info.absoluteFilePath();
    // Whole seconds: what the file keeps.
    const QDateTime utc = at.toUTC();
    return {folder, deckFile, utc.addMSecs(-utc.time().msec())};
}
} // namespace

Design fromParameters(const deckfile::DeckParameters &parameters, const QString &source, const QDateTime &at)
{
    Design design;
    design.deck = parameters;
    design.deck.fileName = deckfile::parameterFile(parameters.deckType);
    design.origin = originOf(source, design.deck.fileName, at);
    return design;
}

Design from2D(const deckfile::Deck2D &plan, const QString &source, const QDateTime &at)
{
    Design design;
    design.is2D = true;
    design.plan = plan;
    design.origin = originOf(source, deckfile::DeckSizeFile, at);
    return design;
}

deckfile::DeckParameters parametersOf(const Design &design)
{
    deckfile::DeckParameters p = design.deck;
    p.fileName = deckfile::parameterFile(p.deckType);
    return p;
}

deckmodel::Extras extrasOf(const Design &design)
{
    return {design.guardsBelow30, design.stair, design.attachment};
}

Design withFraming(const Design &design, const deckfile::DeckParameters &framing)
{
    Design changed = design;
    deckfile::DeckParameters &p = changed.deck;
    p.overhangX = framing.overhangX;
    p.overhangZ = framing.overhangZ;
    p.postSpacing = framing.postSpacing;
    p.postSize = framing.postSize;
    p.beamSpacing = framing.beamSpacing;
    p.beamHeight = framing.beamHeight;
    p.beamPly = framing.beamPly;
    p.beamPlies = framing.beamPlies;
    p.joistHeight = framing.joistHeight;
    p.joistWidth = framing.joistWidth;
    p.joistSpacing = framing.joistSpacing;
    return changed;
}

QString nameOf(const Design &design)
{
    if (design.is2D)
        return QStringLiteral("Deck %1").arg(design.plan.style);
    const deckfile::Shape *shape = deckfile::shapeOf(design.deck.deckType);
    QString words = shape ? QString::fromUtf8(shape->words) : QStringLiteral("deck");
    words[0] = words[0].toUpper();
    return words;
}

bool sameDesign(const Design &a, const Design &b)
{
    return designBytes(a) == designBytes(b);
}

} // namespace design
