// Hole: clicked corners on the selected wall, or an arc through three of
// them, put into the wall's plane.
#include <cmath>

#include "model/Document.h"
#include "model/Hole.h"
#include "tools/Construction.h"
#include "tools/PointTrail.h"
#include "tools/ToolPalette.h"
#include "tools/draw/DrawTools.h"
#include "tools/draw/TargetWall.h"
#include "ui/Platform.h"
#include "views/ViewWindow.h"

namespace tools::draw {

namespace {

constexpr std::size_t maxClicks = 32;

// The points of the arc from the first to the third point through the
// second; false when the three lie on one line or the subdivision question
// is cancelled or refused.
bool arcThrough(const ViewPoint p[3], std::vector<ViewPoint>& out)
{
    double ax = p[0].u, ay = p[0].v, bx = p[1].u, by = p[1].v, cx = p[2].u, cy = p[2].v;
    double d = 2.0 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
    double scale = std::max({std::fabs(ax - bx), std::fabs(ay - by), std::fabs(ax - cx), std::fabs(ay - cy), 1e-12});
    if (std::fabs(d) < 1e-12 * scale * scale) {
        ui::errorBox("The three points lie on one line");
        return false;
    }
    double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    ViewPoint centre{(a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d,
                     (a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d};
    double r = std::hypot(ax - centre.u, ay - centre.v);
    double start = directionAngle(centre, p[0]);
    double end = directionAngle(centre, p[2]);
    double middle = directionAngle(centre, p[1]);
    const double turn = 2.0 * geometry::PI;
    auto counterClockwise = [turn](double from, double to) { return std::fmod(to - from + 2.0 * turn, turn); };
    if (counterClockwise(start, middle) > counterClockwise(start, end)) {
        std::swap(start, end);
    }
    if (end <= start) {
        end += turn;
    }
    int m = 0;
    if (!askSubdivisions(end - start, m)) {
        return false;
    }
    out.clear();
    for (int i = 0; i <= m; ++i) {
        out.push_back(polar(centre, start + i * (end - start) / m, r));
    }
    return true;
}

class HoleTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Hole; }
    std::string prompt(int step) const override
    {
        return step == 0 ? "Select the first point on the wall" : "Select the next point or the first one to close";
    }
    Gesture gesture(const views::ViewWindow&, bool, bool) const override { return Gesture::Click; }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint&, const ViewPoint& p, Gesture) override
    {
        if (!clicks_.empty() && view_ != &view) {
            reset(ctx);  // a hole is drawn in one view
        }
        if (!targetWall(ctx, view, p)) {
            reset(ctx);
            return;
        }
        view_ = &view;
        bool closing = clicks_.size() >= 1 && sameViewPoint(p, clicks_.front());
        if (!closing && clicks_.size() + 1 < maxClicks) {
            clicks_.push_back(p);
            ctx.palette.nextStep();
            trail_.show(view, clicks_);
            return;
        }
        std::vector<ViewPoint> corners = clicks_;
        reset(ctx);
        build(ctx, view, corners);
    }
    void reset(ToolContext& ctx) override
    {
        trail_.clear();
        clicks_.clear();
        ctx.palette.resetStep();
    }
    void painted(views::ViewWindow& view) override { trail_.painted(view); }
    void hideOverlays(views::ViewWindow& view) override { trail_.hide(view); }

private:
    static void build(ToolContext& ctx, views::ViewWindow& view, std::vector<ViewPoint> corners)
    {
        if (corners.size() < 3) {
            ui::errorBox("Too few points");
            return;
        }
        if (corners.size() == 3 && ui::confirmBox("Is this an arc?")) {
            std::vector<ViewPoint> arc;
            if (!arcThrough(corners.data(), arc)) {
                return;
            }
            corners = arc;
        }
        model::Wall* wall = selectedWall(ctx.doc);
        if (!wall || !wall->baseFace) {
            ui::errorBox("You must select a Wall first");
            return;
        }
        geometry::X3DPlane plane = wall->baseFace->plane();
        std::vector<X3DPoint> points;
        for (const ViewPoint& q : corners) {
            points.push_back(rounded(plane.project(view.toWorld(q, 0.0))));
        }
        auto hole = std::make_unique<model::Hole>(points.data(), static_cast<int>(points.size()));
        model::Hole* placed = hole.get();
        Construction built(ctx);
        if (!built.addTo(*wall, std::move(hole))) {
            ui::errorBox("The hole has no area in the plane of the wall");
            return;
        }
        built.commit();
        wall->setSelected(false);
        placed->setSelected(true);
        wall->redraw();
    }

    std::vector<ViewPoint> clicks_;
    views::ViewWindow* view_ = nullptr;
    PointTrail trail_;
};

}  // namespace

std::unique_ptr<Tool> makeHoleTool()
{
    return std::make_unique<HoleTool>();
}

}  // namespace tools::draw
