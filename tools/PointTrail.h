// The outline through the points a multi-click tool (Roof, Hole, Box, and
// the paths of Boxes and Pipe) has collected so far, drawn in XOR in the
// view they were clicked in, so that drawing it once more takes it away.
#pragma once

#include <vector>

#include "model/ViewMapping.h"
#include "ui/PixelRect.h"

namespace views {
class ViewWindow;
}

namespace tools {

class PointTrail {
public:
    // The old outline goes, the outline through these points comes.
    void show(views::ViewWindow& view, const std::vector<model::ViewPoint>& points);
    // Takes the outline away and forgets it.
    void clear();
    // The view was painted anew (and the outline with it wiped): it comes back.
    void painted(views::ViewWindow& view);
    // The view's picture is about to move: the outline goes from it, to
    // come back when it is painted.
    void hide(views::ViewWindow& view);

    bool shown() const { return view_ != nullptr; }

private:
    void draw() const;
    void pixelsFromPoints();

    views::ViewWindow* view_ = nullptr;
    std::vector<model::ViewPoint> points_;
    // The pixels drawn, kept so that the same figure is drawn to take it away.
    std::vector<int> xy_;
};

}  // namespace tools
