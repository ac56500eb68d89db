// The STEP module's one entry point (kernelmodule.h): the STEP writer, which
// with the hidden lines' module is the only code that sees Open CASCADE.
#include "kernelmodule.h"
#include "solidfiles.h"

extern "C" JM_KERNEL_EXPORT const deckmodel::KernelModule *joistmasterKernelModule()
{
    static const deckmodel::KernelModule module{deckmodel::KernelModuleVersion, nullptr, deckmodel::writeStepFile,
                                                deckmodel::solidsOf};
    return &module;
}
