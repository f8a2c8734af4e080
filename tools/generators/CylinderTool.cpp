// Cylinder: walls round the dragged circle from base to top, and with Closed
// a bottom and a top of triangles.
#include <cmath>

#include "tools/Construction.h"
#include "tools/generators/CircleParameters.h"
#include "tools/generators/Generators.h"
#include "views/ViewWindow.h"

namespace tools::generators {

namespace {

class CylinderTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Cylinder; }
    std::string prompt(int) const override { return "Draw the base radius"; }
    Gesture gesture(const views::ViewWindow&, bool, bool) const override { return Gesture::Line; }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& c, const ViewPoint& r, Gesture) override
    {
        Circle k;
        if (!askCircleParameters(ctx, c, r, k) || !withinFaceLimit(3.0 * k.steps)) {
            return;
        }
        auto at = [&view](const ViewPoint& q, double depth) { return rounded(view.toWorld(q, depth)); };
        Construction build(ctx);
        for (int i = 0; i < k.steps; ++i) {
            ViewPoint a = polar(k.centre, k.angleAt(i), k.radius);
            ViewPoint b = polar(k.centre, k.angleAt(i + 1), k.radius);
            X3DPoint wall[4] = {at(a, k.base), at(a, k.top), at(b, k.top), at(b, k.base)};
            if (!build.addPolygon(wall, 0, k.material)) {
                break;
            }
        }
        if (k.closed) {
            bool flat = std::fabs(k.base - k.top) < 1e-5;
            for (int i = 0; i < k.steps; ++i) {
                ViewPoint a = polar(k.centre, k.angleAt(i), k.radius);
                ViewPoint b = polar(k.centre, k.angleAt(i + 1), k.radius);
                X3DPoint bottom[3] = {at(k.centre, k.base), at(a, k.base), at(b, k.base)};
                if (!build.addPolygon(bottom, 3, k.material)) {
                    break;
                }
                X3DPoint top[3] = {at(k.centre, k.top), at(a, k.top), at(b, k.top)};
                if (!flat && !build.addPolygon(top, 3, k.material)) {
                    break;
                }
            }
        }
        build.commit();
    }
};

}  // namespace

std::unique_ptr<Tool> makeCylinderTool()
{
    return std::make_unique<CylinderTool>();
}

}  // namespace tools::generators
