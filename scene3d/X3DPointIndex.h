// Welding of coincident points: an octree whose leaves hold fewer than 16
// points, so that finding a point within 1e-5 of an earlier one compares it
// with a handful of others only.
#pragma once

#include <cstdint>
#include <vector>

#include "scene3d/X3DBounds.h"

namespace scene3d {

class X3DPointIndex {
public:
    // The index of the point: an earlier point within 1e-5 on every axis
    // (found in the same leaf), or the new one.
    int add(const X3DPoint& p);
    // The index of a stored point within 1e-5 of p, or -1.
    int find(const X3DPoint& p) const;

    const std::vector<X3DPoint>& points() const { return points_; }
    std::size_t size() const { return points_.size(); }
    void reserve(std::size_t n);

private:
    // A cube: centre and half side. Leaves keep their points in a bucket.
    struct X3DPointCell {
        X3DPoint centre;
        double half = 0.0;
        std::int32_t child[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
        std::int32_t bucket = -1;  // leaves only
        std::int32_t depth = 0;
    };
    // A leaf's points; a leaf splits on its 16th point, so 15 fit.
    struct Bucket {
        std::uint32_t count = 0;
        std::uint32_t index[15];
        std::int32_t overflow = -1;  // only below any size that can still split
    };

    void placeRoot();
    void rebuild();
    int octant(const X3DPointCell& cell, const X3DPoint& p) const;
    std::int32_t makeChild(std::int32_t cell, int k);
    std::int32_t newLeaf(const X3DPoint& centre, double half, std::int32_t depth);
    std::int32_t leafFor(const X3DPoint& p, bool create, bool& pathExisted);
    int findInLeaf(std::int32_t leaf, const X3DPoint& p) const;
    void addToLeaf(std::int32_t leaf, std::uint32_t index);
    bool inside(const X3DPointCell& cell, const X3DPoint& p) const;

    std::vector<X3DPoint> points_;
    X3DBounds bounds_;
    std::vector<X3DPointCell> cells_;  // cells_[0] is the root once a point is added
    std::vector<Bucket> buckets_;
    // The leaf of the last point: consecutive points are usually neighbours.
    std::int32_t lastLeaf_ = -1;
};

}  // namespace scene3d
