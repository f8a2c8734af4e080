// Receivers in front of a wall.
#include "tools/analysis/ReceiversOnWall.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "model/Document.h"
#include "model/Receiver.h"
#include "model/Text.h"
#include "tools/Construction.h"
#include "tools/ToolMemory.h"
#include "tools/analysis/Grids.h"
#include "ui/GetValueBox.h"
#include "ui/Platform.h"
#include "views/ViewWindow.h"

namespace tools::analysis {

namespace {

class PalaceBox final : public ui::GetValueBox {
public:
    PalaceBox() : GetValueBox(3) {}
    const char* templateName() const override { return "PalaceBox"; }
};

double viewDistance(const views::ViewWindow& view, const X3DPoint& p, const ViewPoint& q)
{
    ViewPoint at = view.toView(p);
    return std::hypot(at.u - q.u, at.v - q.v);
}

}  // namespace

model::Wall* wallNear(model::Document& doc, const views::ViewWindow& view, const ViewPoint& p)
{
    model::Wall* found = nullptr;
    double best = std::numeric_limits<double>::infinity();
    double reach = 2.0 * doc.gridStep();
    for (const auto& child : doc.children()) {
        if (child->typeCode() != model::type::Wall) {
            continue;
        }
        auto& wall = static_cast<model::Wall&>(*child);
        if (!wall.baseFace || !wall.baseFace->isValid()) {
            continue;
        }
        double distance = viewDistance(view, wall.baseFace->centroid(), p);
        if (distance < reach && distance < best) {
            found = &wall;
            best = distance;
            if (wall.baseFace->selected || distance < 0.1) {
                break;
            }
        }
    }
    return found;
}

bool receiversOnWall(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p, model::Wall& wall)
{
    const model::Face& base = *wall.baseFace;
    if (base.vertexCount() < 3) {
        return false;
    }
    ToolMemory& m = ctx.memory;
    {
        using namespace ui::ctl::palace;
        PalaceBox box;
        box.value(WallDistance) = m.wallDistance;
        box.value(FirstHeight) = m.firstReceiverHeight;
        box.value(Spacing) = m.receiverSpacing;
        if (box.runModal() != ui::DialogResult::Ok) {
            return false;
        }
        m.wallDistance = box.value(WallDistance);
        m.firstReceiverHeight = box.value(FirstHeight);
        m.receiverSpacing = box.value(Spacing);
    }
    // The bottom edge of the wall and its height, from its first three corners.
    const X3DPoint& v0 = base.vertices[0];
    const X3DPoint& v1 = base.vertices[1];
    const X3DPoint& v2 = base.vertices[2];
    X3DPoint e1;
    X3DPoint e2;
    double height = 0.0;
    double low = 0.0;
    if (std::fabs(v1.z - v2.z) <= std::fabs(v0.z - v1.z)) {
        e1 = v1;
        e2 = v2;
        height = std::fabs(v1.z - v0.z);
        low = std::min(v0.z, v1.z);
    } else {
        e1 = v0;
        e2 = v1;
        height = std::fabs(v2.z - v1.z);
        low = std::min(v1.z, v2.z);
    }
    X3DPoint middle((e1.x + e2.x) / 2, (e1.y + e2.y) / 2, low);
    geometry::X3DPlane plane = base.plane();
    X3DPoint front = middle + plane.normal() * m.wallDistance;
    X3DPoint back = middle + plane.normal() * -m.wallDistance;
    X3DPoint foot = viewDistance(view, front, p) < viewDistance(view, back, p) ? front : back;

    // One receiver at the first height, then one every spacing while below the top.
    double first = m.firstReceiverHeight;
    double count = 1.0;
    if (first + m.receiverSpacing < height) {
        if (m.receiverSpacing <= 0.0) {
            ui::errorBox("The distance between receivers must be above zero");
            return false;
        }
        count = std::ceil((height - first) / m.receiverSpacing);
    }
    if (count > gridLimit) {
        ui::errorBox("This makes %.0f points: a grid holds at most %.0f", count, gridLimit);
        return false;
    }
    char question[96];
    std::snprintf(question, sizeof question, "This makes %.0f points. Continue?", count);
    if (count > gridQuestionAbove && !ui::confirmBox(question)) {
        return false;
    }

    Construction build(ctx);
    auto note = std::make_unique<model::Text>(foot + X3DPoint(-2, 1, 0), foot, "");
    model::Text* placed = note.get();
    if (!build.add(std::move(note))) {
        return false;
    }
    int made = 0;
    double z = first;
    do {
        build.add(std::make_unique<model::Receiver>(foot + X3DPoint(0, 0, z), middle));
        ++made;
        z = first + made * m.receiverSpacing;
    } while (z < height && made < count);
    char text[32];
    std::snprintf(text, sizeof text, "%d receivers", made);
    placed->text = text;
    if (!build.commit()) {
        return false;
    }
    if (placed->editProperties(ctx.editor, false) != 0) {
        // The note is in the model already: its text reaches as far as it is long.
        ctx.doc.entityChanged(*placed);
        placed->redraw();
    }
    return true;
}

}  // namespace tools::analysis
