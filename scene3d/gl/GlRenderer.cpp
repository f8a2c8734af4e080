// The OpenGL renderer: frames, display lists, and what each node draws.
#include "scene3d/gl/GlRenderer.h"

#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "scene3d/X3DIndexedFaceSet.h"
#include "scene3d/X3DStream.h"
#include "scene3d/gl/Camera.h"

namespace scene3d::gl {

namespace {

// Lists of destroyed nodes, deleted when their context is current again.
std::vector<std::pair<std::uint64_t, unsigned>>& pendingLists()
{
    static std::vector<std::pair<std::uint64_t, unsigned>> lists;
    return lists;
}

void releaseList(std::uint64_t context, unsigned listId)
{
    pendingLists().emplace_back(context, listId);
}

bool is(const X3DNode& node, std::string_view name)
{
    return name == node.className();
}

struct Rgba {
    GLfloat v[4];
};

// r, g and b times the factor; alpha kept.
Rgba scaled(const X3DColor& c, double f)
{
    return {{static_cast<GLfloat>(c.r * f), static_cast<GLfloat>(c.g * f), static_cast<GLfloat>(c.b * f), c.a}};
}

bool differs(const geometry::X3DPoint& a, const geometry::X3DPoint& b)
{
    return std::fabs(a.x - b.x) >= 1e-5 || std::fabs(a.y - b.y) >= 1e-5 || std::fabs(a.z - b.z) >= 1e-5;
}

constexpr GLenum lastLight = GL_LIGHT7;

}  // namespace

GlRenderer::GlRenderer()
{
    setListReleaser(releaseList);
}

std::size_t GlRenderer::listsAwaitingDeletion()
{
    return pendingLists().size();
}

void GlRenderer::deletePendingLists()
{
    auto& lists = pendingLists();
    std::size_t kept = 0;
    for (const auto& entry : lists) {
        if (entry.first == context_) {
            gl_.glDeleteLists(entry.second, 1);
        } else if (ui::contextExists(entry.first)) {
            lists[kept++] = entry;
        }  // else its context took the list with it
    }
    lists.resize(kept);
}

bool GlRenderer::display(X3DScene& scene, ui::GlSurface& surface, int width, int height)
{
    failure_.clear();
    if (!surface.makeCurrent()) {
        failure_ = surface.failure();
        if (failure_.empty()) {
            failure_ = "no OpenGL context could be made for the window";
        }
        return false;
    }
    if (surface.contextSerial() != context_) {
        if (!gl_.load(surface)) {
            failure_ = "the OpenGL context has no " + gl_.missing;
            context_ = 0;
            surface.doneCurrent();
            return false;
        }
        context_ = surface.contextSerial();
        shapes_.clear();  // they went with the other context
        balls_.clear();
    }
    deletePendingLists();

    X3DViewPoint standard;
    X3DViewPoint& view = scene.viewpoints.empty() ? standard : scene.currentView();
    setupProjection(view, width, height);
    gl_.glMatrixMode(GL_PROJECTION);
    gl_.glLoadMatrixd(view.projection);
    gl_.glViewport(0, 0, view.viewport[2], view.viewport[3]);
    gl_.glMatrixMode(GL_MODELVIEW);
    gl_.glLoadMatrixd(view.modelview);

    render(scene.background);
    render(scene.lights);
    if (scene.needsCompiling() || scene.listContext != context_) {
        compileAll(scene);
    }
    chooseBallDetail(view, view.viewport[3]);
    render(scene);

    gl_.glFinish();
    surface.swapBuffers();
    surface.doneCurrent();
    return true;
}

void GlRenderer::render(X3DNode& node)
{
    if (is(node, "X3DScene") || is(node, "X3DGroup") || is(node, "X3DTransform") || is(node, "X3DMaterial") ||
        is(node, "X3DBackground")) {
        renderCached(static_cast<X3DCachedNode&>(node));
    } else if (is(node, "X3DShape")) {
        auto& shape = static_cast<X3DShape&>(node);
        if (shape.appearance.material) {
            render(*shape.appearance.material);
        }
        if (shape.geometry) {
            render(*shape.geometry);
        }
    } else if (is(node, "X3DLight")) {
        drawLight(static_cast<const X3DLight&>(node));
    } else if (is(node, "X3DIndexedFaceSet")) {
        drawFaceSet(static_cast<const X3DIndexedFaceSet&>(node));
    } else if (is(node, "X3DBox") || is(node, "X3DSphere")) {
        drawShape(static_cast<const X3DGeometry&>(node));
    }
}

void GlRenderer::renderCached(X3DCachedNode& node)
{
    if (node.listContext != context_) {
        node.listId = 0;  // its list went with another context
    }
    if (!node.needsCompiling()) {
        gl_.glCallList(node.listId);
        ++listCalls_;
        return;
    }
    if (recording_) {
        drawGL(node);  // lists never nest: the node goes into the open one
        return;
    }
    compile(node, true);
}

void GlRenderer::compile(X3DCachedNode& node, bool execute)
{
    if (node.listContext != context_) {
        node.listId = 0;
    }
    if (node.listId == 0) {
        node.listId = gl_.glGenLists(1);
        node.listContext = context_;
        if (node.listId == 0) {
            // No list to be had: drawn directly, and tried again next time.
            if (execute) {
                drawGL(node);
            }
            return;
        }
    }
    recording_ = true;
    gl_.glNewList(node.listId, execute ? GL_COMPILE_AND_EXECUTE : GL_COMPILE);
    drawGL(node);
    gl_.glEndList();
    recording_ = false;
    node.dirty = false;
    ++compiles_;
}

void GlRenderer::compileAll(X3DScene& scene)
{
    for (std::size_t i = 0; i < scene.materials.count(); ++i) {
        if (X3DMaterial* material = scene.materialAt(i)) {
            compile(*material, false);
        }
    }
    for (std::size_t i = 0; i < scene.namedNodes.count(); ++i) {
        X3DNamedEntry* entry = scene.namedNodes.entryAt(i);
        if (entry && entry->value && is(*entry->value, "X3DGroup")) {
            auto& group = static_cast<X3DGroup&>(*entry->value);
            if (group.needsCompiling() || group.listContext != context_) {
                compile(group, false);
            }
        }
    }
    prepareShapes(scene);
    compile(scene, false);
}

void GlRenderer::drawGL(X3DCachedNode& node)
{
    if (is(node, "X3DTransform")) {
        drawTransform(static_cast<X3DTransform&>(node));
    } else if (is(node, "X3DMaterial")) {
        drawMaterial(static_cast<const X3DMaterial&>(node));
    } else if (is(node, "X3DBackground")) {
        drawBackground(static_cast<const X3DBackground&>(node));
    } else {
        // Groups and the scene: their children in order.
        auto& group = static_cast<X3DGroup&>(node);
        for (std::size_t i = 0; i < group.children.count(); ++i) {
            if (X3DNode* child = group.children.at(i)) {
                render(*child);
            }
        }
    }
}

void GlRenderer::drawBackground(const X3DBackground& b)
{
    gl_.glClearColor(b.skyColor.r, b.skyColor.g, b.skyColor.b, b.skyColor.a);
    gl_.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    gl_.glEnable(GL_LIGHTING);
    gl_.glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
    gl_.glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    Rgba ambient = scaled(b.ambientLight, 1.0);
    gl_.glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient.v);
    gl_.glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    gl_.glShadeModel(GL_SMOOTH);
    gl_.glPolygonMode(GL_FRONT_AND_BACK, b.polygonMode);
    gl_.glEnable(GL_NORMALIZE);
    gl_.glFrontFace(GL_CCW);
    gl_.glDisable(GL_CULL_FACE);
    gl_.glDisable(GL_BLEND);
    gl_.glDisable(GL_ALPHA_TEST);
    gl_.glDisable(GL_STENCIL_TEST);
    gl_.glDepthFunc(GL_LEQUAL);
    gl_.glEnable(GL_DEPTH_TEST);
}

void GlRenderer::drawMaterial(const X3DMaterial& m)
{
    Rgba diffuse = scaled(m.diffuseColor, m.ambientIntensity);
    auto s = static_cast<GLfloat>(m.specular);
    GLfloat specular[4] = {s, s, s, 1.0f};
    Rgba emission = scaled(m.diffuseColor, m.emissive);
    gl_.glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, diffuse.v);
    gl_.glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse.v);
    gl_.glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    gl_.glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission.v);
    gl_.glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, static_cast<GLfloat>(128.0 * m.shininess));
    if (std::fabs(m.diffuseColor.a - 1.0) < 1e-5) {
        gl_.glDisable(GL_BLEND);
    } else {
        gl_.glEnable(GL_BLEND);
        gl_.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
}

void GlRenderer::drawLight(const X3DLight& l)
{
    if (l.glLight < GL_LIGHT0 || l.glLight > lastLight) {
        return;  // OpenGL has eight lights
    }
    GLenum light = l.glLight;
    gl_.glEnable(light);
    auto x = static_cast<GLfloat>(l.position.x);
    auto y = static_cast<GLfloat>(l.position.y);
    auto z = static_cast<GLfloat>(l.position.z);
    GLfloat position[4] = {x, y, z, l.positional ? 1.0f : 0.0f};
    GLfloat direction[3] = {-x, -y, -z};
    gl_.glLightfv(light, GL_POSITION, position);
    gl_.glLightfv(light, GL_SPOT_DIRECTION, direction);
    gl_.glLightf(light, GL_SPOT_CUTOFF, 180.0f);
    gl_.glLightfv(light, GL_AMBIENT, scaled(l.color, l.ambient).v);
    gl_.glLightfv(light, GL_DIFFUSE, scaled(l.color, l.diffuse).v);
    gl_.glLightfv(light, GL_SPECULAR, scaled(l.color, l.specular).v);
}

void GlRenderer::drawTransform(X3DTransform& t)
{
    gl_.glPushMatrix();
    if (!isNear(t.translation, 0.0)) {
        gl_.glTranslated(t.translation.x, t.translation.y, t.translation.z);
    }
    if (!isNearZero(t.rotation.angle.degrees)) {
        const auto& a = t.rotation.axis;
        gl_.glRotated(t.rotation.angle.degrees, a.x, a.y, a.z);
    }
    if (!isNear(t.scale, 0.0) && !isNear(t.scale, 1.0)) {
        gl_.glScaled(t.scale.x, t.scale.y, t.scale.z);
    }
    for (std::size_t i = 0; i < t.children.count(); ++i) {
        if (X3DNode* child = t.children.at(i)) {
            render(*child);
        }
    }
    gl_.glPopMatrix();
}

void GlRenderer::drawFaceSet(const X3DIndexedFaceSet& faces)
{
    if (faces.solid) {
        gl_.glEnable(GL_CULL_FACE);
    }
    // Runs of triangles, or of quads, share one begin and end: the picture
    // is the same, and a million faces compile and replay far faster.
    GLenum open = 0;      // the mode of the run under way, 0 for none
    bool pulled = false;  // openings are drawn a little towards the eye
    for (std::size_t i = 0; i < faces.polygonCount(); ++i) {
        std::span<const X3DVertex> polygon = faces.polygon(i);
        std::size_t n = polygon.size();
        if (n < 3) {
            continue;
        }
        GLenum mode = n == 3 ? GL_TRIANGLES : n == 4 ? GL_QUADS : GL_POLYGON;
        bool opening = faces.isOpening(i);
        if (open != 0 && (mode != open || mode == GL_POLYGON || opening != pulled)) {
            gl_.glEnd();
            open = 0;
        }
        if (opening != pulled) {
            pulled = opening;
            if (pulled) {
                gl_.glPolygonOffset(-1.0f, -2.0f);
                gl_.glEnable(GL_POLYGON_OFFSET_FILL);
            } else {
                gl_.glDisable(GL_POLYGON_OFFSET_FILL);
            }
        }
        if (open == 0) {
            gl_.glBegin(mode);
            open = mode;
        }
        bool ownNormals = false;
        for (std::size_t k = 1; k < n && !ownNormals; ++k) {
            ownNormals = differs(polygon[k].normal, polygon[0].normal);
        }
        if (!ownNormals) {
            gl_.glNormal3dv(&polygon[0].normal.x);
        }
        for (const X3DVertex& v : polygon) {
            if (ownNormals) {
                gl_.glNormal3dv(&v.normal.x);
            }
            gl_.glVertex3dv(&v.x);
        }
    }
    if (open != 0) {
        gl_.glEnd();
    }
    if (pulled) {
        gl_.glDisable(GL_POLYGON_OFFSET_FILL);
    }
    if (faces.solid) {
        gl_.glDisable(GL_CULL_FACE);
    }
}

}  // namespace scene3d::gl
