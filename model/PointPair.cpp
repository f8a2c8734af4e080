// Two-point records and transformations.
#include "model/PointPair.h"

#include <cmath>
#include <cstdlib>

#include "textio/TextWriter.h"
#include "textio/TokenReader.h"

namespace model::pointPair {

void write(textio::TextWriter& out, const char* keyword, const X3DPoint& a, const X3DPoint& b)
{
    out.put(keyword);
    out.put(' ');
    writePoint(out, a);
    out.put(' ');
    writePoint(out, b);
}

bool read(textio::TokenReader& in, X3DPoint& a, X3DPoint& b)
{
    return readPoint(in, a) && readPoint(in, b);
}

void mirrorThroughPoint(X3DPoint& a, X3DPoint& b, const X3DPoint& centre)
{
    a = a.mirrorThrough(centre);
    b = b.mirrorThrough(centre);
}

void mirrorAcrossPlane(X3DPoint& a, X3DPoint& b, const X3DPlane& plane)
{
    a = a.mirrorAcross(plane);
    b = b.mirrorAcross(plane);
}

void translate(X3DPoint& a, X3DPoint& b, const X3DVector& v)
{
    a = a + v;
    b = b + v;
}

void scale(X3DPoint& a, X3DPoint& b, double f)
{
    a = X3DPoint(a.x * f, a.y * f, a.z * f);
    b = X3DPoint(b.x * f, b.y * f, b.z * f);
}

void rotate(X3DPoint& a, X3DPoint& b, const X3DLine& axis, const X3DAngle& angle)
{
    a = a.rotate(axis, angle);
    b = b.rotate(axis, angle);
}

bool snapTo(const ViewMapping& view, const ViewPoint& q, const X3DPoint& p, X3DPoint& out, double& distance)
{
    ViewPoint v = view.toView(p);
    double d = std::hypot(v.u - q.u, v.v - q.v);
    if (d < distance) {
        out = p;
        distance = d;
        return true;
    }
    return false;
}

bool nearPixel(const ViewMapping& view, const X3DPoint& point, ui::PixelPoint p)
{
    ui::PixelPoint a = view.toPixel(point);
    return std::abs(a.x - p.x) < 4 && std::abs(a.y - p.y) < 4;
}

Entity* toggle(Entity& e)
{
    e.setSelected(!e.selected);
    e.redraw();
    return e.selected ? &e : nullptr;
}

void selectAndRedraw(Entity& e)
{
    if (!e.selected) {
        e.setSelected(true);
        if (e.selected) {
            e.redraw();
        }
    }
}

}  // namespace model::pointPair
