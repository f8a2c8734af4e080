// A view of a model as a picture, zoomed to the model's extents, painted by
// the same code as the program's windows (`kcad render`, picture tests).
#pragma once

#include "model/Document.h"
#include "ui/Canvas.h"
#include "views/Line2D.h"

namespace views {

struct PictureRequest {
    int viewId = 0;  // views::viewId
    int width = 800;
    int height = 600;
    // The axonometric view's angles (degrees).
    double xAngle = 18.0;
    double yAngle = 42.0;
    // The auxiliary view's base line, from p1 to p2.
    Point2D baseFrom{0.0, 0.0};
    Point2D baseTo{1.0, 1.0};
    // Free pixels left and right, above and below the model (0: the exact
    // fit of the program's windows, where outlines on the edge touch it).
    int marginX = 0;
    int marginY = 0;
};

// Paints the picture onto the canvas (resized to the request). False, with
// nothing painted, for the 3-D view or a base line of no length.
bool paintPicture(model::Document& doc, const PictureRequest& request, ui::Canvas& canvas);

}  // namespace views
