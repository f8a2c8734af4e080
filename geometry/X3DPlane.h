// Planes n.p + d = 0 with a unit normal n.
#pragma once

#include "geometry/X3DPoint.h"

namespace geometry {

struct X3DPlane : X3DVersor {
    double d = 0.0;

    X3DPlane() = default;
    // Normal by the right-hand rule on p1, p2, p3; collinear points give a
    // zero normal, which stays zero.
    X3DPlane(const X3DPoint& p1, const X3DPoint& p2, const X3DPoint& p3);
    X3DPlane(const X3DVersor& normal, double distance) : X3DVersor(normal), d(distance) {}

    // A plane answers the versor's class name.
    static const char* className() { return "X3DVersor"; }

    const X3DVersor& normal() const { return *this; }
    double signedDistance(const X3DPoint& p) const { return dot(*this, p) + d; }
    bool contains(const X3DPoint& p) const { return isZero(signedDistance(p)); }
    X3DPoint project(const X3DPoint& p) const;
};

}  // namespace geometry
