// Pipe: a duct of 4 to 13 flat sides round a circle of the given radius,
// swept along a path.
#include <algorithm>
#include <cmath>

#include "tools/Construction.h"
#include "tools/ToolMemory.h"
#include "tools/generators/Generators.h"
#include "tools/generators/Sweep.h"
#include "ui/GetValueBox.h"
#include "ui/Platform.h"

namespace tools::generators {

namespace {

class PipeTool final : public SweepTool {
public:
    ToolId id() const override { return ToolId::Pipe; }

protected:
    bool askSection(ToolContext& ctx) override
    {
        if (!ui::askValue("Radius", ctx.memory.sectionWidth)) {
            return false;
        }
        int n = 0;
        if (!askSubdivisions(2.0 * geometry::PI, n)) {
            return false;
        }
        if (n < 4 || n > 13) {
            ui::errorBox("Invalid number of subdivisions");
            return false;
        }
        sides_ = n;
        return true;
    }

    std::vector<ProfileSegment> profileAt(ToolContext& ctx, const views::ViewWindow&, const X3DPoint& p0,
                                          const X3DPoint& p1) override
    {
        // A circle about the z axis, tilted onto the path's direction.
        geometry::X3DVector d = p1 - p0;
        d.normalise();
        geometry::X3DAngle tilt;
        tilt.setRadians(std::acos(std::clamp(d.z, -1.0, 1.0)));
        geometry::X3DAngle turn;
        turn.setRadians(std::atan2(d.y, d.x));
        double r = ctx.memory.sectionWidth;
        std::vector<X3DPoint> ring;
        for (int i = 0; i < sides_; ++i) {
            double a = 2.0 * geometry::PI * i / sides_;
            X3DPoint q(r * std::cos(a), r * std::sin(a), 0.0);
            q = q.rotate(geometry::yAxis, tilt).rotate(geometry::zAxis, turn);
            ring.push_back(rounded(q + p0));
        }
        std::vector<ProfileSegment> profile;
        for (int i = 0; i < sides_; ++i) {
            profile.push_back({ring[static_cast<std::size_t>(i)], ring[static_cast<std::size_t>((i + 1) % sides_)]});
        }
        return profile;
    }

private:
    int sides_ = 4;
};

}  // namespace

std::unique_ptr<Tool> makePipeTool()
{
    return std::make_unique<PipeTool>();
}

}  // namespace tools::generators
