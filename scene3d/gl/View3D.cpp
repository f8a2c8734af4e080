// The 3-D view's paint, navigation, wheel and menu.
#include "scene3d/gl/View3D.h"

#include "scene3d/SceneBuilder.h"
#include "ui/GlSurface.h"
#include "ui/Platform.h"

namespace scene3d::gl {

namespace {

ui::Colour toColour(const X3DColor& c)
{
    auto byte = [](float v) { return static_cast<unsigned>(v <= 0.0f ? 0 : v >= 1.0f ? 255 : v * 255.0f + 0.5f); };
    return ui::rgb(byte(c.r), byte(c.g), byte(c.b));
}

}  // namespace

X3DViewPoint& View3D::camera()
{
    X3DScene& scene = sceneOf(doc_);
    if (scene.viewpoints.empty()) {
        scene.addNode(std::make_unique<X3DViewPoint>());
    }
    return scene.currentView();
}

void View3D::paint(ui::NativeWindow& window, ui::DrawContext& dc)
{
    X3DScene& scene = sceneOf(doc_);
    int width = window.clientWidth();
    int height = window.clientHeight();
    ui::GlSurface* surface = window.glSurface();
    if (surface) {
        // The frame fills the surface's device pixels.
        double ratio = surface->pixelRatio();
        drawn_ = renderer.display(scene, *surface, static_cast<int>(width * ratio + 0.5),
                                  static_cast<int>(height * ratio + 0.5));
    } else {
        drawn_ = false;
    }
    if (drawn_) {
        toldUnavailable_ = false;
        failure_.clear();
        return;
    }
    failure_ = surface ? renderer.failure() : std::string("the window has no OpenGL surface");
    ui::Colour sky = toColour(scene.background.skyColor);
    dc.setPen(ui::penSolid, sky);
    dc.setBrush(-1, sky);
    dc.rectangle(0, 0, width, height);
    if (!toldUnavailable_) {
        toldUnavailable_ = true;
        ui::showStatus("3-D drawing is not available" + (failure_.empty() ? std::string() : ": " + failure_));
    }
}

void View3D::leftDown(ui::NativeWindow& window, const ui::MouseEvent& e)
{
    pointer_ = e;
    navigating_ = true;
    window.startTimer(navigationTimer, navigationPeriod);
}

void View3D::leftUp(ui::NativeWindow& window)
{
    navigating_ = false;
    window.killTimer(navigationTimer);
}

void View3D::timerStep(ui::NativeWindow& window)
{
    ui::MouseEvent now = pointer_;
    if (window.pointerNow(now)) {
        pointer_.shift = now.shift;
    }
    int dx = now.x - window.clientWidth() / 2;
    int dy = now.y - window.clientHeight() / 2;
    if (navigationStep(camera(), mode, dx, dy, now.shift)) {
        window.invalidate();
    }
}

void View3D::wheel(ui::NativeWindow& window, int delta)
{
    if (wheelStep(camera(), mode, delta)) {
        window.invalidate();
    }
}

void View3D::menu(ui::NativeWindow& window, int x, int y)
{
    ui::PopupMenu items = {{"Study", mode == Study}, {"Explore", mode == Explore}, {"", false}, {"Home", false}};
    int chosen = window.popupMenu(items, x, y);
    if (chosen == 1) {
        mode = Explore;
    } else if (chosen == 3) {
        goHome(camera(), doc_);
    } else {
        mode = Study;  // Study, or the menu dismissed
    }
    window.invalidate();
}

}  // namespace scene3d::gl
