// Pen and brush sharing.
#include "ui/DrawContext.h"

#include "ui/Canvas.h"

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

namespace {
CanvasFactory canvasFactory;
}

void setCanvasFactory(CanvasFactory factory)
{
    canvasFactory = std::move(factory);
}

std::unique_ptr<Canvas> makeCanvas()
{
    return canvasFactory ? canvasFactory() : nullptr;
}

void rectOutline(DrawContext& dc, int left, int top, int right, int bottom)
{
    int xy[10] = {left, top, right, top, right, bottom, left, bottom, left, top};
    dc.polyline(xy, 5);
}

}  // namespace ui
