// A bounding-volume hierarchy over the boxes of faces, asked for every face
// whose box a segment crosses (not only the first one met).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/X3DPoint.h"
#include "model/Face.h"

namespace tools::analysis {

class SegmentIndex {
public:
    // The boxes are grown by a margin, so that a point the exact tests find
    // on a face's box, a little off the segment through rounding, still counts.
    explicit SegmentIndex(const std::vector<model::Face*>& faces);

    // The indices (into the faces given) of every box the segment from a to
    // b meets, in no particular order.
    void query(const geometry::X3DPoint& a, const geometry::X3DPoint& b, std::vector<std::size_t>& out) const;

    std::size_t nodeCount() const { return nodes_.size(); }

private:
    struct Box {
        double min[3];
        double max[3];
    };
    struct Node {
        Box box;
        std::uint32_t first;  // leaf: first item; inner: the right child (the left one follows the node)
        std::uint32_t count;  // items of a leaf, 0 for an inner node
    };

    std::uint32_t build(std::uint32_t first, std::uint32_t count);
    static bool crosses(const Box& box, const double origin[3], const double direction[3]);

    std::vector<Box> boxes_;
    std::vector<double> centres_;  // three per face
    std::vector<std::uint32_t> order_;
    std::vector<Node> nodes_;
};

}  // namespace tools::analysis
