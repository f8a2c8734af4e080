// Plane polygon arithmetic.
#include "analysis/PolygonMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace analysis {

using geometry::cross;
using geometry::dot;

X3DVector vectorArea(const X3DPoint* v, std::size_t n)
{
    X3DVector sum;
    if (n < 3) {
        return sum;
    }
    const X3DPoint& o = v[0];
    for (std::size_t i = 1; i + 1 < n; ++i) {
        sum += cross(v[i] - o, v[i + 1] - o);
    }
    return sum * 0.5;
}

PlaneFrame::PlaneFrame(const X3DPoint& o, const X3DVector& normal) : origin(o), n(normal)
{
    // The axis least along the normal gives a well-conditioned first direction.
    X3DVector axis = std::fabs(n.x) <= std::fabs(n.y) && std::fabs(n.x) <= std::fabs(n.z)
                         ? X3DVector(1, 0, 0)
                         : (std::fabs(n.y) <= std::fabs(n.z) ? X3DVector(0, 1, 0) : X3DVector(0, 0, 1));
    u = cross(axis, n);
    double len = u.norm();
    if (len > 0.0) {
        u /= len;
    }
    v = cross(n, u);
}

std::vector<Point2> projectOutline(const PlaneFrame& frame, const X3DPoint* v, std::size_t n)
{
    std::vector<Point2> out;
    out.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        out.push_back(frame.to2D(v[i]));
    }
    return out;
}

double signedArea(const std::vector<Point2>& poly)
{
    double sum = 0.0;
    std::size_t n = poly.size();
    if (n < 3) {
        return 0.0;
    }
    const Point2& o = poly[0];
    for (std::size_t i = 1; i + 1 < n; ++i) {
        sum += (poly[i].x - o.x) * (poly[i + 1].y - o.y) - (poly[i + 1].x - o.x) * (poly[i].y - o.y);
    }
    return sum / 2;
}

namespace {

double crossAt(const Point2& a, const Point2& b, const Point2& c)
{
    return (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
}

}  // namespace

bool isConvex(const std::vector<Point2>& poly)
{
    std::size_t n = poly.size();
    bool positive = false;
    bool negative = false;
    for (std::size_t i = 0; i < n; ++i) {
        double c = crossAt(poly[i], poly[(i + 1) % n], poly[(i + 2) % n]);
        positive = positive || c > 0.0;
        negative = negative || c < 0.0;
    }
    return !(positive && negative);
}

double distanceToSegment(const Point2& p, const Point2& a, const Point2& b)
{
    double dx = b.x - a.x;
    double dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    double ex = a.x + t * dx - p.x;
    double ey = a.y + t * dy - p.y;
    return std::sqrt(ex * ex + ey * ey);
}

double distanceToOutline(const Point2& p, const std::vector<Point2>& poly)
{
    double best = std::numeric_limits<double>::infinity();
    std::size_t n = poly.size();
    for (std::size_t i = 0; i < n; ++i) {
        best = std::min(best, distanceToSegment(p, poly[i], poly[(i + 1) % n]));
    }
    return best;
}

bool insideOutline(const Point2& p, const std::vector<Point2>& poly)
{
    bool inside = false;
    std::size_t n = poly.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point2& a = poly[i];
        const Point2& b = poly[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

bool insideOrNear(const Point2& p, const std::vector<Point2>& poly, double tolerance)
{
    return insideOutline(p, poly) || distanceToOutline(p, poly) <= tolerance;
}

namespace {

bool pointInTriangle(const Point2& p, const Point2& a, const Point2& b, const Point2& c)
{
    return crossAt(a, b, p) >= 0.0 && crossAt(b, c, p) >= 0.0 && crossAt(c, a, p) >= 0.0;
}

void fan(const std::vector<Point2>& poly, const std::vector<std::size_t>& order, std::vector<Triangle2>& out)
{
    for (std::size_t i = 1; i + 1 < order.size(); ++i) {
        out.push_back({poly[order[0]], poly[order[i]], poly[order[i + 1]]});
    }
}

}  // namespace

std::vector<Triangle2> triangulate(const std::vector<Point2>& input)
{
    std::vector<Triangle2> out;
    std::size_t n = input.size();
    if (n < 3) {
        return out;
    }
    std::vector<Point2> poly = input;
    if (signedArea(poly) < 0.0) {
        std::reverse(poly.begin(), poly.end());
    }
    std::vector<std::size_t> order(n);
    for (std::size_t i = 0; i < n; ++i) {
        order[i] = i;
    }
    out.reserve(n - 2);
    // Ear clipping costs the square of the vertex count; very long outlines
    // (terrain, fine curves) take the fan, which is exact when they are
    // star-shaped around their first vertex.
    if (isConvex(poly) || n > 1000) {
        fan(poly, order, out);
        return out;
    }
    // The search for the next ear goes on from the last one, so that a pass
    // over the outline clips many ears.
    std::size_t k = 0;
    std::size_t sinceClip = 0;
    while (order.size() > 3) {
        std::size_t m = order.size();
        if (sinceClip > m) {
            fan(poly, order, out);  // no ear left: the outline crosses itself
            return out;
        }
        k %= m;
        const Point2& a = poly[order[(k + m - 1) % m]];
        const Point2& b = poly[order[k]];
        const Point2& c = poly[order[(k + 1) % m]];
        double turn = crossAt(a, b, c);
        bool ear = turn >= 0.0;
        if (ear && turn > 0.0) {
            for (std::size_t j = 0; j < m && ear; ++j) {
                if (j == k || j == (k + 1) % m || j == (k + m - 1) % m) {
                    continue;
                }
                ear = !pointInTriangle(poly[order[j]], a, b, c);
            }
        }
        if (!ear) {
            ++k;
            ++sinceClip;
            continue;
        }
        if (turn > 0.0) {
            out.push_back({a, b, c});
        }
        order.erase(order.begin() + static_cast<std::ptrdiff_t>(k));
        sinceClip = 0;
    }
    if (crossAt(poly[order[0]], poly[order[1]], poly[order[2]]) > 0.0) {
        out.push_back({poly[order[0]], poly[order[1]], poly[order[2]]});
    }
    return out;
}

namespace {

// Sutherland-Hodgman: the part of `subject` on the left of a->b.
void clipBy(std::vector<Point2>& subject, const Point2& a, const Point2& b, std::vector<Point2>& scratch)
{
    scratch.clear();
    std::size_t n = subject.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point2& p = subject[i];
        const Point2& q = subject[(i + 1) % n];
        double sp = crossAt(a, b, p);
        double sq = crossAt(a, b, q);
        if (sp >= 0.0) {
            scratch.push_back(p);
        }
        if ((sp >= 0.0) != (sq >= 0.0)) {
            double t = sp / (sp - sq);
            scratch.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
        }
    }
    subject.swap(scratch);
}

struct Bounds2 {
    double minX, minY, maxX, maxY;
};

Bounds2 boundsOf(const Triangle2& t)
{
    return {std::min({t[0].x, t[1].x, t[2].x}), std::min({t[0].y, t[1].y, t[2].y}), std::max({t[0].x, t[1].x, t[2].x}),
            std::max({t[0].y, t[1].y, t[2].y})};
}

}  // namespace

Overlap commonArea(const std::vector<Triangle2>& a, const std::vector<Triangle2>& b)
{
    Overlap result;
    double sx = 0.0;
    double sy = 0.0;
    std::vector<Point2> piece;
    std::vector<Point2> scratch;
    std::vector<Bounds2> boundsB;
    boundsB.reserve(b.size());
    for (const Triangle2& t : b) {
        boundsB.push_back(boundsOf(t));
    }
    for (const Triangle2& ta : a) {
        Bounds2 ba = boundsOf(ta);
        for (std::size_t j = 0; j < b.size(); ++j) {
            const Bounds2& bb = boundsB[j];
            if (ba.maxX < bb.minX || bb.maxX < ba.minX || ba.maxY < bb.minY || bb.maxY < ba.minY) {
                continue;
            }
            const Triangle2& tb = b[j];
            piece.assign(ta.begin(), ta.end());
            for (int e = 0; e < 3 && piece.size() >= 3; ++e) {
                clipBy(piece, tb[e], tb[(e + 1) % 3], scratch);
            }
            if (piece.size() < 3) {
                continue;
            }
            // Area and centroid of the clipped piece, a convex polygon.
            const Point2& o = piece[0];
            for (std::size_t i = 1; i + 1 < piece.size(); ++i) {
                double w = crossAt(o, piece[i], piece[i + 1]) / 2;
                result.area += w;
                sx += w * (o.x + piece[i].x + piece[i + 1].x) / 3;
                sy += w * (o.y + piece[i].y + piece[i + 1].y) / 3;
            }
        }
    }
    if (result.area > 0.0) {
        result.centroid = {sx / result.area, sy / result.area};
    }
    return result;
}

double distanceToPolygon(const X3DPoint& p, const X3DPoint* v, std::size_t n, const X3DVector& normal)
{
    if (n == 0) {
        return std::numeric_limits<double>::infinity();
    }
    // In the plane's own frame, without building the outline: this runs for
    // every face near every source and receiver.
    PlaneFrame frame(v[0], normal);
    double across = dot(p - v[0], normal);
    Point2 q = frame.to2D(p);
    bool inside = false;
    double along = std::numeric_limits<double>::infinity();
    Point2 b = frame.to2D(v[n - 1]);
    for (std::size_t i = 0; i < n; ++i) {
        Point2 a = frame.to2D(v[i]);
        if ((a.y > q.y) != (b.y > q.y) && q.x < (b.x - a.x) * (q.y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
        along = std::min(along, distanceToSegment(q, a, b));
        b = a;
    }
    if (inside) {
        along = 0.0;
    }
    return std::sqrt(across * across + along * along);
}

}  // namespace analysis
