// Segments: two points.
#include "model/Segment.h"

#include "model/PointPair.h"

namespace model {

bool Segment::isEqual(const Entity& other) const
{
    if (other.typeCode() != typeCode()) {
        return false;
    }
    const auto& o = static_cast<const Segment&>(other);
    return start == o.start && end == o.end;
}

void Segment::writePoints(textio::TextWriter& out) const
{
    pointPair::write(out, className(), start, end);
}

void Segment::write(textio::TextWriter& out) const
{
    writePoints(out);
}

bool Segment::read(textio::TokenReader& in)
{
    return pointPair::read(in, start, end);
}

bool Segment::snapToVertex(const ViewMapping& view, const ViewPoint& q, X3DPoint& out, double& distance) const
{
    bool a = pointPair::snapTo(view, q, start, out, distance);
    bool b = pointPair::snapTo(view, q, end, out, distance);
    return a || b;
}

Entity* Segment::pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter)
{
    if ((typeFilter != 0 && typeFilter != typeCode()) || !pointPair::nearPixel(view, start, p)) {
        return nullptr;
    }
    return pointPair::toggle(*this);
}

bool Segment::selectInside(const Region& region)
{
    if (!region.contains(start) && !region.contains(end)) {
        return false;
    }
    pointPair::selectAndRedraw(*this);
    return true;
}

bool Segment::extendBounds(X3DPoint& min, X3DPoint& max) const
{
    start.extendBox(min, max);
    end.extendBox(min, max);
    return true;
}

void Segment::mirrorThroughPoint(const X3DPoint& centre)
{
    pointPair::mirrorThroughPoint(start, end, centre);
}

void Segment::mirrorAcrossPlane(const X3DPlane& plane)
{
    pointPair::mirrorAcrossPlane(start, end, plane);
}

void Segment::translate(const X3DVector& v)
{
    pointPair::translate(start, end, v);
}

void Segment::scale(double factor)
{
    pointPair::scale(start, end, factor);
}

void Segment::rotate(const X3DLine& axis, const X3DAngle& angle)
{
    pointPair::rotate(start, end, axis, angle);
}

std::unique_ptr<Entity> Segment::clone() const
{
    return std::make_unique<Segment>(start, end);
}

}  // namespace model
