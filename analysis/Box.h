// Axis-aligned boxes in model space: what the spatial index sorts and finds.
#pragma once

#include <algorithm>
#include <limits>

#include "geometry/X3DPoint.h"

namespace analysis {

using geometry::X3DPoint;
using geometry::X3DVector;

struct Box {
    static constexpr double inf = std::numeric_limits<double>::infinity();
    // Empty until something extends it.
    X3DPoint min{inf, inf, inf};
    X3DPoint max{-inf, -inf, -inf};

    bool empty() const { return min.x > max.x; }
    void extend(const X3DPoint& p)
    {
        min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
        max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
    }
    void extend(const Box& b)
    {
        if (!b.empty()) {
            extend(b.min);
            extend(b.max);
        }
    }
    void grow(double d)
    {
        min = {min.x - d, min.y - d, min.z - d};
        max = {max.x + d, max.y + d, max.z + d};
    }
    bool overlaps(const Box& o) const
    {
        return min.x <= o.max.x && o.min.x <= max.x && min.y <= o.max.y && o.min.y <= max.y && min.z <= o.max.z &&
               o.min.z <= max.z;
    }
    bool contains(const Box& o) const
    {
        return min.x <= o.min.x && min.y <= o.min.y && min.z <= o.min.z && o.max.x <= max.x && o.max.y <= max.y &&
               o.max.z <= max.z;
    }
    X3DPoint centre() const { return {(min.x + max.x) / 2, (min.y + max.y) / 2, (min.z + max.z) / 2}; }
    // Whether the segment from a to b meets the box (slab test).
    bool meetsSegment(const X3DPoint& a, const X3DPoint& b) const;
};

}  // namespace analysis
