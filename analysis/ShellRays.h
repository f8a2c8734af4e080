// Inside or outside the closed shells: the number of shell faces a ray from
// the point along +x crosses, odd inside. Only shells whose box holds the
// point can hold it, so the ray looks at their faces alone and stops where
// their boxes end: each question costs about log n plus the faces it passes.
#pragma once

#include <optional>
#include <vector>

#include "analysis/BoxTree.h"
#include "analysis/ModelGeometry.h"

namespace analysis {

class ShellRays {
public:
    // The faces of shell s with closed[s] set take part; `faceTree` holds
    // every face (item i is face i). The rays may look at `budget` faces in
    // all (0: two hundred for every face and twenty million more).
    ShellRays(const std::vector<FacePart>& faces, const std::vector<int>& shell, const std::vector<char>& closed,
              const BoxTree& faceTree, long budget = 0);

    bool any() const { return !shellTree_.empty(); }
    // Whether p lies inside an odd number of closed shells, not counting the
    // shell `skip` (-1: none); nothing once the rays have used up their
    // budget of faces (shells nested ever deeper would otherwise cost the
    // square of their number).
    std::optional<bool> inside(const X3DPoint& p, int skip = -1) const;
    bool exhausted() const { return budget_ < 0; }
    // Whether the box of another closed shell holds the whole box of shell s
    // (only then can s lie inside another shell).
    bool mayBeInsideAnother(int s) const;

private:
    const std::vector<FacePart>& faces_;
    const std::vector<int>& shell_;
    const BoxTree& faceTree_;
    std::vector<Box> shellBoxes_;  // per shell; empty for open shells
    BoxTree shellTree_;
    mutable long budget_ = 0;  // faces the rays may still look at
};

}  // namespace analysis
