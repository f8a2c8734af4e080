// Plane operations.
#include "geometry/X3DPlane.h"

#include "geometry/X3DLine.h"

namespace geometry {

X3DPlane::X3DPlane(const X3DPoint& p1, const X3DPoint& p2, const X3DPoint& p3) : X3DVersor(cross(p2 - p1, p3 - p1))
{
    d = -dot(normal(), p1);
}

X3DPoint X3DPlane::project(const X3DPoint& p) const
{
    X3DLine along;
    static_cast<X3DVersor&>(along) = normal();
    along.origin = p;
    bool hit = false;
    return along.intersect(*this, hit);
}

}  // namespace geometry
