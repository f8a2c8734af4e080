// Small models shared by the model tests.
#pragma once

#include <memory>
#include <vector>

#include "model/Door.h"
#include "model/Face.h"
#include "model/Hole.h"
#include "model/Wall.h"

namespace fixtures {

using geometry::X3DPoint;

inline materials::Material materialNumber(unsigned n, bool obstructing = false, bool monopermeable = false)
{
    materials::Material m;
    m.number = n;
    m.obstructing = obstructing;
    m.monopermeable = monopermeable;
    return m;
}

// A horizontal rectangle at height z.
inline std::unique_ptr<model::Face> rectangle(double x0, double y0, double x1, double y1, double z = 0,
                                              unsigned material = 0)
{
    std::vector<X3DPoint> p = {{x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z}};
    return std::make_unique<model::Face>(p, materialNumber(material));
}

// A wall in the plane y = 0 from x0 to x1, height h, carrying a door and a hole.
inline std::unique_ptr<model::Wall> wallWithOpenings(double x0 = 0, double x1 = 10, double h = 3)
{
    X3DPoint corners[4] = {{x0, 0, 0}, {x1, 0, 0}, {x1, 0, h}, {x0, 0, h}};
    auto wall = std::make_unique<model::Wall>(corners, materialNumber(12, true));
    wall->append(std::make_unique<model::Door>(
        std::vector<X3DPoint>{{x0 + 1, 0, 0}, {x0 + 2, 0, 0}, {x0 + 2, 0, 2}, {x0 + 1, 0, 2}}, materialNumber(7)));
    wall->append(std::make_unique<model::Hole>(
        std::vector<X3DPoint>{{x0 + 4, 0, 1}, {x0 + 5, 0, 1}, {x0 + 5, 0, 2}, {x0 + 4, 0, 2}}));
    return wall;
}

}  // namespace fixtures
