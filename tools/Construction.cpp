// Collected construction and shared tool helpers.
#include "tools/Construction.h"

#include <cmath>

#include "model/Document.h"
#include "model/EntityEditor.h"
#include "model/Face.h"
#include "model/Receiver.h"
#include "model/Segment.h"
#include "model/Wall.h"
#include "storage/UndoRing.h"
#include "ui/GetValueBox.h"
#include "ui/Platform.h"
#include "views/ViewSet.h"

namespace tools {

namespace {

constexpr double micrometre = 1e-6;
// Beyond this many entities the views are painted once at the end rather
// than entity by entity.
constexpr std::size_t paintOneByOne = 200;

double roundedCoordinate(double c)
{
    return std::floor(c / micrometre + 0.5) * micrometre;
}

bool hasPlane(const model::Face& face)
{
    if (face.vertexCount() < 3) {
        return false;
    }
    const X3DPoint& a = face.vertices[0];
    const X3DPoint& b = face.vertices[1];
    const X3DPoint& c = face.vertices[2];
    double ab = (b - a).norm();
    // The third point's distance from the line through the first two.
    return ab > 0.0 && geometry::cross(b - a, c - a).norm() / ab > 1e-9;
}

bool faceIsBuildable(const model::Face& face)
{
    if (!face.isValid() || !hasPlane(face)) {
        return false;
    }
    for (const X3DPoint& p : face.vertices) {
        if (!isSanePoint(p)) {
            return false;
        }
    }
    return true;
}

}  // namespace

X3DPoint rounded(const X3DPoint& p)
{
    return {roundedCoordinate(p.x), roundedCoordinate(p.y), roundedCoordinate(p.z)};
}

ViewPoint polar(const ViewPoint& c, double angle, double r)
{
    return {c.u + r * std::cos(angle), c.v + r * std::sin(angle)};
}

double directionAngle(const ViewPoint& a, const ViewPoint& b)
{
    double angle = std::atan2(b.v - a.v, b.u - a.u);
    return angle < 0.0 ? angle + 2.0 * geometry::PI : angle;
}

double depthOf(const views::ViewWindow& view, const X3DPoint& p)
{
    ViewPoint q = view.toView(p);
    X3DPoint at0 = view.toWorld(q, 0.0);
    geometry::X3DVector step = view.toWorld(q, 1.0) - at0;
    double len2 = geometry::dot(step, step);
    return len2 > 0.0 ? geometry::dot(p - at0, step) / len2 : 0.0;
}

bool isSanePoint(const X3DPoint& p)
{
    return model::isSaneCoordinate(p.x) && model::isSaneCoordinate(p.y) && model::isSaneCoordinate(p.z);
}

bool sameViewPoint(const ViewPoint& a, const ViewPoint& b)
{
    return a.u == b.u && a.v == b.v;
}

bool askMaterial(ToolContext& ctx, materials::Material& material)
{
    return ctx.editor.chooseMaterial(material, false) != 0;
}

bool askSubdivisions(double angle, int& count)
{
    double a = std::fabs(angle);
    int proposed = std::max(1, static_cast<int>(std::floor(a * 6.0 / geometry::PI)));
    int minimum = std::max(1, static_cast<int>(std::ceil(a * 2.0 / geometry::PI - 1e-9)));
    double answer = proposed;
    if (!ui::askValue("Subdivisions:", answer)) {
        return false;
    }
    double n = std::floor(answer + 0.5);
    // Far more pieces than a screen can show would only exhaust the memory.
    if (n < minimum || n > 10000) {
        ui::errorBox("Invalid number of subdivisions");
        return false;
    }
    count = static_cast<int>(n);
    return true;
}

bool isBuildable(const model::Entity& entity)
{
    switch (entity.typeCode()) {
    case model::type::Face:
    case model::type::Door:
    case model::type::Hole:
        return faceIsBuildable(static_cast<const model::Face&>(entity));
    case model::type::Wall: {
        const auto& wall = static_cast<const model::Wall&>(entity);
        if (!wall.isValid()) {
            return false;
        }
        for (const auto& child : wall.children()) {
            if (!isBuildable(*child)) {
                return false;
            }
        }
        return true;
    }
    case model::type::Receiver:
    case model::type::Source:
    case model::type::Ray: {
        const auto& r = static_cast<const model::Receiver&>(entity);
        return isSanePoint(r.position) && isSanePoint(r.target);
    }
    case model::type::Segment:
    case model::type::Text: {
        const auto& s = static_cast<const model::Segment&>(entity);
        return isSanePoint(s.start) && isSanePoint(s.end);
    }
    default:
        return false;
    }
}

bool Construction::addPolygon(const X3DPoint* points, int count, const materials::Material& material)
{
    if (count == 0) {
        return add(std::make_unique<model::Wall>(points, material));
    }
    return add(std::make_unique<model::Face>(points, count, material));
}

bool Construction::add(std::unique_ptr<model::Entity> entity)
{
    if (!entity || !isBuildable(*entity)) {
        return false;
    }
    items_.push_back({nullptr, std::move(entity)});
    return true;
}

bool Construction::addTo(model::EntityList& wall, std::unique_ptr<model::Entity> opening)
{
    if (!opening || !isBuildable(*opening)) {
        return false;
    }
    items_.push_back({&wall, std::move(opening)});
    return true;
}

bool Construction::commit()
{
    if (items_.empty()) {
        return false;
    }
    model::Document& doc = ctx_.doc;
    ctx_.undo.takeSnapshot(doc);
    bool oneByOne = items_.size() <= paintOneByOne;
    bool autoDraw = doc.autoDraw;
    doc.autoDraw = autoDraw && oneByOne;
    for (Item& item : items_) {
        model::Entity& e = *item.entity;
        if (item.into) {
            item.into->append(std::move(item.entity));
            if (doc.autoDraw) {
                e.redraw();
            }
        } else {
            doc.append(std::move(item.entity));
        }
    }
    doc.autoDraw = autoDraw;
    items_.clear();
    doc.setModified(true);
    if (!oneByOne) {
        ctx_.views.repaintAll();
    }
    return true;
}

}  // namespace tools
