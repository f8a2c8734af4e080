// Wall: a line in the plan view, a rectangle in the front and side views.
#include "tools/draw/DrawTools.h"
#include "tools/draw/Surface.h"
#include "views/ViewWindow.h"

namespace tools::draw {

namespace {

class WallTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Wall; }
    std::string prompt(int) const override { return "Draw a wall"; }
    Gesture gesture(const views::ViewWindow& view, bool, bool) const override
    {
        if (view.is(views::viewId::Plant)) {
            return Gesture::Line;
        }
        return view.is(views::viewId::Front) || view.is(views::viewId::Side) ? Gesture::Rectangle : Gesture::Click;
    }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end,
             Gesture g) override
    {
        drawSurface(ctx, view, start, end, g);
    }
};

}  // namespace

std::unique_ptr<Tool> makeWallTool()
{
    return std::make_unique<WallTool>();
}

}  // namespace tools::draw
