// Angles and the shared matrices.
#include "geometry/X3DAngle.h"

#include <cmath>

#include "geometry/Tolerance.h"

namespace geometry {

void X3DAngle::setDegrees(double a)
{
    degrees = a;
    radians = PI * a * (1.0 / 180.0);
}

void X3DAngle::setRadians(double r)
{
    radians = r;
    degrees = r * 180.0 / PI;
}

void X3DAngle::sinCos(double& s, double& c) const
{
    if (degrees == 0.0) {
        s = 0.0;
        c = 1.0;
    } else if (degrees == 90.0) {
        s = 1.0;
        c = 0.0;
    } else if (degrees == 180.0) {
        s = 0.0;
        c = -1.0;
    } else if (degrees == 270.0) {
        s = -1.0;
        c = 0.0;
    } else {
        s = std::sin(radians);
        c = std::cos(radians);
    }
}

X3DMatrix::X3DMatrix(double s)
{
    if (!isZero(s)) {
        m[0] = m[4] = m[8] = s;
    }
}

const X3DMatrix identityMatrix(1.0);
const X3DMatrix zeroMatrix(0.0);

}  // namespace geometry
