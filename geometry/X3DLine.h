// Infinite lines: a unit direction through an origin point.
#pragma once

#include "geometry/X3DPoint.h"

namespace geometry {

struct X3DPlane;

struct X3DLine : X3DVersor {
    X3DPoint origin;

    X3DLine() = default;
    // The two points must differ; callers compare them with != first.
    X3DLine(const X3DPoint& from, const X3DPoint& to);

    static const char* className() { return "X3DLine"; }

    const X3DVersor& direction() const { return *this; }
    X3DPoint pointAt(double t) const;
    // The crossing with the plane; a line parallel to it (within EPS) gives
    // hit = false and the origin.
    X3DPoint intersect(const X3DPlane& plane, bool& hit) const;
    // The foot of the perpendicular from p.
    X3DPoint project(const X3DPoint& p) const;
    double distance(const X3DPoint& p) const;
};

}  // namespace geometry
