// Rubber bands.
#include "tools/Tracker.h"

#include <cmath>

#include "ui/DrawContext.h"

namespace tools {

void Tracker::begin(views::ViewWindow& view, const ViewPoint& p, Gesture gesture)
{
    view_ = &view;
    gesture_ = gesture;
    start_ = end_ = p;
    if (view.native) {
        view.native->confinePointer(true);
    }
}

void Tracker::move(const ViewPoint& p)
{
    if (!view_) {
        return;
    }
    drawFigure();
    end_ = p;
    drawFigure();
}

bool Tracker::end(ViewPoint& start, ViewPoint& end, Gesture& gesture)
{
    if (!view_) {
        return false;
    }
    drawFigure();
    if (view_->native) {
        view_->native->confinePointer(false);
    }
    start = start_;
    end = end_;
    gesture = gesture_;
    gesture_ = Gesture::Click;
    view_ = nullptr;
    return true;
}

void Tracker::restore(views::ViewWindow& view)
{
    if (view_ == &view) {
        drawFigure();
    }
}

void Tracker::drawFigure()
{
    ui::DrawContext* dc = view_->drawContext();
    if (!dc || gesture_ == Gesture::Click) {
        return;
    }
    ui::PixelPoint a = view_->viewToPixel(start_);
    ui::PixelPoint b = view_->viewToPixel(end_);
    if (a.x == b.x && a.y == b.y) {
        // A figure of no size sets no pixel (the first move takes away the
        // figure that begin never drew). Decided before XOR goes on, which
        // would otherwise stay on for every later paint of the view.
        return;
    }
    dc->setXorMode(true);
    dc->setPen(ui::penAlternate, ui::rgb(128, 128, 128));
    switch (gesture_) {
    case Gesture::Click:
        break;
    case Gesture::Line:
        dc->moveTo(a.x, a.y);
        dc->lineTo(b.x, b.y);
        break;
    case Gesture::Rectangle:
        ui::rectOutline(*dc, a.x, a.y, b.x, b.y);
        break;
    case Gesture::Circle: {
        double metres = std::hypot(end_.u - start_.u, end_.v - start_.v);
        dc->circle(a.x, a.y, view_->pixelLength(metres));
        break;
    }
    }
    dc->setXorMode(false);
}

}  // namespace tools
