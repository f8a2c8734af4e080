// What the model layer keeps while the program runs: the view options that
// picking and selection follow, and the painters the views install. The
// program's context installs one (ui/Installed.h).
#pragma once

#include <vector>

#include "model/EntityPainter.h"
#include "model/ViewOptions.h"

namespace model {

struct ModelState {
    ViewOptions viewOptions;
    // The latest painter paints; earlier ones wait underneath.
    std::vector<EntityPainter*> painters;
};

}  // namespace model
