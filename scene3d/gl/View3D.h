// The 3-D view's behaviour: a frame of the document's scene at every paint,
// navigation while the left button is held (a step every 20 ms, by where the
// pointer is), the wheel, and the right-button menu (Study, Explore, Home).
#pragma once

#include "model/Document.h"
#include "scene3d/gl/Camera.h"
#include "scene3d/gl/GlRenderer.h"
#include "ui/DrawContext.h"
#include "ui/Window.h"

namespace scene3d::gl {

class View3D {
public:
    explicit View3D(model::Document& doc) : doc_(doc) {}

    static constexpr int navigationTimer = 1;
    static constexpr int navigationPeriod = 20;  // milliseconds

    unsigned mode = Study;

    // The scene on the window's OpenGL surface. A window without one, or
    // whose context cannot be made, is filled with the background colour,
    // and the status line says once that 3-D drawing is not available.
    void paint(ui::NativeWindow& window, ui::DrawContext& dc);
    // Whether the last paint drew the scene, and why not.
    bool drawn() const { return drawn_; }
    const std::string& failure() const { return failure_; }

    // The left button starts the navigation timer, letting it go stops it.
    void leftDown(ui::NativeWindow& window, const ui::MouseEvent& e);
    void leftUp(ui::NativeWindow& window);
    void pointerMoved(const ui::MouseEvent& e) { pointer_ = e; }
    bool navigating() const { return navigating_; }
    // One step by the pointer's place against the window's centre; the
    // window repaints when the camera moved.
    void timerStep(ui::NativeWindow& window);
    void wheel(ui::NativeWindow& window, int delta);
    // The menu at a client pixel, and what its choice does.
    void menu(ui::NativeWindow& window, int x, int y);

    // The camera: the current viewpoint of the document's scene (built
    // first when needed).
    X3DViewPoint& camera();

    GlRenderer renderer;

private:
    model::Document& doc_;
    ui::MouseEvent pointer_;
    bool navigating_ = false;
    bool drawn_ = false;
    bool toldUnavailable_ = false;
    std::string failure_;
};

}  // namespace scene3d::gl
