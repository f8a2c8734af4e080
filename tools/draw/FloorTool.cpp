// Floor: a rectangle in the plan view, a line in the front and side views.
#include "tools/draw/DrawTools.h"
#include "tools/draw/Surface.h"
#include "views/ViewWindow.h"

namespace tools::draw {

namespace {

class FloorTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Floor; }
    std::string prompt(int) const override { return "Draw a rectangle"; }
    // Where neither a line nor a rectangle can be drawn, a click builds nothing.
    Gesture gesture(const views::ViewWindow& view, bool, bool) const override
    {
        if (view.is(views::viewId::Plant)) {
            return Gesture::Rectangle;
        }
        return view.is(views::viewId::Front) || view.is(views::viewId::Side) ? Gesture::Line : Gesture::Click;
    }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end,
             Gesture g) override
    {
        drawSurface(ctx, view, start, end, g);
    }
};

}  // namespace

std::unique_ptr<Tool> makeFloorTool()
{
    return std::make_unique<FloorTool>();
}

}  // namespace tools::draw
