// Building the box hierarchy, and the segment test of a box.
#include "analysis/BoxTree.h"

#include <algorithm>
#include <bit>

#include "analysis/RadixSort.h"
#include "model/HugePages.h"

namespace analysis {

bool Box::meetsSegment(const X3DPoint& a, const X3DPoint& b) const
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double from[3] = {a.x, a.y, a.z};
    const double to[3] = {b.x, b.y, b.z};
    const double lo[3] = {min.x, min.y, min.z};
    const double hi[3] = {max.x, max.y, max.z};
    for (int k = 0; k < 3; ++k) {
        double d = to[k] - from[k];
        if (d == 0.0) {
            if (from[k] < lo[k] || from[k] > hi[k]) {
                return false;
            }
            continue;
        }
        double ta = (lo[k] - from[k]) / d;
        double tb = (hi[k] - from[k]) / d;
        if (ta > tb) {
            std::swap(ta, tb);
        }
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
        if (t0 > t1) {
            return false;
        }
    }
    return true;
}

namespace {

// Spreads the low 21 bits of v to every third bit.
std::uint64_t spread(std::uint64_t v)
{
    v &= 0x1FFFFF;
    v = (v | v << 32) & 0x1F00000000FFFFULL;
    v = (v | v << 16) & 0x1F0000FF0000FFULL;
    v = (v | v << 8) & 0x100F00F00F00F00FULL;
    v = (v | v << 4) & 0x10C30C30C30C30C3ULL;
    v = (v | v << 2) & 0x1249249249249249ULL;
    return v;
}

}  // namespace

void BoxTree::build(std::vector<Box> boxes)
{
    boxes_ = std::move(boxes);
    items_.clear();
    nodes_.clear();
    Box all;
    std::uint32_t count = 0;
    for (const Box& b : boxes_) {
        if (!b.empty()) {
            all.extend(b.centre());
            ++count;
        }
    }
    if (count == 0) {
        return;
    }
    // Items along the curve: neighbours in the order are neighbours in space.
    // One scale for all three axes, so that the curve's cells are cubes.
    X3DVector extent = all.max - all.min;
    double largest = std::max({extent.x, extent.y, extent.z});
    double scale = largest > 0.0 ? 2097151.0 / largest : 0.0;
    std::vector<KeyedItem> keyed;
    model::reserveLarge(keyed, count);
    for (std::uint32_t i = 0; i < boxes_.size(); ++i) {
        if (boxes_[i].empty()) {
            continue;
        }
        X3DPoint c = boxes_[i].centre();
        std::uint64_t x = static_cast<std::uint64_t>((c.x - all.min.x) * scale);
        std::uint64_t y = static_cast<std::uint64_t>((c.y - all.min.y) * scale);
        std::uint64_t z = static_cast<std::uint64_t>((c.z - all.min.z) * scale);
        keyed.push_back({spread(x) | spread(y) << 1 | spread(z) << 2, i});
    }
    radixSort(keyed, 63);
    model::reserveLarge(items_, count);
    std::vector<std::uint64_t> codes;
    model::reserveLarge(codes, count);
    for (const KeyedItem& k : keyed) {
        items_.push_back(k.value);
        codes.push_back(k.key);
    }
    keyed.clear();
    keyed.shrink_to_fit();
    // Splits at the curve's cubes may leave leaves of one item: at most 2n - 1 nodes.
    model::reserveLarge(nodes_, 2 * static_cast<std::size_t>(count));
    buildNode(0, count, codes);
}

std::uint32_t BoxTree::buildNode(std::uint32_t begin, std::uint32_t end, const std::vector<std::uint64_t>& codes)
{
    std::uint32_t self = static_cast<std::uint32_t>(nodes_.size());
    nodes_.emplace_back();
    if (end - begin <= leafSize) {
        Box bounds;
        for (std::uint32_t k = begin; k < end; ++k) {
            bounds.extend(boxes_[items_[k]]);
        }
        nodes_[self].box = bounds;
        nodes_[self].first = begin;
        nodes_[self].count = end - begin;
        return self;
    }
    // Split where the highest bit in which the range's codes differ turns
    // on: the two halves are then two halves of a cube of the curve. Equal
    // codes (boxes with one centre) are halved, so the depth stays within
    // the 63 bits of the code plus log2 n.
    std::uint32_t mid = begin + (end - begin) / 2;
    std::uint64_t differ = codes[begin] ^ codes[end - 1];
    if (differ != 0) {
        std::uint64_t bit = std::uint64_t{1} << (63 - std::countl_zero(differ));
        mid = static_cast<std::uint32_t>(std::partition_point(codes.begin() + begin, codes.begin() + end,
                                                              [bit](std::uint64_t c) { return (c & bit) == 0; }) -
                                         codes.begin());
    }
    buildNode(begin, mid, codes);
    std::uint32_t right = buildNode(mid, end, codes);
    Box bounds = nodes_[self + 1].box;
    bounds.extend(nodes_[right].box);
    nodes_[self].box = bounds;
    nodes_[self].first = right;
    return self;
}

}  // namespace analysis
