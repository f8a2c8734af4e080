// Macro-script statements of the 3-D view: holding the left button for a
// number of navigation steps, the right-button menu, and the camera.
#include <cmath>
#include <cstdio>

#include "app/Application.h"
#include "app/MacroScript.h"
#include "textio/RealFormat.h"
#include "ui/headless/HeadlessPlatform.h"
#include "views/ViewWindow.h"

namespace app {

namespace {

scene3d::gl::View3D* view3DOf(views::ViewWindow& view)
{
    auto* projection = dynamic_cast<View3DProjection*>(&view.projection());
    return projection ? &projection->view : nullptr;
}

bool parsePoint3(const std::string& word, geometry::X3DPoint& p)
{
    std::size_t a = word.find(',');
    std::size_t b = a == std::string::npos ? a : word.find(',', a + 1);
    return b != std::string::npos && textio::parseReal(word.substr(0, a), p.x) &&
           textio::parseReal(word.substr(a + 1, b - a - 1), p.y) && textio::parseReal(word.substr(b + 1), p.z);
}

std::string describe(const geometry::X3DPoint& p)
{
    char text[100];
    std::snprintf(text, sizeof text, "%.6f,%.6f,%.6f", p.x, p.y, p.z);
    return text;
}

// Camera figures are compared to the millimetre (and the thousandth of a
// degree): enough to tell one navigation step from another.
constexpr double cameraTolerance = 1e-3;

bool near(const geometry::X3DPoint& a, const geometry::X3DPoint& b)
{
    return std::fabs(a.x - b.x) <= cameraTolerance && std::fabs(a.y - b.y) <= cameraTolerance &&
           std::fabs(a.z - b.z) <= cameraTolerance;
}

}  // namespace

bool MacroRunner::view3DStatement(const std::vector<std::string>& w, std::string& reason)
{
    const std::string& verb = w[0];
    views::ViewWindow* view = w.size() >= 2 ? viewNamed(w[1], reason) : nullptr;
    if (w.size() < 2) {
        reason = verb + " needs the 3-D view";
    }
    if (!view) {
        return false;
    }
    scene3d::gl::View3D* view3d = view3DOf(*view);
    auto* native = static_cast<ui::headless::HeadlessWindow*>(view->native);
    if (!view3d || !native) {
        reason = verb + " works in the 3-D view only";
        return false;
    }
    if (verb == "menu") {
        if (w.size() != 3) {
            reason = "menu 3DView Study|Explore|Home|none";
            return false;
        }
        std::size_t before = platform_.menuAnswers.size();
        platform_.queueMenu(w[2] == "none" ? std::string() : w[2]);
        ui::MouseEvent e;
        e.x = native->clientWidth() / 2;
        e.y = native->clientHeight() / 2;
        e.button = ui::MouseButton::Right;
        view->onMouseDown(e);
        view->onMouseUp(e);
        if (platform_.menuAnswers.size() > before) {
            platform_.menuAnswers.pop_back();
            reason = "the view showed no menu";
            return false;
        }
        return true;
    }
    long long x = 0;
    long long y = 0;
    long long steps = 0;
    bool shift = w.size() == 6 && w[5] == "shift";
    if ((w.size() != 5 && !shift) || !textio::parseInt(w[2], x) || !textio::parseInt(w[3], y) ||
        !textio::parseInt(w[4], steps) || steps < 0 || steps > 100000) {
        reason = "hold 3DView X Y STEPS [shift], STEPS from 0 to 100000";
        return false;
    }
    ui::MouseEvent e;
    e.x = static_cast<int>(x);
    e.y = static_cast<int>(y);
    e.shift = shift;
    view->onMouseMove(e);
    e.button = ui::MouseButton::Left;
    view->onMouseDown(e);
    for (long long k = 0; k < steps; ++k) {
        if (!native->timerRunning(scene3d::gl::View3D::navigationTimer)) {
            reason = "the 3-D view runs no navigation timer while the button is held";
            return false;
        }
        view->onTimer(scene3d::gl::View3D::navigationTimer);
        // A frame between two steps, as the timer's rhythm leaves room for.
        native->paintIfDirty();
    }
    view->onMouseUp(e);
    if (native->timerRunning(scene3d::gl::View3D::navigationTimer)) {
        reason = "the navigation timer still runs after the button was let go";
        return false;
    }
    return true;
}

bool MacroRunner::expectCamera(const std::vector<std::string>& w, std::string& reason)
{
    geometry::X3DPoint position;
    geometry::X3DPoint target;
    double fov = 0.0;
    if (w.size() != 5 || !parsePoint3(w[2], position) || !parsePoint3(w[3], target) || !textio::parseReal(w[4], fov)) {
        reason = "expect camera X,Y,Z X,Y,Z FOV: the eye, the target and the field of view in degrees";
        return false;
    }
    scene3d::gl::View3D* view3d = view3DOf(app_.views.byId(views::viewId::View3D));
    if (!view3d) {
        reason = "the program has no 3-D view";
        return false;
    }
    const scene3d::X3DViewPoint& camera = view3d->camera();
    if (!near(camera.position, position) || !near(camera.target, target) ||
        !(std::fabs(camera.fieldOfView.degrees - fov) <= cameraTolerance)) {
        char degrees[40];
        std::snprintf(degrees, sizeof degrees, "%.6f", camera.fieldOfView.degrees);
        reason = "expected camera " + w[2] + " " + w[3] + " " + w[4] + ", got " + describe(camera.position) + " " +
                 describe(camera.target) + " " + degrees;
        return false;
    }
    return true;
}

bool MacroRunner::pictureDrawn(views::ViewWindow& view, std::string& reason)
{
    scene3d::gl::View3D* view3d = view3DOf(view);
    if (view3d && !view3d->drawn()) {
        reason = "the 3-D view drew no picture: " + view3d->failure();
        return false;
    }
    return true;
}

}  // namespace app
