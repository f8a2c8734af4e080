// Faces in a view: snapping to their vertices, piercing along the line of
// sight, picking by an edge and rubber-band selection.
#include <algorithm>
#include <cstdlib>

#include "model/Face.h"
#include "model/PointPair.h"

namespace model {

namespace {

// Is p on the edge from a to b, within the pick distance? Offsets are taken
// along the axes, not square to the edge, in whole pixels.
bool onEdge(ui::PixelPoint a, ui::PixelPoint b, ui::PixelPoint p)
{
    constexpr long long reach = 4;
    if (p.x < std::min(a.x, b.x) - reach || p.x > std::max(a.x, b.x) + reach || p.y < std::min(a.y, b.y) - reach ||
        p.y > std::max(a.y, b.y) + reach) {
        return false;
    }
    long long x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y, px = p.x, py = p.y;
    long long dx = x0 - px;
    long long dy = y0 - py;
    if (std::llabs(x1 - x0) >= 2 && std::llabs(y1 - y0) >= 2) {
        dy = (px - x0) * (y1 - y0) / (x1 - x0) - py + y0;
        dx = (py - y0) * (x1 - x0) / (y1 - y0) - px + x0;
    }
    return std::min(std::llabs(dx), std::llabs(dy)) < reach;
}

// The face's bounding box; false for a face without vertices.
bool boxOf(const Face& f, X3DPoint& min, X3DPoint& max)
{
    min = {coordinateLimit, coordinateLimit, coordinateLimit};
    max = {-coordinateLimit, -coordinateLimit, -coordinateLimit};
    return f.extendBounds(min, max);
}

}  // namespace

bool Face::snapToVertex(const ViewMapping& view, const ViewPoint& q, X3DPoint& out, double& distance) const
{
    bool found = false;
    for (const X3DPoint& v : vertices) {
        found = pointPair::snapTo(view, q, v, out, distance) || found;
    }
    return found;
}

bool Face::pierce(const ViewMapping& view, const ViewPoint& q, double& depth) const
{
    if (vertices.empty()) {
        return false;
    }
    X3DVector sight = view.direction();
    X3DPlane p = plane();
    if (dot(p.normal(), sight) == 0.0) {
        return false;  // seen edge-on
    }
    X3DPoint min;
    X3DPoint max;
    boxOf(*this, min, max);
    if (dot(max, sight) <= depth) {
        return false;
    }
    ViewPoint a = view.toView(min);
    ViewPoint b = view.toView(max);
    if (q.u < std::min(a.u, b.u) || q.u > std::max(a.u, b.u) || q.v < std::min(a.v, b.v) || q.v > std::max(a.v, b.v)) {
        return false;
    }
    X3DPoint near = view.toWorld(q, 0.0);
    X3DPoint far = view.toWorld(q, 1.0);
    if (near == far) {
        return false;  // a view with no depth axis
    }
    bool hit = false;
    X3DPoint at = X3DLine(near, far).intersect(p, hit);
    if (hit && dot(at, sight) > depth) {
        depth = dot(at, sight);
    }
    return hit;
}

Entity* Face::pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter)
{
    if ((typeFilter != 0 && typeFilter != typeCode()) || vertices.empty()) {
        return nullptr;
    }
    // The closing edge first, then each edge in drawing order.
    ui::PixelPoint previous = view.toPixel(vertices[vertices.size() - 1]);
    for (const X3DPoint& v : vertices) {
        ui::PixelPoint current = view.toPixel(v);
        if (onEdge(previous, current, p)) {
            return pointPair::toggle(*this);
        }
        previous = current;
    }
    return nullptr;
}

bool Face::selectInside(const Region& region)
{
    X3DPoint min;
    X3DPoint max;
    if (!boxOf(*this, min, max) || !region.contains(min) || !region.contains(max)) {
        return false;
    }
    pointPair::selectAndRedraw(*this);
    return true;
}

}  // namespace model
