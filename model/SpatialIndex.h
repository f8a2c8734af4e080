// The spatial index over the model's top-level entities: a bounding-volume
// hierarchy of the boxes round each entity and all it holds. It answers what
// may lie under a point or inside a rectangle of any view that projects the
// model linearly (each view is one pair of axes, so one tree serves them
// all), and what may lie inside a box of the model; answers come in list
// order, so that asking them in turn meets them as a walk of the list would.
// Entities are added, moved and removed one at a time in O(log n) (the tree
// stays balanced by rotations); a build from scratch sorts once.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "geometry/X3DPoint.h"
#include "model/ViewMapping.h"

namespace model {

class Entity;
struct Region;

// A box in single precision, rounded outwards so that it always holds what
// it was made from. Empty until something is added.
struct IndexBox {
    static constexpr float infinity = std::numeric_limits<float>::infinity();
    float lo[3] = {infinity, infinity, infinity};
    float hi[3] = {-infinity, -infinity, -infinity};

    bool empty() const { return !(lo[0] <= hi[0]); }
    void add(const geometry::X3DPoint& p);
    void add(const IndexBox& b);
    // Widens the box by r on every side.
    void grow(double r);
};

// What the index keeps of one entity: the box of the points it answers a
// pick, a pierce, a snap or a rubber band with (vertices, positions); the
// box round all it draws (with aim lines, a ray's long line, a loudspeaker
// drawing); and how many pixels its symbols and labels reach beyond the
// projection of that, across and up and down.
struct Extent {
    IndexBox box;
    IndexBox drawn;
    std::uint16_t marginX = 0;
    std::uint16_t marginY = 0;
    void widen(std::uint16_t x, std::uint16_t y)
    {
        marginX = std::max(marginX, x);
        marginY = std::max(marginY, y);
    }
};

// A rectangle of a view plane, bounds included.
struct ViewRect {
    double uMin = 0.0;
    double vMin = 0.0;
    double uMax = 0.0;
    double vMax = 0.0;
};

class SpatialIndex {
public:
    static constexpr std::uint32_t noSlot = 0xffffffffu;

    bool built() const { return built_; }
    // Forgets every entity; nothing is answered until the next build.
    void clear();
    // Over these entities, in their list order.
    void build(const std::vector<Entity*>& inOrder);
    std::size_t size() const { return leaves_.size() - freeLeaves_.size(); }

    // A new entity after the last one in list order, or before the first.
    void insert(Entity& e, bool atFront);
    void remove(Entity& e);
    // The entity's extent is taken again.
    void update(Entity& e);
    // Incremental changes since the last build; beyond a quarter of the
    // entities a fresh build is cheaper, and the index asks for one.
    bool wantsRebuild() const;

    // Entities whose box, projected and widened by `reach` metres, holds q.
    void atPoint(const ViewAxes& axes, double u, double v, double reach, std::vector<Entity*>& out) const;
    // Entities whose projected drawing box, widened by their margins in
    // pixels (and `pad` pixels more), meets one of the rectangles.
    void inRects(const ViewAxes& axes, const std::vector<ViewRect>& rects, double metresPerPixel, double pad,
                 std::vector<Entity*>& out) const;
    // Entities whose box meets the region of the model.
    void inRegion(const Region& region, std::vector<Entity*>& out) const;

    // For tests and benchmarks: the height of the tree (a leaf is 1) and
    // whether every node holds its children and every entity its slot.
    int height() const;
    bool consistent() const;

private:
    // The tree is shaped by the boxes the entities answer with; what they
    // draw is kept beside, for painting.
    struct Node {
        float lo[3];
        float hi[3];
        float drawnLo[3];
        float drawnHi[3];
        std::int32_t parent;
        std::int32_t left;   // -1 for a leaf
        std::int32_t right;  // a leaf: its entry
        std::uint16_t height;
        std::uint16_t marginX;  // the largest margins below
        std::uint16_t marginY;
    };
    struct Leaf {
        Entity* entity = nullptr;
        std::int64_t key = 0;    // list order
        std::int32_t node = -1;  // -1 while the entity has no extent
    };

    std::int32_t newNode();
    void freeNode(std::int32_t i);
    std::uint32_t newLeaf(Entity& e, std::int64_t key);
    void placeLeaf(std::uint32_t leaf, const Extent& extent);
    void insertNode(std::int32_t leaf);
    void removeNode(std::int32_t leaf);
    std::int32_t balance(std::int32_t a);
    void refit(std::int32_t i);
    void refitUp(std::int32_t i);
    // A leaf node to build the tree over, with the centre of its box.
    struct Placed {
        float centre[3];
        std::int32_t node;
    };
    std::int32_t buildRange(std::vector<Placed>& placed, std::size_t begin, std::size_t end, std::int32_t parent);
    bool owns(const Entity& e) const;
    // Leaves of the nodes that pass, then their entities in list order.
    template <typename Test>
    void collect(Test test, std::vector<Entity*>& out) const;
    // The rounding allowance for projected boxes of this index.
    double slack(const ViewAxes& axes) const;

    std::vector<Node> nodes_;
    std::vector<std::int32_t> freeNodes_;
    std::vector<Leaf> leaves_;
    std::vector<std::uint32_t> freeLeaves_;
    std::int32_t root_ = -1;
    std::int64_t firstKey_ = 0;
    std::int64_t nextKey_ = 0;
    std::size_t changes_ = 0;
    std::size_t builtSize_ = 0;
    bool built_ = false;
    mutable std::vector<std::int32_t> stack_;
    mutable std::vector<std::uint32_t> found_;
};

}  // namespace model
