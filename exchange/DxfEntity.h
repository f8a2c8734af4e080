// One DXF entity as the readers keep it: the groups of every kind they use,
// a POLYLINE with its VERTEX entities, and the affine placements of blocks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/X3DPoint.h"

namespace exchange {

using geometry::X3DPoint;

// A VERTEX of a POLYLINE: its point, flags (70) and, for the face records of
// a polyface mesh, the vertex numbers (71-74, 1-based, negative for an
// invisible edge, 0 for none).
struct DxfVertex {
    X3DPoint point;
    long long flags = 0;
    long long index[4] = {0, 0, 0, 0};
};

struct DxfEntity {
    std::string type;   // the type line, up to 79 characters
    std::string layer;  // 8, as UTF-8
    std::string text;   // 1, as UTF-8
    std::string name;   // 2: block name of BLOCK and INSERT
    // 10-13 / 20-23 / 30-33: corner i exists once any of its groups is read.
    std::vector<X3DPoint> corners;
    // LWPOLYLINE: a point per group 10 (its 20 follows), with its bulge (42);
    // empty for other kinds.
    bool lightweight = false;  // the type is LWPOLYLINE
    std::vector<X3DPoint> points;
    std::vector<double> bulges;
    std::vector<DxfVertex> vertices;     // POLYLINE: its VERTEX entities
    double angle = 0.0;                  // 51: an ATTDEF's roll, an ARC's end
    double rotation = 0.0;               // 50: an INSERT's rotation, an ARC's start
    double radius = 0.0;                 // 40
    double elevation = 0.0;              // 38
    double scale[3] = {1.0, 1.0, 1.0};   // 41-43
    double spacing[2] = {0.0, 0.0};      // 44, 45: column and row spacing
    long long flags = 0;                 // 70 (an INSERT's column count)
    long long counts[4] = {0, 0, 0, 0};  // 71-74 (an INSERT's row count is 71)
    bool hasFlags = false;
    bool hasRowCount = false;
    long long colour = 0;  // 62
    bool hasColour = false;
    X3DPoint extrusion{0.0, 0.0, 1.0};  // 210, 220, 230
    // A number that is not finite or beyond any model: the entity is dropped.
    bool damaged = false;
    std::uint64_t line = 0;  // where its type line is

    void reset(std::string_view type, std::uint64_t atLine);
    X3DPoint corner(std::size_t i) const { return i < corners.size() ? corners[i] : X3DPoint(); }
    bool is(std::string_view kind) const;
};

// x' = m x + t: the placement of a block's entities in the drawing.
struct Affine {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    X3DPoint t;

    X3DPoint apply(const X3DPoint& p) const
    {
        return X3DPoint(m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + t.x,
                        m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + t.y,
                        m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + t.z);
    }
    // Linear part only (directions).
    X3DPoint turn(const X3DPoint& v) const
    {
        return X3DPoint(m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
                        m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z);
    }
    bool isIdentity() const;
    // First `inner`, then this.
    Affine after(const Affine& inner) const;
    static Affine scaling(double s);
    // The object coordinate system of an extrusion direction (the arbitrary
    // axis rule); the identity for (0, 0, 1) and for a zero vector.
    static Affine ocs(const X3DPoint& extrusion);
};

}  // namespace exchange
