// The scene root: shapes and transforms, the materials by name, lights,
// viewpoints and the background; and the export of the whole scene.
#pragma once

#include <string>
#include <string_view>

#include "scene3d/X3DDictionary.h"
#include "scene3d/X3DEnvironment.h"
#include "scene3d/X3DShape.h"

namespace scene3d {

class X3DScene : public X3DGroup {
public:
    X3DScene();

    X3DDictionary materials{883};
    X3DDictionary namedNodes{883};
    X3DArray<X3DViewPoint> viewpoints;
    X3DGroup lights;
    X3DBackground background;
    unsigned currentViewpoint = 0;

    const char* className() const override { return "X3DScene"; }
    void write(X3DStream& out) const override;

    // Viewpoints and lights go to their own lists (each light gets the next
    // OpenGL light), anything else becomes a child. The scene owns it.
    X3DNode* addNode(std::unique_ptr<X3DNode> node);
    X3DNode* addChild(std::unique_ptr<X3DNode> node) override { return addNode(std::move(node)); }
    // Destroys every node, material, light and viewpoint.
    void clear();
    void removeAllChildren() override { clear(); }

    // The material of that name (marked dirty, with the scene) or null.
    X3DMaterial* findMaterial(std::string_view name);
    X3DMaterial* addMaterial(const X3DColor& colour, std::string_view name);
    X3DMaterial* materialAt(std::size_t i);
    X3DViewPoint& currentView() const;

    // The whole scene as VRML 2.0 (".wrl") or POV-Ray (".pov"), chosen by the
    // name's extension ignoring case; false when the file cannot be written.
    bool exportScene(const std::string& fileName) const;
    void exportScene(X3DStream& out) const;

private:
    X3DMaterial* touched(X3DNamedEntry* entry);
};

}  // namespace scene3d
