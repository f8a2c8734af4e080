// What Cylinder, Sphere and Cone ask: the dragged centre and rim, the
// "Parameters" dialog (base and top elevations, degrees, steps, closed) and
// the material.
#pragma once

#include "materials/Material.h"
#include "tools/Tool.h"

namespace tools::generators {

// More faces than this from one gesture are refused rather than built.
constexpr double maxGeneratedFaces = 1000000;

struct Circle {
    ViewPoint centre;
    double radius = 0.0;
    double base = 0.0;
    double top = 0.0;
    double startAngle = 0.0;  // radians, the direction of the dragged radius
    double endAngle = 0.0;
    int steps = 0;
    bool closed = false;
    materials::Material material;

    double stepAngle() const { return (endAngle - startAngle) / steps; }
    double angleAt(int i) const { return startAngle + i * stepAngle(); }
};

// False when the radius is under a micrometre, a dialog is cancelled, or
// the number of steps is below one (or beyond reason: "Invalid number of
// steps"). On OK the base and top are remembered.
bool askCircleParameters(ToolContext& ctx, const ViewPoint& centre, const ViewPoint& rim, Circle& out);

// False, after saying so, when a generator would make more than
// maxGeneratedFaces faces.
bool withinFaceLimit(double faces);

}  // namespace tools::generators
