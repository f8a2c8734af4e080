// What picking, snapping and piercing need of a view: its projection onto
// the view plane (metres), the pixel of a model point, the way back from the
// view plane into the model, and the direction of sight. The view windows
// implement it; the model knows no more of them.
#pragma once

#include "geometry/X3DPoint.h"
#include "ui/PixelRect.h"

namespace model {

using geometry::X3DPoint;
using geometry::X3DVector;

// A point of a view plane, in metres: u to the right, v upwards.
struct ViewPoint {
    double u = 0.0;
    double v = 0.0;
};

// A linear view of the model: u = uAxis . p and v = vAxis . p, in metres.
struct ViewAxes {
    double u[3] = {1.0, 0.0, 0.0};
    double v[3] = {0.0, 1.0, 0.0};
};

// How a view that maps the model linearly lays it out, so that the model's
// spatial index can answer for it: toView is `axes`, and the pixel (x, y)
// shows the view point (origin.u + x s, origin.v - y s), s being
// `metresPerPixel`, to within one pixel either way (points are truncated),
// for pixels up to `pixelReach` from the origin (farther, pixels may stand
// for points farther still).
struct ViewFrame {
    ViewAxes axes;
    ViewPoint origin;
    double metresPerPixel = 0.0;
    int pixelReach = 0;
};

class ViewMapping {
public:
    virtual ~ViewMapping() = default;
    virtual ViewPoint toView(const X3DPoint& p) const = 0;
    virtual ui::PixelPoint toPixel(const X3DPoint& p) const = 0;
    // The model point that shows at q with the given depth along the view direction.
    virtual X3DPoint toWorld(const ViewPoint& q, double depth) const = 0;
    virtual X3DVector direction() const = 0;
    // False for a view that is not linear (the model then asks every entity).
    virtual bool frame(ViewFrame&) const { return false; }
};

// A box of the model, bounds included: what a rubber band selects.
struct Region {
    X3DPoint min;
    X3DPoint max;
    bool contains(const X3DPoint& p) const
    {
        return p.x >= min.x && p.x <= max.x && p.y >= min.y && p.y <= max.y && p.z >= min.z && p.z <= max.z;
    }
};

}  // namespace model
