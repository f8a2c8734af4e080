// Roof: up to four clicked corners, the first three at typed depths and the
// fourth on their plane; with Shift, a rectangle.
#include <algorithm>

#include "model/Document.h"
#include "tools/Construction.h"
#include "tools/PointInput.h"
#include "tools/PointTrail.h"
#include "tools/ToolPalette.h"
#include "tools/draw/DrawTools.h"
#include "ui/Platform.h"
#include "views/ViewWindow.h"

namespace tools::draw {

namespace {

// Where the line of sight through q (at the given depth) meets the plane
// through the three corners; false when it misses it.
bool onPlane(const views::ViewWindow& view, const ViewPoint& q, double depth, const X3DPoint corners[3], X3DPoint& out)
{
    geometry::X3DPlane plane(corners[0], corners[1], corners[2]);
    X3DPoint from = view.toWorld(q, depth);
    X3DPoint to = view.toWorld(q, depth + 1.0);
    bool hit = false;
    out = geometry::X3DLine(from, to).intersect(plane, hit);
    return hit && isSanePoint(out);
}

class RoofTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Roof; }
    std::string prompt(int step) const override
    {
        return step == 0 ? "Select the first control point" : "Select the next point or the first one to close";
    }
    Gesture gesture(const views::ViewWindow&, bool shift, bool) const override
    {
        return shift ? Gesture::Rectangle : Gesture::Click;
    }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end,
             Gesture g) override
    {
        if (g == Gesture::Rectangle) {
            reset(ctx);
            rectangle(ctx, view, start, end);
        } else {
            click(ctx, view, end);
        }
    }
    void reset(ToolContext& ctx) override
    {
        trail_.clear();
        clicks_.clear();
        corners_.clear();
        ctx.palette.resetStep();
    }
    void painted(views::ViewWindow& view) override { trail_.painted(view); }
    void hideOverlays(views::ViewWindow& view) override { trail_.hide(view); }

private:
    void click(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p)
    {
        if (!clicks_.empty() && view_ != &view) {
            reset(ctx);  // a roof is drawn in one view
        }
        view_ = &view;
        bool closing = !clicks_.empty() && sameViewPoint(p, clicks_.front());
        if (closing) {
            finish(ctx);
            return;
        }
        if (corners_.size() == 3) {
            // The fourth corner lies on the plane of the first three.
            X3DPoint fourth;
            if (!onPlane(view, p, 0.0, corners_.data(), fourth)) {
                reset(ctx);
                ui::errorBox("Bad projection point");
                return;
            }
            corners_.push_back(fourth);
            finish(ctx);
            return;
        }
        double depth = elevation_;
        markPoint(view, p);
        bool ok = askDepth(view, p, depth);
        markPoint(view, p);
        if (!ok) {
            reset(ctx);
            return;
        }
        elevation_ = depth;
        X3DPoint corner = view.toWorld(p, depth);
        if (corners_.size() == 2 && geometry::X3DLine(corners_[0], corners_[1]).distance(corner) < 1e-6) {
            // In line with the first two: it replaces the second.
            corners_[1] = corner;
            clicks_[1] = p;
        } else {
            corners_.push_back(corner);
            clicks_.push_back(p);
            ctx.palette.nextStep();
        }
        trail_.show(view, clicks_);
    }

    void finish(ToolContext& ctx)
    {
        std::vector<X3DPoint> corners = corners_;
        reset(ctx);
        if (corners.size() < 3) {
            ui::errorBox("Insufficient number of points");
            return;
        }
        build(ctx, corners);
    }

    void rectangle(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p1, const ViewPoint& p2)
    {
        double umin = std::min(p1.u, p2.u);
        double umax = std::max(p1.u, p2.u);
        double vmin = std::min(p1.v, p2.v);
        double vmax = std::max(p1.v, p2.v);
        if (umin == umax || vmin == vmax) {
            return;  // no area: nothing to roof
        }
        ViewPoint c[4] = {{umin, vmax}, {umax, vmax}, {umax, vmin}, {umin, vmin}};
        X3DPoint corners[4];
        for (int i = 0; i < 3; ++i) {
            double depth = rectangleElevation_;
            markPoint(view, c[i]);
            bool ok = askDepth(view, c[i], depth);
            markPoint(view, c[i]);
            if (!ok) {
                return;
            }
            rectangleElevation_ = depth;
            corners[i] = view.toWorld(c[i], depth);
        }
        if (!onPlane(view, c[3], rectangleElevation_, corners, corners[3])) {
            ui::errorBox("Bad projection point");
            return;
        }
        build(ctx, std::vector<X3DPoint>(corners, corners + 4));
    }

    static void build(ToolContext& ctx, const std::vector<X3DPoint>& corners)
    {
        materials::Material material;
        if (!askMaterial(ctx, material)) {
            return;
        }
        Construction built(ctx);
        built.addPolygon(corners.data(), static_cast<int>(corners.size()), material);
        built.commit();
    }

    double elevation_ = 0.0;
    double rectangleElevation_ = 0.0;
    std::vector<ViewPoint> clicks_;
    std::vector<X3DPoint> corners_;
    views::ViewWindow* view_ = nullptr;
    PointTrail trail_;
};

}  // namespace

std::unique_ptr<Tool> makeRoofTool()
{
    return std::make_unique<RoofTool>();
}

}  // namespace tools::draw
