// The circle generators' parameters.
#include "tools/generators/CircleParameters.h"

#include <cmath>

#include "tools/Construction.h"
#include "tools/ToolMemory.h"
#include "ui/GetValueBox.h"
#include "ui/Platform.h"

namespace tools::generators {

namespace {

class CircleBox final : public ui::GetValueBox {
public:
    CircleBox() : GetValueBox(5) {}
    const char* templateName() const override { return "CircleBox"; }
};

// One step a tenth of a degree is already finer than any screen.
constexpr double maxSteps = 3600;

}  // namespace

bool withinFaceLimit(double faces)
{
    if (faces > maxGeneratedFaces) {
        ui::errorBox("This makes %.0f faces: at most %.0f are built at once", faces, maxGeneratedFaces);
        return false;
    }
    return true;
}

bool askCircleParameters(ToolContext& ctx, const ViewPoint& centre, const ViewPoint& rim, Circle& out)
{
    out.centre = centre;
    out.radius = std::hypot(rim.u - centre.u, rim.v - centre.v);
    if (out.radius < 1e-6) {
        return false;
    }
    ToolMemory& m = ctx.memory;
    using namespace ui::ctl::circle;
    CircleBox box;
    box.value(Base) = m.circleBase;
    box.value(Top) = m.circleTop == m.circleBase ? m.circleBase + out.radius : m.circleTop;
    box.value(Degrees) = 360.0;
    box.value(Steps) = 12.0;
    box.value(Closed) = 0.0;
    if (box.runModal() != ui::DialogResult::Ok) {
        return false;
    }
    m.circleBase = out.base = box.value(Base);
    m.circleTop = out.top = box.value(Top);
    double degrees = box.value(Degrees);
    if (std::fabs(degrees) > 360.0) {
        degrees = 360.0;
    }
    out.startAngle = directionAngle(centre, rim);
    out.endAngle = out.startAngle + degrees * geometry::PI / 180.0;
    double steps = std::floor(std::fabs(box.value(Steps)) + 0.5);
    if (steps < 1.0) {
        return false;
    }
    if (steps > maxSteps) {
        ui::errorBox("Invalid number of steps");
        return false;
    }
    out.steps = static_cast<int>(steps);
    out.closed = box.value(Closed) != 0.0;
    return askMaterial(ctx, out.material);
}

}  // namespace tools::generators
