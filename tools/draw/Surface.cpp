// Floors and walls from a line or a rectangle.
#include "tools/draw/Surface.h"

#include "model/Document.h"
#include "tools/Construction.h"
#include "tools/PointInput.h"
#include "tools/ToolMemory.h"
#include "ui/GetValueBox.h"
#include "views/ViewWindow.h"

namespace tools::draw {

namespace {

// The elevations of one end of a strip, beside a mark on the point; they
// become the remembered elevation and height.
bool askEnd(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p, double& low, double& high)
{
    ToolMemory& m = ctx.memory;
    double ground = depthAt(ctx.doc, view, p, m.surfaceElevation);
    low = ground;
    high = ground + m.surfaceHeight;
    markPoint(view, p);
    bool ok = ui::askElevations(low, high, ground);
    markPoint(view, p);
    if (!ok) {
        return false;
    }
    m.surfaceElevation = low;
    m.surfaceHeight = high - low;
    return true;
}

}  // namespace

bool drawSurface(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p1, const ViewPoint& p2, Gesture gesture)
{
    if (sameViewPoint(p1, p2)) {
        return false;
    }
    X3DPoint corners[4];
    switch (gesture) {
    case Gesture::Click:
    case Gesture::Circle:
        return false;
    case Gesture::Line: {
        double min1 = 0.0;
        double max1 = 0.0;
        double min2 = 0.0;
        double max2 = 0.0;
        if (!askEnd(ctx, view, p1, min1, max1) || !askEnd(ctx, view, p2, min2, max2)) {
            return false;
        }
        corners[0] = view.toWorld(p1, min1);
        corners[1] = view.toWorld(p1, max1);
        corners[2] = view.toWorld(p2, max2);
        corners[3] = view.toWorld(p2, min2);
        break;
    }
    case Gesture::Rectangle: {
        double z = depthAt(ctx.doc, view, p1, ctx.memory.surfaceElevation);
        markPoint(view, p1);
        bool ok = askDepth(view, p1, z);
        markPoint(view, p1);
        if (!ok) {
            return false;
        }
        ctx.memory.surfaceElevation = z;
        corners[0] = view.toWorld(p1, z);
        corners[1] = view.toWorld({p1.u, p2.v}, z);
        corners[2] = view.toWorld(p2, z);
        corners[3] = view.toWorld({p2.u, p1.v}, z);
        break;
    }
    }
    materials::Material material;
    if (!askMaterial(ctx, material)) {
        return false;
    }
    // Upright surfaces are walls, so that openings can go into them.
    geometry::X3DPlane plane(corners[0], corners[1], corners[2]);
    Construction build(ctx);
    build.addPolygon(corners, plane.z == 0.0 ? 0 : 4, material);
    return build.commit();
}

}  // namespace tools::draw
