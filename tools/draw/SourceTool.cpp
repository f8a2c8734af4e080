// Source: a line from the source to its target; with Shift, a rectangle
// filled with a grid of sources.
#include "model/Document.h"
#include "model/EntityEditor.h"
#include "model/Source.h"
#include "tools/Construction.h"
#include "tools/ToolMemory.h"
#include "tools/analysis/Grids.h"
#include "tools/draw/DrawTools.h"
#include "views/ViewWindow.h"

namespace tools::draw {

namespace {

class SourceTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Source; }
    std::string prompt(int) const override { return "Draw the Source-Target line"; }
    Gesture gesture(const views::ViewWindow&, bool shift, bool) const override
    {
        return shift ? Gesture::Rectangle : Gesture::Line;
    }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p1, const ViewPoint& p2, Gesture g) override
    {
        if (g == Gesture::Rectangle) {
            analysis::sourceGrid(ctx, view, p1, p2);
            return;
        }
        // The source dialog shows the elevation as the source's z: it is
        // taken back into the view as the depth of the first point.
        double height = ctx.memory.receiverHeight;
        auto source = std::make_unique<model::Source>(view.toWorld(p1, height), view.toWorld(p2, height), 0.0,
                                                      "omni.spk");
        source->position.z = height;
        if (ctx.editor.sourceParameters(*source) == 0) {
            return;
        }
        source->position = view.toWorld(p1, source->position.z);
        Construction build(ctx);
        build.add(std::move(source));
        build.commit();
    }
};

}  // namespace

std::unique_ptr<Tool> makeSourceTool()
{
    return std::make_unique<SourceTool>();
}

}  // namespace tools::draw
