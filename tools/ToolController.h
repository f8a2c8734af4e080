// The tools at work in the two-dimensional views: the palette and the
// coordinate bar, the gesture of the current tool (its rubber band, its
// snapped points), the read-out under the pointer, auto-scrolling, and the
// action on release: Pick, Lens, Move, Mirror, Rotate, and the hand-over to
// the construction tools.
#pragma once

#include <functional>

#include "model/Document.h"
#include "storage/UndoRing.h"
#include "tools/CoordinateBar.h"
#include "tools/ToolPalette.h"
#include "tools/Tracker.h"
#include "views/ViewSet.h"

namespace tools {

class ToolController final : public views::ViewInput {
public:
    ToolController(model::Document& doc, views::ViewSet& views, storage::UndoRing& undo, ui::Image paletteBitmap);
    ~ToolController() override;
    ToolController(const ToolController&) = delete;
    ToolController& operator=(const ToolController&) = delete;

    ToolPalette palette;
    CoordinateBar bar;
    Tracker tracker;

    int currentTool() const { return palette.currentTool(); }
    // The gesture the current tool makes in the view.
    int trackerMode(const views::ViewWindow& view, bool shift) const;
    // A gesture's point: unchanged for Pick and Lens, else to a vertex
    // within one grid step with Ctrl, else to the grid.
    ViewPoint snap(views::ViewWindow& view, const ViewPoint& p, bool ctrl) const;
    // The model point the coordinate bar shows for the pointer.
    geometry::X3DPoint readOut(views::ViewWindow& view, const ViewPoint& p) const;
    // What the current tool does with a finished gesture.
    void toolAction(views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end, int mode);

    // The construction tools take their gestures here once they exist.
    std::function<void(int tool, views::ViewWindow&, const ViewPoint&, const ViewPoint&, int mode)> construct;

    // views::ViewInput
    void leftDown(views::ViewWindow& view, const ui::MouseEvent& e) override;
    void mouseMove(views::ViewWindow& view, const ui::MouseEvent& e) override;
    void leftUp(views::ViewWindow& view, const ui::MouseEvent& e) override;
    bool rightDown(views::ViewWindow& view, const ui::MouseEvent& e) override;
    void cancel(views::ViewWindow& view) override;
    void painted(views::ViewWindow& view) override;

private:
    bool hasSelection() const { return doc_.firstSelected() != nullptr; }
    void pick(views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end);
    void lens(views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end);
    bool wallSelected() const;
    void autoScroll(views::ViewWindow& view, const ui::MouseEvent& e);

    model::Document& doc_;
    views::ViewSet& views_;
    storage::UndoRing& undo_;
    bool scrollLatch_ = false;
};

}  // namespace tools
