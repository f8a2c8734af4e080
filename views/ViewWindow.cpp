// View-window geometry and events.
#include "views/ViewWindow.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/Platform.h"
#include "views/ViewPainting.h"
#include "views/ViewSet.h"
#include <cstdlib>

namespace views {

namespace {

// Pixels far outside any window are pinned here, so that extreme zooms
// never overflow the pixel type; lines to them still point the right way
// for everything on screen.
constexpr double pixelLimit = 1 << 24;

int toPixelCoordinate(double x)
{
    if (!(x > -pixelLimit)) {
        return -static_cast<int>(pixelLimit);
    }
    if (x > pixelLimit) {
        return static_cast<int>(pixelLimit);
    }
    return static_cast<int>(x);  // truncation towards zero
}

}  // namespace

int nearest(double x)
{
    double r = x + (x < 0 ? -0.5 : 0.5);
    return toPixelCoordinate(r);
}

ViewPoint snapToGrid(const ViewPoint& q, double step)
{
    return {std::floor((q.u + step / 2) / step) * step, std::floor((q.v + step / 2) / step) * step};
}

ViewWindow::ViewWindow(ViewSet& views, std::unique_ptr<Projection> projection)
    : views_(views), projection_(std::move(projection))
{
}

ViewPoint ViewWindow::pixelToView(ui::PixelPoint p) const
{
    return {anchor_.u + (p.x - pixelCentre_.x - shift_.x) * metresPerPixel_,
            anchor_.v + (pixelCentre_.y + shift_.y - p.y) * metresPerPixel_};
}

ui::PixelPoint ViewWindow::viewToPixel(const ViewPoint& q) const
{
    if (metresPerPixel_ == 0.0) {
        return pixelCentre_;
    }
    return {pixelCentre_.x + shift_.x + toPixelCoordinate((q.u - anchor_.u) / metresPerPixel_),
            pixelCentre_.y + shift_.y - toPixelCoordinate((q.v - anchor_.v) / metresPerPixel_)};
}

bool ViewWindow::frame(model::ViewFrame& out) const
{
    if (placement || !projection_->linearAxes(out.axes) || !(metresPerPixel_ > 0.0)) {
        return false;
    }
    out.metresPerPixel = metresPerPixel_;
    out.origin = pixelToView({0, 0});
    // Beyond the pixels where far points are pinned, less the pans.
    out.pixelReach = 1 << 22;
    return true;
}

ui::PixelPoint ViewWindow::toPixel(const X3DPoint& p) const
{
    return viewToPixel(projection_->toView(placement ? placement->apply(p) : p));
}

int ViewWindow::pixelLength(double metres) const
{
    return metresPerPixel_ == 0.0 ? 0 : nearest(metres / metresPerPixel_);
}

ViewPoint ViewWindow::visibleSize() const
{
    return {width_ * metresPerPixel_, height_ * metresPerPixel_};
}

void ViewWindow::setScale(double s)
{
    if (!(s >= 0.001)) {
        s = 0.001;
        ui::errorBox("Scale too big");
    }
    metresPerPixel_ = s;
    reanchor();
}

void ViewWindow::reanchor()
{
    anchor_ = centre_;
    shift_ = {0, 0};
}

void ViewWindow::showCentreOnBars()
{
    if (native) {
        native->setScrollPosition(ui::ScrollBar::Horizontal, nearest(centre_.u));
        native->setScrollPosition(ui::ScrollBar::Vertical, nearest(centre_.v));
    }
}

void ViewWindow::setCentre(const ViewPoint& c)
{
    centre_ = c;
    reanchor();
    showCentreOnBars();
}

void ViewWindow::setExtents(const ViewPoint& min, const ViewPoint& max)
{
    ranges_[0] = {nearest(min.u), nearest(max.u)};
    ranges_[1] = {nearest(min.v), nearest(max.v)};
    if (native) {
        native->setScrollRange(ui::ScrollBar::Horizontal, ranges_[0].minimum, ranges_[0].maximum);
        native->setScrollRange(ui::ScrollBar::Vertical, ranges_[1].minimum, ranges_[1].maximum);
    }
    setCentre({(min.u + max.u) / 2, (min.v + max.v) / 2});
    if (native) {
        native->setScrollPosition(ui::ScrollBar::Horizontal, (ranges_[0].minimum + ranges_[0].maximum) / 2);
        native->setScrollPosition(ui::ScrollBar::Vertical, (ranges_[1].minimum + ranges_[1].maximum) / 2);
    }
}

bool ViewWindow::zoomToRect(const ViewPoint& p, const ViewPoint& q, bool quiet)
{
    double w = std::fabs(q.u - p.u);
    double h = std::fabs(q.v - p.v);
    ViewPoint size = visibleSize();
    double sx = size.u != 0.0 ? metresPerPixel_ * w / size.u : 0.0;
    double sy = size.v != 0.0 ? metresPerPixel_ * h / size.v : 0.0;
    double s = std::max(sx, sy);
    if (!(s > 0.0)) {
        return false;
    }
    setScale(quiet ? std::max(s, 0.001) : s);
    setCentre({(p.u + q.u) / 2, (p.v + q.v) / 2});
    return true;
}

void ViewWindow::zoomToExtents(int marginX, int marginY)
{
    X3DPoint min;
    X3DPoint max;
    if (!views_.document.bounds(min, max)) {
        setScale(0.05);
        setCentre({0.0, 0.0});
    } else {
        ViewPoint p = projection_->toView(min);
        ViewPoint q = projection_->toView(max);
        if (marginX > 0 || marginY > 0) {
            // Widen the rectangle so that, once fitted, the margins are free.
            int w = std::max(1, width_ - 2 * marginX);
            int h = std::max(1, height_ - 2 * marginY);
            ViewPoint lo{std::min(p.u, q.u), std::min(p.v, q.v)};
            ViewPoint hi{std::max(p.u, q.u), std::max(p.v, q.v)};
            double s = std::max((hi.u - lo.u) / w, (hi.v - lo.v) / h);
            p = {lo.u - marginX * s, lo.v - marginY * s};
            q = {hi.u + marginX * s, hi.v + marginY * s};
        }
        // Showing the whole model is the program's own choice of scale: a
        // model smaller than the finest scale is shown at that scale, not
        // with a message for every view.
        zoomToRect(p, q, true);
    }
    repaint();
}

void ViewWindow::wheelZoom(int delta, const ui::PixelPoint* pointer)
{
    double s = metresPerPixel_ * (delta > 0 ? 0.9 : 1.1);
    if (s >= 0.001 && s < 10.0) {
        if (pointer) {
            // The point under the pointer stays where it is: the centre
            // moves towards it by as much as the scale shrinks.
            ViewPoint fixed = pixelToView(*pointer);
            double k = s / metresPerPixel_;
            setCentre({fixed.u - (fixed.u - centre_.u) * k, fixed.v - (fixed.v - centre_.v) * k});
        }
        metresPerPixel_ = s;
        reanchor();
        repaint();
    }
}

namespace {

// Pans further than this from where the mapping started begin it afresh,
// so that pixels stay far from the limits of their type.
constexpr int maxShift = 1 << 20;

}  // namespace

void ViewWindow::panBy(int dx, int dy)
{
    if (dx == 0 && dy == 0) {
        return;
    }
    bool shown = native && native->isVisible();
    std::vector<ui::PixelRect> parts;
    if (shown) {
        parts = gridSeams(*this);
        // What the tools keep drawn over the picture (a rubber band, a trail
        // of points) goes while the mapping is still the old one, and comes
        // back once the picture is painted.
        if (views_.input) {
            views_.input->hideOverlays(*this);
        }
    }
    shift_.x += dx;
    shift_.y += dy;
    centre_ = {anchor_.u - shift_.x * metresPerPixel_, anchor_.v + shift_.y * metresPerPixel_};
    showCentreOnBars();
    bool far = std::abs(shift_.x) > maxShift || std::abs(shift_.y) > maxShift;
    if (far) {
        reanchor();
    }
    if (!shown) {
        return;
    }
    if (far || std::abs(dx) >= width_ || std::abs(dy) >= height_) {
        repaint();
        return;
    }
    ui::ScrollResult moved = native->scrollContents(dx, dy);
    if (moved == ui::ScrollResult::Unsupported) {
        repaint();
        return;
    }
    // Pending: the whole picture is to be painted anyway, and its paint
    // brings back what the tools keep drawn.
    if (moved != ui::ScrollResult::Done) {
        return;
    }
    // The seams of the grid where they were, carried along by the move, and
    // where they are now.
    for (ui::PixelRect& r : parts) {
        r = ui::PixelRect::fromSize(r.left + dx, r.top + dy, r.width(), r.height());
    }
    std::vector<ui::PixelRect> now = gridSeams(*this);
    parts.insert(parts.end(), now.begin(), now.end());
    if (dx > 0) {
        parts.push_back(ui::PixelRect::fromSize(0, 0, dx, height_));
    } else if (dx < 0) {
        parts.push_back(ui::PixelRect::fromSize(width_ + dx, 0, -dx, height_));
    }
    if (dy > 0) {
        parts.push_back(ui::PixelRect::fromSize(0, 0, width_, dy));
    } else if (dy < 0) {
        parts.push_back(ui::PixelRect::fromSize(0, height_ + dy, width_, -dy));
    }
    paintParts(parts);
    if (views_.input) {
        views_.input->painted(*this);
    }
}

void ViewWindow::centreOn(ui::PixelPoint p)
{
    panBy(pixelCentre_.x - p.x, pixelCentre_.y - p.y);
}

void ViewWindow::paintParts(const std::vector<ui::PixelRect>& parts)
{
    std::vector<ui::PixelRect> inside;
    for (const ui::PixelRect& r : parts) {
        ui::PixelRect c;
        c.left = std::max(r.left, 0);
        c.top = std::max(r.top, 0);
        c.right = std::min(r.right, width_);
        c.bottom = std::min(r.bottom, height_);
        if (c.left < c.right && c.top < c.bottom) {
            inside.push_back(c);
        }
    }
    if (inside.empty()) {
        return;
    }
    if (!scratch_) {
        scratch_ = ui::makeCanvas();
    }
    if (!scratch_) {
        repaint();
        return;
    }
    if (scratch_->width() != width_ || scratch_->height() != height_) {
        scratch_->resize(width_, height_);
    }
    paintViewParts(*this, *scratch_, inside);
    for (const ui::PixelRect& r : inside) {
        scratch_->copyTo(native->drawContext(), r);
    }
}

void ViewWindow::repaint()
{
    redraw();
}

ui::DrawContext* ViewWindow::drawContext() const
{
    return native ? &native->drawContext() : nullptr;
}

void ViewWindow::onPaint(ui::DrawContext& dc)
{
    if (projection_->paint(*this, dc)) {
        return;
    }
    paintView(*this, dc);
    if (views_.input) {
        views_.input->painted(*this);
    }
}

void ViewWindow::onSize(int width, int height)
{
    width_ = width;
    height_ = height;
    pixelCentre_ = {width / 2, height / 2};
    reanchor();
}

void ViewWindow::onMouseDown(const ui::MouseEvent& e)
{
    if (projection_->onMouseDown(*this, e)) {
        return;
    }
    switch (e.button) {
    case ui::MouseButton::Left:
        if (views_.input) {
            views_.input->leftDown(*this, e);
        }
        break;
    case ui::MouseButton::Right:
        if (!views_.input || !views_.input->rightDown(*this, e)) {
            projection_->onRightClick(*this, {e.x, e.y});
        }
        break;
    case ui::MouseButton::Middle:
        // Panning: the drawing follows the pointer while the button is held.
        if (native) {
            native->confinePointer(true);
            native->setCursor(ui::Cursor::Move);
        }
        panning_ = true;
        panFrom_ = {e.x, e.y};
        break;
    default:
        break;
    }
}

void ViewWindow::onMouseMove(const ui::MouseEvent& e)
{
    if (projection_->onMouseMove(*this, e)) {
        return;
    }
    if (views_.input) {
        views_.input->mouseMove(*this, e);
    }
    if (panning_) {
        if (native) {
            native->setCursor(ui::Cursor::Move);
        }
        int dx = e.x - panFrom_.x;
        int dy = e.y - panFrom_.y;
        panFrom_ = {e.x, e.y};
        panBy(dx, dy);
    }
}

void ViewWindow::onMouseUp(const ui::MouseEvent& e)
{
    if (projection_->onMouseUp(*this, e)) {
        return;
    }
    if (e.button == ui::MouseButton::Middle) {
        endPan();
    } else if (e.button == ui::MouseButton::Left && views_.input) {
        views_.input->leftUp(*this, e);
    }
}

void ViewWindow::endPan()
{
    if (!panning_) {
        return;
    }
    panning_ = false;
    if (native) {
        native->setCursor(ui::Cursor::Arrow);
        native->confinePointer(false);
    }
}

void ViewWindow::onCaptureLost()
{
    if (projection_->onCaptureLost(*this)) {
        return;
    }
    endPan();
    if (views_.input) {
        views_.input->cancel(*this);
    }
}

void ViewWindow::onWheel(int delta, const ui::MouseEvent& e)
{
    if (!projection_->onWheel(*this, delta)) {
        ui::PixelPoint pointer{e.x, e.y};
        bool atPointer = views_.zoomAtPointer && views_.zoomAtPointer();
        wheelZoom(delta, atPointer ? &pointer : nullptr);
    }
}

void ViewWindow::onScroll(ui::ScrollBar bar, ui::ScrollRequest request, int position)
{
    using ui::ScrollRequest;
    bool horizontal = bar == ui::ScrollBar::Horizontal;
    double half = horizontal ? visibleSize().u / 2 : -visibleSize().v / 2;
    double value = horizontal ? centre_.u : centre_.v;
    const ScrollRange& range = ranges_[horizontal ? 0 : 1];
    // Lines and pages move by whole pixels (the nearest to a tenth of half
    // the view, or half of it), so that the picture moves with them.
    double step = 0.0;
    switch (request) {
    case ScrollRequest::LineUp:
        step = -0.1 * half;
        break;
    case ScrollRequest::LineDown:
        step = 0.1 * half;
        break;
    case ScrollRequest::PageUp:
        step = -half;
        break;
    case ScrollRequest::PageDown:
        step = half;
        break;
    case ScrollRequest::Thumb:
        value = position;
        break;
    case ScrollRequest::Top:
        value = range.minimum;
        break;
    case ScrollRequest::Bottom:
        value = range.maximum;
        break;
    case ScrollRequest::End:
        if (scrollRepaint_) {
            scrollRepaint_ = false;
            repaint();
        }
        return;
    case ScrollRequest::ThumbTrack:
        return;  // nothing moves until the thumb is let go
    }
    double low = range.minimum;
    double high = range.maximum;
    if (step != 0.0 && metresPerPixel_ > 0.0) {
        int pixels = nearest(step / metresPerPixel_);
        double moved = value + pixels * metresPerPixel_;
        if (moved >= low && moved <= high) {
            if (horizontal) {
                panBy(-pixels, 0);
            } else {
                panBy(0, pixels);
            }
            return;
        }
        value += step;
    }
    value = std::clamp(value, low, high);
    setCentre(horizontal ? ViewPoint{value, centre_.v} : ViewPoint{centre_.u, value});
    scrollRepaint_ = true;
}

void ViewWindow::onDropFiles(const std::vector<std::string>& files)
{
    if (views_.dropFiles) {
        views_.dropFiles(files);
    }
}

bool ViewWindow::onKey(const ui::KeyEvent&)
{
    return false;  // the frame's keys
}

bool ViewWindow::onClose()
{
    if (views_.hideView) {
        views_.hideView(command_);
    }
    return false;
}

}  // namespace views
