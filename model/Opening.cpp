// In-plane transformations of holes and doors.
#include "model/Opening.h"

namespace model {

template <typename Transform>
int Opening::inPlane(Transform transform)
{
    if (!selected) {
        return 0;
    }
    X3DPlane before = plane();
    transform();
    projectOnto(before);
    return 1;
}

int Opening::translateIfSelected(const X3DVector& v)
{
    return inPlane([&] { translate(v); });
}

int Opening::mirrorThroughPointIfSelected(const X3DPoint& centre)
{
    return inPlane([&] { mirrorThroughPoint(centre); });
}

int Opening::mirrorAcrossPlaneIfSelected(const X3DPlane& p)
{
    return inPlane([&] { mirrorAcrossPlane(p); });
}

int Opening::scaleIfSelected(double factor)
{
    return inPlane([&] { scale(factor); });
}

int Opening::rotateInPlaneIfSelected(const X3DLine& axis, double degrees)
{
    return inPlane([&] { rotate(axis, X3DAngle::fromDegrees(degrees)); });
}

}  // namespace model
