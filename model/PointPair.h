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

}  // namespace model::pointPair
