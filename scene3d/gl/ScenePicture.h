// The 3-D view of a model as one picture, drawn on any GL surface (off
// screen for `kcad render`): from the scene build's camera or another one.
#pragma once

#include <optional>
#include <string>

#include "model/Document.h"
#include "ui/GlSurface.h"

namespace scene3d::gl {

struct CameraRequest {
    // Both or neither: the eye and the point it looks at.
    std::optional<geometry::X3DPoint> position;
    std::optional<geometry::X3DPoint> target;
    // Degrees; the scene build's 45 when not given.
    std::optional<double> fieldOfView;
};

// Draws the document's scene on the surface, w by h pixels (the surface is
// already that size). Another camera keeps the scene's up vector and gets
// planes fitted to the model and the eye. False with `failure` when the
// surface cannot draw or the camera could not make a picture.
bool drawScenePicture(model::Document& doc, ui::GlSurface& surface, int width, int height, const CameraRequest& camera,
                      std::string& failure);

}  // namespace scene3d::gl
