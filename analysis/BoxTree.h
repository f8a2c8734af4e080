// A static bounding-volume hierarchy over boxes: which boxes meet a box, a
// segment or a ray along +x, and every pair of boxes that overlap, each in
// about log n plus what is found. Built once, in linear time after a radix
// sort of the boxes' centres along a space-filling (Morton) curve.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "analysis/Box.h"

namespace analysis {

class BoxTree {
public:
    BoxTree() = default;
    // Item i is boxes[i]; empty boxes are left out.
    explicit BoxTree(std::vector<Box> boxes) { build(std::move(boxes)); }
    void build(std::vector<Box> boxes);

    bool empty() const { return nodes_.empty(); }
    const Box& itemBox(std::uint32_t item) const { return boxes_[item]; }

    // visit(item) for every item whose box overlaps `box`; a visit that
    // answers false ends the search.
    template <typename Visit>
    void overlapping(const Box& box, Visit visit) const
    {
        walk([&box](const Box& b) { return b.overlaps(box); }, visit);
    }
    // Every item whose box meets the segment from a to b.
    template <typename Visit>
    void alongSegment(const X3DPoint& a, const X3DPoint& b, Visit visit) const
    {
        walk([&a, &b](const Box& box) { return box.meetsSegment(a, b); }, visit);
    }
    // Every item whose box meets the ray from p towards +x, up to x = until.
    template <typename Visit>
    void alongRayX(const X3DPoint& p, double until, Visit visit) const
    {
        walk(
            [&p, until](const Box& b) {
                return b.max.x >= p.x && b.min.x <= until && b.min.y <= p.y && p.y <= b.max.y && b.min.z <= p.z &&
                       p.z <= b.max.z;
            },
            visit);
    }
    // visit(i, j) with i < j for every two items whose boxes overlap; a
    // visit that answers false ends the search.
    template <typename Visit>
    void overlappingPairs(Visit visit) const
    {
        if (!nodes_.empty()) {
            pairsWithin(0, visit);
        }
    }

private:
    struct Node {
        Box box;
        std::uint32_t first = 0;  // leaf: its first item; inner: the right child (the left one follows)
        std::uint32_t count = 0;  // items of a leaf, 0 for inner nodes
    };
    static constexpr std::uint32_t leafSize = 4;

    // Builds the node for items [begin, end) of the curve order; answers its
    // index. `codes` are the items' places on the curve.
    std::uint32_t buildNode(std::uint32_t begin, std::uint32_t end, const std::vector<std::uint64_t>& codes);

    template <typename Test, typename Visit>
    void walk(Test test, Visit& visit) const
    {
        if (nodes_.empty()) {
            return;
        }
        std::array<std::uint32_t, 128> stack;
        std::size_t top = 0;
        stack[top++] = 0;
        while (top > 0) {
            std::uint32_t self = stack[--top];
            const Node& n = nodes_[self];
            if (!test(n.box)) {
                continue;
            }
            if (n.count > 0) {
                for (std::uint32_t k = n.first; k < n.first + n.count; ++k) {
                    if (test(boxes_[items_[k]]) && !visit(items_[k])) {
                        return;
                    }
                }
                continue;
            }
            stack[top++] = n.first;
            stack[top++] = self + 1;
        }
    }

    // Each answers false once a visit has asked to stop.
    template <typename Visit>
    bool pairsWithin(std::uint32_t a, Visit& visit) const
    {
        const Node& n = nodes_[a];
        if (n.count > 0) {
            for (std::uint32_t i = n.first; i < n.first + n.count; ++i) {
                for (std::uint32_t j = i + 1; j < n.first + n.count; ++j) {
                    if (!report(items_[i], items_[j], visit)) {
                        return false;
                    }
                }
            }
            return true;
        }
        return pairsWithin(a + 1, visit) && pairsWithin(n.first, visit) && pairsBetween(a + 1, n.first, visit);
    }

    template <typename Visit>
    bool pairsBetween(std::uint32_t a, std::uint32_t b, Visit& visit) const
    {
        const Node& na = nodes_[a];
        const Node& nb = nodes_[b];
        if (!na.box.overlaps(nb.box)) {
            return true;
        }
        if (na.count > 0 && nb.count > 0) {
            for (std::uint32_t i = na.first; i < na.first + na.count; ++i) {
                if (!boxes_[items_[i]].overlaps(nb.box)) {
                    continue;
                }
                for (std::uint32_t j = nb.first; j < nb.first + nb.count; ++j) {
                    if (!report(items_[i], items_[j], visit)) {
                        return false;
                    }
                }
            }
            return true;
        }
        if (na.count > 0) {
            return pairsBetween(a, b + 1, visit) && pairsBetween(a, nb.first, visit);
        }
        return pairsBetween(a + 1, b, visit) && pairsBetween(na.first, b, visit);
    }

    template <typename Visit>
    bool report(std::uint32_t i, std::uint32_t j, Visit& visit) const
    {
        return !boxes_[i].overlaps(boxes_[j]) || visit(std::min(i, j), std::max(i, j));
    }

    std::vector<Box> boxes_;
    std::vector<std::uint32_t> items_;
    std::vector<Node> nodes_;
};

}  // namespace analysis
