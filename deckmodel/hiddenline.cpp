// The lines come from the hidden lines' module (kernelmodule.h); this keeps the last
// view's, so that zooming, panning and resizing cost nothing.
#include "hiddenline.h"

#include "kernelmodule.h"

#include <mutex>

namespace deckmodel {

struct HiddenLines::Kernel {
    std::unique_ptr<HiddenLineKernel> lines; // none without the module
    std::mutex busy;                         // the algorithm keeps its results inside
    Direction lastEye, lastRight;
    HiddenPieces lastPieces = HiddenPieces::Drawn;
    std::vector<ViewSegment> last;
    bool hasLast = false;
};

namespace {
bool same(Direction a, Direction b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
} // namespace

HiddenLines::HiddenLines(const std::vector<Member> &members) : m_kernel(std::make_unique<Kernel>())
{
    if (const jm::Result<const KernelModule *> module = kernelModule(KernelPart::HiddenLines))
        m_kernel->lines = (*module)->hiddenLines(members);
}

HiddenLines::~HiddenLines() = default;

int HiddenLines::solids() const
{
    return m_kernel->lines ? m_kernel->lines->solids() : 0;
}

std::vector<ViewSegment> HiddenLines::project(Direction eye, Direction right, HiddenPieces pieces) const
{
    const std::lock_guard lock(m_kernel->busy);
    if (!m_kernel->lines)
        return {};
    if (m_kernel->hasLast && same(eye, m_kernel->lastEye) && same(right, m_kernel->lastRight)
        && pieces == m_kernel->lastPieces)
        return m_kernel->last;
    m_kernel->last = m_kernel->lines->project(eye, right, pieces);
    m_kernel->lastEye = eye;
    m_kernel->lastRight = right;
    m_kernel->lastPieces = pieces;
    m_kernel->hasLast = true;
    return m_kernel->last;
}

} // namespace deckmodel
