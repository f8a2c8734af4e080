// Pen and brush sharing.
#include "ui/DrawContext.h"

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

void rectOutline(DrawContext& dc, int left, int top, int right, int bottom)
{
    int xy[10] = {left, top, right, top, right, bottom, left, bottom, left, top};
    dc.polyline(xy, 5);
}

}  // namespace ui
