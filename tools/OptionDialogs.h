// The Options dialogs that belong to the views: the grid, what the views
// show of sources and receivers, and the base map under the plan.
#pragma once

#include "model/Document.h"

namespace tools {

// "Grid options": the step and the two flags; true on OK.
bool askGridOptions(model::Document& doc);
// "View options": the four source and receiver flags; true on OK.
bool askViewOptions();
// "Base map options": the file, offset, scaling factor and visibility; on
// OK the map is read again. True on OK.
bool askBaseMapOptions(model::Document& doc);

}  // namespace tools
