// Receivers: position and aim.
#include "model/Receiver.h"

#include "textio/TextWriter.h"
#include "textio/TokenReader.h"

namespace model {

bool Receiver::isEqual(const Entity& other) const
{
    return other.typeCode() == typeCode() && position == static_cast<const Receiver&>(other).position;
}

void Receiver::writePoints(textio::TextWriter& out) const
{
    out.put(className());
    out.put(' ');
    writePoint(out, position);
    out.put(' ');
    writePoint(out, target);
}

void Receiver::write(textio::TextWriter& out) const
{
    writePoints(out);
}

bool Receiver::read(textio::TokenReader& in)
{
    return readPoint(in, position) && readPoint(in, target);
}

bool Receiver::extendBounds(X3DPoint& min, X3DPoint& max) const
{
    position.extendBox(min, max);
    return true;
}

void Receiver::mirrorThroughPoint(const X3DPoint& centre)
{
    position = position.mirrorThrough(centre);
    target = target.mirrorThrough(centre);
}

void Receiver::mirrorAcrossPlane(const X3DPlane& plane)
{
    position = position.mirrorAcross(plane);
    target = target.mirrorAcross(plane);
}

void Receiver::translate(const X3DVector& v)
{
    position = position + v;
    target = target + v;
}

void Receiver::scale(double f)
{
    position = X3DPoint(position.x * f, position.y * f, position.z * f);
    target = X3DPoint(target.x * f, target.y * f, target.z * f);
}

void Receiver::rotate(const X3DLine& axis, const X3DAngle& angle)
{
    position = position.rotate(axis, angle);
    target = target.rotate(axis, angle);
}

std::unique_ptr<Entity> Receiver::clone() const
{
    return std::make_unique<Receiver>(position, target);
}

}  // namespace model
