// Finding the wall an opening goes into.
#include "tools/draw/TargetWall.h"

#include "model/Document.h"
#include "ui/Platform.h"
#include "views/ViewWindow.h"

namespace tools::draw {

model::Wall* selectedWall(model::Document& doc)
{
    for (const auto& child : doc.children()) {
        if (child->typeCode() == model::type::Wall) {
            auto& wall = static_cast<model::Wall&>(*child);
            if (wall.baseFace && wall.baseFace->selected) {
                return &wall;
            }
        }
    }
    return nullptr;
}

model::Wall* targetWall(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& end)
{
    if (model::Wall* wall = selectedWall(ctx.doc)) {
        return wall;
    }
    if (!ctx.doc.pickToggle(view, view.viewToPixel(end), model::type::Wall)) {
        ui::errorBox("You must select a Wall first");
        return nullptr;
    }
    return selectedWall(ctx.doc);
}

}  // namespace tools::draw
