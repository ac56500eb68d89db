// The hidden lines' module's one entry point (kernelmodule.h): Open CASCADE's
// polygonal hidden-line algorithm and the few kernel libraries it needs.
#include "hiddenlinekernel.h"
#include "kernelmodule.h"

extern "C" JM_KERNEL_EXPORT const deckmodel::KernelModule *joistmasterKernelModule()
{
    static const deckmodel::KernelModule module{deckmodel::KernelModuleVersion, deckmodel::polygonalHiddenLines,
                                                nullptr, nullptr};
    return &module;
}
