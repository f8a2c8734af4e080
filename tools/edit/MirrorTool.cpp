// Mirror: the selection in the plane through the drawn line, or through a point.
#include "tools/Transformations.h"
#include "tools/edit/EditTools.h"
#include "views/ViewSet.h"

namespace tools::edit {

namespace {

class MirrorTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Mirror; }
    std::string prompt(int) const override { return "Draw the mirror plane"; }
    Gesture gesture(const views::ViewWindow&, bool, bool selection) const override
    {
        return selection ? Gesture::Line : Gesture::Rectangle;
    }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end,
             Gesture g) override
    {
        if (g == Gesture::Rectangle) {
            pick(ctx.doc, view, start, end);
        } else if (mirrorSelection(ctx.doc, ctx.undo, view, start, end)) {
            ctx.views.repaintAll();
        }
    }
};

}  // namespace

std::unique_ptr<Tool> makeMirrorTool()
{
    return std::make_unique<MirrorTool>();
}

}  // namespace tools::edit
