#include "camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace deckview {

namespace {
double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}
} // namespace

void Camera::orbit(double dYaw, double dPitch)
{
    yaw = std::fmod(yaw + dYaw, 360.0);
    pitch = std::clamp(pitch + dPitch, -90.0, 90.0);
}

void Camera::zoomAt(double factor, QPointF at, QSize viewport)
{
    // The pixel `at` shows scene point target + (at - centre - pan) / scale in
    // the view plane; scaling about it moves the pan by the same ratio.
    const QPointF centre(viewport.width() / 2.0, viewport.height() / 2.0);
    const QPointF fromCentre = at - centre - pan;
    scale *= factor;
    pan += fromCentre - fromCentre * factor;
}

ViewAxes viewAxes(double yaw, double pitch)
{
    const double y = radians(yaw), p = radians(pitch);
    ViewAxes axes;
    axes.eye = {std::cos(p) * std::sin(y), std::sin(p), std::cos(p) * std::cos(y)};
    axes.right = {std::cos(y), 0, -std::sin(y)};
    axes.up = cross(axes.eye, axes.right);
    return axes;
}

Camera fitted(Camera camera, const Box &box, QSize viewport)
{
    camera.pan = {};
    camera.target = box.isEmpty() ? Vec3{} : box.centre();
    const ViewAxes axes = viewAxes(camera.yaw, camera.pitch);
    double halfWidth = 0, halfHeight = 0;
    for (int corner = 0; corner < 8 && !box.isEmpty(); ++corner) {
        const Vec3 p{corner & 1 ? box.max.x : box.min.x, corner & 2 ? box.max.y : box.min.y,
                     corner & 4 ? box.max.z : box.min.z};
        halfWidth = std::max(halfWidth, std::abs(dot(p - camera.target, axes.right)));
        halfHeight = std::max(halfHeight, std::abs(dot(p - camera.target, axes.up)));
    }
    // A margin of 5% on every side.
    const double sx = halfWidth > 0 ? 0.9 * viewport.width() / (2 * halfWidth) : 1e9;
    const double sy = halfHeight > 0 ? 0.9 * viewport.height() / (2 * halfHeight) : 1e9;
    camera.scale = std::min(sx, sy);
    if (!(camera.scale > 0 && camera.scale < 1e9))
        camera.scale = 1; // nothing to fit, or not a number
    if (!std::isfinite(camera.target.x + camera.target.y + camera.target.z))
        camera.target = {};
    return camera;
}

Camera standardCamera(StandardView view, const Box &box, QSize viewport)
{
    Camera camera;
    switch (view) {
    case StandardView::Plan: camera.yaw = -90; camera.pitch = 90; break;
    case StandardView::Front: camera.yaw = -90; camera.pitch = 0; break;
    case StandardView::Side: camera.yaw = 0; camera.pitch = 0; break;
    case StandardView::Isometric: camera.yaw = -45; camera.pitch = 35.264; break;
    }
    return fitted(camera, box, viewport);
}

Projection::Projection(const Camera &camera, QSize viewport)
    : m_axes(viewAxes(camera.yaw, camera.pitch)), m_viewport(viewport), m_scale(camera.scale > 0 ? camera.scale : 1)
{
    const QPointF centre(viewport.width() / 2.0, viewport.height() / 2.0);
    m_origin = centre + camera.pan
        - QPointF(m_scale * dot(camera.target, m_axes.right), -m_scale * dot(camera.target, m_axes.up));
}

Vec3 Projection::map(Vec3 p) const
{
    return {m_origin.x() + m_scale * dot(p, m_axes.right), m_origin.y() - m_scale * dot(p, m_axes.up),
            dot(p, m_axes.eye)};
}

QPointF Projection::fromViewPlane(QPointF p) const
{
    return {m_origin.x() + m_scale * p.x(), m_origin.y() - m_scale * p.y()};
}

} // namespace deckview
