// Placements: the three turns multiplied once, so that each point of a
// drawing costs one matrix product.
#include "views/Placement.h"

namespace views {

namespace {

void sinCos(double radians, double& s, double& c)
{
    geometry::X3DAngle a;
    a.setRadians(radians);
    a.sinCos(s, c);
}

}  // namespace

Placement::Placement(const geometry::X3DPoint& position, double roll, double pitch, double yaw) : position_(position)
{
    double sr, cr, sp, cp, sy, cy;
    sinCos(roll, sr, cr);
    sinCos(pitch, sp, cp);
    sinCos(yaw, sy, cy);
    // About x:  (x, cr.y - sr.z, sr.y + cr.z)
    // about y:  (cp.x + sp.z, y, cp.z - sp.x)
    // about z:  (cy.x - sy.y, sy.x + cy.y, z)
    const double rx[9] = {1, 0, 0, 0, cr, -sr, 0, sr, cr};
    const double ry[9] = {cp, 0, sp, 0, 1, 0, -sp, 0, cp};
    const double rz[9] = {cy, -sy, 0, sy, cy, 0, 0, 0, 1};
    double yx[9];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            yx[3 * i + j] = ry[3 * i] * rx[j] + ry[3 * i + 1] * rx[3 + j] + ry[3 * i + 2] * rx[6 + j];
        }
    }
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            m_[3 * i + j] = rz[3 * i] * yx[j] + rz[3 * i + 1] * yx[3 + j] + rz[3 * i + 2] * yx[6 + j];
        }
    }
}

}  // namespace views
