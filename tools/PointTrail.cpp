// The rubber band of collected points.
#include "tools/PointTrail.h"

#include "ui/DrawContext.h"
#include "views/ViewWindow.h"

namespace tools {

void PointTrail::show(views::ViewWindow& view, const std::vector<model::ViewPoint>& points)
{
    clear();
    view_ = &view;
    points_ = points;
    pixelsFromPoints();
    draw();
}

void PointTrail::clear()
{
    if (view_) {
        draw();
    }
    view_ = nullptr;
    points_.clear();
    xy_.clear();
}

void PointTrail::painted(views::ViewWindow& view)
{
    if (view_ != &view) {
        return;
    }
    // The view may have moved or zoomed: the figure is worked out again.
    pixelsFromPoints();
    draw();
}

void PointTrail::hide(views::ViewWindow& view)
{
    if (view_ == &view) {
        draw();
    }
}

void PointTrail::pixelsFromPoints()
{
    xy_.clear();
    for (const model::ViewPoint& p : points_) {
        ui::PixelPoint q = view_->viewToPixel(p);
        xy_.push_back(q.x);
        xy_.push_back(q.y);
    }
}

void PointTrail::draw() const
{
    ui::DrawContext* dc = view_->drawContext();
    if (!dc || xy_.empty()) {
        return;
    }
    dc->setXorMode(true);
    dc->setPen(ui::penAlternate, ui::rgb(128, 128, 128));
    if (xy_.size() == 2) {
        // One point: a small square round it.
        ui::rectOutline(*dc, xy_[0] - 3, xy_[1] - 3, xy_[0] + 3, xy_[1] + 3);
    } else {
        dc->polyline(xy_.data(), static_cast<int>(xy_.size() / 2));
    }
    dc->setXorMode(false);
}

}  // namespace tools
