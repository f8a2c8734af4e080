// Sweeping a section along a path.
#include "tools/generators/Sweep.h"

#include <cmath>

#include "geometry/X3DLine.h"
#include "model/Document.h"
#include "tools/Construction.h"
#include "tools/PointInput.h"
#include "tools/ToolMemory.h"
#include "tools/ToolPalette.h"
#include "ui/GetValueBox.h"
#include "ui/Platform.h"
#include "views/ViewSet.h"

namespace tools::generators {

void SweepTool::act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint&, const ViewPoint& p, Gesture)
{
    double depth = ctx.memory.pathDepth;
    markPoint(view, p);
    bool ok = askDepth(view, p, depth);
    markPoint(view, p);
    if (!ok) {
        return;
    }
    ctx.memory.pathDepth = depth;
    addPoint(ctx, view, view.toWorld(p, depth));
}

bool SweepTool::space(ToolContext& ctx)
{
    views::ViewWindow& view = view_ ? *view_ : ctx.views.byId(views::viewId::Plant);
    X3DPoint p = path_.empty() ? X3DPoint() : path_.back();
    if (ui::askCoordinates(p)) {
        // The typed point's own depth is the one to keep going with.
        ctx.memory.pathDepth = depthOf(view, p);
        addPoint(ctx, view, p);
    }
    return true;
}

void SweepTool::reset(ToolContext& ctx)
{
    trail_.clear();
    path_.clear();
    profile_.clear();
    shown_.clear();
    ctx.palette.resetStep();
}

void SweepTool::addPoint(ToolContext& ctx, views::ViewWindow& view, const X3DPoint& p)
{
    if (!isSanePoint(p)) {
        return;
    }
    if (!path_.empty() && view_ != &view) {
        reset(ctx);  // a path is given in one view
    }
    view_ = &view;
    if (path_.empty()) {
        if (!askSection(ctx) || !askMaterial(ctx, material_)) {
            reset(ctx);
            return;
        }
        path_.push_back(p);
    } else if (path_.size() == 1) {
        if (p == path_[0]) {
            reset(ctx);
            return;
        }
        path_.push_back(p);
        profile_ = profileAt(ctx, view, path_[0], path_[1]);
    } else if (p == path_[1]) {
        // The path ends square to its last piece.
        X3DPoint straightOn = path_[1] + (path_[1] - path_[0]);
        sweep(ctx, straightOn);
        reset(ctx);
        return;
    } else if (geometry::X3DLine(path_[0], path_[1]).distance(p) < 1e-6) {
        // In line: the piece grows or shrinks; back onto its start or
        // beyond, it would turn round on itself.
        if (geometry::dot(p - path_[0], path_[1] - path_[0]) <= 1e-6 * (path_[1] - path_[0]).norm()) {
            ui::errorBox("The path cannot turn straight back on itself");
            return;
        }
        path_[1] = p;
        shown_.back() = view.toView(p);
        trail_.show(view, shown_);
        return;
    } else {
        if (!sweep(ctx, p)) {
            return;
        }
        path_[0] = path_[1];
        path_[1] = p;
    }
    shown_.push_back(view.toView(p));
    trail_.show(view, shown_);
    ctx.palette.nextStep();
}

bool SweepTool::sweep(ToolContext& ctx, const X3DPoint& p2)
{
    geometry::X3DVector d1 = path_[1] - path_[0];
    geometry::X3DVector d2 = p2 - path_[1];
    d1.normalise();
    d2.normalise();
    geometry::X3DVector bisector(d1.x + d2.x, d1.y + d2.y, d1.z + d2.z);
    // Nearly straight back the joint plane runs almost along the piece and
    // the mitre would reach far out.
    if (bisector.norm() < 1e-3) {
        ui::errorBox("The path cannot turn straight back on itself");
        return false;
    }
    geometry::X3DPlane joint(geometry::X3DVersor(bisector), 0.0);
    joint.d = -geometry::dot(joint.normal(), path_[1]);
    bool upright = std::fabs(joint.z) < 1e-5;
    std::vector<ProfileSegment> next;
    Construction build(ctx);
    for (const ProfileSegment& s : profile_) {
        bool hitA = false;
        bool hitB = false;
        geometry::X3DLine fromA;
        static_cast<geometry::X3DVersor&>(fromA) = geometry::X3DVersor(d1);
        fromA.origin = s.a;
        geometry::X3DLine fromB = fromA;
        fromB.origin = s.b;
        X3DPoint a2 = fromA.intersect(joint, hitA);
        X3DPoint b2 = fromB.intersect(joint, hitB);
        if (!hitA || !hitB) {
            next.push_back(s);
            continue;
        }
        X3DPoint strip[4] = {s.a, s.b, b2, a2};
        build.addPolygon(strip, upright ? 0 : 4, material_);
        next.push_back({a2, b2});
    }
    profile_ = next;
    build.commit();
    return true;
}

}  // namespace tools::generators
