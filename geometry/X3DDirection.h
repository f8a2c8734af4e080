// A vector in spherical form (azimuth, elevation, length), used by 3-D navigation.
#pragma once

#include "geometry/X3DAngle.h"
#include "geometry/X3DPoint.h"

namespace geometry {

struct X3DDirection {
    X3DAngle azimuth;
    X3DAngle elevation;
    double length = 0.0;

    // Callers never pass a zero vector (its elevation is undefined).
    static X3DDirection fromVector(const X3DPoint& v);
    X3DVector toVector() const;
    // Folds the elevation into -90..90 (turning the azimuth half round) and
    // brings the azimuth once into 0..360.
    void normaliseAngles();
    void addAzimuth(const X3DAngle& a);
    void addElevation(const X3DAngle& a);
};

}  // namespace geometry
