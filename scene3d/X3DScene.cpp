// The scene root.
#include "scene3d/X3DScene.h"

#include <cstring>

#include "scene3d/X3DStream.h"
#include "storage/AtomicFile.h"
#include "textio/RealFormat.h"

namespace scene3d {

X3DScene::X3DScene() = default;

X3DNode* X3DScene::addNode(std::unique_ptr<X3DNode> node)
{
    dirty = true;
    std::string_view kind = node->className();
    if (kind == "X3DViewPoint") {
        return viewpoints.append(std::unique_ptr<X3DViewPoint>(static_cast<X3DViewPoint*>(node.release())));
    }
    if (kind == "X3DLight") {
        static_cast<X3DLight&>(*node).glLight = glLight0 + static_cast<unsigned>(lights.children.count());
        return lights.addChild(std::move(node));
    }
    return X3DGroup::addChild(std::move(node));
}

void X3DScene::clear()
{
    children.clear();
    materials.clear();
    namedNodes.clear();
    lights.children.clear();
    viewpoints.clear();
    currentViewpoint = 0;
    dirty = true;
}

// The material of a dictionary entry, marked for recompiling with the scene.
X3DMaterial* X3DScene::touched(X3DNamedEntry* entry)
{
    if (!entry || !entry->value) {
        return nullptr;
    }
    auto* material = static_cast<X3DMaterial*>(entry->value.get());
    material->dirty = true;
    dirty = true;
    return material;
}

X3DMaterial* X3DScene::findMaterial(std::string_view name)
{
    return touched(materials.lookup(name));
}

X3DMaterial* X3DScene::addMaterial(const X3DColor& colour, std::string_view name)
{
    auto material = std::make_unique<X3DMaterial>(colour, name);
    X3DMaterial* raw = material.get();
    std::string key = raw->name;
    materials.insert(key, std::move(material));
    return raw;
}

X3DMaterial* X3DScene::materialAt(std::size_t i)
{
    return touched(materials.entryAt(i));
}

X3DViewPoint& X3DScene::currentView() const
{
    return *viewpoints.at(currentViewpoint % viewpoints.count());
}

void X3DScene::write(X3DStream& out) const
{
    X3DGroup::write(out);
}

void X3DScene::exportScene(X3DStream& out) const
{
    bool pov = out.pov();
    if (!pov) {
        out.put("#VRML V2.0 utf8\n\n");
    }
    for (const X3DDictionary* dictionary : {&materials, &namedNodes}) {
        for (std::size_t i = 0; i < dictionary->count(); ++i) {
            const X3DNamedEntry* entry = dictionary->entryAt(i);
            if (pov) {
                out.line("#declare " + entry->name + " =");
            } else {
                out.line("PROTO " + entry->name + " [] {");
            }
            ++out.indent;
            if (entry->value) {
                entry->value->write(out);
            }
            --out.indent;
            if (pov) {
                out.put("\n\n");
            } else {
                out.line("}");
                out.newline();
            }
        }
    }
    write(out);
    if (pov) {
        for (std::size_t i = 0; i < lights.children.count(); ++i) {
            lights.children.at(i)->write(out);
        }
        if (!viewpoints.empty()) {
            currentView().write(out);
        }
    }
    background.write(out);
}

bool X3DScene::exportScene(const std::string& fileName) const
{
    std::size_t dot = fileName.rfind('.');
    std::string_view extension = dot == std::string::npos ? std::string_view() : std::string_view(fileName).substr(dot);
    int format = textio::equalIgnoringCase(extension, ".pov") ? X3DStream::POVRay : X3DStream::VRML;
    return storage::writeFileAtomically(fileName, [this, format](std::FILE* file) {
        textio::TextWriter writer(file);
        X3DStream out(writer, format);
        exportScene(out);
        return writer.flush();
    });
}

}  // namespace scene3d
