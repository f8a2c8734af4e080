// Boxes and balls (the sources' and receivers' markers): one display list
// for each size, called from the scene's list, and for balls the detail by
// the size they show in the frame.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

#include "scene3d/gl/GlRenderer.h"

namespace scene3d::gl {

namespace {

constexpr int sphereSlices = 16;
constexpr int sphereStacks = 16;

bool is(const X3DNode& node, std::string_view name)
{
    return name == node.className();
}

}  // namespace

GlRenderer::ShapeKey GlRenderer::keyOf(const X3DGeometry& shape)
{
    if (is(shape, "X3DBox")) {
        const auto& box = static_cast<const X3DBox&>(shape);
        return {0, box.size.x, box.size.y, box.size.z};
    }
    return {1, static_cast<const X3DSphere&>(shape).radius, 0, 0};
}

void GlRenderer::prepareShapes(X3DNode& node)
{
    if (is(node, "X3DShape")) {
        X3DGeometry* shape = static_cast<X3DShape&>(node).geometry.get();
        if (shape && is(*shape, "X3DBox") && !shapes_.count(keyOf(*shape))) {
            unsigned list = gl_.glGenLists(1);
            if (list != 0) {
                gl_.glNewList(list, GL_COMPILE);
                drawBox(static_cast<const X3DBox&>(*shape));
                gl_.glEndList();
                shapes_[keyOf(*shape)] = list;
                ++compiles_;
            }
        } else if (shape && is(*shape, "X3DSphere")) {
            double radius = static_cast<const X3DSphere&>(*shape).radius;
            Ball& ball = balls_[radius];
            if (ball.call == 0 && (ball.call = gl_.glGenLists(1)) != 0) {
                ++compiles_;
            }
        }
    } else if (is(node, "X3DScene") || is(node, "X3DGroup") || is(node, "X3DTransform")) {
        auto& group = static_cast<X3DGroup&>(node);
        for (std::size_t i = 0; i < group.children.count(); ++i) {
            if (X3DNode* child = group.children.at(i)) {
                prepareShapes(*child);
            }
        }
    }
}

void GlRenderer::drawShape(const X3DGeometry& shape)
{
    if (is(shape, "X3DBox")) {
        auto found = shapes_.find(keyOf(shape));
        if (found != shapes_.end()) {
            gl_.glCallList(found->second);
        } else {
            drawBox(static_cast<const X3DBox&>(shape));
        }
        return;
    }
    double radius = static_cast<const X3DSphere&>(shape).radius;
    auto found = balls_.find(radius);
    if (found != balls_.end() && found->second.call != 0) {
        gl_.glCallList(found->second.call);
    } else {
        drawBall(radius, 0);
    }
}

int GlRenderer::ballDetail() const
{
    return balls_.empty() ? -1 : balls_.begin()->second.level;
}

void GlRenderer::chooseBallDetail(const X3DViewPoint& view, int height)
{
    if (balls_.empty()) {
        return;
    }
    // The nearest any ball can be: the eye's distance to the model's box.
    double nearest = 0.0;
    if (!view.bounds.empty) {
        double dx = std::max({view.bounds.min.x - view.position.x, 0.0, view.position.x - view.bounds.max.x});
        double dy = std::max({view.bounds.min.y - view.position.y, 0.0, view.position.y - view.bounds.max.y});
        double dz = std::max({view.bounds.min.z - view.position.z, 0.0, view.position.z - view.bounds.max.z});
        nearest = std::sqrt(dx * dx + dy * dy + dz * dz);
    }
    // Pixels a metre at that distance.
    double pixelsPerMetre = nearest > 0.0 ? view.projection[5] * height / 2.0 / nearest : 1e30;
    for (auto& [radius, ball] : balls_) {
        if (ball.call == 0) {
            continue;
        }
        double pixels = radius * pixelsPerMetre;
        int level = pixels >= 3.0 ? 0 : pixels >= 0.75 ? 1 : 2;
        if (level == ball.level) {
            continue;
        }
        if (ball.detail[level] == 0 && (ball.detail[level] = gl_.glGenLists(1)) != 0) {
            gl_.glNewList(ball.detail[level], GL_COMPILE);
            drawBall(radius, level);
            gl_.glEndList();
        }
        gl_.glNewList(ball.call, GL_COMPILE);
        if (ball.detail[level] != 0) {
            gl_.glCallList(ball.detail[level]);
        } else {
            drawBall(radius, level);
        }
        gl_.glEndList();
        ball.level = level;
    }
}

void GlRenderer::drawBox(const X3DBox& box)
{
    double x = box.size.x / 2;
    double y = box.size.y / 2;
    double z = box.size.z / 2;
    // Each side counter-clockwise seen from outside: -z, -y, +x, +y, -x, +z.
    struct Side {
        double normal[3];
        double corners[4][3];
    };
    const Side sides[] = {
        {{0, 0, -1}, {{-x, -y, -z}, {-x, y, -z}, {x, y, -z}, {x, -y, -z}}},
        {{0, -1, 0}, {{-x, -y, -z}, {x, -y, -z}, {x, -y, z}, {-x, -y, z}}},
        {{1, 0, 0}, {{x, -y, -z}, {x, y, -z}, {x, y, z}, {x, -y, z}}},
        {{0, 1, 0}, {{x, y, -z}, {-x, y, -z}, {-x, y, z}, {x, y, z}}},
        {{-1, 0, 0}, {{-x, y, -z}, {-x, -y, -z}, {-x, -y, z}, {-x, y, z}}},
        {{0, 0, 1}, {{-x, -y, z}, {x, -y, z}, {x, y, z}, {-x, y, z}}},
    };
    for (const Side& side : sides) {
        gl_.glBegin(GL_QUADS);
        gl_.glNormal3dv(side.normal);
        for (const auto& corner : side.corners) {
            gl_.glVertex3dv(corner);
        }
        gl_.glEnd();
    }
}

void GlRenderer::drawBall(double r, int level)
{
    if (level == 2) {
        // An octahedron: six corners on the axes, normals pointing out.
        static const double axes[6][3] = {{1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
        gl_.glBegin(GL_TRIANGLES);
        for (int i = 0; i < 4; ++i) {
            for (int pole : {4, 5}) {
                const double* corners[3] = {axes[i], axes[(i + 1) % 4], axes[pole]};
                if (pole == 5) {
                    std::swap(corners[0], corners[1]);
                }
                for (const double* c : corners) {
                    gl_.glNormal3dv(c);
                    gl_.glVertex3d(c[0] * r, c[1] * r, c[2] * r);
                }
            }
        }
        gl_.glEnd();
        return;
    }
    // As a quadric sphere: poles on the z axis, slices round it and as many
    // stacks from pole to pole, smooth normals pointing out.
    int slices = level == 0 ? sphereSlices : sphereSlices / 2;
    int stacks = level == 0 ? sphereStacks : sphereStacks / 2;
    auto corner = [this, r, slices, stacks](int stack, int slice) {
        double rho = std::numbers::pi * stack / stacks;
        double theta = 2.0 * std::numbers::pi * (slice % slices) / slices;
        double n[3] = {std::cos(theta) * std::sin(rho), std::sin(theta) * std::sin(rho), std::cos(rho)};
        gl_.glNormal3dv(n);
        gl_.glVertex3d(n[0] * r, n[1] * r, n[2] * r);
    };
    for (int j = 0; j < stacks; ++j) {
        gl_.glBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            corner(j, i);
            corner(j + 1, i);
        }
        gl_.glEnd();
    }
}

}  // namespace scene3d::gl
