// Where cascade and tile put the visible view windows.
#pragma once

#include <vector>

#include "ui/PixelRect.h"

namespace ui {

// The k-th of n windows (in the order they are walked) goes to (k s, k s)
// with the size (W - k s, H - k s).
std::vector<PixelRect> cascadeLayout(int n, int width, int height, int step);
// Two columns of width W/2 and ceil(n/2) rows of height H/ceil(n/2), filled
// left then right from the top; with n odd the last window spans the width.
std::vector<PixelRect> tileLayout(int n, int width, int height);

}  // namespace ui
