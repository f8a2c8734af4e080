// Receiver: a line from the receiver to its target; a click near a wall
// places a column of receivers before it; with Shift, a rectangle filled with
// a grid of receivers.
#include "model/Document.h"
#include "model/Receiver.h"
#include "tools/Construction.h"
#include "tools/PointInput.h"
#include "tools/ToolMemory.h"
#include "tools/analysis/Grids.h"
#include "tools/analysis/ReceiversOnWall.h"
#include "tools/draw/DrawTools.h"
#include "views/ViewWindow.h"

namespace tools::draw {

namespace {

class ReceiverTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Receiver; }
    std::string prompt(int) const override { return "Draw the Receiver-Target line"; }
    Gesture gesture(const views::ViewWindow&, bool shift, bool) const override
    {
        return shift ? Gesture::Rectangle : Gesture::Line;
    }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p1, const ViewPoint& p2, Gesture g) override
    {
        if (g == Gesture::Rectangle) {
            analysis::receiverGrid(ctx, view, p1, p2);
            return;
        }
        if (sameViewPoint(p1, p2)) {
            if (model::Wall* wall = analysis::wallNear(ctx.doc, view, p1)) {
                analysis::receiversOnWall(ctx, view, p1, *wall);
                return;
            }
        }
        // The height follows the ground: what is remembered is the height above it.
        double ground = depthAt(ctx.doc, view, p1, 0.0);
        double depth = ground + ctx.memory.receiverHeight;
        markPoint(view, p1);
        bool ok = askDepth(view, p1, depth);
        markPoint(view, p1);
        if (!ok) {
            return;
        }
        ctx.memory.receiverHeight = depth - ground;
        Construction build(ctx);
        build.add(std::make_unique<model::Receiver>(view.toWorld(p1, depth), view.toWorld(p2, depth)));
        build.commit();
    }
};

}  // namespace

std::unique_ptr<Tool> makeReceiverTool()
{
    return std::make_unique<ReceiverTool>();
}

}  // namespace tools::draw
