// The Select menu's own selections: by material, by the monopermeable flag,
// all receivers or all sources toggled.
#pragma once

#include "model/Document.h"

namespace tools {

// Faces and doors at every depth with that material number are selected
// (added to the selection); answers how many were added.
int selectMaterial(model::Document& doc, unsigned number);
// Faces (not doors) at every depth whose material is monopermeable.
int selectMonopermeable(model::Document& doc);
// Inverts the selection of every entity of that type (receivers, sources).
int toggleAll(model::Document& doc, int typeCode);

}  // namespace tools
