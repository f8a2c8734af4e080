// Walls: whole-wall and opening-only behaviour.
#include "model/Wall.h"

#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/Platform.h"

namespace model {

Wall::Wall(const X3DPoint corners[4], const materials::Material& m)
{
    auto face = std::make_unique<Face>(corners, 4, m);
    if (face->isValid()) {
        baseFace = face.get();
        append(std::move(face));
    }
}

void Wall::findBaseFace()
{
    baseFace = nullptr;
    for (const auto& child : children_) {
        if (child->typeCode() == type::Face) {
            baseFace = static_cast<Face*>(child.get());
            return;
        }
    }
}

bool Wall::isEqual(const Entity& other) const
{
    if (!baseFace) {
        return false;
    }
    if (other.typeCode() == type::Wall) {
        const Face* otherBase = static_cast<const Wall&>(other).baseFace;
        return otherBase && baseFace->isEqual(*otherBase);
    }
    if (other.typeCode() == type::Face) {
        return baseFace->isEqual(other);
    }
    return false;
}

void Wall::write(textio::TextWriter& out) const
{
    if (isValid()) {
        writeList(out, "Wall");
    }
}

bool Wall::writeIfSelected(textio::TextWriter& out) const
{
    if (isValid() && baseFace->selected) {
        writeSelectedList(out, "Wall");
    }
    return false;
}

bool Wall::read(textio::TokenReader& in)
{
    if (!readBody(in)) {
        if (!in.reported) {
            in.reported = true;
            ui::errorBox("Can't read a WALL");
        }
        return false;
    }
    findBaseFace();
    if (!baseFace) {
        if (!in.reported) {
            in.reported = true;
            ui::errorBox("WALL without a FACE");
        }
        return false;
    }
    return true;
}

bool Wall::extendBounds(X3DPoint& min, X3DPoint& max) const
{
    return baseFace && baseFace->extendBounds(min, max);
}

Entity* Wall::pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter)
{
    if (typeFilter != type::Wall) {
        return EntityList::pickToggle(view, p, typeFilter);
    }
    if (!baseFace || !baseFace->pickToggle(view, p, type::Face)) {
        return nullptr;
    }
    return this;
}

template <typename Whole, typename Each>
int Wall::transformIfSelected(Whole whole, Each each)
{
    int n = 0;
    if (baseSelected()) {
        for (auto& child : children_) {
            whole(*child);
            ++n;
        }
        return n;
    }
    for (auto& child : children_) {
        n += each(*child);
    }
    return n;
}

int Wall::translateIfSelected(const X3DVector& v)
{
    return transformIfSelected([&](Entity& e) { e.translate(v); }, [&](Entity& e) { return e.translateIfSelected(v); });
}

int Wall::mirrorThroughPointIfSelected(const X3DPoint& centre)
{
    return transformIfSelected([&](Entity& e) { e.mirrorThroughPoint(centre); },
                               [&](Entity& e) { return e.mirrorThroughPointIfSelected(centre); });
}

int Wall::mirrorAcrossPlaneIfSelected(const X3DPlane& plane)
{
    return transformIfSelected([&](Entity& e) { e.mirrorAcrossPlane(plane); },
                               [&](Entity& e) { return e.mirrorAcrossPlaneIfSelected(plane); });
}

int Wall::scaleIfSelected(double factor)
{
    return transformIfSelected([&](Entity& e) { e.scale(factor); },
                               [&](Entity& e) { return e.scaleIfSelected(factor); });
}

std::unique_ptr<Entity> Wall::clone() const
{
    auto copy = std::make_unique<Wall>();
    for (const auto& child : children_) {
        if (auto c = child->clone()) {
            copy->append(std::move(c));
        }
    }
    copy->findBaseFace();
    return copy;
}

int Wall::duplicateIfSelected(EntityList& target)
{
    if (baseSelected()) {
        auto copy = std::make_unique<Wall>();
        for (const auto& child : children_) {
            child->duplicateIfSelected(*copy);
        }
        copy->findBaseFace();
        target.append(std::move(copy));
        return 1;
    }
    int n = 0;
    std::size_t original = children_.size();
    for (std::size_t i = 0; i < original; ++i) {
        Entity* child = children_[i].get();
        if (child->typeCode() == type::Hole || child->typeCode() == type::Door) {
            n += child->duplicateIfSelected(*this);
        }
    }
    return n;
}

void Wall::deleteSelected()
{
    if (baseSelected()) {
        clear();
        baseFace = nullptr;
        selected = true;
        return;
    }
    EntityList::deleteSelected();
    // The wall's own mark may be left over from a Select All after which the
    // user deselected the base face: the wall stays, with its base face.
    selected = false;
}

}  // namespace model
