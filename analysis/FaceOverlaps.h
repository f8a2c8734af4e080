// Coplanar faces that cover the same ground: pairs found through a box
// hierarchy, then the area they share measured in their plane.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/BoxTree.h"
#include "analysis/ModelGeometry.h"

namespace analysis {

struct FaceOverlap {
    std::uint32_t a = 0;  // indices into the parts, a < b
    std::uint32_t b = 0;
    double area = 0.0;
    X3DPoint at;  // the middle of the shared area
};

struct OverlapSearch {
    std::vector<FaceOverlap> pairs;
    // Set when so many boxes crowd together that the search stopped early
    // (a pile of copies would otherwise cost the square of its size).
    bool stopped = false;
    X3DPoint crowdAt;  // where it stopped
};

// A box hierarchy over the included parts that have an area, their boxes
// grown by the tolerance (item i is part i).
BoxTree partTree(const std::vector<FacePart>& parts, const std::vector<char>& include, double tolerance);

// Pairs of parts in the tree whose areas overlap by more than tolerance^2.
// No part is reported in more than `perPart` pairs; the search looks at no
// more than `budget` pairs of boxes in all (0: 64 per part and a million more).
OverlapSearch findOverlaps(const std::vector<FacePart>& parts, const BoxTree& tree, double tolerance, int perPart = 16,
                           long budget = 0);

// A point inside the part's outline (its vertex average when that is inside).
X3DPoint interiorPoint(const FacePart& part);

}  // namespace analysis
