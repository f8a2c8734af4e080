// The 3-D view window's events.
#include "app/View3DProjection.h"

#include "views/ViewWindow.h"

namespace app {

bool View3DProjection::paint(views::ViewWindow& window, ui::DrawContext& dc)
{
    if (window.native) {
        view.paint(*window.native, dc);
    }
    return true;
}

bool View3DProjection::onMouseDown(views::ViewWindow& window, const ui::MouseEvent& e)
{
    if (!window.native) {
        return true;
    }
    view.pointerMoved(e);
    if (e.button == ui::MouseButton::Left) {
        view.leftDown(*window.native, e);
    } else if (e.button == ui::MouseButton::Right) {
        view.menu(*window.native, e.x, e.y);
    }
    return true;
}

bool View3DProjection::onMouseMove(views::ViewWindow&, const ui::MouseEvent& e)
{
    view.pointerMoved(e);
    return true;
}

bool View3DProjection::onMouseUp(views::ViewWindow& window, const ui::MouseEvent& e)
{
    if (e.button == ui::MouseButton::Left && window.native) {
        view.leftUp(*window.native);
    }
    return true;
}

bool View3DProjection::onCaptureLost(views::ViewWindow& window)
{
    if (window.native) {
        view.leftUp(*window.native);
    }
    return true;
}

bool View3DProjection::onTimer(views::ViewWindow& window, int id)
{
    if (id == scene3d::gl::View3D::navigationTimer && view.navigating() && window.native) {
        view.timerStep(*window.native);
    }
    return true;
}

bool View3DProjection::onWheel(views::ViewWindow& window, int delta)
{
    if (window.native) {
        view.wheel(*window.native, delta);
    }
    return true;
}

}  // namespace app
