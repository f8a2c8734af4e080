// Faces that stand between the sound sources and the receivers: the
// "Find obstructing faces" command, selecting the faces flagged obstructing,
// or those that should be, optionally setting their flag.
#pragma once

#include <vector>

#include "model/Document.h"
#include "model/Face.h"
#include "storage/UndoRing.h"

namespace tools::analysis {

enum class ObstructingMode {
    SelectFlagged,    // faces whose material is obstructing
    SelectUnflagged,  // faces that are not, but separate a source from a receiver or are monopermeable
    AssignFlag,       // as SelectUnflagged, and the flag is set
};

// The faces (not doors or holes, at every depth, walls' faces included)
// that the mode picks among those not selected yet, in model order. A face
// separates a source from a receiver (both at the top level of the model)
// when the two lie on different sides of its plane and the face holds the
// point where the line between them crosses it.
std::vector<model::Face*> obstructingFaces(model::Document& doc, ObstructingMode mode);
// The same answer, testing every face against every source and receiver.
std::vector<model::Face*> obstructingFacesDirect(model::Document& doc, ObstructingMode mode);

// The dialog, then the faces found are selected (and in the third mode
// flagged, after an undo snapshot, the model marked modified). False when
// cancelled.
bool findObstructing(model::Document& doc, storage::UndoRing& undo);

}  // namespace tools::analysis
