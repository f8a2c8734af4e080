// The tools at work in the two-dimensional views: the palette with its tool
// objects and the coordinate bar, the gesture of the current tool (its
// rubber band, its snapped points), the read-out under the pointer,
// auto-scrolling, and the hand-over of a finished gesture to the tool.
#pragma once

#include "model/Document.h"
#include "model/EntityEditor.h"
#include "storage/UndoRing.h"
#include "tools/CoordinateBar.h"
#include "tools/Tool.h"
#include "tools/ToolMemory.h"
#include "tools/ToolPalette.h"
#include "tools/Tracker.h"
#include "views/ViewSet.h"

namespace tools {

class ToolController final : public views::ViewInput {
public:
    ToolController(model::Document& doc, views::ViewSet& views, storage::UndoRing& undo, model::EntityEditor& editor,
                   ui::Image paletteBitmap);
    ~ToolController() override;
    ToolController(const ToolController&) = delete;
    ToolController& operator=(const ToolController&) = delete;

    ToolPalette palette;
    CoordinateBar bar;
    Tracker tracker;
    ToolMemory memory;

    // The current tool's command.
    int currentTool() const { return palette.currentTool(); }
    Tool& current() const { return palette.current(); }
    ToolContext& context() { return context_; }
    // The gesture the current tool makes in the view.
    Gesture trackerMode(const views::ViewWindow& view, bool shift) const;
    // A gesture's point: unchanged for Pick and Lens, else to a vertex
    // within one grid step with Ctrl, else to the grid.
    ViewPoint snap(views::ViewWindow& view, const ViewPoint& p, bool ctrl) const;
    // The model point the coordinate bar shows for the pointer.
    geometry::X3DPoint readOut(views::ViewWindow& view, const ViewPoint& p) const;
    // What the current tool does with a finished gesture; in the
    // axonometric view every tool after the Lens picks.
    void toolAction(views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end, Gesture gesture);
    // The Space key: false when the current tool has no use for it.
    bool space();

    // views::ViewInput
    void leftDown(views::ViewWindow& view, const ui::MouseEvent& e) override;
    void mouseMove(views::ViewWindow& view, const ui::MouseEvent& e) override;
    void leftUp(views::ViewWindow& view, const ui::MouseEvent& e) override;
    bool rightDown(views::ViewWindow& view, const ui::MouseEvent& e) override;
    void cancel(views::ViewWindow& view) override;
    void painted(views::ViewWindow& view) override;
    void hideOverlays(views::ViewWindow& view) override;

private:
    bool hasSelection() const { return doc_.firstSelected() != nullptr; }
    void autoScroll(views::ViewWindow& view, const ui::MouseEvent& e);

    model::Document& doc_;
    views::ViewSet& views_;
    ToolContext context_;
    bool scrollLatch_ = false;
};

}  // namespace tools
