#include "showdeck.h"

#include "catalogue.h"
#include "deckexport.h"
#include "designfile.h"
#include "framing.h"
#include "handoff.h"
#include "kernelmodule.h"
#include "lengthtext.h"
#include "plan.h"
#include "recentdecks.h"
#include "savedstairs.h"
#include "stair.h"
#include "stairedges.h"
#include "takeoff.h"
#include "takeoffprices.h"
#include "textfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

deckview::Scene sceneOf(const deckmodel::Deck &deck)
{
    deckview::Scene scene;
    scene.prisms.reserve(deck.members.size());
    // Where the deck was framed turned, as it stands.
    for (const deckmodel::Member &m : deckmodel::membersInPlan(deck)) {
        deckview::Prism prism{m.kind, m.name, {}, m.base, m.thickness, m.step};
        for (const deckmodel::Point &p : m.plan)
            prism.plan.emplace_back(p.x, p.z);
        scene.prisms.push_back(std::move(prism));
    }
    return scene;
}

QString feet(double value)
{
    return lengthtext::feetAndInchesFromInches(value * 12);
}

QString squareFeet(const deckmodel::Polygon &outline)
{
    return lengthtext::squareFeetText(deckmodel::area(outline) / 144);
}

ShownDeck failed(const QString &error)
{
    ShownDeck shown;
    shown.error = error;
    return shown;
}

// The takeoff's header with capitals, as a table heads its columns; the
// rows priced from the price list of the run, without their notes.
void fillTakeoff(deckview::TitleBlock &block, const deckmodel::Deck &deck, const deckmodel::CodeSettings &settings)
{
    auto takeoff = std::make_shared<const deckmodel::Takeoff>(
        deckmodel::takeoffOf(deck, {settings, deckviewer::wastePercent()}));
    std::vector<QStringList> rows = deckmodel::takeoffRows(*takeoff, deckviewer::pricesOrNone().list);
    // The notes stay off the drawing, but for the total's: how many rows have no price.
    if (!rows.back().last().isEmpty())
        rows.back()[1] = QStringLiteral("(%1)").arg(rows.back().last());
    for (QStringList &row : rows)
        row.removeLast();
    for (QString &name : rows.front())
        name[0] = name[0].toUpper();
    block.takeoffHeader = rows.front();
    block.takeoffRows = QList<QStringList>(rows.begin() + 1, rows.end());
    block.takeoff = takeoff;
    block.wizardNotes = takeoff->materials;
}

} // namespace

namespace {
// A folder the host was never asked about: what it holds, and the deck
// parameter files among them that open by themselves. The sentence names no
// program: the viewer and the host both show it, each under its own name
// (the window's title, the command line's "deckviewer:" or "deckhost:").
QString nothingAskedIn(const QString &folder, const QString &why)
{
    QStringList found, decks;
    for (const QString &name : deckfile::wizardFiles())
        if (QFileInfo(QDir(folder).filePath(name)).isFile())
            (deckfile::parameterFiles().contains(name) ? decks : found) << name;
    found += decks;
    return QStringLiteral("No deck was asked for in %1, and the folder shows none by itself: %2 It holds %3. %4")
        .arg(QDir::toNativeSeparators(folder), why,
             found.isEmpty() ? QStringLiteral("none of the wizard's files") : found.join(QStringLiteral(", ")),
             decks.isEmpty() ? QStringLiteral("There is no deck to show.")
                             : QStringLiteral("Open %1 to see the 3D deck it holds.").arg(decks.join(QStringLiteral(" or "))));
}
} // namespace

namespace {
// What the window shows of a framed deck: its scene, title block, takeoff
// and facts, with the code check's verdict among them.
ShownDeck shownOf(const deckmodel::Deck &deck, const QString &path, const deckmodel::CodeReport &report)
{
    const deckmodel::DeckParameters &p = deck.parameters;
    ShownDeck shown;
    shown.deck = std::make_shared<const deckmodel::Deck>(deck);
    shown.stairEdges = stairedges::stairEdges(deck);
    shown.fileName = QFileInfo(p.fileName).fileName();
    shown.source = path;
    shown.scene = sceneOf(deck);
    shown.mode = deckview::ViewMode(int(p.viewingMode));
    shown.members = deckmodel::membersInPlan(deck);
    shown.report = report;
    const QString family = QFileInfo(p.fileName).completeBaseName();
    deckview::TitleBlock &block = shown.block;
    const deckfile::Shape *shape = deckfile::shapeOf(p.deckType);
    block.shape = shape ? QString::fromUtf8(shape->words) : family;
    block.sizes = QStringLiteral("A %1 x B %2").arg(feet(p.depthA), feet(p.widthB));
    block.height = feet(p.height);
    block.title = QStringLiteral("%1: %2 x %3").arg(family, feet(p.depthA), feet(p.widthB));
    block.date = QDate::currentDate();
    fillTakeoff(block, deck, report.settings);
    shown.facts = {{QStringLiteral("Shape"), block.shape},
                   {QStringLiteral("A"), feet(p.depthA)},
                   {QStringLiteral("B"), feet(p.widthB)},
                   {QStringLiteral("Height"), block.height},
                   {QStringLiteral("Area"), squareFeet(deck.outline)}};
    for (const auto &count : deckview::memberCounts(shown.scene))
        shown.facts.push_back(count);
    shown.facts.push_back({QStringLiteral("Code check"), deckmodel::verdictLine(report)});
    return shown;
}
} // namespace

namespace {
// How much of a deck a caller needs: the model alone (its files), what a
// drawing of it shows (checked, its scene and title block), or all the
// window shows (with the suggested framing, itself checked).
enum class Extent { Model, Drawing, Window };

bool suggestedFraming = false;
QString attachSide; // empty: each deck as it comes
deckmodel::Attachment attachAsked;

// The suggested framing of a deck in its place, where the run asks for it.
ShownDeck framingAsked(ShownDeck shown)
{
    if (!suggestedFraming || !shown.error.isEmpty() || shown.isPlan)
        return shown;
    if (shown.suggested)
        return *shown.suggested;
    if (shown.report.failed() > 0 || shown.report.outside() > 0)
        return failed(QStringLiteral("There is no suggested framing: ") + shown.suggestion.why);
    return shown;
}

// The deck of a parameter file with its guards and stair: the stair as asked
// where it fits, else the default one and why; as much of it as `extent`
// asks for (all of it where the run shows the suggested framing).
ShownDeck builtDeck(const deckmodel::DeckParameters &parameters, deckmodel::Extras extras, bool stairSaved,
                    const QString &path, const deckmodel::CodeSettings &settings, Extent extent, bool suggest = true)
{
    if (suggestedFraming)
        extent = Extent::Window;
    const jm::Result<std::optional<deckmodel::Attachment>> attached = askedAttachment(parameters);
    if (!attached)
        return failed(attached.error());
    if (*attached)
        extras.attachment = **attached;
    jm::Result<deckmodel::Deck> built = deckmodel::buildDeck(parameters, extras);
    QString stairNote;
    if (!built && stairSaved) {
        stairNote = built.error();
        extras.stair = {};
        built = deckmodel::buildDeck(parameters, extras);
    }
    if (!built)
        return failed(built.error());
    if (extent == Extent::Model) {
        ShownDeck model;
        model.deck = std::make_shared<const deckmodel::Deck>(std::move(*built));
        model.stairNote = stairNote;
        return model;
    }
    ShownDeck shown = shownOf(*built, path, deckmodel::checkCode(*built, settings));
    shown.stairNote = stairNote;
    if (extent == Extent::Drawing)
        return shown;
    if (suggest) {
        addSuggestion(shown, extras, settings);
    } else {
        shown.suggestionPending = true;
        shown.suggestion.why = QStringLiteral("looking for a framing that passes...");
    }
    return shown;
}

ShownDeck symbolAt(const QString &symbol, const QString &loadedSymbol, const QString &folder,
                   const deckmodel::CodeSettings &settings, Extent extent);

ShownDeck designAt(const design::Design &design, const QString &source, const deckmodel::CodeSettings &settings,
                   Extent extent, bool suggest = true)
{
    if (design.is2D) {
        ShownDeck shown = planOf(design.plan);
        shown.source = source;
        shown.project = design.project;
        return shown;
    }
    ShownDeck shown = framingAsked(builtDeck(design::parametersOf(design), design::extrasOf(design),
                                             design.stair != deckmodel::StairLayout{}, source, settings, extent, suggest));
    shown.project = design.project;
    if (shown.suggested) {
        auto other = std::make_shared<ShownDeck>(*shown.suggested);
        other->project = design.project;
        shown.suggested = other;
    }
    return shown;
}

ShownDeck deckAt(const QString &path, const deckmodel::CodeSettings &settings, Extent extent)
{
    if (design::isDesignPath(path) && !QFileInfo(path).isDir()) {
        const jm::Result<design::Design> read = design::readDesign(path);
        return read ? designAt(*read, path, settings, extent) : failed(read.error());
    }
    // A wizard folder or a saved copy shows what the host was last asked for there.
    if (QFileInfo(path).isDir()) {
        if (const auto asked = recentdecks::askedIn(path)) {
            const QString symbol = asked->opened.isEmpty() ? asked->loaded : asked->opened;
            return symbol.endsWith(QLatin1String(".dc"), Qt::CaseInsensitive)
                ? planFrom(symbol, path)
                : symbolAt(symbol, asked->loaded, path, settings, extent);
        }
    }
    const auto read = deckfile::readDeck(path);
    if (!read)
        return failed(QFileInfo(path).isDir() ? nothingAskedIn(path, read.error()) : read.error());
    const QString deckFile = QFileInfo(path).isDir() ? QDir(path).filePath(QFileInfo(read->fileName).fileName()) : path;
    deckmodel::Extras extras;
    const std::optional<deckmodel::StairLayout> saved = savedstairs::savedStair(deckFile);
    if (saved)
        extras.stair = *saved;
    ShownDeck shown = builtDeck(*read, extras, bool(saved), path, settings, extent);
    shown.deckFile = deckFile;
    if (shown.suggested) {
        auto other = std::make_shared<ShownDeck>(*shown.suggested);
        other->deckFile = deckFile;
        shown.suggested = other;
    }
    return framingAsked(shown);
}

ShownDeck symbolAt(const QString &symbol, const QString &loadedSymbol, const QString &folder,
                   const deckmodel::CodeSettings &settings, Extent extent)
{
    if (deckfile::isCommon2DSymbol(symbol)) {
        if (loadedSymbol.isEmpty())
            return failed(QStringLiteral("The 2D decks were opened before any LoadSymbol named a deck style."));
        return planFrom(loadedSymbol, folder);
    }
    const deckfile::Family *family = deckfile::familyOfSymbol(symbol);
    if (!family)
        return failed(QStringLiteral("deckhost draws no symbol %1.").arg(textfiles::quoted(symbol)));
    return deckAt(QDir(folder).filePath(QLatin1String(family->file)), settings, extent);
}
} // namespace

void addSuggestion(ShownDeck &shown, const deckmodel::Extras &given, const deckmodel::CodeSettings &settings)
{
    shown.suggestionPending = false;
    if (!shown.deck)
        return;
    shown.suggestion = deckmodel::suggestFraming(*shown.deck, settings);
    if (!shown.suggestion.parameters)
        return;
    // The same stair where it still fits, else the default one.
    deckmodel::Extras extras = given;
    jm::Result<deckmodel::Deck> suggested = deckmodel::buildDeck(*shown.suggestion.parameters, extras);
    if (!suggested) {
        extras.stair = {};
        suggested = deckmodel::buildDeck(*shown.suggestion.parameters, extras);
    }
    if (suggested) {
        ShownDeck other = shownOf(*suggested, shown.source, deckmodel::checkCode(*suggested, settings));
        other.block.title += QStringLiteral(", suggested framing");
        other.deckFile = shown.deckFile;
        shown.suggested = std::make_shared<const ShownDeck>(std::move(other));
    }
}

void useSuggestedFraming(bool suggested)
{
    suggestedFraming = suggested;
}

void useAttachment(const QString &side, const deckmodel::Attachment &attachment)
{
    attachSide = side;
    attachAsked = attachment;
}

jm::Result<std::optional<deckmodel::Attachment>> askedAttachment(const deckmodel::DeckParameters &parameters)
{
    if (attachSide.isEmpty())
        return std::optional<deckmodel::Attachment>();
    const jm::Result<deckmodel::Polygon> outline = deckmodel::shapePlan(parameters.deckType, parameters.depthA, parameters.widthB);
    if (!outline)
        return outline.failure();
    deckmodel::Attachment attachment = attachAsked;
    attachment.attached = true;
    attachment.edge = deckmodel::edgeFacing(*outline, attachSide);
    if (attachment.edge < 0)
        return jm::failure(QStringLiteral("The deck has no %1 edge to hang on the house.").arg(attachSide));
    return std::optional<deckmodel::Attachment>(attachment);
}

ShownDeck deckFromDesign(const design::Design &design, const QString &source, const deckmodel::CodeSettings &settings,
                         bool suggest)
{
    return designAt(design, source, settings, Extent::Window, suggest);
}

ShownDeck deckFrom(const QString &path, const deckmodel::CodeSettings &settings)
{
    return deckAt(path, settings, Extent::Window);
}

ShownDeck modelFrom(const QString &path, const deckmodel::CodeSettings &settings)
{
    return deckAt(path, settings, Extent::Model);
}

jm::Status writeModel(const QString &input, const QString &output, const deckmodel::CodeSettings &settings)
{
    const std::optional<deckmodel::Format> format = deckmodel::formatOf(output);
    if (!format)
        return deckmodel::renderDeck(input, output); // which says why not
    // The check and its suggestion are made by the writer, for the files that hold them.
    const ShownDeck shown = modelFrom(input, settings);
    if (!shown.error.isEmpty())
        return jm::failure(shown.error);
    if (!shown.deck)
        return jm::failure(QStringLiteral("A 2D plan has no model to write."));
    return writeDeckModel(*shown.deck, output, settings);
}

jm::Status writeDeckModel(const deckmodel::Deck &deck, const QString &output, const deckmodel::CodeSettings &settings)
{
    const std::optional<deckmodel::Format> format = deckmodel::formatOf(output);
    if (!format)
        return jm::failure(QStringLiteral("\"%1\" names no model format (.step, .glb, .csv, .json, .txt).").arg(output));
    if (*format != deckmodel::Format::Csv)
        return deckmodel::writeDeck(deck, output, *format, settings);
    const jm::Result<deckviewer::Prices> prices = deckviewer::loadPrices();
    if (!prices)
        return prices.failure();
    return deckmodel::writeDeck(deck, output, *format, settings, prices->list, deckviewer::wastePercent());
}

void addKernel(ShownDeck &shown)
{
    // Without the kernel's module the hidden lines come from the depth buffer.
    if (shown.error.isEmpty() && !shown.isPlan && deckmodel::kernelModule(deckmodel::KernelPart::HiddenLines))
        shown.hiddenLines = std::make_shared<const deckmodel::HiddenLines>(shown.members);
}

ShownDeck planFrom(const QString &loadedSymbol, const QString &folder)
{
    const auto read = deckfile::read2DFrom(loadedSymbol, folder);
    if (!read)
        return failed(read.error());
    return planOf(*read);
}

ShownDeck planOf(const deckfile::Deck2D &deck)
{
    const jm::Result<deckmodel::Polygon> plan = deckmodel::stylePlan(deck.style, deck.widthFeet);
    if (!plan)
        return failed(plan.error());

    ShownDeck shown;
    shown.fileName = deckfile::DeckSizeFile;
    shown.isPlan = true;
    shown.style = deck;
    // Seen from above with Z to the right and X up, in feet, y down as on paper.
    for (const deckmodel::Point &p : *plan)
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
                   {QStringLiteral("Area"), squareFeet(*plan)}};
    return shown;
}

ShownDeck symbolFrom(const QString &symbol, const QString &loadedSymbol, const QString &folder,
                     const deckmodel::CodeSettings &settings)
{
    return symbolAt(symbol, loadedSymbol, folder, settings, Extent::Window);
}

deckview::HiddenLineSource hiddenLineSource(std::shared_ptr<const deckmodel::HiddenLines> kernel)
{
    return [kernel](const deckview::ViewAxes &axes, bool hiddenDrawn) {
        const std::vector<deckmodel::ViewSegment> pieces =
            kernel->project({axes.eye.x, axes.eye.y, axes.eye.z}, {axes.right.x, axes.right.y, axes.right.z},
                            hiddenDrawn ? deckmodel::HiddenPieces::Drawn : deckmodel::HiddenPieces::NotDrawn);
        std::vector<deckview::Segment2> segments;
        segments.reserve(pieces.size());
        for (const deckmodel::ViewSegment &s : pieces)
            segments.push_back({{s.x0, s.y0}, {s.x1, s.y1}, s.visible ? deckview::Stroke::Visible : deckview::Stroke::Hidden});
        return segments;
    };
}

jm::Status drawDeck(const QString &input, deckview::StandardView view, std::optional<deckview::ViewMode> mode,
                    const QString &output)
{
    ShownDeck shown = deckAt(input, {}, Extent::Drawing);
    if (!shown.error.isEmpty())
        return jm::failure(shown.error);
    if (shown.isPlan) // the 2D road's plan is the one view it has
        return deckview::writeDrawing(output, deckview::planDrawing(shown.plan, QSize(1200, 760)), shown.block);
    deckview::RenderOptions options;
    options.mode = mode.value_or(shown.mode);
    if (options.mode == deckview::ViewMode::HiddenLine)
        addKernel(shown);
    if (shown.hiddenLines)
        options.hiddenLines = hiddenLineSource(shown.hiddenLines);
    return deckview::writeView(shown.scene, view, options, shown.block, output);
}
