// The takeoff and the code check written here; the solids (STEP, glTF) by
// the geometry kernel's module (solidfiles.cpp, loaded through
// kernelmodule.h), so that the other files never load the kernel.
#include "deckexport.h"

#include "handoff.h"
#include "kernelmodule.h"
#include "outputfile.h"
#include "takeoff.h"

#include <QFileInfo>

namespace deckmodel {

std::optional<Format> formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"step" || suffix == u"stp")
        return Format::Step;
    if (suffix == u"glb")
        return Format::Glb;
    if (suffix == u"csv")
        return Format::Csv;
    if (suffix == u"json")
        return Format::CheckJson;
    if (suffix == u"txt")
        return Format::CheckText;
    return std::nullopt;
}

int buildSolids(const Deck &deck)
{
    const jm::Result<const KernelModule *> module = kernelModule();
    return module ? (*module)->buildSolids(deck) : 0;
}

jm::Status writeDeck(const Deck &deck, const QString &path, Format format, const CodeSettings &settings,
                     const PriceList &prices, double wastePercent)
{
    if (format == Format::Csv)
        return outputfile::writeWhole(path, takeoffCsv(takeoffOf(deck, {settings, wastePercent}), prices));
    if (format == Format::CheckJson || format == Format::CheckText) {
        const CodeReport report = checkCode(deck, settings);
        const Suggestion suggestion = suggestFraming(deck, settings);
        return outputfile::writeWhole(path, format == Format::CheckJson ? codeCheckJson(report, suggestion)
                                                                        : codeCheckText(report, suggestion));
    }
    // The kernel writes by name, and the glTF writer adds a file of its own
    // beside the one it is given: both in a folder made for this write alone.
    const jm::Result<const KernelModule *> module = kernelModule();
    if (!module)
        return jm::failure(QStringLiteral("\"%1\": %2").arg(QFileInfo(path).fileName(), module.error()));
    outputfile::Scratch scratch(path);
    if (!scratch.status())
        return scratch.status();
    jm::Status written = (*module)->writeSolids(deck, scratch.file(), format == Format::Step ? SolidFormat::Step : SolidFormat::Glb);
    if (written)
        written = scratch.commit();
    if (written)
        return written;
    return jm::failure(QStringLiteral("\"%1\": %2").arg(QFileInfo(path).fileName(), written.error()));
}

jm::Status renderDeck(const QString &input, const QString &output, const CodeSettings &settings)
{
    const std::optional<Format> format = formatOf(output);
    if (!format)
        return jm::failure(QStringLiteral("\"%1\" names no format this host writes (.step, .glb, .csv, .json or .txt).")
                               .arg(QFileInfo(output).fileName()));
    const auto read = deckfile::readDeck(input);
    if (!read)
        return read.failure();
    const jm::Result<Deck> built = buildDeck(*read);
    if (!built)
        return built.failure();
    return writeDeck(*built, output, *format, settings);
}

} // namespace deckmodel
