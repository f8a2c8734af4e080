// Spherical directions.
#include "geometry/X3DDirection.h"

#include <cmath>

namespace geometry {

X3DDirection X3DDirection::fromVector(const X3DPoint& v)
{
    X3DDirection r;
    r.length = v.norm();
    if (isZero(v.x) && isZero(v.y)) {
        r.azimuth.setRadians(0.0);
    } else {
        r.azimuth.setRadians(std::atan2(v.y, v.x));
    }
    r.elevation.setRadians(std::asin(v.z / r.length));
    r.normaliseAngles();
    return r;
}

X3DVector X3DDirection::toVector() const
{
    double sa = 0.0;
    double ca = 1.0;
    double se = 0.0;
    double ce = 1.0;
    azimuth.sinCos(sa, ca);
    elevation.sinCos(se, ce);
    X3DVersor unit(ca * ce, sa * ce, se);
    return unit * length;
}

void X3DDirection::normaliseAngles()
{
    if (elevation.degrees < -90.0) {
        elevation.setDegrees(-180.0 - elevation.degrees);
        azimuth.addDegrees(180.0);
    } else if (elevation.degrees > 90.0) {
        elevation.setDegrees(180.0 - elevation.degrees);
        azimuth.addDegrees(180.0);
    }
    if (azimuth.degrees < 0.0) {
        azimuth.addDegrees(360.0);
    } else if (azimuth.degrees > 360.0) {
        azimuth.addDegrees(-360.0);
    }
}

void X3DDirection::addAzimuth(const X3DAngle& a)
{
    azimuth.addDegrees(a.degrees);
    normaliseAngles();
}

void X3DDirection::addElevation(const X3DAngle& a)
{
    elevation.addDegrees(a.degrees);
    normaliseAngles();
}

}  // namespace geometry
