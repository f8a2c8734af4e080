// Plane polygons: vector area, a frame in the plane, point-in-outline and
// distance tests, triangulation and the area two outlines have in common.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "geometry/X3DPoint.h"

namespace analysis {

using geometry::X3DPoint;
using geometry::X3DVector;

struct Point2 {
    double x = 0.0;
    double y = 0.0;
};

// Half the Newell sum: normal times area for a plane outline; taken about
// the first vertex, so far-off coordinates keep their precision.
X3DVector vectorArea(const X3DPoint* v, std::size_t n);

// Two unit axes u, v in the plane of a unit normal n, right-handed (u x v = n).
struct PlaneFrame {
    X3DPoint origin;
    X3DVector u;
    X3DVector v;
    X3DVector n;

    PlaneFrame() = default;
    PlaneFrame(const X3DPoint& o, const X3DVector& normal);
    Point2 to2D(const X3DPoint& p) const
    {
        X3DVector d = p - origin;
        return {geometry::dot(d, u), geometry::dot(d, v)};
    }
    X3DPoint to3D(const Point2& q) const
    {
        return {origin.x + u.x * q.x + v.x * q.y, origin.y + u.y * q.x + v.y * q.y, origin.z + u.z * q.x + v.z * q.y};
    }
};

std::vector<Point2> projectOutline(const PlaneFrame& frame, const X3DPoint* v, std::size_t n);

// Positive when anticlockwise.
double signedArea(const std::vector<Point2>& poly);
bool isConvex(const std::vector<Point2>& poly);
double distanceToSegment(const Point2& p, const Point2& a, const Point2& b);
double distanceToOutline(const Point2& p, const std::vector<Point2>& poly);
// Crossing-number test; points on the outline fall either way.
bool insideOutline(const Point2& p, const std::vector<Point2>& poly);
// Inside, or within `tolerance` of the outline.
bool insideOrNear(const Point2& p, const std::vector<Point2>& poly, double tolerance);

// Triangles (anticlockwise) covering a simple outline: a fan for convex
// outlines, ear clipping otherwise (a fan again where clipping cannot go on,
// for outlines that cross themselves).
using Triangle2 = std::array<Point2, 3>;
std::vector<Triangle2> triangulate(const std::vector<Point2>& poly);

struct Overlap {
    double area = 0.0;
    Point2 centroid;
};
// What two sets of triangles cover in common (each set without overlaps of its own).
Overlap commonArea(const std::vector<Triangle2>& a, const std::vector<Triangle2>& b);

// Shortest distance from p to the plane outline (v, n) with unit normal `normal`.
double distanceToPolygon(const X3DPoint& p, const X3DPoint* v, std::size_t n, const X3DVector& normal);

}  // namespace analysis
