// Window: a door raised above the foot of the selected wall.
#include "tools/draw/DrawTools.h"
#include "tools/draw/Opening.h"
#include "tools/draw/TargetWall.h"
#include "ui/GetValueBox.h"

namespace tools::draw {

namespace {

class GetWindowBox final : public ui::GetValueBox {
public:
    GetWindowBox() : GetValueBox(3) {}
    const char* templateName() const override { return "GetWindowBox"; }
};

class WindowTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Window; }
    std::string prompt(int) const override { return "Select a point on a wall"; }
    Gesture gesture(const views::ViewWindow&, bool, bool) const override { return Gesture::Click; }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint&, const ViewPoint& end, Gesture) override
    {
        model::Wall* wall = targetWall(ctx, view, end);
        if (!wall || !wallHasLength(*wall)) {
            return;
        }
        using namespace ui::ctl::window;
        GetWindowBox box;
        box.value(Width) = width_;
        box.value(Height) = height_;
        box.value(Elevation) = elevation_;
        if (box.runModal() != ui::DialogResult::Ok) {
            return;
        }
        width_ = box.value(Width);
        height_ = box.value(Height);
        elevation_ = box.value(Elevation);
        placePanel(ctx, view, end, {width_, height_, elevation_});
    }

private:
    double width_ = 1.0;
    double height_ = 1.0;
    double elevation_ = 1.0;
};

}  // namespace

std::unique_ptr<Tool> makeWindowTool()
{
    return std::make_unique<WindowTool>();
}

}  // namespace tools::draw
