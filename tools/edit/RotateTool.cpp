// Rotate: the selection about the view direction through the clicked point.
#include "tools/Transformations.h"
#include "tools/edit/EditTools.h"
#include "views/ViewSet.h"

namespace tools::edit {

namespace {

class RotateTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Rotate; }
    std::string prompt(int) const override { return "Select the rotation axis"; }
    // A single click once something is selected: no rubber band.
    Gesture gesture(const views::ViewWindow&, bool, bool selection) const override
    {
        return selection ? Gesture::Click : Gesture::Rectangle;
    }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end,
             Gesture g) override
    {
        if (g == Gesture::Rectangle) {
            pick(ctx.doc, view, start, end);
        } else if (rotateSelection(ctx.doc, ctx.undo, view, start)) {
            ctx.views.repaintAll();
        }
    }
};

}  // namespace

std::unique_ptr<Tool> makeRotateTool()
{
    return std::make_unique<RotateTool>();
}

}  // namespace tools::edit
