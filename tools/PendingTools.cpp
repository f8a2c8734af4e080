// Construction tools that prompt and make their gesture but build nothing yet.
#include "tools/draw/DrawTools.h"
#include "tools/draw/TargetWall.h"
#include "tools/generators/Generators.h"
#include "views/ViewWindow.h"

namespace tools {

namespace {

class PendingTool final : public Tool {
public:
    explicit PendingTool(ToolId id) : id_(id) {}
    ToolId id() const override { return id_; }
    std::string prompt(int step) const override
    {
        switch (id_) {
        case ToolId::Pick:
        case ToolId::Lens:
        case ToolId::Move:
        case ToolId::Mirror:
        case ToolId::Rotate:
        case ToolId::TextNote:
            return "";
        case ToolId::Floor:
            return "Draw a rectangle";
        case ToolId::Wall:
            return "Draw a wall";
        case ToolId::Roof:
        case ToolId::Box:
            return step == 0 ? "Select the first control point" : "Select the next point or the first one to close";
        case ToolId::Boxes:
        case ToolId::Pipe:
            return step == 0 ? "Select the first control point" : "Select the next point or click again to close";
        case ToolId::Cylinder:
        case ToolId::Sphere:
        case ToolId::Cone:
            return "Draw the base radius";
        case ToolId::Gradin:
            return "Draw the base line";
        case ToolId::Door:
        case ToolId::Window:
            return "Select a point on a wall";
        case ToolId::Hole:
            return step == 0 ? "Select the first point on the wall" : "Select the next point or the first one to close";
        case ToolId::Source:
            return "Draw the Source-Target line";
        case ToolId::Receiver:
            return "Draw the Receiver-Target line";
        }
        return "";
    }
    Gesture gesture(const views::ViewWindow& view, bool shift, bool) const override
    {
        bool elevation = view.is(views::viewId::Front) || view.is(views::viewId::Side);
        switch (id_) {
        case ToolId::TextNote:
            return Gesture::Rectangle;
        case ToolId::Floor:
            return view.is(views::viewId::Plant) ? Gesture::Rectangle : elevation ? Gesture::Line : Gesture::Click;
        case ToolId::Wall:
            return view.is(views::viewId::Plant) ? Gesture::Line : elevation ? Gesture::Rectangle : Gesture::Click;
        case ToolId::Roof:
            return shift ? Gesture::Rectangle : Gesture::Click;
        case ToolId::Cylinder:
        case ToolId::Sphere:
        case ToolId::Cone:
        case ToolId::Gradin:
            return Gesture::Line;
        case ToolId::Source:
        case ToolId::Receiver:
            return shift ? Gesture::Rectangle : Gesture::Line;
        default:
            return Gesture::Click;
        }
    }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint&, const ViewPoint& end, Gesture) override
    {
        if (id_ == ToolId::Door || id_ == ToolId::Window || id_ == ToolId::Hole) {
            draw::targetWall(ctx, view, end);
        }
    }

private:
    ToolId id_;
};

}  // namespace

namespace draw {
std::unique_ptr<Tool> makeFloorTool() { return std::make_unique<PendingTool>(ToolId::Floor); }
std::unique_ptr<Tool> makeWallTool() { return std::make_unique<PendingTool>(ToolId::Wall); }
std::unique_ptr<Tool> makeRoofTool() { return std::make_unique<PendingTool>(ToolId::Roof); }
std::unique_ptr<Tool> makeDoorTool() { return std::make_unique<PendingTool>(ToolId::Door); }
std::unique_ptr<Tool> makeWindowTool() { return std::make_unique<PendingTool>(ToolId::Window); }
std::unique_ptr<Tool> makeHoleTool() { return std::make_unique<PendingTool>(ToolId::Hole); }
std::unique_ptr<Tool> makeSourceTool() { return std::make_unique<PendingTool>(ToolId::Source); }
std::unique_ptr<Tool> makeReceiverTool() { return std::make_unique<PendingTool>(ToolId::Receiver); }
std::unique_ptr<Tool> makeTextTool() { return std::make_unique<PendingTool>(ToolId::TextNote); }
}  // namespace draw

namespace generators {
std::unique_ptr<Tool> makeBoxTool() { return std::make_unique<PendingTool>(ToolId::Box); }
std::unique_ptr<Tool> makeBoxesTool() { return std::make_unique<PendingTool>(ToolId::Boxes); }
std::unique_ptr<Tool> makeCylinderTool() { return std::make_unique<PendingTool>(ToolId::Cylinder); }
std::unique_ptr<Tool> makeSphereTool() { return std::make_unique<PendingTool>(ToolId::Sphere); }
std::unique_ptr<Tool> makeConeTool() { return std::make_unique<PendingTool>(ToolId::Cone); }
std::unique_ptr<Tool> makePipeTool() { return std::make_unique<PendingTool>(ToolId::Pipe); }
std::unique_ptr<Tool> makeGradinTool() { return std::make_unique<PendingTool>(ToolId::Gradin); }
}  // namespace generators

}  // namespace tools
