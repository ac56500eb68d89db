// Hidden lines of a deck's members: for a direction of view, every edge split
// into the pieces the viewer sees and the pieces other members hide, as
// segments in the view plane. The solids are built and meshed once, when the
// object is made, once for all the members that are one piece moved; each new direction of view only projects them again, and
// the same direction again (a zoom, a pan) costs nothing. Safe to call from
// any thread, one projection at a time. The work is the hidden-line module's
// (kernelmodule.h), loaded by the first of these made; without the module
// there are no solids and no lines.
#pragma once

#include "framing.h"

#include <memory>
#include <vector>

namespace deckmodel {

struct Direction {
    double x = 0, y = 0, z = 0;
};

// From (x0, y0) to (x1, y1) in the view plane's inches.
struct ViewSegment {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool visible = true;
};

// Whether the caller draws the hidden pieces. When it does not, the members
// that others hide whole (occlusion.h) are left out of the pass: they add no
// visible piece and hide nothing that is not hidden already.
enum class HiddenPieces { Drawn, NotDrawn };

class HiddenLines {
public:
    explicit HiddenLines(const std::vector<Member> &members);
    ~HiddenLines();
    HiddenLines(const HiddenLines &) = delete;
    HiddenLines &operator=(const HiddenLines &) = delete;

    // Seen from far away in the direction `eye` (towards the viewer), with
    // `right` the view plane's X and eye x right its Y; both unit and at right
    // angles. Pieces of one line may overlap and an edge two members share
    // comes once from each: the caller cleans them up. With
    // HiddenPieces::NotDrawn the visible pieces are the same and hidden ones
    // may be missing.
    std::vector<ViewSegment> project(Direction eye, Direction right, HiddenPieces pieces = HiddenPieces::Drawn) const;

    int solids() const; // members that became solids

private:
    struct Kernel;
    std::unique_ptr<Kernel> m_kernel;
};

} // namespace deckmodel
