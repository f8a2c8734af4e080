// Door: a panel standing on the foot of the selected wall, where it is clicked.
#include "tools/draw/DrawTools.h"
#include "tools/draw/Opening.h"
#include "tools/draw/TargetWall.h"
#include "ui/GetValueBox.h"

namespace tools::draw {

namespace {

class GetDoorBox final : public ui::GetValueBox {
public:
    GetDoorBox() : GetValueBox(2) {}
    const char* templateName() const override { return "GetDoorBox"; }
};

class DoorTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Door; }
    std::string prompt(int) const override { return "Select a point on a wall"; }
    Gesture gesture(const views::ViewWindow&, bool, bool) const override { return Gesture::Click; }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint&, const ViewPoint& end, Gesture) override
    {
        model::Wall* wall = targetWall(ctx, view, end);
        if (!wall || !wallHasLength(*wall)) {
            return;
        }
        using namespace ui::ctl::door;
        GetDoorBox box;
        box.value(Width) = width_;
        box.value(Height) = height_;
        if (box.runModal() != ui::DialogResult::Ok) {
            return;
        }
        width_ = box.value(Width);
        height_ = box.value(Height);
        placePanel(ctx, view, end, {width_, height_, 0.0});
    }

private:
    double width_ = 1.0;
    double height_ = 2.0;
};

}  // namespace

std::unique_ptr<Tool> makeDoorTool()
{
    return std::make_unique<DoorTool>();
}

}  // namespace tools::draw
