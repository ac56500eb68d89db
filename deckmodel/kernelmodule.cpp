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

// The module and the kernel's libraries look up their symbols among
// themselves first: they are bound at load time (the distribution links them
// so), about a hundred thousand symbols, and each lookup through the
// program's own libraries first took a third of the time a small STEP file
// takes. The address sanitizer's runtime refuses that kind of load.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr QLibrary::LoadHints BindHint = {};
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
constexpr QLibrary::LoadHints BindHint = {};
#else
constexpr QLibrary::LoadHints BindHint = QLibrary::DeepBindHint;
#endif
#else
constexpr QLibrary::LoadHints BindHint = QLibrary::DeepBindHint;
#endif

const char *fileOf(KernelPart part)
{
    switch (part) {
    case KernelPart::HiddenLines: return HiddenLineModuleFile;
    case KernelPart::StepFile: return StepModuleFile;
    }
    return "";
}

// Whether a module has what its part offers.
bool offers(const KernelModule &module, KernelPart part)
{
    switch (part) {
    case KernelPart::HiddenLines: return module.hiddenLines != nullptr;
    case KernelPart::StepFile: return module.writeSolids != nullptr && module.buildSolids != nullptr;
    }
    return false;
}

jm::Result<const KernelModule *> load(KernelPart part)
{
    const QStringList places = kernelModulePlaces(programFolder(), fileOf(part));
    QString why = QStringLiteral("no program folder");
    for (const QString &place : places) {
        QLibrary library(place);
        // Never unloaded, not even at exit: the leak check at the end of a
        // sanitizer run names the kernel's libraries in what it passes over.
        library.setLoadHints(QLibrary::PreventUnloadHint | BindHint);
        if (!library.load()) {
            if (place == places.first())
                why = library.errorString();
            continue;
        }
        const auto entry = reinterpret_cast<Entry>(library.resolve(KernelModuleEntry));
        const KernelModule *module = entry ? entry() : nullptr;
        if (!module || module->version != KernelModuleVersion || !offers(*module, part))
            return jm::failure(QStringLiteral("The geometry kernel module %1 is of another build of Joistmaster.")
                                   .arg(QDir::toNativeSeparators(library.fileName())));
        return module; // kept loaded for the rest of the run
    }
    return jm::failure(QStringLiteral("The geometry kernel module could not be loaded: %1").arg(why));
}
} // namespace

QStringList kernelModulePlaces(const QString &programFolder, const char *file)
{
    if (programFolder.isEmpty())
        return {};
    // Installed, the module sits beside the programs; in a build, the tests
    // and benchmarks have folders of their own beside bin/.
    const QDir here(programFolder);
    return {here.filePath(QLatin1String(file)), QDir::cleanPath(here.filePath(QStringLiteral("../bin/") + QLatin1String(file)))};
}

jm::Result<const KernelModule *> kernelModule(KernelPart part)
{
    static std::once_flag once[2];
    static std::optional<jm::Result<const KernelModule *>> loaded[2];
    const size_t which = size_t(part);
    std::call_once(once[which], [&] { loaded[which] = load(part); });
    return *loaded[which];
}

} // namespace deckmodel
