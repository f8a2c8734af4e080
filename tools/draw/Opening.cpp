// Doors and windows in walls.
#include "tools/draw/Opening.h"

#include <algorithm>

#include "model/Document.h"
#include "model/Door.h"
#include "tools/Construction.h"
#include "tools/ToolMemory.h"
#include "tools/draw/TargetWall.h"
#include "ui/Platform.h"
#include "views/ViewWindow.h"

namespace tools::draw {

namespace {

bool foot(const model::Wall& wall, X3DPoint& a, X3DPoint& b)
{
    if (!wall.baseFace || wall.baseFace->vertexCount() < 3) {
        return false;
    }
    // From the first to the third corner, at the lower of the first two
    // corners' heights.
    const model::Face& base = *wall.baseFace;
    double z = std::min(base.vertices[0].z, base.vertices[1].z);
    a = X3DPoint(base.vertices[0].x, base.vertices[0].y, z);
    b = X3DPoint(base.vertices[2].x, base.vertices[2].y, z);
    return (b - a).norm() >= 1e-6;
}

}  // namespace

bool wallHasLength(const model::Wall& wall)
{
    X3DPoint a;
    X3DPoint b;
    if (!foot(wall, a, b)) {
        ui::errorBox("The wall has no length in plan");
        return false;
    }
    return true;
}

bool placePanel(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p, const PanelSize& size)
{
    model::Wall* wall = selectedWall(ctx.doc);
    X3DPoint a;
    X3DPoint b;
    if (!wall || !foot(*wall, a, b)) {
        return false;
    }
    materials::Material material = ctx.memory.openingMaterial;
    if (!askMaterial(ctx, material)) {
        return false;
    }
    ctx.memory.openingMaterial = material;
    geometry::X3DLine along(a, b);
    X3DPoint c = along.project(view.toWorld(p, 0.0));
    geometry::X3DVector d = along.direction();
    X3DPoint e1 = c + d * (size.width / 2);
    X3DPoint e2 = c + d * (-size.width / 2);
    double low = c.z + size.elevation;
    double high = low + size.height;
    X3DPoint corners[4] = {{e1.x, e1.y, low}, {e1.x, e1.y, high}, {e2.x, e2.y, high}, {e2.x, e2.y, low}};
    auto door = std::make_unique<model::Door>(corners, 4, material);
    model::Door* placed = door.get();
    Construction build(ctx);
    if (!build.addTo(*wall, std::move(door))) {
        return false;
    }
    build.commit();
    wall->setSelected(false);
    placed->setSelected(true);
    wall->redraw();
    return true;
}

}  // namespace tools::draw
