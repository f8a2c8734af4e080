// Base behaviour shared by every entity.
#include "model/Entity.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/EntityList.h"
#include "model/EntityPool.h"
#include "model/EntityPainter.h"
#include "model/ModelState.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/Installed.h"

namespace model {

namespace {
std::vector<EntityPainter*>& painters()
{
    return ui::installed<ModelState>().painters;
}
}  // namespace

EntityPainter* entityPainter()
{
    return painters().empty() ? nullptr : painters().back();
}

void addEntityPainter(EntityPainter* p)
{
    painters().push_back(p);
}

void removeEntityPainter(EntityPainter* p)
{
    auto& stack = painters();
    stack.erase(std::remove(stack.begin(), stack.end(), p), stack.end());
}

void* Entity::operator new(std::size_t size)
{
    return allocateEntity(size);
}

void Entity::operator delete(void* p, std::size_t size)
{
    freeEntity(p, size);
}

bool Entity::writeIfSelected(textio::TextWriter& out) const
{
    if (!selected) {
        return false;
    }
    out.newLine(out.depth);
    write(out);
    return true;
}

int Entity::translateIfSelected(const X3DVector& v)
{
    if (!selected) {
        return 0;
    }
    translate(v);
    return 1;
}

int Entity::mirrorThroughPointIfSelected(const X3DPoint& centre)
{
    if (!selected) {
        return 0;
    }
    mirrorThroughPoint(centre);
    return 1;
}

int Entity::mirrorAcrossPlaneIfSelected(const X3DPlane& plane)
{
    if (!selected) {
        return 0;
    }
    mirrorAcrossPlane(plane);
    return 1;
}

int Entity::scaleIfSelected(double factor)
{
    if (!selected) {
        return 0;
    }
    scale(factor);
    return 1;
}

int Entity::rotateIfSelected(const X3DLine& axis, const X3DAngle& angle)
{
    if (!selected) {
        return 0;
    }
    rotate(axis, angle);
    return 1;
}

ui::Colour Entity::drawColour() const
{
    if (locked) {
        return ui::lightGrey;
    }
    return selected ? ui::cyan : ui::black;
}

void Entity::redraw() const
{
    if (EntityPainter* painter = entityPainter()) {
        painter->redraw(*this);
    }
}

void Entity::setSelected(bool flag)
{
    if (!locked) {
        selected = flag;
    }
}

void Entity::setLocked(bool flag)
{
    locked = flag;
    if (flag) {
        selected = false;
    }
}

int Entity::forEach(const EntityCallback& callback)
{
    return callback(*this);
}

int Entity::duplicateIfSelected(EntityList& target)
{
    if (!selected) {
        return 0;
    }
    std::unique_ptr<Entity> copy = clone();
    if (!copy) {
        return 0;
    }
    target.append(std::move(copy));
    return 1;
}

bool isSaneCoordinate(double v)
{
    return std::isfinite(v) && v > -coordinateLimit && v < coordinateLimit;
}

bool readPoint(textio::TokenReader& in, X3DPoint& p)
{
    if (!in.readReal(p.x) || !in.readReal(p.y) || !in.readReal(p.z)) {
        return false;
    }
    if (!isSaneCoordinate(p.x) || !isSaneCoordinate(p.y) || !isSaneCoordinate(p.z)) {
        in.setFailed();
        return false;
    }
    return true;
}

void writePoint(textio::TextWriter& out, const X3DPoint& p)
{
    out.putReal(p.x);
    out.put(' ');
    out.putReal(p.y);
    out.put(' ');
    out.putReal(p.z);
}

std::string upperName(std::string_view name)
{
    std::string s(name);
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return s;
}

}  // namespace model
