// Sphere: a spherical cap standing on the dragged circle and reaching the
// top elevation (hanging below the base when the top is lower), in rings
// about as tall as the steps round it are wide.
#include <cmath>

#include "tools/Construction.h"
#include "tools/generators/CircleParameters.h"
#include "tools/generators/Generators.h"
#include "ui/Platform.h"
#include "views/ViewWindow.h"

namespace tools::generators {

namespace {

class SphereTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Sphere; }
    std::string prompt(int) const override { return "Draw the base radius"; }
    Gesture gesture(const views::ViewWindow&, bool, bool) const override { return Gesture::Line; }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& c, const ViewPoint& r, Gesture) override
    {
        Circle k;
        if (!askCircleParameters(ctx, c, r, k)) {
            return;
        }
        double h = std::fabs(k.top - k.base);
        double chord = std::sqrt(k.radius * k.radius + h * h);
        if (chord < 1e-5) {
            return;
        }
        // A cap of no height has no sphere: its radius would be infinite.
        if (h < 1e-5) {
            ui::errorBox("The top of a sphere must differ from its base");
            return;
        }
        double sphere = chord * chord / (2.0 * h);
        double cap = 2.0 * std::asin(std::min(1.0, chord / (2.0 * sphere)));
        // Rings about as tall as the steps round are wide.
        double span = std::fabs(k.endAngle - k.startAngle);
        double ringCount = span > 0.0 ? std::max(1.0, std::floor(k.steps * cap / span + 0.5)) : 1.0;
        if (!withinFaceLimit(k.steps * (ringCount + 1.0))) {
            return;
        }
        int rings = static_cast<int>(ringCount);
        double ringStep = cap / rings;
        // Worked out as a cap rising from the base; one hanging below it is
        // its mirror image in the base plane.
        bool down = k.top < k.base;
        auto depth = [&](double latitude) {
            double up = sphere * std::sin(latitude) - (sphere - h);
            return down ? k.base - up : k.base + up;
        };
        auto at = [&view](const ViewPoint& q, double d) { return rounded(view.toWorld(q, d)); };
        Construction build(ctx);
        double start = geometry::PI / 2 - cap;
        for (int j = 0; j < rings; ++j) {
            double lat = start + j * ringStep;
            double next = lat + ringStep;
            double rho = sphere * std::cos(lat);
            double rhoNext = sphere * std::cos(next);
            for (int i = 0; i < k.steps; ++i) {
                double a = k.angleAt(i);
                double b = k.angleAt(i + 1);
                X3DPoint face[4] = {at(polar(k.centre, a, rho), depth(lat)), at(polar(k.centre, b, rho), depth(lat)),
                                    at(polar(k.centre, b, rhoNext), depth(next)),
                                    at(polar(k.centre, a, rhoNext), depth(next))};
                // At the pole two corners meet: the face is a triangle.
                if (!build.addPolygon(face, 4, k.material)) {
                    break;
                }
            }
        }
        if (k.closed) {
            for (int i = 0; i < k.steps; ++i) {
                X3DPoint face[3] = {at(k.centre, k.base), at(polar(k.centre, k.angleAt(i), k.radius), k.base),
                                    at(polar(k.centre, k.angleAt(i + 1), k.radius), k.base)};
                if (!build.addPolygon(face, 3, k.material)) {
                    break;
                }
            }
        }
        build.commit();
    }
};

}  // namespace

std::unique_ptr<Tool> makeSphereTool()
{
    return std::make_unique<SphereTool>();
}

}  // namespace tools::generators
