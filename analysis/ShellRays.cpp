// Ray parity against the closed shells.
#include "analysis/ShellRays.h"

#include <algorithm>
#include <cmath>

namespace analysis {

ShellRays::ShellRays(const std::vector<FacePart>& faces, const std::vector<int>& shell, const std::vector<char>& closed,
                     const BoxTree& faceTree, long budget)
    : faces_(faces), shell_(shell), faceTree_(faceTree), shellBoxes_(closed.size())
{
    for (std::size_t f = 0; f < faces.size(); ++f) {
        if (shell[f] >= 0 && closed[shell[f]]) {
            shellBoxes_[shell[f]].extend(faceTree.itemBox(static_cast<std::uint32_t>(f)));
        }
    }
    shellTree_.build(shellBoxes_);
    // A ray through a sensible model meets a few dozen faces; this allows
    // hundreds for every face and then some.
    budget_ = budget > 0 ? budget : 200 * static_cast<long>(faces.size()) + 20000000;
}

bool ShellRays::mayBeInsideAnother(int s) const
{
    bool held = false;
    shellTree_.overlapping(shellBoxes_[s], [&](std::uint32_t other) {
        held = static_cast<int>(other) != s && shellBoxes_[other].contains(shellBoxes_[s]);
        return !held;
    });
    return held;
}

std::optional<bool> ShellRays::inside(const X3DPoint& point, int skip) const
{
    if (budget_ < 0) {
        return std::nullopt;
    }
    // A tiny sideways offset keeps the ray off the edges and corners that
    // models put at round coordinates, where it would meet two faces at once.
    X3DPoint p(point.x, point.y + 3.1e-7, point.z + 1.7e-7);
    Box at;
    at.extend(p);
    std::vector<int> holding;
    double until = p.x;
    shellTree_.overlapping(at, [&](std::uint32_t s) {
        if (static_cast<int>(s) != skip) {
            holding.push_back(static_cast<int>(s));
            until = std::max(until, shellBoxes_[s].max.x);
        }
        return true;
    });
    if (holding.empty()) {
        return false;
    }
    budget_ -= static_cast<long>(holding.size());
    std::sort(holding.begin(), holding.end());
    bool odd = false;
    faceTree_.alongRayX(p, until, [&](std::uint32_t item) {
        if (--budget_ < 0) {
            return false;
        }
        const FacePart& f = faces_[item];
        if (!std::binary_search(holding.begin(), holding.end(), shell_[item]) || std::fabs(f.normal.x) < 1e-12) {
            return true;  // another shell's, or seen edge-on
        }
        // The outline as seen along x, in (y, z).
        const X3DPoint* v = f.vertices();
        std::size_t n = f.vertexCount();
        bool in = false;
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            if ((v[i].z > p.z) != (v[j].z > p.z) &&
                p.y < (v[j].y - v[i].y) * (p.z - v[i].z) / (v[j].z - v[i].z) + v[i].y) {
                in = !in;
            }
        }
        if (in) {
            double x = -(f.offset + f.normal.y * p.y + f.normal.z * p.z) / f.normal.x;
            if (x > p.x) {
                odd = !odd;
            }
        }
        return true;
    });
    if (budget_ < 0) {
        return std::nullopt;
    }
    return odd;
}

}  // namespace analysis
