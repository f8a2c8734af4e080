// Drawing a scene with OpenGL: one frame at a time, the cached nodes through
// their display lists (compiled once after each change and replayed), and
// what every kind of node draws.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "scene3d/X3DScene.h"
#include "scene3d/gl/GlApi.h"
#include "ui/GlSurface.h"

namespace scene3d {
class X3DIndexedFaceSet;
}

namespace scene3d::gl {

class GlRenderer {
public:
    GlRenderer();
    GlRenderer(const GlRenderer&) = delete;
    GlRenderer& operator=(const GlRenderer&) = delete;

    // One frame of w by h pixels: the camera (the current viewpoint, or a
    // default one), the background and the lights, the scene's display list
    // (all lists compiled again first when the scene changed), the swap.
    // False, with nothing drawn and `failure` saying why, when the surface's
    // context cannot be made current or lacks a function.
    bool display(X3DScene& scene, ui::GlSurface& surface, int width, int height);
    const std::string& failure() const { return failure_; }

    // Display lists compiled and called so far.
    long compiles() const { return compiles_; }
    long listCalls() const { return listCalls_; }
    // Level of detail of the balls in the last frame: 0 full, 1 coarser,
    // 2 an octahedron (-1 with no ball).
    int ballDetail() const;
    // Lists of destroyed nodes not yet deleted (their context was not
    // current since).
    static std::size_t listsAwaitingDeletion();

    // The display-list protocol, for the frame and for tests: a clean node
    // with a list calls it; while a list is being recorded a node draws
    // itself into it; otherwise the node compiles its list and runs it.
    void render(X3DNode& node);
    void compile(X3DCachedNode& node, bool execute);
    // The materials, the named groups that changed and the scene itself.
    void compileAll(X3DScene& scene);

private:
    void renderCached(X3DCachedNode& node);
    void drawGL(X3DCachedNode& node);
    void drawBackground(const X3DBackground& background);
    void drawMaterial(const X3DMaterial& material);
    void drawLight(const X3DLight& light);
    void drawTransform(X3DTransform& transform);
    void drawFaceSet(const X3DIndexedFaceSet& faces);
    void drawBox(const X3DBox& box);
    void deletePendingLists();
    // Lists of the boxes and balls of every size in the scene, made before
    // the scene's own list so that it calls them: a thousand receivers'
    // balls are compiled once.
    void prepareShapes(X3DNode& node);
    void drawShape(const X3DGeometry& shape);
    using ShapeKey = std::array<double, 4>;  // kind, then size
    static ShapeKey keyOf(const X3DGeometry& shape);
    // A ball is called through a list of one call to one of its details:
    // the full 16 by 16 sphere, 8 by 8, or an octahedron, by the size its
    // nearest possible copy shows in this frame. Below a few pixels they
    // look the same, and the software rasteriser draws far fewer triangles.
    struct Ball {
        unsigned call = 0;
        int level = -1;
        unsigned detail[3] = {0, 0, 0};
    };
    void chooseBallDetail(const X3DViewPoint& view, int height);
    void drawBall(double radius, int level);

    GlApi gl_;
    std::uint64_t context_ = 0;  // the context gl_ belongs to
    bool recording_ = false;
    long compiles_ = 0;
    long listCalls_ = 0;
    std::map<ShapeKey, unsigned> shapes_;  // boxes, in the context gl_ belongs to
    std::map<double, Ball> balls_;         // by radius, in that context too
    std::string failure_;
};

}  // namespace scene3d::gl
