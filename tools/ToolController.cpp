// Gestures in the views and the tools' actions.
#include "tools/ToolController.h"

#include <cstdlib>

#include "model/Wall.h"
#include "tools/PointInput.h"
#include "tools/Transformations.h"
#include "ui/Platform.h"

namespace tools {

using views::viewId::Assonometry;
using views::viewId::Front;
using views::viewId::Plant;
using views::viewId::Side;

ToolController::ToolController(model::Document& doc, views::ViewSet& views, storage::UndoRing& undo,
                               ui::Image paletteBitmap)
    : palette(std::move(paletteBitmap)), doc_(doc), views_(views), undo_(undo)
{
    views_.input = this;
    ui::setStatusListener([this](const std::string& text) { bar.setPrompt(text); });
}

ToolController::~ToolController()
{
    ui::setStatusListener(nullptr);
    if (views_.input == this) {
        views_.input = nullptr;
    }
}

int ToolController::trackerMode(const views::ViewWindow& view, bool shift) const
{
    bool elevation = view.is(Front) || view.is(Side);
    switch (currentTool()) {
    case tool::Pick:
    case tool::Lens:
    case tool::TextNote:
        return gesture::Rectangle;
    case tool::Move:
    case tool::Mirror:
        return hasSelection() ? gesture::Line : gesture::Rectangle;
    case tool::Rotate:
        return hasSelection() ? gesture::Click : gesture::Rectangle;
    case tool::Floor:
        return view.is(Plant) ? gesture::Rectangle : elevation ? gesture::Line : gesture::Click;
    case tool::Wall:
        return view.is(Plant) ? gesture::Line : elevation ? gesture::Rectangle : gesture::Click;
    case tool::Roof:
        return shift ? gesture::Rectangle : gesture::Click;
    case tool::Cylinder:
    case tool::Sphere:
    case tool::Cone:
    case tool::Gradin:
        return gesture::Line;
    case tool::Source:
    case tool::Receiver:
        return shift ? gesture::Rectangle : gesture::Line;
    default:
        return gesture::Click;
    }
}

ViewPoint ToolController::snap(views::ViewWindow& view, const ViewPoint& p, bool ctrl) const
{
    if (currentTool() == tool::Pick || currentTool() == tool::Lens) {
        return p;
    }
    if (ctrl) {
        geometry::X3DPoint vertex;
        double distance = doc_.gridStep();
        if (doc_.snapToVertex(view, p, vertex, distance)) {
            return view.toView(vertex);
        }
    }
    return views::snapToGrid(p, doc_.gridStep());
}

geometry::X3DPoint ToolController::readOut(views::ViewWindow& view, const ViewPoint& p) const
{
    if (view.is(Assonometry)) {
        geometry::X3DPoint vertex;
        double distance = 4 * doc_.gridStep();
        return doc_.snapToVertex(view, p, vertex, distance) ? vertex : geometry::X3DPoint();
    }
    ViewPoint q = views::snapToGrid(p, doc_.gridStep());
    return view.toWorld(q, depthAt(doc_, view, q, 0.0));
}

void ToolController::leftDown(views::ViewWindow& view, const ui::MouseEvent& e)
{
    if (tracker.active()) {
        return;
    }
    ViewPoint p = view.pixelToView({e.x, e.y});
    tracker.begin(view, snap(view, p, e.ctrl), trackerMode(view, e.shift));
}

void ToolController::mouseMove(views::ViewWindow& view, const ui::MouseEvent& e)
{
    ViewPoint p = view.pixelToView({e.x, e.y});
    if (tracker.active() && tracker.view() == &view) {
        tracker.move(snap(view, p, e.ctrl));
    }
    bar.showPoint(readOut(view, p), tracker.mode());
    autoScroll(view, e);
}

void ToolController::autoScroll(views::ViewWindow& view, const ui::MouseEvent& e)
{
    if (!tracker.active() || currentTool() == tool::Lens || scrollLatch_) {
        return;
    }
    int w = view.width();
    int h = view.height();
    bool inside = e.x >= 2 && e.x <= w - 1 - 2 && e.y >= 2 && e.y <= h - 1 - 2;
    if (inside) {
        return;
    }
    scrollLatch_ = true;
    view.setCentre(view.pixelToView({e.x, e.y}));
    view.repaint();
    if (view.native) {
        view.native->setPointerPosition(w / 2, h / 2);
    }
}

void ToolController::leftUp(views::ViewWindow& view, const ui::MouseEvent& e)
{
    ViewPoint start;
    ViewPoint end;
    int mode = 0;
    if (!tracker.end(start, end, mode)) {
        return;
    }
    toolAction(view, start, end, mode);
}

bool ToolController::rightDown(views::ViewWindow& view, const ui::MouseEvent&)
{
    if (currentTool() != tool::Lens) {
        return false;
    }
    view.setScale(view.scale() * 2);
    view.repaint();
    return true;
}

void ToolController::cancel(views::ViewWindow& view)
{
    ViewPoint start;
    ViewPoint end;
    int mode = 0;
    if (tracker.view() == &view) {
        tracker.end(start, end, mode);
    }
}

void ToolController::painted(views::ViewWindow& view)
{
    scrollLatch_ = false;
    // The repaint wiped the rubber band: it comes back, so that the next
    // move takes the right one away.
    tracker.restore(view);
}

bool ToolController::wallSelected() const
{
    for (const auto& child : doc_.children()) {
        if (child->typeCode() == model::type::Wall) {
            const auto& wall = static_cast<const model::Wall&>(*child);
            if (wall.baseFace && wall.baseFace->selected) {
                return true;
            }
        }
    }
    return false;
}

void ToolController::pick(views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end)
{
    ui::PixelPoint a = view.viewToPixel(start);
    ui::PixelPoint b = view.viewToPixel(end);
    bool click = std::abs(a.x - b.x) < 3 && std::abs(a.y - b.y) < 3;
    if (click || view.is(Assonometry)) {
        doc_.pickToggle(view, b, 0);
        return;
    }
    // The rectangle through every depth.
    geometry::X3DPoint p = view.toWorld(start, -model::coordinateLimit);
    geometry::X3DPoint q = view.toWorld(end, model::coordinateLimit);
    model::Region region;
    region.min = {std::min(p.x, q.x), std::min(p.y, q.y), std::min(p.z, q.z)};
    region.max = {std::max(p.x, q.x), std::max(p.y, q.y), std::max(p.z, q.z)};
    doc_.selectInside(region);
}

void ToolController::lens(views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end)
{
    ui::PixelPoint a = view.viewToPixel(start);
    ui::PixelPoint b = view.viewToPixel(end);
    if (std::abs(a.x - b.x) < 8 && std::abs(a.y - b.y) < 8) {
        view.zoomToExtents();
    } else if (view.zoomToRect(start, end)) {
        view.repaint();
    }
}

void ToolController::toolAction(views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end, int mode)
{
    int t = currentTool();
    if (view.is(Assonometry) && t > tool::Lens) {
        t = tool::Pick;
    }
    if (t >= tool::Move && t <= tool::Rotate && mode == gesture::Rectangle) {
        t = tool::Pick;
    }
    if (t >= tool::Door && t <= tool::Hole && !wallSelected()) {
        if (!doc_.pickToggle(view, view.viewToPixel(end), model::type::Wall)) {
            ui::errorBox("You must select a Wall first");
            return;
        }
    }
    if (t < tool::Pick || t > tool::TextNote) {
        ui::errorBox("Sorry, tool under construction");
        return;
    }
    switch (t) {
    case tool::Pick:
        pick(view, start, end);
        return;
    case tool::Lens:
        lens(view, start, end);
        return;
    case tool::Move:
        if (moveSelection(doc_, undo_, view, start, end)) {
            views_.repaintAll();
        }
        return;
    case tool::Mirror:
        if (mirrorSelection(doc_, undo_, view, start, end)) {
            views_.repaintAll();
        }
        return;
    case tool::Rotate:
        if (rotateSelection(doc_, undo_, view, start)) {
            views_.repaintAll();
        }
        return;
    default:
        if (construct) {
            construct(t, view, start, end, mode);
        }
        return;
    }
}

}  // namespace tools
