#include "sheetsource.h"

#include "deckwindow.h"
#include "lengthtext.h"
#include "plan.h"
#include "takeoffprices.h"
#include "textfiles.h"

#include <QFileInfo>
#include <QLocale>
#include <QPrinter>

#include <algorithm>

namespace deckviewer {

deckview::Paper localePaper()
{
    return deckview::printDefaults(QLocale::system().territory(), {}, {}).paper == QPageSize::Letter
        ? deckview::Paper::Letter
        : deckview::Paper::A4;
}

std::optional<deckview::Paper> paperOfPrinter(const QPageSize &size)
{
    switch (size.id()) {
    case QPageSize::Letter: return deckview::Paper::Letter;
    case QPageSize::A4: return deckview::Paper::A4;
    case QPageSize::Tabloid:
    case QPageSize::Ledger: return deckview::Paper::Tabloid;
    case QPageSize::A3: return deckview::Paper::A3;
    default: return std::nullopt;
    }
}

namespace {
// The title block's facts of the design shown (each "not given" where empty).
deckview::ProjectFacts projectFacts(const design::Project &project)
{
    deckview::ProjectFacts facts;
    facts.owner = project.owner;
    facts.siteAddress = project.siteAddress;
    facts.preparer = project.preparer;
    facts.notes = project.notes;
    facts.lotWidthFeet = project.lotWidthFt;
    facts.lotDepthFeet = project.lotDepthFt;
    facts.deckFromLeftFeet = project.deckFromLeftFt;
    facts.deckFromBackFeet = project.deckFromBackFt;
    facts.northDegrees = project.northDegrees;
    if (project.frostDepthIn) {
        // Footings go at least 12 in below grade whatever the frost depth.
        facts.frostDepthInches = std::max(12.0, *project.frostDepthIn);
        facts.frostDepthGiven = true;
    }
    return facts;
}
} // namespace

jm::Result<std::vector<deckview::Sheet>> sheetsOf(const ShownDeck &shown, std::optional<deckview::Paper> asked,
                                                  const deckmodel::CodeSettings &settings)
{
    if (!shown.error.isEmpty())
        return jm::failure(shown.error);
    if (shown.deck)
    {
        deckview::SetFacts facts = deckview::setFactsOf(*shown.deck);
        facts.project = projectFacts(shown.project);
        facts.prices = pricesOrNone().list;
        facts.wastePercent = wastePercent();
        const deckview::Paper paper = asked ? *asked : deckview::paperFor(*shown.deck, settings, facts, localePaper());
        return deckview::deckSheets(*shown.deck, settings, facts, paper);
    }
    const jm::Result<deckmodel::Polygon> outline = deckmodel::stylePlan(shown.style.style, shown.style.widthFeet);
    if (!outline)
        return outline.failure();
    const deckmodel::Box b = deckmodel::bounds(*outline);
    deckview::SetFacts facts{QStringLiteral("Deck %1").arg(shown.style.style),
                                   QStringLiteral("2D deck style %1").arg(shown.style.style),
                                   QStringLiteral("%1 x %2").arg(lengthtext::feetAndInchesFromInches(b.z1 - b.z0),
                                                                 lengthtext::feetAndInchesFromInches(b.x1 - b.x0)),
                                   QStringLiteral("on the ground"),
                                   QDate::currentDate(),
                                   deckview::setFactsOf(deckmodel::Deck{}).program};
    facts.project = projectFacts(shown.project);
    return deckview::styleSheets(*outline, shown.style.style, shown.style.widthFeet, facts, asked ? *asked : localePaper());
}

void offerDrawingSet(deckview::DeckWindow &window, const ShownDeck &shown, const deckmodel::CodeSettings &settings)
{
    if (!shown.error.isEmpty()) {
        window.writeDrawingSet = nullptr;
        window.printDrawingSet = nullptr;
        return;
    }
    auto deck = std::make_shared<const ShownDeck>(shown);
    window.writeDrawingSet = [deck, settings](const QString &path, const QString &paper) -> jm::Status {
        const auto sheets = sheetsOf(*deck, deckview::paperNamed(paper), settings);
        return sheets ? deckview::writeSheets(path, *sheets) : jm::Status(sheets.failure());
    };
    window.printDrawingSet = [deck, settings](QPrinter &printer) {
        // On the printer's paper; on another size, the locale's family chosen for the deck.
        if (const auto sheets = sheetsOf(*deck, paperOfPrinter(printer.pageLayout().pageSize()), settings))
            deckview::printSheets(printer, *sheets);
    };
}

jm::Status writeDrawingSet(const QString &input, const QString &which, std::optional<deckview::Paper> paper,
                           const QString &output,
                           const deckmodel::CodeSettings &settings)
{
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (suffix != u"pdf" && suffix != u"svg")
        return jm::failure(QStringLiteral("%1: a drawing set is written as .pdf (a page a sheet) or .svg (a file a sheet).")
                               .arg(textfiles::quoted(QFileInfo(output).fileName())));
    const jm::Result<std::vector<deckview::Sheet>> sheets = sheetsOf(modelFrom(input), paper, settings);
    if (!sheets)
        return sheets.failure();
    const jm::Result<std::vector<deckview::Sheet>> chosen = deckview::selectSheets(*sheets, which);
    if (!chosen)
        return chosen.failure();
    return deckview::writeSheets(output, *chosen);
}

} // namespace deckviewer
