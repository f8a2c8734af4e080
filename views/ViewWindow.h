// A two-dimensional view window: its projection, the mapping of the view
// plane (metres) onto pixels (centre and scale), zooming, scrolling and
// panning, and its events. Painting is in ViewPainting, tools get the left
// and right button through the view set's input handler.
#pragma once

#include <memory>
#include <vector>

#include "model/ViewMapping.h"
#include "ui/Canvas.h"
#include "ui/Window.h"
#include "views/Placement.h"
#include "views/Projection.h"

namespace views {

class ViewSet;

class ViewWindow final : public ui::Window, public model::ViewMapping {
public:
    ViewWindow(ViewSet& views, std::unique_ptr<Projection> projection);

    Projection& projection() const { return *projection_; }
    ViewSet& views() const { return views_; }
    // The menu command that shows and hides the view (the frame's to give).
    int command() const { return command_; }
    void setCommand(int command) { command_ = command; }
    bool is(int id) const { return projection_->viewId() == id; }

    // The mapping.
    ViewPoint pixelToView(ui::PixelPoint p) const;
    ui::PixelPoint viewToPixel(const ViewPoint& q) const;
    ViewPoint toView(const X3DPoint& p) const override { return projection_->toView(p); }
    // Through the placement while one is set (a source's loudspeaker).
    ui::PixelPoint toPixel(const X3DPoint& p) const override;
    X3DPoint toWorld(const ViewPoint& q, double depth) const override { return projection_->toWorld(q, depth); }
    X3DVector direction() const override { return projection_->direction(); }
    // The linear views tell the model's index how they map (not while a
    // placement is set).
    bool frame(model::ViewFrame& out) const override;
    // Metres to whole pixels, halves away from zero.
    int pixelLength(double metres) const;
    // The window's extent in metres.
    ViewPoint visibleSize() const;

    double scale() const { return metresPerPixel_; }
    // Never below 1 mm a pixel: smaller asks say "Scale too big".
    void setScale(double metresPerPixel);
    const ViewPoint& centre() const { return centre_; }
    // Moves the centre and both scroll bars.
    void setCentre(const ViewPoint& c);
    ui::PixelPoint pixelCentre() const { return pixelCentre_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // Fits the rectangle in the tighter direction; false when it is empty
    // or the window has no size. Finer than 1 mm a pixel says "Scale too
    // big" (stays at 1 mm quietly when asked to be quiet).
    bool zoomToRect(const ViewPoint& p, const ViewPoint& q, bool quiet = false);
    // Fits the model (with the base map while it is shown), or 0.05 m a
    // pixel at the origin for an empty model; then repaints. A margin keeps
    // that many pixels free on either side (pictures); windows keep one, so
    // that the model's far edges fall on the last pixels and not one beyond.
    void zoomToExtents(int marginX = 1, int marginY = 1);
    // The scroll bars' ranges; the centre goes to the middle.
    void setExtents(const ViewPoint& min, const ViewPoint& max);
    // Zoom in by a wheel turn up, out by one down, within 1 mm to 10 m a
    // pixel; about the centre, or keeping the point under the pointer fixed.
    void wheelZoom(int delta, const ui::PixelPoint* pointer = nullptr);
    // Moves the drawing by whole pixels (right and down): the picture is
    // shifted and only the strips it uncovers are painted, with the same
    // result as painting it all.
    void panBy(int dx, int dy);
    // The drawing moves so that the pixel comes to the middle of the view.
    void centreOn(ui::PixelPoint p);

    const Placement* placement = nullptr;

    // Paints the whole view again soon.
    void repaint();
    ui::DrawContext* drawContext() const;

    // ui::Window
    void onPaint(ui::DrawContext& dc) override;
    void onSize(int width, int height) override;
    void onMouseDown(const ui::MouseEvent& e) override;
    void onMouseMove(const ui::MouseEvent& e) override;
    void onMouseUp(const ui::MouseEvent& e) override;
    void onWheel(int delta, const ui::MouseEvent& e) override;
    void onScroll(ui::ScrollBar bar, ui::ScrollRequest request, int position) override;
    void onTimer(int id) override { projection_->onTimer(*this, id); }
    void onCaptureLost() override;
    void onDropFiles(const std::vector<std::string>& files) override;
    bool onKey(const ui::KeyEvent& key) override;
    bool onClose() override;

private:
    struct ScrollRange {
        int minimum = 0;
        int maximum = 0;
    };
    void endPan();
    // The mapping starts afresh from the centre (the picture is then
    // painted whole).
    void reanchor();
    void showCentreOnBars();
    // Paints these parts of the picture as a whole paint would.
    void paintParts(const std::vector<ui::PixelRect>& parts);

    ViewSet& views_;
    std::unique_ptr<Projection> projection_;
    int command_ = 0;
    int width_ = 0;
    int height_ = 0;
    ui::PixelPoint pixelCentre_;
    ViewPoint centre_;
    double metresPerPixel_ = 1.0;
    // Pans move the drawing by whole pixels: points are mapped from the
    // centre the mapping started from (anchor_), then shifted by the pixels
    // panned since (shift_), so that every point moves by exactly as many
    // pixels as the picture does. centre_ is anchor_ less the shift.
    ViewPoint anchor_;
    ui::PixelPoint shift_;
    ScrollRange ranges_[2];
    bool panning_ = false;
    ui::PixelPoint panFrom_;
    bool scrollRepaint_ = false;  // a scroll request that moved by less than whole pixels
    std::unique_ptr<ui::Canvas> scratch_;
};

// Whole pixels from a length in pixels: halves away from zero.
int nearest(double x);

// To the nearest multiple of the step, halves upwards.
ViewPoint snapToGrid(const ViewPoint& q, double step);

}  // namespace views
