// The wall that Door, Window and Hole work on: the first wall whose base face
// is selected, or else the wall under the click, which becomes selected.
#pragma once

#include "model/Wall.h"
#include "tools/Tool.h"

namespace tools::draw {

// Null, after the message "You must select a Wall first", when there is none.
model::Wall* targetWall(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& end);
// The first wall of the model whose base face is selected, or null.
model::Wall* selectedWall(model::Document& doc);

}  // namespace tools::draw
