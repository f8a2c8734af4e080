// The bounding-volume hierarchy behind every "what is under this point or
// inside this rectangle" question of the model.
#include "model/SpatialIndex.h"

#include <algorithm>
#include <cmath>

#include "model/Entity.h"
#include "model/EntityExtent.h"
#include "model/ViewMapping.h"

namespace model {

namespace {

float roundedDown(double x)
{
    float f = static_cast<float>(x);
    return static_cast<double>(f) > x ? std::nextafter(f, -IndexBox::infinity) : f;
}

float roundedUp(double x)
{
    float f = static_cast<float>(x);
    return static_cast<double>(f) < x ? std::nextafter(f, IndexBox::infinity) : f;
}

// Half the surface of a box: the cost of looking into it.
template <typename B>
double halfSurface(const B& b)
{
    double dx = static_cast<double>(b.hi[0]) - b.lo[0];
    double dy = static_cast<double>(b.hi[1]) - b.lo[1];
    double dz = static_cast<double>(b.hi[2]) - b.lo[2];
    return dx * dy + dy * dz + dz * dx + (dx + dy + dz) * 1e-6;
}

template <typename A, typename B>
double unitedHalfSurface(const A& a, const B& b)
{
    IndexBox u;
    for (int k = 0; k < 3; ++k) {
        u.lo[k] = std::min(a.lo[k], b.lo[k]);
        u.hi[k] = std::max(a.hi[k], b.hi[k]);
    }
    return halfSurface(u);
}

// The interval a linear form takes over a box.
void project(const double* axis, const float* lo, const float* hi, double& min, double& max)
{
    min = 0.0;
    max = 0.0;
    for (int k = 0; k < 3; ++k) {
        double a = axis[k];
        if (a == 0.0) {
            continue;
        }
        double l = a * lo[k];
        double h = a * hi[k];
        if (a > 0.0) {
            min += l;
            max += h;
        } else {
            min += h;
            max += l;
        }
    }
}

// No node: the root of an empty tree, a leaf's children.
constexpr std::int32_t none = -1;

}  // namespace

void IndexBox::add(const geometry::X3DPoint& p)
{
    const double c[3] = {p.x, p.y, p.z};
    for (int k = 0; k < 3; ++k) {
        // A coordinate that is not a number widens nothing: it is never
        // drawn where a finite box would miss it.
        if (std::isnan(c[k])) {
            continue;
        }
        lo[k] = std::min(lo[k], roundedDown(c[k]));
        hi[k] = std::max(hi[k], roundedUp(c[k]));
    }
}

void IndexBox::add(const IndexBox& b)
{
    for (int k = 0; k < 3; ++k) {
        lo[k] = std::min(lo[k], b.lo[k]);
        hi[k] = std::max(hi[k], b.hi[k]);
    }
}

void IndexBox::grow(double r)
{
    if (empty() || !(r > 0.0)) {
        return;
    }
    for (int k = 0; k < 3; ++k) {
        lo[k] = roundedDown(static_cast<double>(lo[k]) - r);
        hi[k] = roundedUp(static_cast<double>(hi[k]) + r);
    }
}

void SpatialIndex::clear()
{
    nodes_.clear();
    freeNodes_.clear();
    leaves_.clear();
    freeLeaves_.clear();
    root_ = none;
    firstKey_ = 0;
    nextKey_ = 0;
    changes_ = 0;
    builtSize_ = 0;
    built_ = false;
}

std::int32_t SpatialIndex::newNode()
{
    if (!freeNodes_.empty()) {
        std::int32_t i = freeNodes_.back();
        freeNodes_.pop_back();
        return i;
    }
    nodes_.push_back(Node{});
    return static_cast<std::int32_t>(nodes_.size() - 1);
}

void SpatialIndex::freeNode(std::int32_t i)
{
    nodes_[i].height = 0;
    nodes_[i].left = none;
    nodes_[i].right = none;
    nodes_[i].parent = none;
    freeNodes_.push_back(i);
}

std::uint32_t SpatialIndex::newLeaf(Entity& e, std::int64_t key)
{
    std::uint32_t slot;
    if (!freeLeaves_.empty()) {
        slot = freeLeaves_.back();
        freeLeaves_.pop_back();
    } else {
        leaves_.push_back(Leaf{});
        slot = static_cast<std::uint32_t>(leaves_.size() - 1);
    }
    leaves_[slot] = Leaf{&e, key, none};
    e.indexSlot = slot;
    return slot;
}

// Gives the entry a node of its extent (none for an entity without one).
void SpatialIndex::placeLeaf(std::uint32_t slot, const Extent& extent)
{
    if (extent.box.empty()) {
        leaves_[slot].node = none;
        return;
    }
    std::int32_t i = newNode();
    Node& n = nodes_[i];
    IndexBox drawn = extent.drawn;
    drawn.add(extent.box);
    std::copy(extent.box.lo, extent.box.lo + 3, n.lo);
    std::copy(extent.box.hi, extent.box.hi + 3, n.hi);
    std::copy(drawn.lo, drawn.lo + 3, n.drawnLo);
    std::copy(drawn.hi, drawn.hi + 3, n.drawnHi);
    n.parent = none;
    n.left = none;
    n.right = static_cast<std::int32_t>(slot);
    n.height = 1;
    n.marginX = extent.marginX;
    n.marginY = extent.marginY;
    leaves_[slot].node = i;
}

void SpatialIndex::build(const std::vector<Entity*>& inOrder)
{
    clear();
    leaves_.reserve(inOrder.size());
    nodes_.reserve(inOrder.size() * 2);
    std::vector<Placed> placed;
    placed.reserve(inOrder.size());
    for (Entity* e : inOrder) {
        std::uint32_t slot = newLeaf(*e, nextKey_++);
        placeLeaf(slot, extentOf(*e));
        std::int32_t i = leaves_[slot].node;
        if (i != none) {
            const Node& n = nodes_[i];
            placed.push_back(
                {{n.lo[0] * 0.5f + n.hi[0] * 0.5f, n.lo[1] * 0.5f + n.hi[1] * 0.5f, n.lo[2] * 0.5f + n.hi[2] * 0.5f},
                 i});
        }
    }
    root_ = placed.empty() ? none : buildRange(placed, 0, placed.size(), none);
    builtSize_ = inOrder.size();
    changes_ = 0;
    built_ = true;
}

// Splits the leaves along the axis where their centres spread most: at the
// middle of that spread, or (when that leaves one side with few) at the
// median centre, so that the tree stays balanced; built in O(n log n).
std::int32_t SpatialIndex::buildRange(std::vector<Placed>& placed, std::size_t begin, std::size_t end,
                                      std::int32_t parent)
{
    if (end - begin == 1) {
        std::int32_t leaf = placed[begin].node;
        nodes_[leaf].parent = parent;
        return leaf;
    }
    float lo[3] = {IndexBox::infinity, IndexBox::infinity, IndexBox::infinity};
    float hi[3] = {-IndexBox::infinity, -IndexBox::infinity, -IndexBox::infinity};
    for (std::size_t i = begin; i < end; ++i) {
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], placed[i].centre[k]);
            hi[k] = std::max(hi[k], placed[i].centre[k]);
        }
    }
    int axis = 0;
    for (int k = 1; k < 3; ++k) {
        if (hi[k] - lo[k] > hi[axis] - lo[axis]) {
            axis = k;
        }
    }
    auto first = placed.begin() + static_cast<std::ptrdiff_t>(begin);
    auto last = placed.begin() + static_cast<std::ptrdiff_t>(end);
    float cut = lo[axis] * 0.5f + hi[axis] * 0.5f;
    auto split = std::partition(first, last, [axis, cut](const Placed& p) { return p.centre[axis] < cut; });
    std::size_t middle = begin + static_cast<std::size_t>(split - first);
    std::size_t least = (end - begin) / 8;
    if (middle - begin <= least || end - middle <= least) {
        middle = begin + (end - begin) / 2;
        std::nth_element(first, placed.begin() + static_cast<std::ptrdiff_t>(middle), last,
                         [axis](const Placed& a, const Placed& b) { return a.centre[axis] < b.centre[axis]; });
    }
    std::int32_t i = newNode();
    nodes_[i].parent = parent;
    std::int32_t left = buildRange(placed, begin, middle, i);
    std::int32_t right = buildRange(placed, middle, end, i);
    nodes_[i].left = left;
    nodes_[i].right = right;
    refit(i);
    return i;
}

void SpatialIndex::refit(std::int32_t i)
{
    Node& n = nodes_[i];
    const Node& a = nodes_[n.left];
    const Node& b = nodes_[n.right];
    for (int k = 0; k < 3; ++k) {
        n.lo[k] = std::min(a.lo[k], b.lo[k]);
        n.hi[k] = std::max(a.hi[k], b.hi[k]);
        n.drawnLo[k] = std::min(a.drawnLo[k], b.drawnLo[k]);
        n.drawnHi[k] = std::max(a.drawnHi[k], b.drawnHi[k]);
    }
    n.height = static_cast<std::uint16_t>(1 + std::max(a.height, b.height));
    n.marginX = std::max(a.marginX, b.marginX);
    n.marginY = std::max(a.marginY, b.marginY);
}

void SpatialIndex::refitUp(std::int32_t i)
{
    while (i != none) {
        i = balance(i);
        refit(i);
        i = nodes_[i].parent;
    }
}

// Puts the leaf beside the node where it enlarges the tree least, going
// down from the root.
void SpatialIndex::insertNode(std::int32_t leaf)
{
    if (root_ == none) {
        root_ = leaf;
        nodes_[leaf].parent = none;
        return;
    }
    const Node& l = nodes_[leaf];
    std::int32_t at = root_;
    while (nodes_[at].left != none) {
        const Node& n = nodes_[at];
        double area = halfSurface(n);
        double united = unitedHalfSurface(n, l);
        // Making a new parent here costs the united box; going on down
        // makes every box on the way grow by what the leaf adds.
        double here = 2.0 * united;
        double inherited = 2.0 * (united - area);
        auto descendCost = [&](std::int32_t c) {
            const Node& child = nodes_[c];
            double grown = unitedHalfSurface(child, l);
            return (child.left == none ? grown : grown - halfSurface(child)) + inherited;
        };
        double toLeft = descendCost(n.left);
        double toRight = descendCost(n.right);
        if (here < toLeft && here < toRight) {
            break;
        }
        at = toLeft < toRight ? n.left : n.right;
    }
    std::int32_t sibling = at;
    std::int32_t oldParent = nodes_[sibling].parent;
    std::int32_t parent = newNode();
    nodes_[parent].parent = oldParent;
    nodes_[parent].left = sibling;
    nodes_[parent].right = leaf;
    nodes_[sibling].parent = parent;
    nodes_[leaf].parent = parent;
    if (oldParent == none) {
        root_ = parent;
    } else if (nodes_[oldParent].left == sibling) {
        nodes_[oldParent].left = parent;
    } else {
        nodes_[oldParent].right = parent;
    }
    refitUp(parent);
}

void SpatialIndex::removeNode(std::int32_t leaf)
{
    if (leaf == root_) {
        root_ = none;
        return;
    }
    std::int32_t parent = nodes_[leaf].parent;
    std::int32_t grandParent = nodes_[parent].parent;
    std::int32_t sibling = nodes_[parent].left == leaf ? nodes_[parent].right : nodes_[parent].left;
    if (grandParent == none) {
        root_ = sibling;
        nodes_[sibling].parent = none;
        freeNode(parent);
        return;
    }
    if (nodes_[grandParent].left == parent) {
        nodes_[grandParent].left = sibling;
    } else {
        nodes_[grandParent].right = sibling;
    }
    nodes_[sibling].parent = grandParent;
    freeNode(parent);
    refitUp(grandParent);
}

// A rotation that lifts the taller grandchild when one side of `a` is more
// than one level taller than the other; answers the node now in a's place.
std::int32_t SpatialIndex::balance(std::int32_t a)
{
    Node& na = nodes_[a];
    if (na.left == none) {
        return a;
    }
    std::int32_t b = na.left;
    std::int32_t c = na.right;
    int difference = static_cast<int>(nodes_[c].height) - static_cast<int>(nodes_[b].height);
    if (difference >= -1 && difference <= 1) {
        return a;
    }
    // `up` is the taller child, `stay` the other; up's taller child stays
    // under up, its shorter one moves to a.
    bool rightTaller = difference > 1;
    std::int32_t up = rightTaller ? c : b;
    std::int32_t stay = rightTaller ? b : c;
    std::int32_t f = nodes_[up].left;
    std::int32_t g = nodes_[up].right;
    std::int32_t keep = nodes_[f].height > nodes_[g].height ? f : g;
    std::int32_t move = keep == f ? g : f;

    std::int32_t parent = na.parent;
    nodes_[up].parent = parent;
    if (parent == none) {
        root_ = up;
    } else if (nodes_[parent].left == a) {
        nodes_[parent].left = up;
    } else {
        nodes_[parent].right = up;
    }
    nodes_[up].left = a;
    nodes_[up].right = keep;
    nodes_[a].parent = up;
    nodes_[a].left = stay;
    nodes_[a].right = move;
    nodes_[move].parent = a;
    nodes_[stay].parent = a;
    refit(a);
    refit(up);
    return up;
}

bool SpatialIndex::owns(const Entity& e) const
{
    return e.indexSlot < leaves_.size() && leaves_[e.indexSlot].entity == &e;
}

bool SpatialIndex::wantsRebuild() const
{
    return changes_ > std::max<std::size_t>(4096, builtSize_ / 4);
}

void SpatialIndex::insert(Entity& e, bool atFront)
{
    if (!built_) {
        return;
    }
    std::uint32_t slot = newLeaf(e, atFront ? --firstKey_ : nextKey_++);
    placeLeaf(slot, extentOf(e));
    if (leaves_[slot].node != none) {
        insertNode(leaves_[slot].node);
    }
    ++changes_;
}

void SpatialIndex::remove(Entity& e)
{
    if (!built_ || !owns(e)) {
        return;
    }
    Leaf& leaf = leaves_[e.indexSlot];
    if (leaf.node != none) {
        removeNode(leaf.node);
        freeNode(leaf.node);
    }
    leaf = Leaf{};
    freeLeaves_.push_back(e.indexSlot);
    e.indexSlot = noSlot;
    ++changes_;
}

void SpatialIndex::update(Entity& e)
{
    if (!built_ || !owns(e)) {
        return;
    }
    std::uint32_t slot = e.indexSlot;
    Leaf& leaf = leaves_[slot];
    if (leaf.node != none) {
        removeNode(leaf.node);
        freeNode(leaf.node);
    }
    placeLeaf(slot, extentOf(e));
    if (leaves_[slot].node != none) {
        insertNode(leaves_[slot].node);
    }
    ++changes_;
}

template <typename Test>
void SpatialIndex::collect(Test test, std::vector<Entity*>& out) const
{
    out.clear();
    found_.clear();
    if (root_ == none) {
        return;
    }
    stack_.clear();
    stack_.push_back(root_);
    while (!stack_.empty()) {
        std::int32_t i = stack_.back();
        stack_.pop_back();
        const Node& n = nodes_[i];
        if (!test(n)) {
            continue;
        }
        if (n.left == none) {
            found_.push_back(static_cast<std::uint32_t>(n.right));
        } else {
            stack_.push_back(n.right);
            stack_.push_back(n.left);
        }
    }
    // List order: a counting sort over the keys when they are dense enough,
    // else a plain sort.
    std::size_t count = found_.size();
    std::uint64_t range = static_cast<std::uint64_t>(nextKey_ - firstKey_);
    if (count > 64 && range <= 16 * static_cast<std::uint64_t>(count) + 1024) {
        std::vector<Entity*> byKey(range, nullptr);
        for (std::uint32_t slot : found_) {
            byKey[static_cast<std::size_t>(leaves_[slot].key - firstKey_)] = leaves_[slot].entity;
        }
        out.reserve(count);
        for (Entity* e : byKey) {
            if (e) {
                out.push_back(e);
            }
        }
        return;
    }
    std::sort(found_.begin(), found_.end(),
              [this](std::uint32_t a, std::uint32_t b) { return leaves_[a].key < leaves_[b].key; });
    out.reserve(count);
    for (std::uint32_t slot : found_) {
        out.push_back(leaves_[slot].entity);
    }
}

double SpatialIndex::slack(const ViewAxes& axes) const
{
    if (root_ == none) {
        return 0.0;
    }
    // Projections of the same point by the view and by the index may differ
    // in their last digits; this is many times that.
    const Node& r = nodes_[root_];
    double m = 1.0;
    for (int k = 0; k < 3; ++k) {
        m = std::max({m, std::fabs(static_cast<double>(r.drawnLo[k])), std::fabs(static_cast<double>(r.drawnHi[k]))});
    }
    double weight = 0.0;
    for (int k = 0; k < 3; ++k) {
        weight = std::max(weight, std::fabs(axes.u[k]) + std::fabs(axes.v[k]));
    }
    return 1e-11 * m * (weight + 1.0);
}

void SpatialIndex::atPoint(const ViewAxes& axes, double u, double v, double reach, std::vector<Entity*>& out) const
{
    double r = reach + slack(axes);
    collect(
        [&](const Node& n) {
            double min;
            double max;
            project(axes.u, n.lo, n.hi, min, max);
            if (u < min - r || u > max + r) {
                return false;
            }
            project(axes.v, n.lo, n.hi, min, max);
            return v >= min - r && v <= max + r;
        },
        out);
}

void SpatialIndex::inRects(const ViewAxes& axes, const std::vector<ViewRect>& rects, double metresPerPixel, double pad,
                           std::vector<Entity*>& out) const
{
    double s = slack(axes);
    collect(
        [&](const Node& n) {
            double rx = (n.marginX + pad) * metresPerPixel + s;
            double ry = (n.marginY + pad) * metresPerPixel + s;
            double uMin;
            double uMax;
            double vMin;
            double vMax;
            project(axes.u, n.drawnLo, n.drawnHi, uMin, uMax);
            project(axes.v, n.drawnLo, n.drawnHi, vMin, vMax);
            for (const ViewRect& rect : rects) {
                if (!(uMax + rx < rect.uMin || uMin - rx > rect.uMax || vMax + ry < rect.vMin ||
                      vMin - ry > rect.vMax)) {
                    return true;
                }
            }
            return false;
        },
        out);
}

void SpatialIndex::inRegion(const Region& region, std::vector<Entity*>& out) const
{
    const double lo[3] = {region.min.x, region.min.y, region.min.z};
    const double hi[3] = {region.max.x, region.max.y, region.max.z};
    collect(
        [&](const Node& n) {
            for (int k = 0; k < 3; ++k) {
                if (n.hi[k] < lo[k] || n.lo[k] > hi[k]) {
                    return false;
                }
            }
            return true;
        },
        out);
}

int SpatialIndex::height() const
{
    return root_ == none ? 0 : nodes_[root_].height;
}

bool SpatialIndex::consistent() const
{
    std::size_t leavesSeen = 0;
    if (root_ != none) {
        if (nodes_[root_].parent != none) {
            return false;
        }
        std::vector<std::int32_t> todo{root_};
        while (!todo.empty()) {
            std::int32_t i = todo.back();
            todo.pop_back();
            const Node& n = nodes_[i];
            if (n.left == none) {
                const Leaf& leaf = leaves_[static_cast<std::size_t>(n.right)];
                if (leaf.node != i || !leaf.entity || leaf.entity->indexSlot != static_cast<std::uint32_t>(n.right)) {
                    return false;
                }
                Extent e = extentOf(*leaf.entity);
                for (int k = 0; k < 3; ++k) {
                    if (e.box.lo[k] < n.lo[k] || e.box.hi[k] > n.hi[k] || e.drawn.lo[k] < n.drawnLo[k] ||
                        e.drawn.hi[k] > n.drawnHi[k] || n.lo[k] < n.drawnLo[k] || n.hi[k] > n.drawnHi[k]) {
                        return false;
                    }
                }
                ++leavesSeen;
                continue;
            }
            for (std::int32_t c : {n.left, n.right}) {
                const Node& child = nodes_[c];
                if (child.parent != i || child.marginX > n.marginX || child.marginY > n.marginY ||
                    child.height >= n.height) {
                    return false;
                }
                for (int k = 0; k < 3; ++k) {
                    if (child.lo[k] < n.lo[k] || child.hi[k] > n.hi[k] || child.drawnLo[k] < n.drawnLo[k] ||
                        child.drawnHi[k] > n.drawnHi[k]) {
                        return false;
                    }
                }
                todo.push_back(c);
            }
        }
    }
    std::size_t withNodes = 0;
    for (const Leaf& leaf : leaves_) {
        withNodes += (leaf.entity && leaf.node != none) ? 1 : 0;
    }
    return withNodes == leavesSeen;
}

}  // namespace model
