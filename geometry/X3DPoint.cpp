// Point and vector operations.
#include "geometry/X3DPoint.h"

#include <cmath>

#include "geometry/X3DAngle.h"
#include "geometry/X3DLine.h"
#include "geometry/X3DPlane.h"

namespace geometry {

double X3DPoint::norm() const
{
    return std::sqrt(squaredNorm());
}

bool X3DPoint::extendBox(X3DPoint& min, X3DPoint& max) const
{
    bool changed = false;
    auto widen = [&changed](double v, double& lo, double& hi) {
        if (lo > v) {
            lo = v;
            changed = true;
        }
        if (hi < v) {
            hi = v;
            changed = true;
        }
    };
    widen(x, min.x, max.x);
    widen(y, min.y, max.y);
    widen(z, min.z, max.z);
    return changed;
}

void X3DPoint::roundCoordinates()
{
    x = std::round(x);
    y = std::round(y);
    z = std::round(z);
}

void X3DPoint::snap(double step)
{
    x = std::floor((x + step / 2) / step) * step;
    y = std::floor((y + step / 2) / step) * step;
    z = std::floor((z + step / 2) / step) * step;
}

X3DPoint X3DPoint::mirrorThrough(const X3DPoint& c) const
{
    return {2 * c.x - x, 2 * c.y - y, 2 * c.z - z};
}

X3DPoint X3DPoint::mirrorAcross(const X3DPlane& plane) const
{
    X3DPoint f = plane.project(*this);
    return {2 * f.x - x, 2 * f.y - y, 2 * f.z - z};
}

X3DPoint X3DPoint::rotate(const X3DVersor& axis, const X3DAngle& angle) const
{
    if (isZero(angle.degrees)) {
        return *this;
    }
    double s = 0.0;
    double c = 1.0;
    angle.sinCos(s, c);
    if (axis == zAxis) {
        return {c * x - s * y, s * x + c * y, z};
    }
    if (axis == yAxis) {
        return {c * x + s * z, y, c * z - s * x};
    }
    if (axis == xAxis) {
        return {x, c * y - s * z, s * y + c * z};
    }
    return *this;
}

X3DPoint X3DPoint::rotate(const X3DLine& line, const X3DAngle& angle) const
{
    if (isZero(angle.degrees)) {
        return *this;
    }
    X3DPoint local = *this - line.origin;
    return local.rotate(line.direction(), angle) + line.origin;
}

void X3DVector::normalise()
{
    double s = x * x + y * y + z * z;
    if (s == 0.0 || s == 1.0) {
        return;
    }
    double n = std::sqrt(s);
    x /= n;
    y /= n;
    z /= n;
}

double distance(const X3DPoint& p, const X3DPoint& q)
{
    return (q - p).norm();
}

double triangleArea(const X3DPoint& a, const X3DPoint& b, const X3DPoint& c)
{
    return 0.5 * cross(c - a, c - b).norm();
}

}  // namespace geometry
