#include "kernelmodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <mutex>
#include <optional>

namespace deckmodel {

namespace {
QString programFolder()
{
    // The running program itself, also before (or without) a QCoreApplication.
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    if (self.exists())
        return self.canonicalPath();
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

using Entry = const KernelModule *(*)();

jm::Result<const KernelModule *> load()
{
    const QStringList places = kernelModulePlaces(programFolder());
    QString why = QStringLiteral("no program folder");
    for (const QString &place : places) {
        QLibrary library(place);
        // Never unloaded, not even at exit: the leak check at the end of a
        // sanitizer run names the kernel's libraries in what it passes over.
        library.setLoadHints(QLibrary::PreventUnloadHint);
        if (!library.load()) {
            if (place == places.first())
                why = library.errorString();
            continue;
        }
        const auto entry = reinterpret_cast<Entry>(library.resolve(KernelModuleEntry));
        const KernelModule *module = entry ? entry() : nullptr;
        if (!module || module->version != KernelModuleVersion || !module->hiddenLines || !module->writeSolids
            || !module->buildSolids)
            return jm::failure(QStringLiteral("The geometry kernel module %1 is of another build of Joistmaster.")
                                   .arg(QDir::toNativeSeparators(library.fileName())));
        return module; // kept loaded for the rest of the run
    }
    return jm::failure(QStringLiteral("The geometry kernel module could not be loaded: %1").arg(why));
}
} // namespace

QStringList kernelModulePlaces(const QString &programFolder)
{
    if (programFolder.isEmpty())
        return {};
    // Installed, the module sits beside the programs; in a build, the tests
    // and benchmarks have folders of their own beside bin/.
    const QDir here(programFolder);
    return {here.filePath(QLatin1String(KernelModuleFile)),
            QDir::cleanPath(here.filePath(QStringLiteral("../bin/") + QLatin1String(KernelModuleFile)))};
}

jm::Result<const KernelModule *> kernelModule()
{
    static std::once_flag once;
    static std::optional<jm::Result<const KernelModule *>> loaded;
    std::call_once(once, [] { loaded = load(); });
    return *loaded;
}

} // namespace deckmodel
