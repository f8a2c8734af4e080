// The camera of the 3-D view: the perspective and look-at matrices of a
// viewpoint, whether a camera can be drawn at all, and the navigation that
// moves it (timer steps, wheel, Home).
#pragma once

#include "model/Document.h"
#include "scene3d/X3DEnvironment.h"

namespace scene3d::gl {

// Navigation modes of the 3-D view.
constexpr unsigned Study = 0;    // orbit around the target
constexpr unsigned Explore = 1;  // look around from the eye

// A camera that makes a picture: finite, the eye away from the target and
// the view direction not along the up vector.
bool isSoundCamera(const geometry::X3DPoint& position, const geometry::X3DPoint& target, const geometry::X3DVector& up);

// Column-major 4x4 matrices, as OpenGL loads them.
// The perspective projection of a vertical field of view (degrees).
void perspectiveMatrix(double fieldOfView, double aspect, double nearPlane, double farPlane, double out[16]);
// The view from `eye` towards `target` with `up` upwards; false (and the
// identity) for a camera that is not sound.
bool lookAtMatrix(const geometry::X3DPoint& eye, const geometry::X3DPoint& target, const geometry::X3DVector& up,
                  double out[16]);

// Fills the viewpoint's projection and modelview matrices and its viewport
// for a window of w by h pixels. An unsound camera looks from one metre
// south of its target instead, so that a frame never holds NaNs.
void setupProjection(X3DViewPoint& view, int width, int height);

// One step of navigation with the pointer at (dx, dy) from the centre of the
// window (y down): Shift pans by a metre; otherwise Study turns the eye about
// the target and Explore the target about the eye, a degree a step, tilting
// no further than 89 degrees. False, with the camera unchanged, when nothing
// moved or the step would leave a camera that is not sound.
bool navigationStep(X3DViewPoint& view, unsigned mode, int dx, int dy, bool shift);

// A wheel turn of `delta` (120 a notch): Explore moves eye and target a
// hundredth of their distance per notch; Study narrows the field of view by
// 2 degrees a notch, keeping it above 0 and below 150. False when unchanged.
bool wheelStep(X3DViewPoint& view, unsigned mode, int delta);

// The scene build's camera for the model as it is now, with a field of view
// of 45 degrees; up vector and planes stay. False, with the camera
// unchanged, for a model with nothing in it (or no sound camera).
bool goHome(X3DViewPoint& view, const model::Document& doc);

}  // namespace scene3d::gl
