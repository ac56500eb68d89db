// The solid files' module's one entry point (kernelmodule.h): the STEP and
// glTF writers, which with the hidden lines' module are the only code that
// sees Open CASCADE.
#include "kernelmodule.h"
#include "solidfiles.h"

extern "C" JM_KERNEL_EXPORT const deckmodel::KernelModule *joistmasterKernelModule()
{
    static const deckmodel::KernelModule module{deckmodel::KernelModuleVersion, nullptr, deckmodel::writeSolidFile,
                                                deckmodel::solidsOf};
    return &module;
}
