// Writing pictures: like every other output, to a temporary file that
// replaces the target only once it is complete.
#pragma once

#include <string>

namespace ui {
class Canvas;
}

namespace app {

// False (the target untouched) when the picture could not be encoded or
// written in full.
bool savePicture(ui::Canvas& canvas, const std::string& path);

}  // namespace app
