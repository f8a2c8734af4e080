// How the faces join into shells: vertices welded within the tolerance,
// edges matched end to end (an edge that another face's vertex splits, as in
// a T-junction or a collinear overlap, is matched piece by piece), the
// connected shells, the stretches of edge no other face covers, a consistent
// orientation of each closed shell and the volume it encloses.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/ModelGeometry.h"

namespace analysis {

// A stretch of a face's edge that no other face's edge covers.
struct OpenStretch {
    std::uint32_t face = 0;  // an index into the faces
    X3DPoint from;
    X3DPoint to;
};

struct ShellTopology {
    // Per face: its shell, or -1 for faces left out (those with no area).
    std::vector<int> shell;
    int shells = 0;
    std::vector<char> closed;                // per shell
    std::vector<std::uint32_t> largestFace;  // per shell: the face of most area
    std::vector<OpenStretch> open;
    // Per face of a closed shell: its normal points into the shell while
    // the shell is oriented outwards (so that it encloses a positive volume).
    std::vector<char> inward;
    // Per shell: the volume a closed shell encloses (0 for open ones).
    std::vector<double> volume;
};

// `include` says which faces take part (one flag per face).
ShellTopology analyseShells(const std::vector<FacePart>& faces, const std::vector<char>& include, double tolerance);

}  // namespace analysis
