// Model to scene.
#include "scene3d/SceneBuilder.h"

#include <cstdio>

#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Face.h"
#include "model/Receiver.h"
#include "scene3d/X3DIndexedFaceSet.h"
#include "ui/Installed.h"

namespace scene3d {

namespace {

// The scene kept by the document until its next change.
struct DocumentScene : model::DerivedData {
    X3DScene scene;
    bool materialColours = true;  // what it was built with
};

}  // namespace

void setMaterialColoursSetting(std::function<bool()> setting)
{
    ui::installed<SceneSettings>().materialColours = std::move(setting);
}

bool materialColoursWanted()
{
    const std::function<bool()>& setting = ui::installed<SceneSettings>().materialColours;
    return setting ? setting() : true;
}

X3DIndexedFaceSet& SceneBuilder::faceSetFor(unsigned materialNumber)
{
    char name[32];
    std::snprintf(name, sizeof name, "Material%u", materialNumber);
    auto found = faceSets_.find(name);
    if (found != faceSets_.end()) {
        return *found->second;
    }
    auto shape = std::make_unique<X3DShape>();
    auto faces = std::make_unique<X3DIndexedFaceSet>(false);
    if (materialNumber < polygonsOf_.size()) {
        faces->reserve(polygonsOf_[materialNumber], verticesOf_[materialNumber]);
    }
    X3DIndexedFaceSet* raw = faces.get();
    shape->geometry = std::move(faces);
    X3DMaterial* material = scene_.findMaterial(name);
    if (!material) {
        materials::MaterialList& list = materials::materialList();
        const materials::MaterialInfo& record = list.at(materialNumber);
        ui::Colour colour = materialColours_ ? record.colour : list.colourOf(record);
        material = scene_.addMaterial(X3DColor(colour, 255), name);
    }
    shape->appearance.material = material;
    scene_.addNode(std::move(shape));
    faceSets_.emplace(name, raw);
    return *raw;
}

void SceneBuilder::marker(const model::Entity& entity, bool source)
{
    const char* name = entity.className();
    X3DMaterial* material = scene_.findMaterial(name);
    if (!material) {
        material = scene_.addMaterial(source ? X3DColor(1, 0, 0, 1) : X3DColor(0, 0, 1, 1), name);
    }
    auto shape = std::make_unique<X3DShape>();
    if (source) {
        shape->geometry = std::make_unique<X3DBox>(geometry::X3DVector(0.2, 0.2, 0.2));
    } else {
        shape->geometry = std::make_unique<X3DSphere>(0.1);
    }
    shape->appearance.material = material;
    auto transform = std::make_unique<X3DTransform>();
    transform->translation = geometry::X3DVector(static_cast<const model::Receiver&>(entity).position);
    transform->addChild(std::move(shape));
    scene_.addNode(std::move(transform));
}

void SceneBuilder::reserveFor(const model::EntityList& model)
{
    polygonsOf_.assign(materials::materialCount, 0);
    verticesOf_.assign(materials::materialCount, 0);
    const_cast<model::EntityList&>(model).forEach([this](model::Entity& e) {
        int t = e.typeCode();
        if (t == model::type::Face || t == model::type::Door || t == model::type::Hole) {
            const auto& face = static_cast<const model::Face&>(e);
            if (face.material.number < polygonsOf_.size()) {
                ++polygonsOf_[face.material.number];
                verticesOf_[face.material.number] += face.vertices.size();
            }
        }
        return 0;
    });
}

void SceneBuilder::buildScene(const model::Entity& e)
{
    switch (e.typeCode()) {
    case model::type::Face:
    case model::type::Door:
    case model::type::Hole: {
        const auto& face = static_cast<const model::Face&>(e);
        faceSetFor(face.material.number)
            .addPolygon(face.vertices.data(), face.vertices.size(), e.typeCode() != model::type::Face);
        break;
    }
    case model::type::Wall:
    case model::type::EntityList:
        for (const auto& child : static_cast<const model::EntityList&>(e).children()) {
            buildScene(*child);
        }
        break;
    case model::type::Source:
        marker(e, true);
        break;
    case model::type::Receiver:
        marker(e, false);
        break;
    default:
        break;
    }
}

bool sceneBox(const model::Document& doc, geometry::X3DPoint& min, geometry::X3DPoint& max)
{
    min = geometry::X3DPoint(1e9, 1e9, 1e9);
    max = geometry::X3DPoint(-1e9, -1e9, -1e9);
    for (const auto& child : doc.children()) {
        child->extendBounds(min, max);
    }
    return min.x <= max.x && min.y <= max.y && min.z <= max.z;
}

void homeCamera(const geometry::X3DPoint& min, const geometry::X3DPoint& max, geometry::X3DPoint& eye,
                geometry::X3DPoint& target)
{
    X3DBounds bounds(min, max);
    double d = (max - min).norm();
    target = geometry::X3DPoint(bounds.centre.x, bounds.centre.y, min.z);
    eye = geometry::X3DPoint(bounds.centre.x, bounds.centre.y - d, max.z);
}

X3DScene& sceneOf(model::Document& doc)
{
    auto* held = dynamic_cast<DocumentScene*>(doc.scene.get());
    if (!held) {
        doc.scene = std::make_unique<DocumentScene>();
        held = static_cast<DocumentScene*>(doc.scene.get());
    }
    X3DScene& scene = held->scene;
    bool colours = materialColoursWanted();
    if (!scene.children.empty() && held->materialColours == colours) {
        return scene;
    }
    scene.clear();
    held->materialColours = colours;
    SceneBuilder builder(scene, colours);
    builder.reserveFor(doc);
    for (const auto& child : doc.children()) {
        builder.buildScene(*child);
    }
    for (std::size_t i = 0; i < scene.children.count(); ++i) {
        X3DNode* node = scene.children.at(i);
        if (std::string_view(node->className()) != "X3DShape") {
            continue;
        }
        X3DGeometry* g = static_cast<X3DShape*>(node)->geometry.get();
        if (g && std::string_view(g->className()) == "X3DIndexedFaceSet") {
            static_cast<X3DIndexedFaceSet*>(g)->smoothNormals();
        }
    }
    geometry::X3DPoint min;
    geometry::X3DPoint max;
    sceneBox(doc, min, max);
    X3DBounds bounds(min, max);
    geometry::X3DPoint eye;
    geometry::X3DPoint target;
    homeCamera(min, max, eye, target);
    auto light = std::make_unique<X3DLight>(true);
    light->color = white;
    light->position = eye;
    scene.addNode(std::move(light));
    auto view = std::make_unique<X3DViewPoint>(eye, target);
    view->up = geometry::X3DVector(0, 0, 1);
    view->bounds = bounds;
    view->fit(100);
    scene.addNode(std::move(view));
    return scene;
}

}  // namespace scene3d
