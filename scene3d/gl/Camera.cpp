// Camera matrices and 3-D navigation.
#include "scene3d/gl/Camera.h"

#include <cmath>
#include <numbers>

#include "geometry/X3DDirection.h"
#include "scene3d/SceneBuilder.h"

namespace scene3d::gl {

using geometry::X3DPoint;
using geometry::X3DVector;

namespace {

bool finite(const X3DPoint& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

X3DVector unit(const X3DVector& v)
{
    double n = v.norm();
    return n > 0.0 ? v * (1.0 / n) : v;
}

void identity(double out[16])
{
    for (int i = 0; i < 16; ++i) {
        out[i] = i % 5 == 0 ? 1.0 : 0.0;
    }
}

}  // namespace

bool isSoundCamera(const X3DPoint& position, const X3DPoint& target, const X3DVector& up)
{
    if (!finite(position) || !finite(target) || !finite(up)) {
        return false;
    }
    X3DVector forward = target - position;
    double length = forward.norm();
    double upLength = up.norm();
    if (!(length > 1e-9) || !(upLength > 0.0)) {
        return false;
    }
    // The sine of the angle between the view direction and up.
    return geometry::cross(up, forward).norm() / (length * upLength) > 1e-6;
}

void perspectiveMatrix(double fieldOfView, double aspect, double nearPlane, double farPlane, double out[16])
{
    double f = 1.0 / std::tan(fieldOfView * std::numbers::pi / 360.0);
    for (int i = 0; i < 16; ++i) {
        out[i] = 0.0;
    }
    out[0] = f / aspect;
    out[5] = f;
    out[10] = (farPlane + nearPlane) / (nearPlane - farPlane);
    out[11] = -1.0;
    out[14] = 2.0 * farPlane * nearPlane / (nearPlane - farPlane);
}

bool lookAtMatrix(const X3DPoint& eye, const X3DPoint& target, const X3DVector& up, double out[16])
{
    identity(out);
    if (!isSoundCamera(eye, target, up)) {
        return false;
    }
    X3DVector f = unit(target - eye);
    X3DVector s = unit(geometry::cross(f, up));
    X3DVector u = geometry::cross(s, f);
    out[0] = s.x;
    out[4] = s.y;
    out[8] = s.z;
    out[1] = u.x;
    out[5] = u.y;
    out[9] = u.z;
    out[2] = -f.x;
    out[6] = -f.y;
    out[10] = -f.z;
    out[12] = -geometry::dot(s, eye);
    out[13] = -geometry::dot(u, eye);
    out[14] = geometry::dot(f, eye);
    return true;
}

void setupProjection(X3DViewPoint& view, int width, int height)
{
    width = width < 1 ? 1 : width;
    height = height < 1 ? 1 : height;
    double nearPlane = view.nearPlane;
    double farPlane = view.farPlane;
    // A model of a single point has planes at no distance: any depth will do.
    if (!(nearPlane > 0.0) || !(farPlane > nearPlane) || !std::isfinite(farPlane)) {
        nearPlane = 0.01;
        farPlane = 100.0;
    }
    double fov = view.fieldOfView.degrees;
    if (!(fov > 0.0 && fov < 180.0)) {
        fov = 45.0;
    }
    perspectiveMatrix(fov, static_cast<double>(width) / height, nearPlane, farPlane, view.projection);
    X3DPoint eye = view.position;
    X3DVector up = view.up;
    if (!isSoundCamera(eye, view.target, up)) {
        eye = view.target + X3DVector(0.0, -1.0, 0.0);
        up = X3DVector(0.0, 0.0, 1.0);
    }
    if (!lookAtMatrix(eye, view.target, up, view.modelview)) {
        // A target that is not finite: the default view of the origin.
        lookAtMatrix(X3DPoint(0, 0, 1), X3DPoint(0, 0, 0), X3DVector(0, 1, 0), view.modelview);
    }
    view.viewport[0] = 0;
    view.viewport[1] = 0;
    view.viewport[2] = width;
    view.viewport[3] = height;
}

bool navigationStep(X3DViewPoint& view, unsigned mode, int dx, int dy, bool shift)
{
    X3DPoint p = view.position;
    X3DPoint t = view.target;
    const X3DVector& up = view.up;
    // A tie counts as vertical.
    bool horizontal = std::abs(dx) > std::abs(dy);
    if (shift) {
        X3DVector v;
        if (horizontal) {
            v = geometry::cross(up, t - p);  // to the left of the view
            if (dx > 0) {
                v = v * -1.0;
            }
        } else {
            v = up;
            if (dy > 0) {
                v = v * -1.0;
            }
        }
        if (!(v.norm() > 0.0)) {
            return false;
        }
        v = unit(v);
        p = p + v;
        t = t + v;
    } else {
        bool study = mode != Explore;
        X3DVector arm = study ? p - t : t - p;
        if (!(arm.norm() > 0.0) || !finite(arm)) {
            return false;
        }
        geometry::X3DDirection d = geometry::X3DDirection::fromVector(arm);
        if (horizontal) {
            d.addAzimuth(geometry::X3DAngle::fromDegrees(dx <= 0 ? 1.0 : -1.0));
        } else {
            // Study raises the eye for a pointer below the centre, Explore
            // lowers the gaze.
            bool raise = (dy > 0) == study;
            if (raise && d.elevation.degrees < 89.0) {
                d.addElevation(geometry::X3DAngle::fromDegrees(1.0));
            } else if (!raise && d.elevation.degrees > -89.0) {
                d.addElevation(geometry::X3DAngle::fromDegrees(-1.0));
            } else {
                return false;
            }
        }
        if (study) {
            p = t + d.toVector();
        } else {
            t = p + d.toVector();
        }
    }
    if (!isSoundCamera(p, t, up)) {
        return false;
    }
    view.position = p;
    view.target = t;
    return true;
}

bool wheelStep(X3DViewPoint& view, unsigned mode, int delta)
{
    if (delta == 0) {
        return false;
    }
    if (mode == Explore) {
        X3DVector v = (view.target - view.position) * (delta / 12000.0);
        X3DPoint p = view.position + v;
        X3DPoint t = view.target + v;
        if (!isSoundCamera(p, t, view.up)) {
            return false;
        }
        view.position = p;
        view.target = t;
        return true;
    }
    double fov = view.fieldOfView.degrees - delta / 60.0;
    if (!(fov > 0.0 && fov < 150.0)) {
        return false;
    }
    view.fieldOfView.setDegrees(fov);
    return true;
}

bool goHome(X3DViewPoint& view, const model::Document& doc)
{
    X3DPoint min;
    X3DPoint max;
    if (!sceneBox(doc, min, max)) {
        return false;
    }
    X3DPoint eye;
    X3DPoint target;
    homeCamera(min, max, eye, target);
    if (!isSoundCamera(eye, target, view.up)) {
        return false;
    }
    view.position = eye;
    view.target = target;
    view.fieldOfView.setDegrees(45.0);
    return true;
}

}  // namespace scene3d::gl
