// An axis-aligned box that starts empty and widens to hold every point added.
#pragma once

#include <cstdint>

#include "geometry/X3DPoint.h"

namespace scene3d {

using geometry::X3DPoint;

struct X3DBounds {
    X3DPoint min;
    X3DPoint max;
    X3DPoint centre;
    std::uint32_t empty = 1;

    X3DBounds() = default;
    // Each corner added in turn.
    X3DBounds(const X3DPoint& a, const X3DPoint& b)
    {
        add(a);
        add(b);
    }

    static const char* className() { return "X3DEntity"; }

    void add(const X3DPoint& p);
    bool contains(const X3DPoint& p) const;
};

}  // namespace scene3d
