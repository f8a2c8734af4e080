// Points within a tolerance of each other become one vertex: a grid of cells
// a few tolerances wide, each holding the first points that fell in it;
// mostly a point's own cell alone is searched.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/X3DPoint.h"

namespace analysis {

using geometry::X3DPoint;

class VertexWelder {
public:
    // tolerance > 0; `expected` sizes the table for that many distinct points.
    VertexWelder(double tolerance, std::size_t expected);

    // The number of the first point added within the tolerance of p, or a
    // new number for p.
    std::uint32_t add(const X3DPoint& p);
    // One point per number: the first that was added.
    const std::vector<X3DPoint>& points() const { return points_; }

private:
    // A cell is known by a hash of its three numbers only: two cells that
    // share a hash just share a chain, whose points are compared by distance anyway.
    struct Slot {
        std::uint64_t cell;
        std::uint32_t head;  // 0: empty, else number + 1 of the last point in the cell
    };

    // Points seen lately, by their exact coordinates: faces listed one after
    // another share corners, which this answers without the table.
    struct Recent {
        X3DPoint p;
        std::uint32_t id;  // 0: empty, else number + 1
    };
    static constexpr std::size_t recentSize = 1024;

    std::uint32_t search(const X3DPoint& p);
    std::uint64_t cellHash(std::int64_t x, std::int64_t y, std::int64_t z) const;
    std::uint32_t headOf(std::uint64_t cell) const;
    void insert(std::uint64_t cell, std::uint32_t id);
    void grow();

    double tolerance_;
    double cellSize_;
    double shift_;  // keeps round coordinates off the cells' sides
    std::vector<X3DPoint> points_;
    std::vector<std::uint32_t> nextInCell_;  // per number: the earlier point in its cell, + 1
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    std::vector<Recent> recent_;
};

}  // namespace analysis
