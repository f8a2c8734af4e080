// Where the program's own data lives (loudspeaker drawing, palette icons,
// manual, example): next to an installed program, else in the source tree
// it was built from.
#pragma once

#include <string>

namespace ui {

// PREFIX/share/tolvane when the running program is PREFIX/bin/kcad and that
// folder holds the data; otherwise the data folder of the source tree.
std::string dataFolder();

}  // namespace ui
