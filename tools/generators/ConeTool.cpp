// Cone: triangles from the dragged circle at the base up to its centre at
// the top, and with Closed a bottom of triangles.
#include <cmath>

#include "tools/Construction.h"
#include "tools/generators/CircleParameters.h"
#include "tools/generators/Generators.h"
#include "views/ViewWindow.h"

namespace tools::generators {

namespace {

class ConeTool final : public Tool {
public:
    ToolId id() const override { return ToolId::Cone; }
    std::string prompt(int) const override { return "Draw the base radius"; }
    Gesture gesture(const views::ViewWindow&, bool, bool) const override { return Gesture::Line; }
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& c, const ViewPoint& r, Gesture) override
    {
        Circle k;
        if (!askCircleParameters(ctx, c, r, k) || !withinFaceLimit(2.0 * k.steps)) {
            return;
        }
        auto at = [&view](const ViewPoint& q, double depth) { return rounded(view.toWorld(q, depth)); };
        bool bottom = k.closed && std::fabs(k.base - k.top) >= 1e-5;
        Construction build(ctx);
        for (int i = 0; i < k.steps; ++i) {
            ViewPoint a = polar(k.centre, k.angleAt(i), k.radius);
            ViewPoint b = polar(k.centre, k.angleAt(i + 1), k.radius);
            X3DPoint side[3] = {at(a, k.base), at(b, k.base), at(k.centre, k.top)};
            if (!build.addPolygon(side, 3, k.material)) {
                break;
            }
            X3DPoint under[3] = {at(a, k.base), at(b, k.base), at(k.centre, k.base)};
            if (bottom && !build.addPolygon(under, 3, k.material)) {
                break;
            }
        }
        build.commit();
    }
};

}  // namespace

std::unique_ptr<Tool> makeConeTool()
{
    return std::make_unique<ConeTool>();
}

}  // namespace tools::generators
