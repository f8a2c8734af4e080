// Pictures: an image of pixels, and a drawing context that draws into one
// (what `kcad render`, macro scripts and picture tests paint on). The back
// end that can draw text provides the canvases; none without it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/DrawContext.h"
#include "ui/PixelRect.h"

namespace ui {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;  // row by row from the top

    Colour at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

class Canvas : public DrawContext {
public:
    // A white picture of that size.
    virtual void resize(int width, int height) = 0;
    virtual void fill(Colour colour) = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual Image image() = 0;
    // The picture as the bytes of a PNG file (written out by the caller, so
    // that a picture replaces its file only once complete).
    virtual bool encodePng(std::string& bytes) = 0;
    // Moves the picture by (dx, dy) pixels, right and down; what it uncovers
    // keeps its old pixels until painted.
    virtual void scroll(int dx, int dy) = 0;
    // Copies the pixels of the rectangle to the same place of the target.
    virtual void copyTo(DrawContext& target, const PixelRect& r);
};

using CanvasFactory = std::function<std::unique_ptr<Canvas>()>;
// Sets how the installed platform state (ui/UiState.h) makes canvases.
void setCanvasFactory(CanvasFactory factory);
// A new canvas, or null when no back end draws pictures.
std::unique_ptr<Canvas> makeCanvas();

}  // namespace ui
