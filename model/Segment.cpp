// Segments: two points.
#include "model/Segment.h"

#include "textio/TextWriter.h"
#include "textio/TokenReader.h"

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
    out.put(className());
    out.put(' ');
    writePoint(out, start);
    out.put(' ');
    writePoint(out, end);
}

void Segment::write(textio::TextWriter& out) const
{
    writePoints(out);
}

bool Segment::read(textio::TokenReader& in)
{
    return readPoint(in, start) && readPoint(in, end);
}

bool Segment::extendBounds(X3DPoint& min, X3DPoint& max) const
{
    start.extendBox(min, max);
    end.extendBox(min, max);
    return true;
}

void Segment::mirrorThroughPoint(const X3DPoint& centre)
{
    start = start.mirrorThrough(centre);
    end = end.mirrorThrough(centre);
}

void Segment::mirrorAcrossPlane(const X3DPlane& plane)
{
    start = start.mirrorAcross(plane);
    end = end.mirrorAcross(plane);
}

void Segment::translate(const X3DVector& v)
{
    start = start + v;
    end = end + v;
}

void Segment::scale(double f)
{
    start = X3DPoint(start.x * f, start.y * f, start.z * f);
    end = X3DPoint(end.x * f, end.y * f, end.z * f);
}

void Segment::rotate(const X3DLine& axis, const X3DAngle& angle)
{
    start = start.rotate(axis, angle);
    end = end.rotate(axis, angle);
}

std::unique_ptr<Entity> Segment::clone() const
{
    return std::make_unique<Segment>(start, end);
}

}  // namespace model
