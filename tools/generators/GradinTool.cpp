// Gradin: stepped seating from the dragged base line, straight, or curved
// round the line's first point.
#include <cmath>

#include "tools/Construction.h"
#include "tools/generators/CircleParameters.h"
#include "tools/generators/Generators.h"
#include "ui/GetValueBox.h"
#include "views/ViewWindow.h"

namespace tools::generators {

namespace {

class TheaterBox final : public ui::GetValueBox {
public:
    TheaterBox() : GetValueBox(5) {}
    const char* templateName() const override { return "TheaterBox"; }
};

class GradinTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Gradin; }
    std::string prompt(int) const override { return "Draw the base line"; }
    Gesture gesture(const views::ViewWindow&, bool, bool) const override { return Gesture::Line; }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p, const ViewPoint& q, Gesture) override
    {
        if (sameViewPoint(p, q)) {
            return;
        }
        using namespace ui::ctl::theater;
        TheaterBox box;
        box.value(Base) = 0.0;
        box.value(StepHeight) = 0.5;
        box.value(StepDepth) = 0.5;
        box.value(Steps) = 2.0;
        box.value(Degrees) = 0.0;
        if (box.runModal() != ui::DialogResult::Ok) {
            return;
        }
        double base = box.value(Base);
        double rise = box.value(StepHeight);
        double depth = box.value(StepDepth);
        double steps = std::floor(box.value(Steps) + 0.5);
        if (depth < 1e-6 || rise < 1e-6 || steps < 1.0 || !withinFaceLimit(2.0 * steps)) {
            return;
        }
        materials::Material material;
        if (!askMaterial(ctx, material)) {
            return;
        }
        double degrees = box.value(Degrees);
        if (std::fabs(degrees) > 360.0) {
            degrees = 360.0;
        }
        double angle = degrees * geometry::PI / 180.0;
        Construction build(ctx);
        auto face = [&](ViewPoint a, double za, ViewPoint b, double zb, ViewPoint c, double zc, ViewPoint d,
                        double zd) {
            X3DPoint corners[4] = {view.toWorld(a, za), view.toWorld(b, zb), view.toWorld(c, zc), view.toWorld(d, zd)};
            build.addPolygon(corners, 4, material);
        };
        int count = static_cast<int>(steps);
        if (std::fabs(angle) >= 1e-5) {
            int m = 0;
            if (!askSubdivisions(std::fabs(angle), m) || !withinFaceLimit(2.0 * steps * m)) {
                return;
            }
            double da = angle / m;
            double r0 = std::hypot(q.u - p.u, q.v - p.v);
            double r1 = r0 + depth;
            double a0 = directionAngle(p, q);
            double z0 = base;
            double z1 = base + rise;
            // The seats rise outwards from the centre.
            for (int s = 0; s < count; ++s) {
                for (int k = 0; k < m; ++k) {
                    double a = a0 + k * da;
                    double b = a + da;
                    face(polar(p, a, r0), z0, polar(p, b, r0), z0, polar(p, b, r0), z1, polar(p, a, r0), z1);
                    face(polar(p, a, r1), z1, polar(p, b, r1), z1, polar(p, b, r0), z1, polar(p, a, r0), z1);
                }
                r0 = r1;
                r1 += depth;
                z0 = z1;
                z1 += rise;
            }
        } else {
            double advance = directionAngle(p, q) + geometry::PI / 2;
            ViewPoint a = p;
            ViewPoint b = q;
            double z = base;
            for (int s = 0; s < count; ++s) {
                face(a, z, b, z, b, z + rise, a, z + rise);
                ViewPoint a2 = polar(a, advance, depth);
                ViewPoint b2 = polar(b, advance, depth);
                face(a2, z + rise, b2, z + rise, b, z + rise, a, z + rise);
                a = a2;
                b = b2;
                z += rise;
            }
        }
        build.commit();
    }
};

}  // namespace

std::unique_ptr<Tool> makeGradinTool()
{
    return std::make_unique<GradinTool>();
}

}  // namespace tools::generators
