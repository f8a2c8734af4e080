// Receiver and source grids.
#include "tools/analysis/Grids.h"

#include <cmath>
#include <cstdio>

#include "model/Document.h"
#include "model/Source.h"
#include "tools/Construction.h"
#include "tools/PointInput.h"
#include "tools/ToolMemory.h"
#include "ui/FileChooser.h"
#include "ui/GetValueBox.h"
#include "ui/Platform.h"
#include "views/ViewWindow.h"

namespace tools::analysis {

namespace {

using geometry::X3DVector;

// How often a long build moves its progress and listens for a cancel.
constexpr std::uint64_t progressEvery = 1024;

enum class GridKind { Receivers, Sources };

// The three corners A = p1, B = (p1.u, p2.v), C = p2 as model points; the
// height above the terrain when it is followed.
struct Corners {
    X3DPoint a, b, c;
    bool terrain = false;
    double height = 0.0;
};

bool askCorners(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p1, const ViewPoint& p2, Corners& out)
{
    out.terrain = ui::confirmBox("Automatic terrain following?");
    ViewPoint corner[3] = {p1, {p1.u, p2.v}, p2};
    if (out.terrain) {
        double height = ctx.memory.receiverHeight;
        if (!askDepth(view, p1, height)) {
            return false;
        }
        ctx.memory.receiverHeight = height;
        out.height = height;
        out.a = view.toWorld(corner[0], 0.0);
        out.b = view.toWorld(corner[1], 0.0);
        out.c = view.toWorld(corner[2], 0.0);
        return true;
    }
    if (sameViewPoint(p1, p2)) {
        return false;
    }
    // Each corner its own depth, the next proposed as the last: the grid
    // may lie on a slope.
    double depth = ctx.memory.receiverHeight;
    X3DPoint* points[3] = {&out.a, &out.b, &out.c};
    for (int i = 0; i < 3; ++i) {
        markPoint(view, corner[i]);
        bool ok = askDepth(view, corner[i], depth);
        markPoint(view, corner[i]);
        if (!ok) {
            return false;
        }
        *points[i] = view.toWorld(corner[i], depth);
    }
    return true;
}

X3DVector unit(const X3DVector& v)
{
    X3DVector u = v;
    u.normalise();
    return u;
}

bool makeGrid(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p1, const ViewPoint& p2, GridKind kind)
{
    Corners k;
    if (!askCorners(ctx, view, p1, p2, k)) {
        return false;
    }
    double ba = (k.a - k.b).norm();
    double bc = (k.c - k.b).norm();
    double step = proposedStep(ba, bc);
    if (!ui::askValue("Step (m):", step) || step < 0.000001) {
        return false;
    }
    std::string directivity = "omni.spk";
    X3DPoint target;
    if (kind == GridKind::Sources) {
        if (auto chosen = ui::chooseFile("omni.spk", false)) {
            directivity = *chosen;
        }
    } else {
        // Every receiver faces the first selected source, or the last source.
        const model::Entity* firstSelected = nullptr;
        const model::Entity* last = nullptr;
        for (const auto& child : ctx.doc.children()) {
            if (child->typeCode() == model::type::Source) {
                last = child.get();
                if (child->selected && !firstSelected) {
                    firstSelected = child.get();
                }
            }
        }
        if (const model::Entity* aim = firstSelected ? firstSelected : last) {
            target = static_cast<const model::Source*>(aim)->position;
        }
    }
    X3DVector u = unit(bc > 0.000001 ? k.c - k.b : k.a - k.b);
    X3DVector v = unit(ba > 0.000001 ? k.a - k.b : k.c - k.b);
    std::uint64_t nu = 0;
    std::uint64_t nv = 0;
    gridCounts(ba, bc, step, nu, nv);
    double total = static_cast<double>(nu) * static_cast<double>(nv);
    if (total > gridLimit) {
        ui::errorBox("This makes %.0f points: a grid holds at most %.0f", total, gridLimit);
        return false;
    }
    char question[96];
    std::snprintf(question, sizeof question, "This makes %.0f points. Continue?", total);
    if (total > gridQuestionAbove && !ui::confirmBox(question)) {
        return false;
    }
    Construction build(ctx);
    {
        ui::WaitCursor wait;
        ui::ProgressBar progress(static_cast<std::uint64_t>(total), true);
        std::uint64_t made = 0;
        for (std::uint64_t i = 0; i < nu; ++i) {
            for (std::uint64_t j = 0; j < nv; ++j) {
                X3DPoint q = k.b + u * (static_cast<double>(i) * step) + v * (static_cast<double>(j) * step);
                if (k.terrain) {
                    ViewPoint at = view.toView(q);
                    q = view.toWorld(at, depthAt(ctx.doc, view, at, 0.0) + k.height);
                }
                if (kind == GridKind::Sources) {
                    build.add(std::make_unique<model::Source>(q, q + X3DPoint(0, 0, -1), 0.0, directivity));
                } else {
                    build.add(std::make_unique<model::Receiver>(q, target));
                }
                if (++made % progressEvery == 0) {
                    progress.setPosition(made);
                    if (progress.cancelled()) {
                        return false;  // nothing of it is kept
                    }
                }
            }
        }
    }
    return build.commit();
}

}  // namespace

double proposedStep(double sideBA, double sideBC)
{
    return std::max(1.0, std::floor(std::max(sideBA, sideBC) * 0.09 + 0.5));
}

void gridCounts(double sideBA, double sideBC, double step, std::uint64_t& alongBC, std::uint64_t& alongBA)
{
    // Beyond any grid that could be built: the caller refuses it.
    auto count = [step](double side) {
        double n = std::floor(side / step) + 1.0;
        return n > 1e15 ? static_cast<std::uint64_t>(1e15) : static_cast<std::uint64_t>(n);
    };
    alongBC = count(sideBC);
    alongBA = count(sideBA);
}

bool receiverGrid(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p1, const ViewPoint& p2)
{
    return makeGrid(ctx, view, p1, p2, GridKind::Receivers);
}

bool sourceGrid(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& p1, const ViewPoint& p2)
{
    return makeGrid(ctx, view, p1, p2, GridKind::Sources);
}

}  // namespace tools::analysis
