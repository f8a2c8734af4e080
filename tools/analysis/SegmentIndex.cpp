// Segment queries through a bounding-volume hierarchy.
#include "tools/analysis/SegmentIndex.h"

#include <algorithm>
#include <cmath>

namespace tools::analysis {

namespace {

constexpr std::uint32_t leafSize = 4;

}  // namespace

SegmentIndex::SegmentIndex(const std::vector<model::Face*>& faces)
{
    boxes_.reserve(faces.size());
    centres_.reserve(faces.size() * 3);
    order_.reserve(faces.size());
    for (std::size_t i = 0; i < faces.size(); ++i) {
        geometry::X3DPoint min(model::coordinateLimit, model::coordinateLimit, model::coordinateLimit);
        geometry::X3DPoint max(-model::coordinateLimit, -model::coordinateLimit, -model::coordinateLimit);
        faces[i]->extendBounds(min, max);
        // The exact test finds the crossing on the face's plane within 1e-5;
        // rounding of a crossing far out grows with the coordinates.
        double size = std::max({std::fabs(min.x), std::fabs(min.y), std::fabs(min.z), std::fabs(max.x),
                                std::fabs(max.y), std::fabs(max.z)});
        double margin = 1e-4 + size * 1e-10;
        Box b{{min.x - margin, min.y - margin, min.z - margin}, {max.x + margin, max.y + margin, max.z + margin}};
        boxes_.push_back(b);
        for (int k = 0; k < 3; ++k) {
            centres_.push_back(0.5 * (b.min[k] + b.max[k]));
        }
        order_.push_back(static_cast<std::uint32_t>(i));
    }
    if (!boxes_.empty()) {
        nodes_.reserve(2 * boxes_.size() / leafSize + 2);
        build(0, static_cast<std::uint32_t>(boxes_.size()));
    }
}

std::uint32_t SegmentIndex::build(std::uint32_t first, std::uint32_t count)
{
    Box box{{1e300, 1e300, 1e300}, {-1e300, -1e300, -1e300}};
    double cmin[3] = {1e300, 1e300, 1e300};
    double cmax[3] = {-1e300, -1e300, -1e300};
    for (std::uint32_t i = first; i < first + count; ++i) {
        const Box& b = boxes_[order_[i]];
        for (int k = 0; k < 3; ++k) {
            box.min[k] = std::min(box.min[k], b.min[k]);
            box.max[k] = std::max(box.max[k], b.max[k]);
            double c = centres_[3 * order_[i] + k];
            cmin[k] = std::min(cmin[k], c);
            cmax[k] = std::max(cmax[k], c);
        }
    }
    auto index = static_cast<std::uint32_t>(nodes_.size());
    nodes_.push_back({box, first, count});
    int axis = 0;
    for (int k = 1; k < 3; ++k) {
        if (cmax[k] - cmin[k] > cmax[axis] - cmin[axis]) {
            axis = k;
        }
    }
    if (count <= leafSize || cmax[axis] <= cmin[axis]) {
        return index;
    }
    // Halves by the median centre along the longest spread.
    std::uint32_t half = count / 2;
    auto begin = order_.begin() + first;
    std::nth_element(begin, begin + half, begin + count, [this, axis](std::uint32_t a, std::uint32_t b) {
        return centres_[3 * a + axis] < centres_[3 * b + axis];
    });
    build(first, half);
    std::uint32_t right = build(first + half, count - half);
    nodes_[index].first = right;
    nodes_[index].count = 0;
    return index;
}

bool SegmentIndex::crosses(const Box& box, const double origin[3], const double direction[3])
{
    // The segment is origin + t * direction for t in [0, 1].
    double t0 = 0.0;
    double t1 = 1.0;
    for (int k = 0; k < 3; ++k) {
        if (direction[k] == 0.0) {
            if (origin[k] < box.min[k] || origin[k] > box.max[k]) {
                return false;
            }
            continue;
        }
        double inv = 1.0 / direction[k];
        double a = (box.min[k] - origin[k]) * inv;
        double b = (box.max[k] - origin[k]) * inv;
        if (a > b) {
            std::swap(a, b);
        }
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
        if (t0 > t1) {
            return false;
        }
    }
    return true;
}

void SegmentIndex::query(const geometry::X3DPoint& a, const geometry::X3DPoint& b, std::vector<std::size_t>& out) const
{
    if (nodes_.empty()) {
        return;
    }
    const double origin[3] = {a.x, a.y, a.z};
    const double direction[3] = {b.x - a.x, b.y - a.y, b.z - a.z};
    std::uint32_t stack[128];
    int top = 0;
    stack[top++] = 0;
    while (top > 0) {
        std::uint32_t n = stack[--top];
        const Node& node = nodes_[n];
        if (!crosses(node.box, origin, direction)) {
            continue;
        }
        if (node.count > 0) {
            for (std::uint32_t i = node.first; i < node.first + node.count; ++i) {
                if (crosses(boxes_[order_[i]], origin, direction)) {
                    out.push_back(order_[i]);
                }
            }
            continue;
        }
        // Depth is at most about log2 of the face count, far below the stack's size.
        stack[top++] = node.first;
        stack[top++] = n + 1;
    }
}

}  // namespace tools::analysis
