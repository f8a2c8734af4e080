// What the platform layer keeps while the program runs: how pictures are
// made, and the folders the file chooser remembers. The program's context
// installs one (ui/Installed.h).
#pragma once

#include <string>

#include "ui/Canvas.h"

namespace ui {

struct UiState {
    CanvasFactory canvases;
    // The last folders projects and loudspeaker drawings were chosen in.
    std::string projectFolder;
    std::string sourceFolder;
};

}  // namespace ui
