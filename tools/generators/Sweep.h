// What Boxes and Pipe share: a cross-section of segments swept along a path
// of clicked (or, with Space, typed) points, one piece per path segment,
// each piece ending in the plane that halves the bend to the next.
#pragma once

#include <vector>

#include "materials/Material.h"
#include "tools/PointTrail.h"
#include "tools/Tool.h"

namespace tools::generators {

using geometry::X3DPoint;

struct ProfileSegment {
    X3DPoint a;
    X3DPoint b;
};

class SweepTool : public Tool {
public:
    std::string prompt(int step) const override
    {
        return step == 0 ? "Select the first control point" : "Select the next point or click again to close";
    }
    Gesture gesture(const views::ViewWindow&, bool, bool) const override { return Gesture::Click; }
    // A click: its depth is asked (a cancel ignores the click).
    void act(ToolContext& ctx, views::ViewWindow& view, const ViewPoint& start, const ViewPoint& end,
             Gesture gesture) override;
    // Space: the next point is typed in the coordinates dialog.
    bool space(ToolContext& ctx) override;
    void reset(ToolContext& ctx) override;
    void painted(views::ViewWindow& view) override { trail_.painted(view); }
    void hideOverlays(views::ViewWindow& view) override { trail_.hide(view); }

protected:
    // At the first point: the section's own questions; false resets the tool.
    virtual bool askSection(ToolContext& ctx) = 0;
    // The section at the path's first point, heading for the second.
    virtual std::vector<ProfileSegment> profileAt(ToolContext& ctx, const views::ViewWindow& view, const X3DPoint& p0,
                                                  const X3DPoint& p1) = 0;

    materials::Material material_;

private:
    void addPoint(ToolContext& ctx, views::ViewWindow& view, const X3DPoint& p);
    // The piece from p0 to p1, ending in the plane through p1 that halves
    // the bend towards p2. False, with a message and nothing built, when the
    // path turns straight back.
    bool sweep(ToolContext& ctx, const X3DPoint& p2);

    std::vector<X3DPoint> path_;  // p0, p1 while a path is under way
    std::vector<ProfileSegment> profile_;
    std::vector<ViewPoint> shown_;
    views::ViewWindow* view_ = nullptr;
    PointTrail trail_;
};

}  // namespace tools::generators
