// The model check: leaks in the room's shell, warped, degenerate and
// overlapping faces, openings off their walls, sources and receivers outside
// the room or too near a face, faces turned against their neighbours and
// materials the database lacks; with the shell's volume.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "geometry/X3DPoint.h"

namespace materials {
class MaterialList;
}
namespace model {
class EntityList;
}

namespace analysis {

using geometry::X3DPoint;

enum class ProblemKind {
    OpenEdge,
    NonPlanar,
    Degenerate,
    Overlap,
    OpeningOffWall,
    Outside,
    NearSurface,
    Orientation,
    UnknownMaterial,
};

// "open-edge", "non-planar", ...
const char* kindName(ProblemKind kind);
bool isError(ProblemKind kind);

struct Problem {
    ProblemKind kind = ProblemKind::OpenEdge;
    std::string message;
    // The entities concerned, numbered in file order from 0.
    std::vector<long> entities;
    X3DPoint at;  // where to look
    // Open edges: the stretch no other face covers.
    X3DPoint from;
    X3DPoint to;
    // Overlaps: the area in common; near surfaces: the distance; warped
    // faces: the largest distance from the plane.
    double value = 0.0;
    // Notes that a check had to stop short are warnings whatever their kind.
    bool note = false;

    bool error() const { return !note && isError(kind); }
    const char* levelName() const { return error() ? "error" : "warning"; }
};

struct CheckOptions {
    double tolerance = 0.001;   // metres
    double nearDistance = 0.5;  // metres from a face
};

// What the check accepts: false with a message for settings it cannot use.
bool validOptions(const CheckOptions& options, std::string& message);

struct CheckReport {
    long faces = 0;  // Face entities (floors, walls, roofs and the like)
    int shells = 0;  // sets of faces joined along their edges
    int closedShells = 0;
    // At least one closed shell, and no open edge outside the closed shells.
    bool closed = false;
    // What the closed shells enclose (shells inside others taken away);
    // none unless the model is closed.
    std::optional<double> volume;
    double area = 0.0;      // of every Face entity, openings included
    double holeArea = 0.0;  // of the holes, open to the outside
    std::vector<Problem> problems;
    // Problems found beyond what the list holds of their kind (the list
    // says so in a note of each such kind).
    long unlistedErrors = 0;
    long unlistedWarnings = 0;

    // Every problem found, listed or not (notes count as warnings).
    int errors() const;
    int warnings() const;
};

// Runs every check. The material database is only read.
CheckReport checkModel(const model::EntityList& model, const materials::MaterialList& list,
                       const CheckOptions& options = {});

}  // namespace analysis
