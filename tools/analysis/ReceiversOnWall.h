// A column of receivers in front of a wall, at a distance from it and one
// above the other up to its height, with a note that counts them.
#pragma once

#include "model/Wall.h"
#include "tools/Tool.h"

namespace tools::analysis {

// The top-level wall whose centre shows within two grid steps of the click,
// the nearest (a selected one, or one within 0.1 m, is taken at once); null
// when none is that near.
model::Wall* wallNear(model::Document& doc, const views::ViewWindow& view, const ViewPoint& p);

// The "Receivers" dialog, then the note and the receivers before the wall,
// on the side of the click; the note's dialog opens last. True when built.
bool receiversOnWall(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p, model::Wall& wall);

}  // namespace tools::analysis
