// Move: the selection along the drawn line.
#include "tools/Transformations.h"
#include "tools/edit/EditTools.h"
#include "views/ViewSet.h"

namespace tools::edit {

namespace {

class MoveTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Move; }
    std::string prompt(int) const override { return "Draw the direction line"; }
    // Without a selection the first drag selects, as Pick.
    Gesture gesture(const views::ViewWindow&, bool, bool selection) const override
    {
        return selection ? Gesture::Line : Gesture::Rectangle;
    }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end,
             Gesture g) override
    {
        if (g == Gesture::Rectangle) {
            pick(ctx.doc, view, start, end);
        } else if (moveSelection(ctx.doc, ctx.undo, view, start, end)) {
            ctx.views.repaintAll();
        }
    }
};

}  // namespace

std::unique_ptr<Tool> makeMoveTool()
{
    return std::make_unique<MoveTool>();
}

}  // namespace tools::edit
