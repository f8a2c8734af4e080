// Rectangles in pixels, normalised so that left <= right and top <= bottom.
#pragma once

#include <algorithm>

namespace ui {

struct PixelPoint {
    int x = 0;
    int y = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    PixelRect() = default;
    PixelRect(PixelPoint a, PixelPoint b)
        : left(std::min(a.x, b.x)), top(std::min(a.y, b.y)), right(std::max(a.x, b.x)), bottom(std::max(a.y, b.y))
    {
    }
    static PixelRect fromSize(int x, int y, int width, int height)
    {
        PixelRect r;
        r.left = x;
        r.top = y;
        r.right = x + width;
        r.bottom = y + height;
        return r;
    }

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    // Left and top edges inside, right and bottom outside.
    bool contains(PixelPoint p) const { return left <= p.x && p.x < right && top <= p.y && p.y < bottom; }
    bool operator==(const PixelRect&) const = default;
};

}  // namespace ui
