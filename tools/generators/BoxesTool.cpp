// Boxes: a rectangular duct (two side walls rising a border above its roof,
// a roof, and with Floor a floor) swept along a path.
#include "tools/Construction.h"
#include "tools/ToolMemory.h"
#include "tools/generators/Generators.h"
#include "tools/generators/Sweep.h"
#include "ui/GetValueBox.h"
#include "views/ViewWindow.h"

namespace tools::generators {

namespace {

// The section's values are kept even when the dialog is cancelled.
class PipeBox final : public ui::GetValueBox {
public:
    PipeBox() : GetValueBox(4) {}
    const char* templateName() const override { return "PipeBox"; }
    void onCommand(ui::DialogControls& c, int id) override
    {
        if (id == ui::idCancel) {
            for (int i = 0; i < count; ++i) {
                values[i] = readValue(c, firstValueId + i);
            }
        }
        GetValueBox::onCommand(c, id);
    }
};

class BoxesTool final : public SweepTool {
public:
    ToolId id() const override { return ToolId::Boxes; }

protected:
    bool askSection(ToolContext& ctx) override
    {
        ToolMemory& m = ctx.memory;
        using namespace ui::ctl::pipe;
        PipeBox box;
        box.value(Width) = m.sectionWidth;
        box.value(Height) = m.sectionWidth;
        box.value(Border) = m.sectionBorder;
        box.value(Floor) = m.sectionFloor ? 1.0 : 0.0;
        bool ok = box.runModal() == ui::DialogResult::Ok;
        m.sectionWidth = box.value(Width);
        height_ = box.value(Height);
        m.sectionBorder = box.value(Border);
        m.sectionFloor = box.value(Floor) != 0.0;
        return ok;
    }

    std::vector<ProfileSegment> profileAt(ToolContext& ctx, const views::ViewWindow& view, const X3DPoint& p0,
                                          const X3DPoint& p1) override
    {
        const ToolMemory& m = ctx.memory;
        ViewPoint a = view.toView(p0);
        double across = directionAngle(a, view.toView(p1)) + geometry::PI / 2;
        ViewPoint left = polar(a, across, m.sectionWidth / 2);
        ViewPoint right = polar(a, across, -m.sectionWidth / 2);
        double e = m.pathDepth;
        double h = height_;
        double b = m.sectionBorder;
        std::vector<ProfileSegment> profile;
        if (m.sectionFloor) {
            profile.push_back({view.toWorld(left, e), view.toWorld(right, e)});
        }
        profile.push_back({view.toWorld(left, e), view.toWorld(left, e + h + b)});
        profile.push_back({view.toWorld(right, e), view.toWorld(right, e + h + b)});
        profile.push_back({view.toWorld(left, e + h), view.toWorld(right, e + h)});
        return profile;
    }

private:
    double height_ = 0.5;
};

}  // namespace

std::unique_ptr<Tool> makeBoxesTool()
{
    return std::make_unique<BoxesTool>();
}

}  // namespace tools::generators
