// Receivers: position and aim.
#include "model/Receiver.h"

#include "model/PointPair.h"
#include "model/ViewOptions.h"

namespace model {

bool Receiver::isEqual(const Entity& other) const
{
    return other.typeCode() == typeCode() && position == static_cast<const Receiver&>(other).position;
}

void Receiver::writePoints(textio::TextWriter& out) const
{
    pointPair::write(out, className(), position, target);
}

void Receiver::write(textio::TextWriter& out) const
{
    writePoints(out);
}

bool Receiver::read(textio::TokenReader& in)
{
    return pointPair::read(in, position, target);
}

bool Receiver::extendBounds(X3DPoint& min, X3DPoint& max) const
{
    position.extendBox(min, max);
    return true;
}

bool Receiver::snapToVertex(const ViewMapping& view, const ViewPoint& q, X3DPoint& out, double& distance) const
{
    return pointPair::snapTo(view, q, position, out, distance);
}

Entity* Receiver::pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter)
{
    if ((typeFilter != 0 && typeFilter != typeCode()) || !viewOptions().showReceivers ||
        !pointPair::nearPixel(view, position, p)) {
        return nullptr;
    }
    return pointPair::toggle(*this);
}

bool Receiver::selectInside(const Region& region)
{
    if (!viewOptions().showReceivers || !region.contains(position)) {
        return false;
    }
    pointPair::selectAndRedraw(*this);
    return true;
}

void Receiver::mirrorThroughPoint(const X3DPoint& centre)
{
    pointPair::mirrorThroughPoint(position, target, centre);
}

void Receiver::mirrorAcrossPlane(const X3DPlane& plane)
{
    pointPair::mirrorAcrossPlane(position, target, plane);
}

void Receiver::translate(const X3DVector& v)
{
    pointPair::translate(position, target, v);
}

void Receiver::scale(double factor)
{
    pointPair::scale(position, target, factor);
}

void Receiver::rotate(const X3DLine& axis, const X3DAngle& angle)
{
    pointPair::rotate(position, target, axis, angle);
}

std::unique_ptr<Entity> Receiver::clone() const
{
    return std::make_unique<Receiver>(position, target);
}

}  // namespace model
