// Box: a prism over a clicked polygon, standing on the face under its first
// corner when there is one: walls round it, a floor and a roof.
#include <cmath>

#include "model/Document.h"
#include "tools/Construction.h"
#include "tools/PointTrail.h"
#include "tools/ToolPalette.h"
#include "tools/generators/Generators.h"
#include "ui/GetValueBox.h"
#include "ui/Platform.h"
#include "views/ViewWindow.h"

namespace tools::generators {

namespace {

constexpr std::size_t maxPoints = 32;

class BoxBox final : public ui::GetValueBox {
public:
    BoxBox() : GetValueBox(4) {}
    const char* templateName() const override { return "BoxBox"; }
};

class BoxTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Box; }
    std::string prompt(int step) const override
    {
        return step == 0 ? "Select the first control point" : "Select the next point or the first one to close";
    }
    Gesture gesture(const views::ViewWindow&, bool, bool) const override { return Gesture::Click; }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint&, const ViewPoint& p, Gesture) override
    {
        if (!clicks_.empty() && view_ != &view) {
            reset(ctx);  // a box is drawn in one view
        }
        view_ = &view;
        bool closing = !clicks_.empty() && sameViewPoint(p, clicks_.front());
        if (closing) {
            clicks_.push_back(p);
            finish(ctx, view, true);
            return;
        }
        X3DPoint at = view.toWorld(p, 0.0);
        std::size_t n = clicks_.size();
        if (n >= 2 && geometry::X3DLine(points_[n - 2], points_[n - 1]).distance(at) < 1e-6) {
            // A straight run keeps only its ends.
            clicks_.back() = p;
            points_.back() = at;
        } else {
            clicks_.push_back(p);
            points_.push_back(at);
            ctx.palette.nextStep();
        }
        if (clicks_.size() == maxPoints) {
            finish(ctx, view, false);
            return;
        }
        trail_.show(view, clicks_);
    }
    void reset(ToolContext& ctx) override
    {
        trail_.clear();
        clicks_.clear();
        points_.clear();
        ctx.palette.resetStep();
    }
    void painted(views::ViewWindow& view) override { trail_.painted(view); }
    void hideOverlays(views::ViewWindow& view) override { trail_.hide(view); }

private:
    void finish(ToolContext& ctx, views::ViewWindow& view, bool closed)
    {
        std::vector<ViewPoint> corners = clicks_;
        reset(ctx);
        if (corners.size() < 4) {
            ui::errorBox("Insufficient number of points");
            return;
        }
        if (closed) {
            corners.pop_back();
        }
        build(ctx, view, corners);
    }

    void build(ToolContext& ctx, views::ViewWindow& view, const std::vector<ViewPoint>& corners)
    {
        // Standing on a face under the first corner: the same height from there.
        bool floor = true;
        double base = base_;
        double top = top_;
        double depth = -model::coordinateLimit;
        if (ctx.doc.pierce(view, corners.front(), depth) && depth > -model::coordinateLimit) {
            top += depth - base;
            base = depth;
            floor = false;
        }
        using namespace ui::ctl::box;
        BoxBox box;
        box.value(Min) = base;
        box.value(Max) = top;
        box.value(Floor) = floor ? 1.0 : 0.0;
        box.value(Roof) = 1.0;
        if (box.runModal() != ui::DialogResult::Ok) {
            return;
        }
        base_ = box.value(Min);
        top_ = box.value(Max);
        materials::Material material;
        if (!askMaterial(ctx, material)) {
            return;
        }
        std::size_t n = corners.size();
        Construction built(ctx);
        if (std::fabs(top_ - base_) >= 1e-5) {
            for (std::size_t i = 0; i < n; ++i) {
                const ViewPoint& a = corners[i];
                const ViewPoint& b = corners[(i + 1) % n];
                X3DPoint wall[4] = {view.toWorld(a, base_), view.toWorld(b, base_), view.toWorld(b, top_),
                                    view.toWorld(a, top_)};
                built.addPolygon(wall, 0, material);
            }
        }
        for (auto [wanted, depthOf] : {std::pair{box.value(Floor) != 0.0, base_}, {box.value(Roof) != 0.0, top_}}) {
            if (!wanted) {
                continue;
            }
            std::vector<X3DPoint> face;
            for (const ViewPoint& q : corners) {
                face.push_back(view.toWorld(q, depthOf));
            }
            built.addPolygon(face.data(), static_cast<int>(face.size()), material);
        }
        built.commit();
    }

    double base_ = 0.0;
    double top_ = 3.0;
    std::vector<ViewPoint> clicks_;
    std::vector<X3DPoint> points_;
    views::ViewWindow* view_ = nullptr;
    PointTrail trail_;
};

}  // namespace

std::unique_ptr<Tool> makeBoxTool()
{
    return std::make_unique<BoxTool>();
}

}  // namespace tools::generators
