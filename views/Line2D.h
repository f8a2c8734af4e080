// Lines of the plan, a.x + b.y + c = 0, and the little algebra the
// auxiliary view needs. Lines whose determinant is below 1e-6 count as
// parallel; their intersection is then the origin.
#pragma once

namespace views {

struct Point2D {
    double x = 0.0;
    double y = 0.0;
};

struct Line2D {
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;

    // Through p1 and p2: a = y1 - y2, b = x2 - x1, c = x1.y2 - x2.y1.
    static Line2D through(Point2D p1, Point2D p2);
    // Square to this line, through p.
    Line2D perpendicularThrough(Point2D p) const;
    // Parallel to this line, at a signed distance along (a, b).
    Line2D parallelAt(double distance) const;
    // The signed distance of p, positive on the side (a, b) points to.
    double distance(Point2D p) const;
    // The foot of the perpendicular from p.
    Point2D foot(Point2D p) const;
    double norm() const;
};

// The crossing of two lines; (0, 0) for parallel ones.
Point2D intersect(const Line2D& l1, const Line2D& l2);

}  // namespace views
