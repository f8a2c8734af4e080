// What construction tools use to turn a view point into a model point: the
// depth typed beside the point, the depth of the model under it, and a
// mark that shows the point while a dialog asks about it.
#pragma once

#include "model/Document.h"
#include "views/ViewWindow.h"

namespace tools {

using model::ViewPoint;

// The coordinate along the view direction, in a small dialog beside the
// point ("Coord Z:" in the plan, "Coord X:" in the front, "Coord Y:" in the
// side view, "Elevation:" elsewhere); true and the value on OK.
bool askDepth(const views::ViewWindow& view, const ViewPoint& q, double& value);
// The greatest depth at which the line of sight through q meets a face,
// or the default when it meets none.
double depthAt(const model::Document& doc, const views::ViewWindow& view, const ViewPoint& q, double fallback);
// An 8 by 8 pixel square over the point, in XOR: a second call takes it away.
void markPoint(const views::ViewWindow& view, const ViewPoint& q);

}  // namespace tools
