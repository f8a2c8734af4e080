// The projections of the views.
#include "views/Projection.h"

#include <cmath>
#include <numbers>

namespace views {

bool AUXILIARY::setBaseLine(Point2D p1, Point2D p2)
{
    Line2D base = Line2D::through(p1, p2);
    double n = base.norm();
    if (n == 0.0) {
        return false;
    }
    baseLine_ = base;
    crossLine_ = base.perpendicularThrough({0.0, 0.0});
    origin_ = {-base.c * base.a / (n * n), -base.c * base.b / (n * n)};
    along_ = {(p2.x - p1.x) / n, (p2.y - p1.y) / n};
    normal_ = {base.a / n, base.b / n};
    return true;
}

ViewPoint AUXILIARY::toView(const X3DPoint& p) const
{
    return {p.x * along_.x + p.y * along_.y, p.z};
}

X3DPoint AUXILIARY::toWorld(const ViewPoint& q, double depth) const
{
    return {origin_.x + q.u * along_.x + depth * normal_.x, origin_.y + q.u * along_.y + depth * normal_.y, q.v};
}

void ASSONOMETRY::setAngles(double xAngle, double yAngle)
{
    xAngle_ = xAngle;
    yAngle_ = yAngle;
    double toRadians = std::numbers::pi / 180.0;
    sx_ = std::sin(xAngle * toRadians);
    cx_ = std::cos(xAngle * toRadians);
    sy_ = std::sin(yAngle * toRadians);
    cy_ = std::cos(yAngle * toRadians);
}

}  // namespace views
