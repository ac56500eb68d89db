// How the scene is looked at: an orbiting orthographic camera.
//
// The camera turns about the vertical (yaw) and tilts towards the zenith
// (pitch); the projection is parallel, as drawings are. A Projection maps a
// scene point to viewport pixels plus a depth (larger is nearer the eye), the
// same numbers for the shaded raster, the wireframe and hidden-line drawings.
#pragma once

#include "scene.h"

#include <QPointF>
#include <QSize>

namespace deckview {

// The fixed views, turned as the shape's picture is (Z to the right, X up):
// plan straight down with Z to the right and X up, front along +X at the
// picture's bottom edge (from the -X side), side along -Z at its right edge.
enum class StandardView { Plan, Front, Side, Isometric };

struct Camera {
    double yaw = -45;       // degrees about +Y; 0 looks from +Z, -90 from -X
    double pitch = 35.264;  // degrees above the horizon, -90 to 90
    double scale = 0;       // pixels per inch; 0 until fitted
    Vec3 target;            // the scene point shown at the viewport's centre
    QPointF pan;            // pixels, added after projection

    void orbit(double dYaw, double dPitch);
    // Zooms by a factor, keeping the scene point under the viewport pixel at still.
    void zoomAt(double factor, QPointF at, QSize viewport);
};

// The camera of a fixed view, fitted to the box.
Camera standardCamera(StandardView view, const Box &box, QSize viewport);
// The same orientation, zoom and pan reset so that the box fills the viewport.
Camera fitted(Camera camera, const Box &box, QSize viewport);

// The orientation as three unit vectors: towards the eye, screen right and
// screen up. An outside hidden-line kernel projects along `eye` with `right`
// as its X direction, so that its 2D output is (dot(p, right), dot(p, up)).
struct ViewAxes {
    Vec3 eye, right, up;
};
ViewAxes viewAxes(double yaw, double pitch);

class Projection {
public:
    Projection(const Camera &camera, QSize viewport);

    // x, y in viewport pixels, z the depth in inches (larger is nearer).
    Vec3 map(Vec3 p) const;
    // A point of the view plane, (dot(p, right), dot(p, up)) in inches, in pixels.
    QPointF fromViewPlane(QPointF p) const;
    const ViewAxes &axes() const { return m_axes; }
    QSize viewport() const { return m_viewport; }
    double scale() const { return m_scale; }

private:
    ViewAxes m_axes;
    QSize m_viewport;
    double m_scale;
    QPointF m_origin; // pixel of the scene origin
};

} // namespace deckview
