// A rigid placement: turn about x by roll, then about y by pitch, then about
// z by yaw (radians, each about the origin), then move to the position.
// Sources use it to show their loudspeaker drawing aimed at the target.
#pragma once

#include "geometry/X3DAngle.h"
#include "geometry/X3DPoint.h"

namespace views {

class Placement {
public:
    Placement(const geometry::X3DPoint& position, double roll, double pitch, double yaw);

    geometry::X3DPoint apply(const geometry::X3DPoint& p) const
    {
        return {m_[0] * p.x + m_[1] * p.y + m_[2] * p.z + position_.x,
                m_[3] * p.x + m_[4] * p.y + m_[5] * p.z + position_.y,
                m_[6] * p.x + m_[7] * p.y + m_[8] * p.z + position_.z};
    }

private:
    geometry::X3DPoint position_;
    double m_[9];  // the three turns in one matrix, row by row
};

}  // namespace views
