// The OpenGL 3-D view in the frame's view set: the projection of the sixth
// view window, handing its paints, buttons, timer ticks and wheel to the
// 3-D view's behaviour.
#pragma once

#include "scene3d/gl/View3D.h"
#include "views/Projection.h"

namespace app {

class View3DProjection final : public views::View3D {
public:
    explicit View3DProjection(model::Document& doc) : view(doc) {}

    bool paint(views::ViewWindow& window, ui::DrawContext& dc) override;
    bool onMouseDown(views::ViewWindow& window, const ui::MouseEvent& e) override;
    bool onMouseMove(views::ViewWindow& window, const ui::MouseEvent& e) override;
    bool onMouseUp(views::ViewWindow& window, const ui::MouseEvent& e) override;
    bool onCaptureLost(views::ViewWindow& window) override;
    bool onTimer(views::ViewWindow& window, int id) override;
    bool onWheel(views::ViewWindow& window, int delta) override;

    scene3d::gl::View3D view;
};

}  // namespace app
