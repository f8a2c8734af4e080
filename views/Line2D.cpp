// Plan line algebra.
#include "views/Line2D.h"

#include <cmath>

namespace views {

Line2D Line2D::through(Point2D p1, Point2D p2)
{
    return {p1.y - p2.y, p2.x - p1.x, p1.x * p2.y - p2.x * p1.y};
}

Line2D Line2D::perpendicularThrough(Point2D p) const
{
    // Direction (a, b) becomes the new line's direction: normal (-b, a).
    return {-b, a, b * p.x - a * p.y};
}

Line2D Line2D::parallelAt(double d) const
{
    return {a, b, c - d * norm()};
}

double Line2D::distance(Point2D p) const
{
    double n = norm();
    return n == 0.0 ? 0.0 : (a * p.x + b * p.y + c) / n;
}

Point2D Line2D::foot(Point2D p) const
{
    return intersect(*this, perpendicularThrough(p));
}

double Line2D::norm() const
{
    return std::sqrt(a * a + b * b);
}

Point2D intersect(const Line2D& l1, const Line2D& l2)
{
    double det = l1.a * l2.b - l2.a * l1.b;
    if (std::fabs(det) < 1e-6) {
        return {0.0, 0.0};
    }
    return {(l1.b * l2.c - l2.b * l1.c) / det, (l2.a * l1.c - l1.a * l2.c) / det};
}

}  // namespace views
