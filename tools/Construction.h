// What the construction tools build with: the entities of one user action,
// collected and checked first, then added together after one undo snapshot;
// and the small geometry and dialogs the tools share.
#pragma once

#include <memory>
#include <vector>

#include "materials/Material.h"
#include "model/EntityList.h"
#include "tools/Tool.h"

namespace tools {

using geometry::X3DPoint;

// Generated points go to multiples of a micrometre.
X3DPoint rounded(const X3DPoint& p);
// The view point at a distance r from c in the direction `angle` (radians).
ViewPoint polar(const ViewPoint& c, double angle, double r);
// The direction from a to b, in [0, 2 pi).
double directionAngle(const ViewPoint& a, const ViewPoint& b);
// The depth of a model point in a view: toWorld(toView(p), depthOf(p)) is p.
double depthOf(const views::ViewWindow& view, const X3DPoint& p);
// Finite and within the model's limits.
bool isSanePoint(const X3DPoint& p);
bool sameViewPoint(const ViewPoint& a, const ViewPoint& b);

// The material chooser, without "Same for all faces"; false when cancelled.
bool askMaterial(ToolContext& ctx, materials::Material& material);
// How many pieces an arc of that angle (radians, either sign) gets: one per
// 30 degrees proposed, at least one per 90 degrees accepted. False after a
// cancel or "Invalid number of subdivisions".
bool askSubdivisions(double angle, int& count);

class Construction {
public:
    explicit Construction(ToolContext& ctx) : ctx_(ctx) {}

    // A Wall of the first four points (count 0) or a Face of `count`
    // points, with a copy of the material; false, and nothing kept, when it
    // is not valid: fewer than three distinct points, a point not finite or
    // beyond the model's limits, or points on one line.
    bool addPolygon(const X3DPoint* points, int count, const materials::Material& material);
    // Any entity for the top level of the model, checked the same way.
    bool add(std::unique_ptr<model::Entity> entity);
    // A hole or door for a wall.
    bool addTo(model::EntityList& wall, std::unique_ptr<model::Entity> opening);

    bool empty() const { return items_.empty(); }
    std::size_t size() const { return items_.size(); }
    // The entity added last (until commit).
    model::Entity& last() const { return *items_.back().entity; }

    // One undo snapshot, then everything is added in order, drawn, and the
    // model marked modified. False, with nothing done, when nothing was kept.
    bool commit();

private:
    struct Item {
        model::EntityList* into;
        std::unique_ptr<model::Entity> entity;
    };
    ToolContext& ctx_;
    std::vector<Item> items_;
};

// Whether an entity may enter the model: every point sane, every face
// valid with a plane.
bool isBuildable(const model::Entity& entity);

}  // namespace tools
