// The glTF module's one entry point (kernelmodule.h): the glTF writer, which
// with the STEP and hidden lines' modules is the only code that sees Open
// CASCADE.
#include "kernelmodule.h"
#include "solidfiles.h"

extern "C" JM_KERNEL_EXPORT const deckmodel::KernelModule *joistmasterKernelModule()
{
    static const deckmodel::KernelModule module{deckmodel::KernelModuleVersion, nullptr, deckmodel::writeGlbFile, nullptr};
    return &module;
}
