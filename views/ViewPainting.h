// Painting the two-dimensional views: axes, grid dots, the base map and
// every entity with its own look, selected ones last.
#pragma once

#include "model/Entity.h"
#include "ui/DrawContext.h"

namespace views {

class ViewWindow;

// The whole view, as its paint handler does it.
void paintView(ViewWindow& view, ui::DrawContext& dc);
// The model: sources and receivers numbered, every entity, then the selected
// ones again so that they lie on top.
void drawModel(ViewWindow& view, ui::DrawContext& dc);
// One entity's look (lists draw their members).
void drawEntity(const model::Entity& e, ViewWindow& view, ui::DrawContext& dc);
void drawIfSelected(const model::Entity& e, ViewWindow& view, ui::DrawContext& dc);

// The letters of source n: A..Z, then AA, AB, ...
std::string sourceLabel(unsigned n);

}  // namespace views
