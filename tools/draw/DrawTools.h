// The drawing tools: each turns the points of one gesture (or of a few
// clicks) into one entity: Floor, Wall, Roof, Door, Window, Hole, Source,
// Receiver and Text note.
#pragma once

#include <memory>

#include "tools/Tool.h"

namespace tools::draw {

std::unique_ptr<Tool> makeFloorTool();
std::unique_ptr<Tool> makeWallTool();
std::unique_ptr<Tool> makeRoofTool();
std::unique_ptr<Tool> makeDoorTool();
std::unique_ptr<Tool> makeWindowTool();
std::unique_ptr<Tool> makeHoleTool();
std::unique_ptr<Tool> makeSourceTool();
std::unique_ptr<Tool> makeReceiverTool();
std::unique_ptr<Tool> makeTextTool();

}  // namespace tools::draw
