// Bounding boxes.
#include "scene3d/X3DBounds.h"

namespace scene3d {

void X3DBounds::add(const X3DPoint& p)
{
    bool changed = false;
    if (empty) {
        min = max = p;
        empty = 0;
        changed = true;
    } else {
        changed = p.extendBox(min, max);
    }
    if (changed) {
        centre = X3DPoint((min.x + max.x) / 2, (min.y + max.y) / 2, (min.z + max.z) / 2);
    }
}

bool X3DBounds::contains(const X3DPoint& p) const
{
    return !empty && min.x <= p.x && p.x <= max.x && min.y <= p.y && p.y <= max.y && min.z <= p.z && p.z <= max.z;
}

}  // namespace scene3d
