// Pick: selection by a click or a rectangle.
#include <cstdlib>

#include "model/Document.h"
#include "tools/edit/EditTools.h"
#include "views/ViewWindow.h"

namespace tools::edit {

void pick(model::Document& doc, views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end)
{
    ui::PixelPoint a = view.viewToPixel(start);
    ui::PixelPoint b = view.viewToPixel(end);
    bool click = std::abs(a.x - b.x) < 3 && std::abs(a.y - b.y) < 3;
    if (click || view.is(views::viewId::Assonometry)) {
        doc.pickToggle(view, b, 0);
        return;
    }
    // The rectangle through every depth.
    geometry::X3DPoint p = view.toWorld(start, -model::coordinateLimit);
    geometry::X3DPoint q = view.toWorld(end, model::coordinateLimit);
    model::Region region;
    region.min = {std::min(p.x, q.x), std::min(p.y, q.y), std::min(p.z, q.z)};
    region.max = {std::max(p.x, q.x), std::max(p.y, q.y), std::max(p.z, q.z)};
    doc.selectInside(region);
}

namespace {

class PickTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Pick; }
    std::string prompt(int) const override { return "Select entities"; }
    Gesture gesture(const views::ViewWindow&, bool, bool) const override { return Gesture::Rectangle; }
    bool snaps() const override { return false; }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end, Gesture) override
    {
        pick(ctx.doc, view, start, end);
    }
};

}  // namespace

std::unique_ptr<Tool> makePickTool()
{
    return std::make_unique<PickTool>();
}

}  // namespace tools::edit
