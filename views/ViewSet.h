// The six view windows of the frame in their fixed order, what they share
// (the model, the tools' input handler, the frame's callbacks), and the
// painting of one entity in every visible view.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/Document.h"
#include "model/EntityPainter.h"
#include "views/ViewWindow.h"

namespace views {

// What the tools do with the buttons of a two-dimensional view.
class ViewInput {
public:
    virtual ~ViewInput() = default;
    virtual void leftDown(ViewWindow& view, const ui::MouseEvent& e) = 0;
    virtual void mouseMove(ViewWindow& view, const ui::MouseEvent& e) = 0;
    virtual void leftUp(ViewWindow& view, const ui::MouseEvent& e) = 0;
    // True when the current tool took the right button.
    virtual bool rightDown(ViewWindow& view, const ui::MouseEvent& e) = 0;
    // The mouse was taken away: a gesture in progress ends with no action.
    virtual void cancel(ViewWindow& view) = 0;
    // A view was painted anew.
    virtual void painted(ViewWindow& view) = 0;
    // The view's picture is about to move: what is drawn over it for the
    // moment is taken away (painted brings it back).
    virtual void hideOverlays(ViewWindow&) {}
};

class ViewSet final : public model::EntityPainter {
public:
    // The 3-D view's projection comes from the caller (the program's draws
    // with OpenGL); without one it stays empty.
    explicit ViewSet(model::Document& document, std::unique_ptr<Projection> view3d = nullptr);
    ~ViewSet() override;
    ViewSet(const ViewSet&) = delete;
    ViewSet& operator=(const ViewSet&) = delete;

    model::Document& document;
    ViewInput* input = nullptr;
    // The frame's part: hiding a view by its command, dropped files.
    std::function<void(int command)> hideView;
    std::function<void(const std::vector<std::string>&)> dropFiles;
    // Whether the wheel zooms about the pointer (a setting, asked at each
    // turn); about the centre when unset or false.
    std::function<bool()> zoomAtPointer;

    // Auxiliary, axonometric, plan, front, side, 3-D.
    const std::vector<std::unique_ptr<ViewWindow>>& all() const { return views_; }
    ViewWindow& byId(int viewId) const;
    ViewWindow* byCommand(int command) const;
    AUXILIARY& auxiliary() const;
    ASSONOMETRY& assonometry() const;

    // Gives every window its scroll extents and the starting scale, once
    // the back end's windows exist.
    void start();
    // Repaints every view (erasing them).
    void repaintAll();

    // model::EntityPainter: draws the entity over every visible 2-D view.
    void redraw(const model::Entity& entity) override;

private:
    std::vector<std::unique_ptr<ViewWindow>> views_;
};

}  // namespace views
