// The takeoff, the code check and the glTF file (glbfile.h) written here;
// the STEP file by the geometry kernel's module (stepfile.cpp, loaded through
// kernelmodule.h), so that the other files never load the kernel. Every
// file reaches the person through outputfile::writeWhole: a failure names
// the file and the system's reason.
#include "deckexport.h"

#include "glbfile.h"
#include "handoff.h"
#include "kernelmodule.h"
#include "outputfile.h"
#include "takeoff.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

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
    const jm::Result<const KernelModule *> module = kernelModule(KernelPart::StepFile);
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
    if (format == Format::Glb)
        return outputfile::writeWhole(path, glbOf(deck));
    // A target that cannot be written is told before the kernel's work.
    if (const outputfile::Scratch probe(path); !probe.status())
        return probe.status();
    const jm::Result<const KernelModule *> module = kernelModule(KernelPart::StepFile);
    if (!module)
        return jm::failure(QStringLiteral("cannot write %1: %2").arg(path, module.error()));
    // The kernel writes by name, in a private folder of the system's
    // temporary space. It says only that it failed, never why; its bytes
    // reach the person's file through writeWhole, which names the file and
    // the system's reason ("No space left on device", "Permission denied").
    // (TMPDIR read here: QDir::tempPath() makes a missing folder "", the working folder.)
#ifdef Q_OS_UNIX
    QString temporaryFolder = qEnvironmentVariable("TMPDIR");
    if (temporaryFolder.isEmpty())
        temporaryFolder = QStringLiteral("/tmp");
#else
    const QString temporaryFolder = QDir::tempPath();
#endif
    const QTemporaryDir kernelFolder(QDir(temporaryFolder).absoluteFilePath(QStringLiteral("joistmaster-export-XXXXXX")));
    if (!kernelFolder.isValid())
        return jm::failure(QStringLiteral("cannot write %1: the geometry kernel has no folder to write in (%2: %3)")
                               .arg(path, QDir::cleanPath(QDir(temporaryFolder).absolutePath()), kernelFolder.errorString()));
    const QString temporary = kernelFolder.filePath(QFileInfo(path).fileName());
    const jm::Status written = (*module)->writeSolids(deck, temporary);
    if (!written)
        return jm::failure(QStringLiteral("cannot write %1: %2").arg(path, written.error()));
    QFile made(temporary);
    if (!made.open(QIODevice::ReadOnly))
        return jm::failure(QStringLiteral("cannot write %1: the file the geometry kernel wrote cannot be read: %2")
                               .arg(path, made.errorString()));
    return outputfile::writeWhole(path, made.readAll());
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
