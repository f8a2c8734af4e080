// The tools that select and change what is selected: Pick, Lens, Move,
// Mirror and Rotate.
#pragma once

#include <memory>

#include "tools/Tool.h"

namespace tools::edit {

std::unique_ptr<Tool> makePickTool();
std::unique_ptr<Tool> makeLensTool();
std::unique_ptr<Tool> makeMoveTool();
std::unique_ptr<Tool> makeMirrorTool();
std::unique_ptr<Tool> makeRotateTool();

// What Pick does with a gesture: a click (under 3 pixels either way)
// toggles what lies under `end`; a rectangle selects everything inside it at
// every depth, except in the axonometric view, where it acts as a click.
void pick(model::Document& doc, views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end);

}  // namespace tools::edit
