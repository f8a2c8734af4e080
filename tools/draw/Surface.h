// What Floor and Wall share: a flat quadrilateral at one depth from a
// rectangle, or a strip between two ends with their own elevations from a
// line; a Wall when it stands upright, else a Face.
#pragma once

#include "tools/Tool.h"

namespace tools::draw {

// True when something was built.
bool drawSurface(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p1, const ViewPoint& p2, Gesture gesture);

}  // namespace tools::draw
