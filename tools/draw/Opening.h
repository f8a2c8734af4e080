// What Door and Window share: a panel of a given width, height and sill
// elevation centred where the wall was clicked, set into that wall.
#pragma once

#include "model/Wall.h"
#include "tools/Tool.h"

namespace tools::draw {

struct PanelSize {
    double width;
    double height;
    double elevation;
};

// The wall's foot runs from its first to its third corner; a wall whose
// two stand on one plan point has no room for a panel. After the message
// "The wall has no length in plan", false.
bool wallHasLength(const model::Wall& wall);

// The panel into the target wall (the selected one, or the one clicked);
// the wall is unselected and the new door selected. True when built.
bool placePanel(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p, const PanelSize& size);

}  // namespace tools::draw
