// Line operations.
#include "geometry/X3DLine.h"

#include "geometry/X3DPlane.h"

namespace geometry {

X3DLine::X3DLine(const X3DPoint& from, const X3DPoint& to) : origin(from)
{
    X3DVector d = to - from;
    d /= d.norm();
    x = d.x;
    y = d.y;
    z = d.z;
}

X3DPoint X3DLine::pointAt(double t) const
{
    return origin + direction() * t;
}

X3DPoint X3DLine::intersect(const X3DPlane& plane, bool& hit) const
{
    double den = -dot(plane.normal(), direction());
    if (isZero(den)) {
        hit = false;
        return origin;
    }
    hit = true;
    return pointAt((dot(plane.normal(), origin) + plane.d) / den);
}

X3DPoint X3DLine::project(const X3DPoint& p) const
{
    X3DPlane through(direction(), -dot(direction(), p));
    bool hit = false;
    return intersect(through, hit);
}

double X3DLine::distance(const X3DPoint& p) const
{
    return geometry::distance(p, project(p));
}

}  // namespace geometry
