// Pen and brush sharing.
#include "ui/DrawContext.h"

#include <algorithm>

#include "ui/Canvas.h"
#include "ui/Installed.h"
#include "ui/UiState.h"

namespace ui {

void DrawContext::setPen(int style, Colour colour)
{
    if (style == penStyle_ && colour == penColour_) {
        return;
    }
    makePen(style, colour);
    penStyle_ = style;
    penColour_ = colour;
    ++pensMade_;
}

void DrawContext::setBrush(int style, Colour colour)
{
    if (brushSet_ && style == brushStyle_ && colour == brushColour_) {
        return;
    }
    makeBrush(style, colour);
    brushStyle_ = style;
    brushColour_ = colour;
    brushSet_ = true;
    ++brushesMade_;
}

void setCanvasFactory(CanvasFactory factory)
{
    installed<UiState>().canvases = std::move(factory);
}

std::unique_ptr<Canvas> makeCanvas()
{
    const CanvasFactory& make = installed<UiState>().canvases;
    return make ? make() : nullptr;
}

void Canvas::copyTo(DrawContext& target, const PixelRect& r)
{
    Image all = image();
    PixelRect c(PixelPoint{std::max(r.left, 0), std::max(r.top, 0)},
                PixelPoint{std::min(r.right, all.width), std::min(r.bottom, all.height)});
    if (c.width() <= 0 || c.height() <= 0) {
        return;
    }
    Image part;
    part.width = c.width();
    part.height = c.height();
    part.pixels.reserve(static_cast<std::size_t>(part.width) * part.height);
    for (int y = c.top; y < c.bottom; ++y) {
        for (int x = c.left; x < c.right; ++x) {
            part.pixels.push_back(all.at(x, y));
        }
    }
    target.drawImage(c.left, c.top, part);
}

void rectOutline(DrawContext& dc, int left, int top, int right, int bottom)
{
    int xy[10] = {left, top, right, top, right, bottom, left, bottom, left, top};
    dc.polyline(xy, 5);
}

}  // namespace ui
