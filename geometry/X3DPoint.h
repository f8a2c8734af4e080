// Points, free vectors and unit vectors in double precision (metres, right-handed, z up).
#pragma once

#include "geometry/Tolerance.h"

namespace geometry {

struct X3DVector;
struct X3DVersor;
struct X3DLine;
struct X3DPlane;
struct X3DAngle;

struct X3DPoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr X3DPoint() = default;
    constexpr X3DPoint(double px, double py, double pz) : x(px), y(py), z(pz) {}

    static const char* className() { return "X3DPoint"; }

    double squaredNorm() const { return x * x + y * y + z * z; }
    double norm() const;

    // Equal when every coordinate differs by less than EPS.
    bool operator==(const X3DPoint& o) const { return isZero(x - o.x) && isZero(y - o.y) && isZero(z - o.z); }

    X3DVector operator-(const X3DPoint& o) const;
    X3DPoint operator+(const X3DPoint& v) const { return {x + v.x, y + v.y, z + v.z}; }

    // Widens the box [min, max] to hold this point; true if anything changed.
    bool extendBox(X3DPoint& min, X3DPoint& max) const;
    // Each coordinate to the nearest whole number, halves away from zero.
    void roundCoordinates();
    // Each coordinate c becomes floor((c + step/2) / step) * step.
    void snap(double step);

    X3DPoint mirrorThrough(const X3DPoint& centre) const;
    X3DPoint mirrorAcross(const X3DPlane& plane) const;
    // Rotation about the positive x, y or z axis through the origin; any other
    // axis leaves the point unchanged.
    X3DPoint rotate(const X3DVersor& axis, const X3DAngle& angle) const;
    X3DPoint rotate(const X3DLine& axis, const X3DAngle& angle) const;
};

struct X3DVector : X3DPoint {
    constexpr X3DVector() = default;
    constexpr X3DVector(double vx, double vy, double vz) : X3DPoint(vx, vy, vz) {}
    constexpr explicit X3DVector(const X3DPoint& p) : X3DPoint(p) {}

    static const char* className() { return "X3DVector"; }

    X3DVector& operator+=(const X3DPoint& v)
    {
        x += v.x;
        y += v.y;
        z += v.z;
        return *this;
    }
    X3DVector operator*(double s) const { return {x * s, y * s, z * s}; }
    // No check for zero: callers never divide by it.
    X3DVector& operator/=(double s)
    {
        x /= s;
        y /= s;
        z /= s;
        return *this;
    }
    // In place; a zero or already unit vector is left exactly as it is.
    void normalise();
};

// A unit vector: every constructor normalises.
struct X3DVersor : X3DVector {
    constexpr X3DVersor() = default;
    X3DVersor(double vx, double vy, double vz) : X3DVector(vx, vy, vz) { normalise(); }
    explicit X3DVersor(const X3DPoint& v) : X3DVector(v) { normalise(); }

    static const char* className() { return "X3DVersor"; }

    static constexpr double squaredNorm() { return 1.0; }
    static constexpr double norm() { return 1.0; }
};

inline X3DVector X3DPoint::operator-(const X3DPoint& o) const
{
    return {x - o.x, y - o.y, z - o.z};
}

inline double dot(const X3DPoint& a, const X3DPoint& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline X3DVector cross(const X3DPoint& a, const X3DPoint& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double distance(const X3DPoint& p, const X3DPoint& q);
double triangleArea(const X3DPoint& a, const X3DPoint& b, const X3DPoint& c);

inline constexpr X3DPoint origin{0.0, 0.0, 0.0};
// Exactly unit already, so these need no normalising.
inline const X3DVersor xAxis{1.0, 0.0, 0.0};
inline const X3DVersor yAxis{0.0, 1.0, 0.0};
inline const X3DVersor zAxis{0.0, 0.0, 1.0};

}  // namespace geometry
