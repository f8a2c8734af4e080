// The 3-D scene of the model: one face set per face material, a red cube
// per source, a blue ball per receiver, a light and a viewpoint from the
// model's box. Built on demand and dropped whenever the model changes.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "scene3d/X3DScene.h"

namespace model {
class Document;
class Entity;
class EntityList;
}  // namespace model

namespace scene3d {

class X3DIndexedFaceSet;

class SceneBuilder {
public:
    // Faces take their material's colour from the colour file, or with
    // materialColours off the one colour the views paint faces in.
    explicit SceneBuilder(X3DScene& scene, bool materialColours = true)
        : scene_(scene), materialColours_(materialColours)
    {
    }

    // The entity's part of the scene: faces, doors and holes as polygons of
    // their material's face set; sources and receivers as small markers;
    // walls and lists through their children; anything else nothing.
    void buildScene(const model::Entity& entity);
    // Sizes each material's face set beforehand from the faces of the model,
    // so that a million polygons are stored without regrowing.
    void reserveFor(const model::EntityList& model);

private:
    X3DIndexedFaceSet& faceSetFor(unsigned materialNumber);
    void marker(const model::Entity& entity, bool source);

    X3DScene& scene_;
    bool materialColours_;
    // Face set by material name: the first (and only) shape made for it.
    std::unordered_map<std::string, X3DIndexedFaceSet*> faceSets_;
    std::vector<std::size_t> polygonsOf_;
    std::vector<std::size_t> verticesOf_;
};

// The document's scene, built first when it has no children (from a cleared
// scene, so a model with nothing to show does not pile up lights and
// viewpoints), or when the material-colour setting changed since.
X3DScene& sceneOf(model::Document& doc);

// The model's box as the scene build takes it (every top-level entity in
// turn); false when nothing in the model widens it.
bool sceneBox(const model::Document& doc, geometry::X3DPoint& min, geometry::X3DPoint& max);
// Where the scene build puts the camera for a box: the target at the middle
// of its floor, the eye one diagonal south of it, level with the top.
void homeCamera(const geometry::X3DPoint& min, const geometry::X3DPoint& max, geometry::X3DPoint& eye,
                geometry::X3DPoint& target);

// What the scene build asks of the program; its context installs one
// (ui/Installed.h).
struct SceneSettings {
    // Whether faces take their materials' own colours (true when unset).
    std::function<bool()> materialColours;
};

// Whether scenes give faces their materials' own colours (true when nothing
// is installed). The program installs its setting, read at every use.
void setMaterialColoursSetting(std::function<bool()> setting);
bool materialColoursWanted();

}  // namespace scene3d
