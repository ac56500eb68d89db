// The geometry kernel (Open CASCADE) lives in two modules beside the
// programs, each loaded the first time it is needed: joistmaster-lines.so, a
// view's hidden lines; joistmaster-step.so, a STEP file. A takeoff, a code
// check, a glTF file or a drawing set loads none: binding the kernel's
// libraries costs every process that links them tens of milliseconds before
// main, and each module binds only the libraries its own work needs.
//
// This is the whole of what the module offers, as plain C++: the programs and
// the module are built together, by one compiler, from one tree.
#pragma once

#include "framing.h"
#include "hiddenline.h"
#include "result.h"

#include <QString>

#include <memory>
#include <vector>

namespace deckmodel {

// A built hidden-line kernel (hiddenline.h hands out its lines).
class HiddenLineKernel {
public:
    virtual ~HiddenLineKernel() = default;
    virtual std::vector<ViewSegment> project(Direction eye, Direction right, HiddenPieces pieces) = 0;
    virtual int solids() const = 0;
};

// Each module fills in its own part: the hidden lines, or the STEP file.
struct KernelModule {
    int version = 0; // KernelModuleVersion of the module's build
    // Built and meshed once for the members; never null.
    std::unique_ptr<HiddenLineKernel> (*hiddenLines)(const std::vector<Member> &members) = nullptr;
    // Writes the deck's solids to `path` as STEP (the writer may add files
    // beside it); fails with the sentence's end: "the STEP file could not be
    // written."
    jm::Status (*writeSolids)(const Deck &deck, const QString &path) = nullptr;
    // Only turns the members into solids; how many it made (the STEP module's).
    int (*buildSolids)(const Deck &deck) = nullptr;
};

// Raised whenever KernelModule changes: a module of another build is refused.
inline constexpr int KernelModuleVersion = 3;
// The name of the module's entry point, a function returning const KernelModule *.
inline constexpr char KernelModuleEntry[] = "joistmasterKernelModule";
// What a module's entry point is declared with: the one symbol a module built
// with hidden visibility shows.
#if defined(_WIN32)
#define JM_KERNEL_EXPORT __declspec(dllexport)
#else
#define JM_KERNEL_EXPORT __attribute__((visibility("default")))
#endif
inline constexpr char HiddenLineModuleFile[] = "joistmaster-lines"; // the hidden lines
inline constexpr char StepModuleFile[] = "joistmaster-step";         // STEP files

enum class KernelPart { HiddenLines, StepFile };

// The module with that part, loaded on the first call, from the running
// program's folder or the build's bin/ beside it; or one sentence saying why
// there is none. Safe from any thread.
jm::Result<const KernelModule *> kernelModule(KernelPart part);

// Where a module is looked for, first to last, beside the program in `programFolder`.
QStringList kernelModulePlaces(const QString &programFolder, const char *file);

} // namespace deckmodel
