// Cascade and tile.
#include "ui/WindowLayout.h"

namespace ui {

std::vector<PixelRect> cascadeLayout(int n, int width, int height, int step)
{
    std::vector<PixelRect> out;
    for (int k = 0; k < n; ++k) {
        out.push_back(PixelRect::fromSize(k * step, k * step, width - k * step, height - k * step));
    }
    return out;
}

std::vector<PixelRect> tileLayout(int n, int width, int height)
{
    std::vector<PixelRect> out;
    if (n <= 0) {
        return out;
    }
    int rows = (n + 1) / 2;
    int columnWidth = width / 2;
    int rowHeight = height / rows;
    for (int k = 0; k < n; ++k) {
        int row = k / 2;
        int column = k % 2;
        if (k == n - 1 && n % 2 == 1) {
            out.push_back(PixelRect::fromSize(0, row * rowHeight, width, rowHeight));
        } else {
            out.push_back(PixelRect::fromSize(column * columnWidth, row * rowHeight, columnWidth, rowHeight));
        }
    }
    return out;
}

}  // namespace ui
