// Overlapping coplanar faces.
#include "analysis/FaceOverlaps.h"

#include <algorithm>
#include <cmath>

#include "analysis/BoxTree.h"
#include "model/HugePages.h"

namespace analysis {

namespace {

// Whether every vertex of `of` lies within the tolerance of the plane of `in`.
bool liesIn(const FacePart& of, const FacePart& in, double tolerance)
{
    const X3DPoint* v = of.vertices();
    for (std::size_t i = 0; i < of.vertexCount(); ++i) {
        if (std::fabs(in.distanceToPlane(v[i])) > tolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace

X3DPoint interiorPoint(const FacePart& part)
{
    PlaneFrame frame(part.centroid, part.normal);
    std::vector<Point2> outline = projectOutline(frame, part.vertices(), part.vertexCount());
    if (insideOutline({0.0, 0.0}, outline)) {
        return part.centroid;
    }
    // The middle of the largest triangle is inside the outline.
    std::vector<Triangle2> triangles = triangulate(outline);
    double best = -1.0;
    Point2 at;
    for (const Triangle2& t : triangles) {
        double a = std::fabs((t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[2].x - t[0].x) * (t[1].y - t[0].y));
        if (a > best) {
            best = a;
            at = {(t[0].x + t[1].x + t[2].x) / 3, (t[0].y + t[1].y + t[2].y) / 3};
        }
    }
    return best > 0.0 ? frame.to3D(at) : part.centroid;
}

BoxTree partTree(const std::vector<FacePart>& parts, const std::vector<char>& include, double tolerance)
{
    std::vector<Box> boxes;
    model::reserveLarge(boxes, parts.size());
    boxes.resize(parts.size());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (include[i] && parts[i].area > 0.0) {
            boxes[i] = parts[i].box();
            boxes[i].grow(tolerance);
        }
    }
    return BoxTree(std::move(boxes));
}

OverlapSearch findOverlaps(const std::vector<FacePart>& parts, const BoxTree& tree, double tolerance, int perPart,
                           long budget)
{
    OverlapSearch search;
    std::vector<FaceOverlap>& found = search.pairs;
    if (budget <= 0) {
        budget = 64 * static_cast<long>(parts.size()) + 1000000;
    }
    std::vector<int> reported(parts.size(), 0);
    // Each pair of boxes is looked at once; crowds stop counting once a part
    // has all the reports it may have.
    long looked = 0;
    tree.overlappingPairs([&](std::uint32_t i, std::uint32_t j) {
        if (++looked > budget) {
            search.stopped = true;
            search.crowdAt = parts[i].centroid;
            return false;
        }
        if (reported[i] >= perPart || reported[j] >= perPart) {
            return true;
        }
        const FacePart& p = parts[i];
        const FacePart& q = parts[j];
        if (std::fabs(geometry::dot(p.normal, q.normal)) < 0.99 || !liesIn(q, p, tolerance) ||
            !liesIn(p, q, tolerance)) {
            return true;
        }
        PlaneFrame frame(p.centroid, p.normal);
        std::vector<Triangle2> tp = triangulate(projectOutline(frame, p.vertices(), p.vertexCount()));
        std::vector<Triangle2> tq = triangulate(projectOutline(frame, q.vertices(), q.vertexCount()));
        Overlap common = commonArea(tp, tq);
        if (common.area > tolerance * tolerance) {
            found.push_back({i, j, common.area, frame.to3D(common.centroid)});
            ++reported[i];
            ++reported[j];
        }
        return true;
    });
    std::sort(found.begin(), found.end(),
              [](const FaceOverlap& x, const FaceOverlap& y) { return x.a != y.a ? x.a < y.a : x.b < y.b; });
    return search;
}

}  // namespace analysis
