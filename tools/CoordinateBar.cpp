// The coordinate bar.
#include "tools/CoordinateBar.h"

#include <cstdio>

#include "ui/DrawContext.h"
#include "ui/Platform.h"

namespace tools {

namespace {

ui::Colour faceColour()
{
    return ui::platform().systemColour(ui::Platform::SystemColour::ButtonFace);
}

}  // namespace

void CoordinateBar::setPrompt(const std::string& text)
{
    prompt_ = text.substr(0, 79);
    redraw();
}

void CoordinateBar::showPoint(const geometry::X3DPoint& p, int mode)
{
    if (mode != lastMode_) {
        lastMode_ = mode;
        if (mode != 0) {
            gestureStart_ = p;
        }
    }
    char buf[160];
    if (mode == 0) {
        std::snprintf(buf, sizeof buf, "%11.2lf %11.2lf %11.2lf m", p.x, p.y, p.z);
    } else {
        std::snprintf(buf, sizeof buf, "%11.2lf %11.2lf %11.2lf m   D=%7.2lf m", p.x, p.y, p.z,
                      geometry::distance(p, gestureStart_));
    }
    readOut_ = buf;
    if (native && native->isVisible()) {
        paintReadOut(native->drawContext());
    }
}

void CoordinateBar::paintReadOut(ui::DrawContext& dc)
{
    ui::Colour face = faceColour();
    dc.setPen(ui::penSolid, face);
    dc.setBrush(-1, face);
    dc.rectangle(0, 0, width_ * 2 / 3, std::max(height_, 1));
    dc.wrappedText(0, 0, width_ * 2 / 3, std::max(height_, 1), readOut_);
}

void CoordinateBar::onPaint(ui::DrawContext& dc)
{
    ui::Colour face = faceColour();
    dc.setPen(ui::penSolid, face);
    dc.setBrush(-1, face);
    dc.rectangle(0, 0, std::max(width_, 1), std::max(height_, 1));
    dc.wrappedText(width_ * 2 / 3, 0, std::max(width_, 1), std::max(height_, 1), prompt_);
    paintReadOut(dc);
}

}  // namespace tools
