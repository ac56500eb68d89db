#include "showdeck.h"

#include "deckfile.h"
#include "takeoff.h"
// The model's plan.h, not the view's of the same name (which deckwindow.h has).
#include "../deckmodel/plan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

deckview::MemberKind kindOf(deckmodel::Kind kind)
{
    switch (kind) {
    case deckmodel::Kind::Post: return deckview::MemberKind::Post;
    case deckmodel::Kind::BeamPly: return deckview::MemberKind::BeamPly;
    case deckmodel::Kind::Joist: return deckview::MemberKind::Joist;
    case deckmodel::Kind::RimJoist: return deckview::MemberKind::RimJoist;
    case deckmodel::Kind::DeckingBoard: return deckview::MemberKind::DeckingBoard;
    }
    return deckview::MemberKind::Other;
}

deckview::Scene sceneOf(const deckmodel::Deck &deck)
{
    deckview::Scene scene;
    scene.prisms.reserve(deck.members.size());
    for (const deckmodel::Member &m : deck.members) {
        deckview::Prism prism{kindOf(m.kind), m.name, {}, m.base, m.thickness};
        for (const deckmodel::Point &p : m.plan)
            prism.plan.emplace_back(p.x, p.z);
        scene.prisms.push_back(std::move(prism));
    }
    return scene;
}

QString feet(double value)
{
    return deckmodel::feetAndInches(value * 12);
}

QString squareFeet(const deckmodel::Polygon &outline)
{
    return deckview::squareFeet(deckmodel::area(outline) / 144);
}

ShownDeck failed(const QString &error)
{
    ShownDeck shown;
    shown.error = error;
    return shown;
}

// The takeoff's header with capitals, as a table heads its columns.
void fillTakeoff(deckview::TitleBlock &block, const deckmodel::Deck &deck)
{
    std::vector<QStringList> rows = deckmodel::takeoffRows(deckmodel::takeoffOf(deck));
    for (QString &name : rows.front())
        name[0] = name[0].toUpper();
    block.takeoffHeader = rows.front();
    block.takeoffRows = QList<QStringList>(rows.begin() + 1, rows.end());
}

} // namespace

ShownDeck deckFrom(const QString &path)
{
    const deckmodel::ReadResult read = deckmodel::readDeck(path);
    if (!read.deck)
        return failed(read.error);
    const jm::Result<deckmodel::Deck> built = deckmodel::buildDeck(*read.deck);
    if (!built)
        return failed(built.error());
    const deckmodel::Deck &deck = *built;
    const deckmodel::DeckParameters &p = deck.parameters;

    ShownDeck shown;
    shown.scene = sceneOf(deck);
    shown.mode = deckview::ViewMode(std::clamp(p.viewingMode, 0, 2));
    shown.members = deck.members;
    const QString family = QFileInfo(p.fileName).completeBaseName();
    deckview::TitleBlock &block = shown.block;
    block.shape = QStringLiteral("%1, deck type %2").arg(family).arg(p.deckType);
    block.sizes = QStringLiteral("A %1 x B %2").arg(feet(p.depthA), feet(p.widthB));
    block.height = feet(p.height);
    block.title = QStringLiteral("%1: %2 x %3").arg(family, feet(p.depthA), feet(p.widthB));
    block.date = QDate::currentDate();
    fillTakeoff(block, deck);
    shown.facts = {{QStringLiteral("Shape"), block.shape},
                   {QStringLiteral("A"), feet(p.depthA)},
                   {QStringLiteral("B"), feet(p.widthB)},
                   {QStringLiteral("Height"), block.height},
                   {QStringLiteral("Area"), squareFeet(deck.outline)}};
    for (const auto &count : deckview::memberCounts(shown.scene))
        shown.facts.push_back(count);
    return shown;
}

void addKernel(ShownDeck &shown)
{
    if (shown.error.isEmpty() && !shown.isPlan)
        shown.hiddenLines = std::make_shared<const deckmodel::HiddenLines>(shown.members);
}

ShownDeck planFrom(const QString &loadedSymbol, const QString &folder)
{
    QFile size(QDir(folder).filePath(QStringLiteral("DeckSize.txt")));
    if (!size.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("There is no \"DeckSize.txt\" in %1.").arg(QDir::toNativeSeparators(folder)));
    const deckmodel::Deck2D deck = deckmodel::read2D(loadedSymbol, size.readAll());
    if (!deck.error.isEmpty())
        return failed(deck.error);
    const deckmodel::PlanResult plan = deckmodel::stylePlan(deck.style, deck.widthFeet);
    if (!plan.error.isEmpty())
        return failed(plan.error);

    ShownDeck shown;
    shown.isPlan = true;
    // Seen from above with Z to the right and X up, in feet, y down as on paper.
    for (const deckmodel::Point &p : plan.outline)
        shown.plan.outline << QPointF(p.z / 12, -p.x / 12);
    shown.plan.dimensions = deckview::overallDimensions(shown.plan.outline);
    deckview::TitleBlock &block = shown.block;
    block.shape = QStringLiteral("Deck %1").arg(deck.style);
    block.sizes = QStringLiteral("Width (A) %1").arg(feet(deck.widthFeet));
    block.height = QStringLiteral("on the ground");
    block.title = QStringLiteral("Deck %1: %2 wide").arg(deck.style).arg(feet(deck.widthFeet));
    block.date = QDate::currentDate();
    shown.facts = {{QStringLiteral("Style"), block.shape},
                   {QStringLiteral("Width (A)"), feet(deck.widthFeet)},
                   {QStringLiteral("Area"), squareFeet(plan.outline)}};
    return shown;
}

ShownDeck symbolFrom(const QString &symbol, const QString &loadedSymbol, const QString &folder)
{
    const QString name = symbol.section(QRegularExpression(QStringLiteral("[\\\\/]")), -1);
    const QString base = name.left(name.lastIndexOf(u'.'));
    if (name.compare(QLatin1String("2ddecks.bsx"), Qt::CaseInsensitive) == 0) {
        if (loadedSymbol.isEmpty())
            return failed(QStringLiteral("The 2D decks were opened before any LoadSymbol named a deck style."));
        return planFrom(loadedSymbol, folder);
    }
    if (!base.startsWith(QLatin1String("Deck_")) || !name.endsWith(QLatin1String(".bsx"), Qt::CaseInsensitive))
        return failed(QStringLiteral("deckhost draws no symbol \"%1\".").arg(symbol));
    return deckFrom(QDir(folder).filePath(base + QStringLiteral(".txt")));
}

deckview::HiddenLineSource hiddenLineSource(std::shared_ptr<const deckmodel::HiddenLines> kernel)
{
    return [kernel](const deckview::ViewAxes &axes) {
        const std::vector<deckmodel::ViewSegment> pieces =
            kernel->project({axes.eye.x, axes.eye.y, axes.eye.z}, {axes.right.x, axes.right.y, axes.right.z});
        std::vector<deckview::Segment2> segments;
        segments.reserve(pieces.size());
        for (const deckmodel::ViewSegment &s : pieces)
            segments.push_back({{s.x0, s.y0}, {s.x1, s.y1}, s.visible ? deckview::Stroke::Visible : deckview::Stroke::Hidden});
        return segments;
    };
}

QString drawDeck(const QString &input, deckview::StandardView view, std::optional<deckview::ViewMode> mode,
                 const QString &output)
{
    ShownDeck shown = deckFrom(input);
    if (!shown.error.isEmpty())
        return shown.error;
    deckview::RenderOptions options;
    options.mode = mode.value_or(shown.mode);
    if (options.mode == deckview::ViewMode::HiddenLine)
        addKernel(shown);
    if (shown.hiddenLines)
        options.hiddenLines = hiddenLineSource(shown.hiddenLines);
    QString error;
    return deckview::writeView(shown.scene, view, options, shown.block, output, &error) ? QString() : error;
}
