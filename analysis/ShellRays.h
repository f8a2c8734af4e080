// Inside or outside the closed shells: the number of shell faces a ray from
// the point along +x crosses, odd inside. Only shells whose box holds the
// point can hold it, so the ray looks at their faces alone and stops where
// their boxes end: each question costs about log n plus the faces it passes.
#pragma once

#include <vector>

#include "analysis/BoxTree.h"
#include "analysis/ModelGeometry.h"

namespace analysis {

class ShellRays {
public:
    // The faces of shell s with closed[s] set take part; `faceTree` holds
    // every face (item i is face i).
    ShellRays(const std::vector<FacePart>& faces, const std::vector<int>& shell, const std::vector<char>& closed,
              const BoxTree& faceTree);

    bool any() const { return !shellTree_.empty(); }
    // Whether p lies inside an odd number of closed shells, not counting the
    // shell `skip` (-1: none).
    bool inside(const X3DPoint& p, int skip = -1) const;
    // Whether the box of another closed shell holds the whole box of shell s
    // (only then can s lie inside another shell).
    bool mayBeInsideAnother(int s) const;

private:
    const std::vector<FacePart>& faces_;
    const std::vector<int>& shell_;
    const BoxTree& faceTree_;
    std::vector<Box> shellBoxes_;  // per shell; empty for open shells
    BoxTree shellTree_;
};

}  // namespace analysis
