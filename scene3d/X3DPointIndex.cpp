// Octree point index.
#include "scene3d/X3DPointIndex.h"

#include <algorithm>
#include <cmath>

#include "model/HugePages.h"

namespace scene3d {

namespace {
constexpr std::uint32_t leafLimit = 16;
// Below 1e-5 no two points of a leaf can stay apart, so a leaf this deep
// never splits; the limit only guards against endless splitting.
constexpr int maxDepth = 64;

bool near(const X3DPoint& a, const X3DPoint& b)
{
    return std::fabs(a.x - b.x) < 1e-5 && std::fabs(a.y - b.y) < 1e-5 && std::fabs(a.z - b.z) < 1e-5;
}
}  // namespace

void X3DPointIndex::reserve(std::size_t n)
{
    model::reserveLarge(points_, n);
    model::reserveLarge(cells_, n / 4 + 16);
    model::reserveLarge(buckets_, n / 4 + 16);
}

std::int32_t X3DPointIndex::newLeaf(const X3DPoint& centre, double half, std::int32_t depth)
{
    X3DPointCell cell;
    cell.centre = centre;
    cell.half = half;
    cell.depth = depth;
    cell.bucket = static_cast<std::int32_t>(buckets_.size());
    buckets_.emplace_back();
    cells_.push_back(cell);
    return static_cast<std::int32_t>(cells_.size() - 1);
}

// The root is a cube around the points' box: half side the smallest power of
// two (from 2 up) not below the box's largest extent, centred on the box's
// centre rounded to whole metres.
void X3DPointIndex::placeRoot()
{
    double extent = std::max(
        {bounds_.max.x - bounds_.min.x, bounds_.max.y - bounds_.min.y, bounds_.max.z - bounds_.min.z});
    double s = 2.0;
    while (s < extent) {
        s *= 2.0;
    }
    X3DPoint c(std::round(bounds_.centre.x), std::round(bounds_.centre.y), std::round(bounds_.centre.z));
    if (cells_.empty()) {
        newLeaf(c, s, 0);
    } else {
        cells_[0].centre = c;
        cells_[0].half = s;
    }
}

bool X3DPointIndex::inside(const X3DPointCell& cell, const X3DPoint& p) const
{
    const X3DPoint& c = cell.centre;
    double h = cell.half;
    return p.x >= c.x - h && p.x < c.x + h && p.y >= c.y - h && p.y < c.y + h && p.z >= c.z - h && p.z < c.z + h;
}

int X3DPointIndex::octant(const X3DPointCell& cell, const X3DPoint& p) const
{
    return (p.x >= cell.centre.x ? 1 : 0) + (p.y >= cell.centre.y ? 2 : 0) + (p.z >= cell.centre.z ? 4 : 0);
}

std::int32_t X3DPointIndex::makeChild(std::int32_t cell, int k)
{
    const X3DPointCell parent = cells_[static_cast<std::size_t>(cell)];
    double q = parent.half / 2;
    X3DPoint centre(parent.centre.x + (k & 1 ? q : -q), parent.centre.y + (k & 2 ? q : -q),
                    parent.centre.z + (k & 4 ? q : -q));
    std::int32_t id = newLeaf(centre, q, parent.depth + 1);
    cells_[static_cast<std::size_t>(cell)].child[k] = id;
    return id;
}

// Descends to the leaf for p, creating missing cells when asked; pathExisted
// tells whether every cell on the way was there already.
std::int32_t X3DPointIndex::leafFor(const X3DPoint& p, bool create, bool& pathExisted)
{
    pathExisted = true;
    if (lastLeaf_ >= 0) {
        const X3DPointCell& last = cells_[static_cast<std::size_t>(lastLeaf_)];
        if (last.bucket >= 0 && inside(last, p)) {
            return lastLeaf_;
        }
    }
    std::int32_t cell = 0;
    while (cells_[static_cast<std::size_t>(cell)].bucket < 0) {
        int k = octant(cells_[static_cast<std::size_t>(cell)], p);
        std::int32_t next = cells_[static_cast<std::size_t>(cell)].child[k];
        if (next < 0) {
            pathExisted = false;
            if (!create) {
                return -1;
            }
            next = makeChild(cell, k);
        }
        cell = next;
    }
    return cell;
}

int X3DPointIndex::findInLeaf(std::int32_t leaf, const X3DPoint& p) const
{
    for (std::int32_t b = cells_[static_cast<std::size_t>(leaf)].bucket; b >= 0;
         b = buckets_[static_cast<std::size_t>(b)].overflow) {
        const Bucket& bucket = buckets_[static_cast<std::size_t>(b)];
        for (std::uint32_t i = bucket.count; i-- > 0;) {
            if (near(points_[bucket.index[i]], p)) {
                return static_cast<int>(bucket.index[i]);
            }
        }
    }
    return -1;
}

void X3DPointIndex::addToLeaf(std::int32_t leaf, std::uint32_t index)
{
    std::int32_t b = cells_[static_cast<std::size_t>(leaf)].bucket;
    Bucket* bucket = &buckets_[static_cast<std::size_t>(b)];
    if (bucket->count + 1 < leafLimit || cells_[static_cast<std::size_t>(leaf)].depth >= maxDepth) {
        while (bucket->count == 15) {
            if (bucket->overflow < 0) {
                bucket->overflow = static_cast<std::int32_t>(buckets_.size());
                buckets_.emplace_back();
                bucket = &buckets_[static_cast<std::size_t>(b)];
            }
            b = bucket->overflow;
            bucket = &buckets_[static_cast<std::size_t>(b)];
        }
        bucket->index[bucket->count++] = index;
        return;
    }
    // The 16th point: the leaf becomes an inner cell and its points move
    // down, the last first.
    std::uint32_t moving[leafLimit];
    std::copy(bucket->index, bucket->index + bucket->count, moving);
    moving[bucket->count] = index;
    std::uint32_t n = bucket->count + 1;
    cells_[static_cast<std::size_t>(leaf)].bucket = -1;  // the bucket is left unused
    if (lastLeaf_ == leaf) {
        lastLeaf_ = -1;
    }
    for (std::uint32_t i = n; i-- > 0;) {
        const X3DPoint& p = points_[moving[i]];
        std::int32_t cell = leaf;
        while (cells_[static_cast<std::size_t>(cell)].bucket < 0) {
            int k = octant(cells_[static_cast<std::size_t>(cell)], p);
            std::int32_t next = cells_[static_cast<std::size_t>(cell)].child[k];
            cell = next >= 0 ? next : makeChild(cell, k);
        }
        addToLeaf(cell, moving[i]);
    }
}

void X3DPointIndex::rebuild()
{
    X3DPoint centre = cells_[0].centre;
    double half = cells_[0].half;
    cells_.clear();
    buckets_.clear();
    lastLeaf_ = -1;
    newLeaf(centre, half, 0);
    bool existed = false;
    for (std::uint32_t i = 0; i < points_.size(); ++i) {
        addToLeaf(leafFor(points_[i], true, existed), i);
    }
}

int X3DPointIndex::find(const X3DPoint& p) const
{
    if (cells_.empty()) {
        return -1;
    }
    std::int32_t cell = 0;
    while (cells_[static_cast<std::size_t>(cell)].bucket < 0) {
        cell = cells_[static_cast<std::size_t>(cell)].child[octant(cells_[static_cast<std::size_t>(cell)], p)];
        if (cell < 0) {
            return -1;
        }
    }
    return findInLeaf(cell, p);
}

int X3DPointIndex::add(const X3DPoint& p)
{
    bool insideOld = !cells_.empty() && std::fabs(p.x - cells_[0].centre.x) <= cells_[0].half &&
                     std::fabs(p.y - cells_[0].centre.y) <= cells_[0].half &&
                     std::fabs(p.z - cells_[0].centre.z) <= cells_[0].half;
    bounds_.add(p);
    if (cells_.empty()) {
        placeRoot();
    } else if (!insideOld) {
        placeRoot();
        if (cells_[0].bucket < 0) {
            rebuild();  // the tree no longer fits: rebuild it under the new root
        } else {
            lastLeaf_ = -1;
        }
    }
    // One descent both looks for an earlier point and finds where a new one
    // goes: a missing cell means no earlier point (and is made for it).
    bool pathExisted = false;
    std::int32_t leaf = leafFor(p, true, pathExisted);
    if (insideOld && pathExisted) {
        int found = findInLeaf(leaf, p);
        if (found >= 0) {
            lastLeaf_ = leaf;
            return found;
        }
    }
    auto index = static_cast<std::uint32_t>(points_.size());
    points_.push_back(p);
    addToLeaf(leaf, index);
    lastLeaf_ = cells_[static_cast<std::size_t>(leaf)].bucket >= 0 ? leaf : -1;
    return static_cast<int>(index);
}

}  // namespace scene3d
