// The structure generators: whole groups of faces and walls from a few
// points and a dialog: Box, Boxes, Cylinder, Sphere, Cone, Pipe, Gradin.
#pragma once

#include <memory>

#include "tools/Tool.h"

namespace tools::generators {

std::unique_ptr<Tool> makeBoxTool();
std::unique_ptr<Tool> makeBoxesTool();
std::unique_ptr<Tool> makeCylinderTool();
std::unique_ptr<Tool> makeSphereTool();
std::unique_ptr<Tool> makeConeTool();
std::unique_ptr<Tool> makePipeTool();
std::unique_ptr<Tool> makeGradinTool();

}  // namespace tools::generators
