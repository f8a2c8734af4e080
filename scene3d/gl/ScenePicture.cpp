// A picture of the 3-D view.
#include "scene3d/gl/ScenePicture.h"

#include "scene3d/SceneBuilder.h"
#include "scene3d/gl/Camera.h"
#include "scene3d/gl/GlRenderer.h"

namespace scene3d::gl {

bool drawScenePicture(model::Document& doc, ui::GlSurface& surface, int width, int height, const CameraRequest& camera,
                      std::string& failure)
{
    X3DScene& scene = sceneOf(doc);
    if (scene.viewpoints.empty()) {
        scene.addNode(std::make_unique<X3DViewPoint>());
    }
    X3DViewPoint& view = scene.currentView();
    if (camera.position && camera.target) {
        if (!isSoundCamera(*camera.position, *camera.target, view.up)) {
            failure = "the camera must stand away from its target and not look straight up or down";
            return false;
        }
        view.position = *camera.position;
        view.target = *camera.target;
        view.fit(4500.0 / camera.fieldOfView.value_or(45.0));
    } else if (camera.fieldOfView) {
        view.fieldOfView.setDegrees(*camera.fieldOfView);
    }
    GlRenderer renderer;
    if (!renderer.display(scene, surface, width, height)) {
        failure = "3-D drawing is not available: " + renderer.failure();
        return false;
    }
    return true;
}

}  // namespace scene3d::gl
