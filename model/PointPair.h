// What the entities made of two points share (segments, text notes,
// receivers, sources, rays): their record fields and their transformations.
#pragma once

#include "model/Entity.h"

namespace model::pointPair {

// The keyword, then both points, separated by single blanks.
void write(textio::TextWriter& out, const char* keyword, const X3DPoint& a, const X3DPoint& b);
bool read(textio::TokenReader& in, X3DPoint& a, X3DPoint& b);

void mirrorThroughPoint(X3DPoint& a, X3DPoint& b, const X3DPoint& centre);
void mirrorAcrossPlane(X3DPoint& a, X3DPoint& b, const X3DPlane& plane);
void translate(X3DPoint& a, X3DPoint& b, const X3DVector& v);
void scale(X3DPoint& a, X3DPoint& b, double factor);
void rotate(X3DPoint& a, X3DPoint& b, const X3DLine& axis, const X3DAngle& angle);

// Picking and snapping by points.
// p is nearer to q than `distance` in the view plane: out and distance take it.
bool snapTo(const ViewMapping& view, const ViewPoint& q, const X3DPoint& p, X3DPoint& out, double& distance);
// The pixel lies within 3 pixels of the point's pixel in both directions.
bool nearPixel(const ViewMapping& view, const X3DPoint& point, ui::PixelPoint p);
// Toggles the selection, redraws; the entity when it is now selected.
Entity* toggle(Entity& e);
// Selects and redraws the entity unless it already is selected.
void selectAndRedraw(Entity& e);

}  // namespace model::pointPair
