// Lens: a click fits the model into the view, a rectangle zooms to itself.
#include <cstdlib>

#include "tools/edit/EditTools.h"
#include "views/ViewWindow.h"

namespace tools::edit {

namespace {

class LensTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Lens; }
    std::string prompt(int) const override { return "Select the zoom area"; }
    Gesture gesture(const views::ViewWindow&, bool, bool) const override { return Gesture::Rectangle; }
    bool snaps() const override { return false; }
    void act(ToolContext&, views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end, Gesture) override
    {
        ui::PixelPoint a = view.viewToPixel(start);
        ui::PixelPoint b = view.viewToPixel(end);
        if (std::abs(a.x - b.x) < 8 && std::abs(a.y - b.y) < 8) {
            view.zoomToExtents();
        } else if (view.zoomToRect(start, end)) {
            view.repaint();
        }
    }
};

}  // namespace

std::unique_ptr<Tool> makeLensTool()
{
    return std::make_unique<LensTool>();
}

}  // namespace tools::edit
