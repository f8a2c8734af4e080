// Gestures in the views, handed to the current tool.
#include "tools/ToolController.h"

#include "tools/PointInput.h"
#include "ui/Platform.h"

namespace tools {

using views::viewId::Assonometry;

ToolController::ToolController(model::Document& doc, views::ViewSet& views, storage::UndoRing& undo,
                               model::EntityEditor& editor, ui::Image paletteBitmap)
    : palette(std::move(paletteBitmap)), doc_(doc), views_(views), context_{doc, views, undo, editor, palette, memory}
{
    views_.input = this;
    ui::setStatusListener([this](const std::string& text) { bar.setPrompt(text); });
    palette.leaving = [this](Tool& left) { left.reset(context_); };
}

ToolController::~ToolController()
{
    palette.leaving = nullptr;
    ui::setStatusListener(nullptr);
    if (views_.input == this) {
        views_.input = nullptr;
    }
}

Gesture ToolController::trackerMode(const views::ViewWindow& view, bool shift) const
{
    return current().gesture(view, shift, hasSelection());
}

ViewPoint ToolController::snap(views::ViewWindow& view, const ViewPoint& p, bool ctrl) const
{
    if (!current().snaps()) {
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
    if (!tracker.active() || current().id() == ToolId::Lens || scrollLatch_) {
        return;
    }
    int w = view.width();
    int h = view.height();
    bool inside = e.x >= 2 && e.x <= w - 1 - 2 && e.y >= 2 && e.y <= h - 1 - 2;
    if (inside) {
        return;
    }
    scrollLatch_ = true;
    view.centreOn({e.x, e.y});
    if (view.native) {
        view.native->setPointerPosition(w / 2, h / 2);
    }
}

void ToolController::leftUp(views::ViewWindow& view, const ui::MouseEvent& e)
{
    ViewPoint start;
    ViewPoint end;
    Gesture gesture = Gesture::Click;
    if (!tracker.end(start, end, gesture)) {
        return;
    }
    toolAction(view, start, end, gesture);
}

bool ToolController::rightDown(views::ViewWindow& view, const ui::MouseEvent&)
{
    if (current().id() != ToolId::Lens) {
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
    Gesture gesture = Gesture::Click;
    if (tracker.view() == &view) {
        tracker.end(start, end, gesture);
    }
}

void ToolController::painted(views::ViewWindow& view)
{
    scrollLatch_ = false;
    // The repaint wiped the rubber band: it comes back, so that the next
    // move takes the right one away.
    tracker.restore(view);
    current().painted(view);
}

void ToolController::hideOverlays(views::ViewWindow& view)
{
    // Drawn once more in XOR, each figure goes.
    tracker.restore(view);
    current().hideOverlays(view);
}

void ToolController::toolAction(views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end, Gesture gesture)
{
    Tool* tool = &current();
    if (view.is(Assonometry) && tool->id() > ToolId::Lens) {
        tool = &palette.registry().get(ToolId::Pick);
    }
    tool->act(context_, view, start, end, gesture);
}

bool ToolController::space()
{
    return current().space(context_);
}

}  // namespace tools
