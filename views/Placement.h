// A rigid placement: turn about x by roll, then about y by pitch, then about
// z by yaw (radians, each about the origin), then move to the position.
// Sources use it to show their loudspeaker drawing aimed at the target.
#pragma once

#include "geometry/X3DAngle.h"
#include "geometry/X3DPoint.h"

namespace views {

struct Placement {
    geometry::X3DPoint position;
    double roll = 0.0;
    double pitch = 0.0;
    double yaw = 0.0;

    geometry::X3DPoint apply(const geometry::X3DPoint& p) const
    {
        geometry::X3DPoint r = p.rotate(geometry::xAxis, radians(roll));
        r = r.rotate(geometry::yAxis, radians(pitch));
        r = r.rotate(geometry::zAxis, radians(yaw));
        return r + position;
    }

private:
    static geometry::X3DAngle radians(double a)
    {
        geometry::X3DAngle angle;
        angle.setRadians(a);
        return angle;
    }
};

}  // namespace views
