// The rubber band of a gesture in a view: from the press of the left button
// to its release, a line, rectangle or circle drawn in XOR so that drawing
// it again takes it away. One program-wide tracker.
#pragma once

#include "tools/Tool.h"
#include "views/ViewWindow.h"

namespace tools {

class Tracker {
public:
    // Starts a gesture at p (already snapped); the pointer stays in the view.
    void begin(views::ViewWindow& view, const ViewPoint& p, Gesture gesture);
    // Moves the end: the old figure goes, the new one comes.
    void move(const ViewPoint& p);
    // Ends the gesture, taking the figure away; false when none was going.
    bool end(ViewPoint& start, ViewPoint& end, Gesture& gesture);
    // The figure again, after its view was painted anew.
    void restore(views::ViewWindow& view);

    bool active() const { return view_ != nullptr; }
    views::ViewWindow* view() const { return view_; }
    Gesture gesture() const { return gesture_; }
    // The gesture's number, as the coordinate bar keeps it (0 when none).
    int mode() const { return static_cast<int>(gesture_); }
    const ViewPoint& start() const { return start_; }
    const ViewPoint& endPoint() const { return end_; }

private:
    void drawFigure();

    Gesture gesture_ = Gesture::Click;
    ViewPoint start_;
    ViewPoint end_;
    views::ViewWindow* view_ = nullptr;
};

}  // namespace tools
