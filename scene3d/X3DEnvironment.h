// What surrounds the shapes: lights, viewpoints and the background.
#pragma once

#include "geometry/X3DAngle.h"
#include "scene3d/X3DBounds.h"
#include "scene3d/X3DNode.h"

namespace scene3d {

constexpr unsigned glLight0 = 0x4000;  // GL_LIGHT0
constexpr unsigned glFill = 0x1B02;    // GL_FILL

class X3DLight : public X3DNode {
public:
    explicit X3DLight(bool isPositional) : positional(isPositional) {}

    unsigned glLight = glLight0;  // given by the scene
    geometry::X3DPoint position;
    X3DColor color = white;
    double ambient = 0.0;
    double diffuse = 1.0;
    double specular = 1.0;
    bool positional;

    const char* className() const override { return "X3DLight"; }
    // POV-Ray only.
    void write(X3DStream& out) const override;
};

class X3DViewPoint : public X3DNode {
public:
    X3DViewPoint() = default;
    X3DViewPoint(const geometry::X3DPoint& from, const geometry::X3DPoint& to) : position(from), target(to) {}

    geometry::X3DPoint position{0, 0, 1};
    geometry::X3DPoint target;
    geometry::X3DVector up{0, 1, 0};
    X3DBounds bounds;
    double nearPlane = 0.1;
    double farPlane = 100.0;
    geometry::X3DAngle fieldOfView = geometry::X3DAngle::fromDegrees(45);
    // Filled when the 3-D view sets up its projection, for picking.
    double modelview[16] = {};
    double projection[16] = {};
    int viewport[4] = {};

    const char* className() const override { return "X3DViewPoint"; }
    // POV-Ray only: a camera.
    void write(X3DStream& out) const override;

    // Far plane at the diagonal of the bounds widened by the eye, near plane
    // at a hundredth of it, field of view 4500/scale degrees.
    void fit(double scale);
};

class X3DBackground : public X3DCachedNode {
public:
    X3DColor skyColor = black;
    X3DColor ambientLight{0.6, 0.6, 0.6, 1.0};
    unsigned polygonMode = glFill;

    const char* className() const override { return "X3DBackground"; }
    void write(X3DStream& out) const override;
};

}  // namespace scene3d
