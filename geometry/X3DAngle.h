// Angles kept in degrees and radians at once, with exact quarter turns.
#pragma once

namespace geometry {

struct X3DAngle {
    double degrees = 0.0;
    double radians = 0.0;

    static X3DAngle fromDegrees(double a)
    {
        X3DAngle r;
        r.setDegrees(a);
        return r;
    }

    static const char* className() { return "X3DAngle"; }

    void setDegrees(double a);
    void setRadians(double r);
    void addDegrees(double a) { setDegrees(degrees + a); }
    // Exact values at 0, 90, 180 and 270 degrees, so quarter turns of the
    // model do not pick up rounding noise.
    void sinCos(double& s, double& c) const;
};

// A 3x3 matrix stored row by row; the model uses only the two shared ones.
struct X3DMatrix {
    double m[9] = {};

    // All zero, with s on the diagonal unless s is within EPS of zero.
    explicit X3DMatrix(double s = 0.0);

    static const char* className() { return "X3DMatrix"; }
};

extern const X3DMatrix identityMatrix;
extern const X3DMatrix zeroMatrix;

}  // namespace geometry
