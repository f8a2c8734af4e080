// Painting the two-dimensional views: axes, grid dots, the base map and
// every entity with its own look, selected ones last.
#pragma once

#include <vector>

#include "model/Entity.h"
#include "ui/Canvas.h"
#include "ui/DrawContext.h"
#include "ui/PixelRect.h"

namespace views {

class ViewWindow;

// The whole view, as its paint handler does it.
void paintView(ViewWindow& view, ui::DrawContext& dc);
// The model: sources and receivers numbered, every entity that can touch
// the view, then the selected ones again so that they lie on top.
void drawModel(ViewWindow& view, ui::DrawContext& dc);
// Paints the pixels inside the parts exactly as a whole paint would: what
// can touch them is drawn, whole, onto `scratch` (a picture as large as the
// view, whose parts are made white first), from which they are then copied.
void paintViewParts(ViewWindow& view, ui::Canvas& scratch, const std::vector<ui::PixelRect>& parts);
// The grid leaves out its last column and row (the grid points nearest the
// right and top edges): where they lie in the view, as rectangles one pixel
// wide, when they are inside it. A pan paints them again, since they move
// with the view's edges, not with the drawing.
std::vector<ui::PixelRect> gridSeams(const ViewWindow& view);
// One entity's look (lists draw their members).
void drawEntity(const model::Entity& e, ViewWindow& view, ui::DrawContext& dc);
void drawIfSelected(const model::Entity& e, ViewWindow& view, ui::DrawContext& dc);

// The letters of source n: A..Z, then AA, AB, ...
std::string sourceLabel(unsigned n);

}  // namespace views
