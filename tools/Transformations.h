// Move, Mirror and Rotate of the selection with the points of a gesture in
// a view, and Resize by a factor. Each takes an undo snapshot first and
// marks the model modified; the caller repaints.
#pragma once

#include "model/Document.h"
#include "storage/UndoRing.h"
#include "views/ViewWindow.h"

namespace tools {

using model::ViewPoint;

// By the drawn displacement; false (nothing done) for one of no length.
bool moveSelection(model::Document& doc, storage::UndoRing& undo, const views::ViewWindow& view, const ViewPoint& s,
                   const ViewPoint& e);
// In the plane through the drawn line square to the view, or through the
// point for a click; asks "Delete old objects" first, and No leaves copies.
bool mirrorSelection(model::Document& doc, storage::UndoRing& undo, const views::ViewWindow& view, const ViewPoint& s,
                     const ViewPoint& e);
// About the view's direction through s, by the degrees asked for.
bool rotateSelection(model::Document& doc, storage::UndoRing& undo, const views::ViewWindow& view, const ViewPoint& s);
// About the model origin, by the factor asked for.
bool resizeSelection(model::Document& doc, storage::UndoRing& undo);

}  // namespace tools
