// Grid of walls by level, cell and, in crowded cells, plane.
#include "exchange/WallIndex.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <new>

#include "geometry/X3DPlane.h"
#include "model/HugePages.h"
#include "model/Wall.h"

namespace exchange {

namespace {

constexpr int levelCount = 48;
// Cells of level k are 2^(k-4) metres wide.
constexpr int levelShift = 4;
// Points are placed on a grid of 2^-17 m: a level-0 cell is 2^13 of its
// steps wide, and the grid of level k (its steps 2^k times as long) is the
// same numbers shifted right by k.
constexpr double gridScale = 131072.0;
constexpr int stepsPerCellBits = 13;
// Members a cell's first run has room for.
constexpr std::uint32_t firstRun = 4;
// A cell with more walls than this is split by plane.
constexpr std::uint32_t crowded = 48;
constexpr double normalStep = 68719476736.0;  // 2^36

std::uint64_t mix(std::uint64_t k)
{
    k ^= k >> 33;
    k *= 0xff51afd7ed558ccdULL;
    k ^= k >> 33;
    k *= 0xc4ceb9fe1a85ec53ULL;
    k ^= k >> 33;
    return k;
}

// 2^(level - 4) metres, built from its bits.
double cellSize(int level)
{
    return std::bit_cast<double>(static_cast<std::uint64_t>(1023 + level - levelShift) << 52);
}

// floor, without a library call, clamped so that the conversion is defined.
inline long long floorToInt(double v)
{
    double c = std::clamp(v, -4.0e18, 4.0e18);
    auto i = static_cast<long long>(c);
    return i - (c < static_cast<double>(i) ? 1 : 0);
}

void boxOf(const geometry::X3DPoint* points, std::size_t count, geometry::X3DPoint& min, geometry::X3DPoint& max)
{
    min = max = points[0];
    for (std::size_t i = 1; i < count; ++i) {
        const geometry::X3DPoint& p = points[i];
        min.x = std::min(min.x, p.x);
        min.y = std::min(min.y, p.y);
        min.z = std::min(min.z, p.z);
        max.x = std::max(max.x, p.x);
        max.y = std::max(max.y, p.y);
        max.z = std::max(max.z, p.z);
    }
}

double extentOf(const geometry::X3DPoint& min, const geometry::X3DPoint& max)
{
    return std::max({max.x - min.x, max.y - min.y, max.z - min.z});
}

void widen(geometry::X3DPoint& min, geometry::X3DPoint& max, double t)
{
    min = geometry::X3DPoint(min.x - t, min.y - t, min.z - t);
    max = geometry::X3DPoint(max.x + t, max.y + t, max.z + t);
}

inline WallIndex::Grid gridOf(const geometry::X3DPoint& p)
{
    return WallIndex::Grid{{floorToInt(p.x * gridScale), floorToInt(p.y * gridScale), floorToInt(p.z * gridScale)}};
}

// The same grid at a level: its steps 2^level times as long.
inline WallIndex::Grid gridOf(const geometry::X3DPoint& p, int level)
{
    WallIndex::Grid g = gridOf(p);
    for (long long& v : g.v) {
        v >>= level;
    }
    return g;
}

// Clamped to [lowest, highest], for the members' 16-bit steps.
int clampStep(long long v, int lowest, int highest)
{
    return static_cast<int>(std::clamp<long long>(v, lowest, highest));
}

}  // namespace

std::size_t WallIndex::PlaneKeyHash::operator()(const PlaneKey& k) const
{
    return static_cast<std::size_t>(mix(k.cell ^ mix(k.groupBucket)));
}

std::size_t WallIndex::NormalKeyHash::operator()(const NormalKey& k) const
{
    return static_cast<std::size_t>(mix(static_cast<std::uint64_t>(k.x) ^
                                        mix(static_cast<std::uint64_t>(k.y) ^ mix(static_cast<std::uint64_t>(k.z)))));
}

WallIndex::WallIndex(double tolerance) : tolerance_(tolerance) {}

// The smallest level whose cells are at least as wide as the extent: a box
// of that extent then lies in at most two cells along each axis.
int WallIndex::levelFor(double extent)
{
    constexpr double smallest = 1.0 / 16.0;
    if (!(extent > smallest)) {
        return 0;
    }
    if (extent >= cellSize(levelCount - 1)) {
        return levelCount - 1;
    }
    // extent lies in [2^e, 2^(e+1)): the next power of two up is the size.
    auto bits = std::bit_cast<std::uint64_t>(extent);
    int e = static_cast<int>(bits >> 52) - 1023;
    bool power = (bits & 0xFFFFFFFFFFFFFULL) == 0;
    return (power ? e : e + 1) + levelShift;
}

// 19 bits a coordinate and 6 for the level in the key; cells that share a
// key through the wrap only add candidates, each tested in full (their
// walls lie far from the point searched for, and each member's steps are
// counted from its own cell).
WallIndex::Place WallIndex::placeOf(int level, long long ix, long long iy, long long iz)
{
    auto part = [](long long v) { return static_cast<std::uint64_t>(v) & 0x7FFFF; };
    constexpr long long steps = 1LL << stepsPerCellBits;
    return Place{static_cast<std::uint64_t>(level) | (part(ix) << 6) | (part(iy) << 25) | (part(iz) << 44),
                 {(ix - 2) * steps, (iy - 2) * steps, (iz - 2) * steps}};
}

WallIndex::Place WallIndex::placeOf(int level, const Grid& p)
{
    int shift = stepsPerCellBits + level;
    return placeOf(level, p.v[0] >> shift, p.v[1] >> shift, p.v[2] >> shift);
}

void WallIndex::Release::operator()(Cell* p) const
{
    std::free(p);
}

void WallIndex::grow(std::size_t slots)
{
    // calloc takes fresh pages from the system for large sizes, zeroed only
    // when touched.
    std::unique_ptr<Cell[], Release> old(static_cast<Cell*>(std::calloc(slots, sizeof(Cell))));
    if (!old) {
        throw std::bad_alloc();
    }
    model::adviseHugePages(old.get(), slots * sizeof(Cell));
    old.swap(cells_);
    std::size_t oldSlots = cellSlots_;
    cellSlots_ = slots;
    cellsUsed_ = 0;
    for (std::size_t i = 0; i < oldSlots; ++i) {
        if (old[i].used()) {
            cellFor(old[i].key) = old[i];
        }
    }
}

void WallIndex::expect(std::size_t walls)
{
    // Only a hint: where the room cannot be had, the index grows as it goes.
    try {
        model::reserveLarge(walls_, walls);
        // Three cells a wall or so, in runs up to twice as long as they need.
        model::reserveLarge(members_, 8 * walls);
        // About as many cells as walls, at most half the slots used.
        std::size_t slots = std::bit_ceil(std::max<std::size_t>(1024, 2 * walls));
        if (slots > cellSlots_ && cellsUsed_ == 0) {
            grow(slots);
        }
    } catch (const std::bad_alloc&) {
    }
}

const WallIndex::Cell* WallIndex::findCell(std::uint64_t key) const
{
    if (cellSlots_ == 0) {
        return nullptr;
    }
    std::size_t mask = cellSlots_ - 1;
    for (std::size_t i = mix(key) & mask;; i = (i + 1) & mask) {
        const Cell& c = cells_[i];
        if (!c.used()) {
            return nullptr;
        }
        if (c.key == key) {
            return &c;
        }
    }
}

// The cell of that key, a new (unused) one when there is none: the caller
// gives it a member at once.
WallIndex::Cell& WallIndex::cellFor(std::uint64_t key)
{
    if ((cellsUsed_ + 1) * 2 > cellSlots_) {
        grow(cellSlots_ == 0 ? 1024 : 2 * cellSlots_);  // a power of two, for the mask
    }
    std::size_t mask = cellSlots_ - 1;
    for (std::size_t i = mix(key) & mask;; i = (i + 1) & mask) {
        Cell& c = cells_[i];
        if (!c.used()) {
            c.key = key;
            ++cellsUsed_;
            return c;
        }
        if (c.key == key) {
            return c;
        }
    }
}

// A run of that many members (a power of two): one given up earlier, or new
// room at the end of the store.
std::uint32_t WallIndex::newRun(std::uint32_t capacity)
{
    std::vector<std::uint32_t>& free = freeRuns_[std::countr_zero(capacity)];
    if (!free.empty()) {
        std::uint32_t run = free.back();
        free.pop_back();
        return run;
    }
    auto run = static_cast<std::uint32_t>(members_.size());
    std::size_t size = members_.size() + capacity;
    if (size > members_.capacity()) {
        std::vector<Member> bigger;
        model::reserveLarge(bigger, std::max<std::size_t>(4096, members_.capacity() * 2));
        bigger.assign(members_.begin(), members_.end());
        members_.swap(bigger);
    }
    members_.resize(size);
    return run;
}

std::size_t WallIndex::slotOf(std::uint64_t key) const
{
    return mix(key) & (cellSlots_ - 1);
}

// Calls visit(place) for every cell a wall made of the probe's points
// would join.
template <typename Visit>
void WallIndex::forEachWallCell(const Probe& probe, Visit visit) const
{
    if (!probe.fits) {
        return;
    }
    const Grid& lo = probe.wallLow;
    const Grid& hi = probe.wallHigh;
    for (long long x = lo.v[0] >> stepsPerCellBits; x <= hi.v[0] >> stepsPerCellBits; ++x) {
        for (long long y = lo.v[1] >> stepsPerCellBits; y <= hi.v[1] >> stepsPerCellBits; ++y) {
            for (long long z = lo.v[2] >> stepsPerCellBits; z <= hi.v[2] >> stepsPerCellBits; ++z) {
                visit(placeOf(probe.wallLevel, x, y, z));
            }
        }
    }
}

void WallIndex::prepare(const geometry::X3DPoint* points, std::size_t count, Probe& probe, bool fetch) const
{
    geometry::X3DPoint min;
    geometry::X3DPoint max;
    boxOf(points, count, min, max);
    probe.count = count;
    probe.first = gridOf(points[0]);
    probe.low = gridOf(min);
    probe.high = gridOf(max);
    // A wall holding the points holds their box, so it sits no lower than
    // the level of the box's extent.
    probe.lowest = levelFor(extentOf(min, max));
    widen(min, max, tolerance_);
    double extent = extentOf(min, max);
    probe.wallLevel = levelFor(extent);
    probe.fits = extent <= cellSize(probe.wallLevel);
    probe.wallLow = gridOf(min, probe.wallLevel);
    probe.wallHigh = gridOf(max, probe.wallLevel);
    if (!fetch || cellSlots_ == 0) {
        return;
    }
    for (std::uint64_t levels = levels_ >> probe.lowest << probe.lowest; levels != 0; levels &= levels - 1) {
        __builtin_prefetch(&cells_[slotOf(placeOf(std::countr_zero(levels), probe.first).key)]);
        ++prefetched_;
    }
    forEachWallCell(probe, [&](const Place& place) {
        __builtin_prefetch(&cells_[slotOf(place.key)]);
        ++prefetched_;
    });
}

void WallIndex::fetchMembers(const Probe& probe) const
{
    // A search reads whole runs, the adding of a wall writes after them.
    auto fetch = [&](const Place& place, bool whole) {
        const Cell* c = findCell(place.key);
        if (!c || c->crowded()) {
            return;
        }
        // (A full run is read whole too, as it moves.)
        std::uint32_t n = c->count;
        bool full = n >= firstRun && (n & (n - 1)) == 0;
        const Member* end = members_.data() + c->first + n;
        for (const Member* m = whole || full ? end - n : end; m <= end; m += 64 / sizeof(Member)) {
            __builtin_prefetch(m);
            ++prefetched_;
        }
    };
    for (std::uint64_t levels = levels_ >> probe.lowest << probe.lowest; levels != 0; levels &= levels - 1) {
        fetch(placeOf(std::countr_zero(levels), probe.first), true);
    }
    forEachWallCell(probe, [&](const Place& place) { fetch(place, false); });
}

long long WallIndex::bucketOf(double offset) const
{
    return floorToInt(offset / (2.0 * tolerance_));
}

std::uint32_t WallIndex::groupOf(std::uint32_t id)
{
    Entry& e = walls_[id];
    if (e.group == UINT32_MAX) {
        const geometry::X3DPoint& n = e.normal;
        NormalKey nk{std::llround(n.x * normalStep), std::llround(n.y * normalStep), std::llround(n.z * normalStep)};
        auto found = groupOf_.emplace(nk, static_cast<std::uint32_t>(groupNormals_.size()));
        if (found.second) {
            groupNormals_.push_back(n);
        }
        e.group = found.first->second;
    }
    return e.group;
}

void WallIndex::registerPlane(Cell& cell, std::uint32_t id)
{
    groupOf(id);
    const Entry& e = walls_[id];
    PlaneCell& pc = planeCells_[cell.first];
    std::uint64_t group = e.group;
    PlaneKey present{cell.key, (group << 33) | (1ULL << 32)};
    if (planeChains_.emplace(present, 1).second) {
        pc.groups.push_back(e.group);
    }
    auto bucket = static_cast<std::uint64_t>(bucketOf(e.offset)) & 0xFFFFFFFFULL;
    std::uint32_t& head = planeChains_[PlaneKey{cell.key, (group << 33) | bucket}];
    model::pushBackLarge(links_, Link{id, head});
    head = static_cast<std::uint32_t>(links_.size());
}

void WallIndex::registerIn(const Place& place, const Grid& lo, const Grid& hi, std::uint32_t id)
{
    Cell& cell = cellFor(place.key);
    if (cell.crowded()) {
        registerPlane(cell, id);
        return;
    }
    std::uint32_t n = cell.count;
    if (n == 0) {
        cell.first = newRun(firstRun);
    } else if (n >= firstRun && (n & (n - 1)) == 0) {
        // The run is full: it moves to one twice as long.
        std::uint32_t run = newRun(2 * n);
        Member* from = members_.data() + cell.first;
        Member* to = members_.data() + run;
        for (std::uint32_t i = 0; i < n; ++i) {
            to[i] = from[i];
        }
        freeRuns_[std::countr_zero(n)].push_back(cell.first);
        cell.first = run;
    }
    // Rounded outwards: the step the box's lowest corner lies on, and the
    // one after that of its highest.
    Member& m = members_[cell.first + n];
    m.wall = id;
    for (int k = 0; k < 3; ++k) {
        m.lo[k] = static_cast<std::uint16_t>(clampStep(lo.v[k] - place.base[k], 0, 65535));
        m.hi[k] = static_cast<std::uint16_t>(clampStep(hi.v[k] - place.base[k], -1, 65534) + 1);
    }
    cell.count = n + 1;
    if (cell.count > crowded) {
        // From now on by plane: the walls of the run move over, in order.
        std::vector<std::uint32_t> ids;
        for (std::uint32_t i = 0; i < cell.count; ++i) {
            ids.push_back(members_[cell.first + i].wall);
        }
        freeRuns_[std::countr_zero(std::bit_ceil(cell.count))].push_back(cell.first);
        cell.first = static_cast<std::uint32_t>(planeCells_.size());
        cell.count = 0x80000000u;
        planeCells_.emplace_back();
        for (std::uint32_t wall : ids) {
            registerPlane(cell, wall);
        }
    }
}

void WallIndex::add(model::Wall* wall)
{
    if (!wall->baseFace || !wall->baseFace->isValid()) {
        return;
    }
    const model::VertexArray& v = wall->baseFace->vertices;
    Probe probe;
    prepare(v.data(), v.size(), probe, false);
    enter(wall, probe);
}

void WallIndex::add(model::Wall* wall, const Probe& probe)
{
    if (!wall->baseFace || !wall->baseFace->isValid()) {
        return;
    }
    if (wall->baseFace->vertices.size() != probe.count) {
        add(wall);
        return;
    }
    enter(wall, probe);
}

void WallIndex::enter(model::Wall* wall, const Probe& probe)
{
    geometry::X3DPlane plane = wall->baseFace->plane();
    geometry::X3DPoint n(plane.x, plane.y, plane.z);
    double offset = -plane.d;
    auto id = static_cast<std::uint32_t>(walls_.size());
    if ((n.x == 0.0 && n.y == 0.0 && n.z == 0.0) || !probe.fits) {
        // No plane, or wider than any cell: tried on every search.
        model::pushBackLarge(walls_, Entry{wall, n, 0.0, 0});
        unplaned_.push_back(id);
        return;
    }
    // One orientation per plane: the largest component positive.
    double ax = std::fabs(n.x);
    double ay = std::fabs(n.y);
    double az = std::fabs(n.z);
    double lead = ax >= ay && ax >= az ? n.x : ay >= az ? n.y : n.z;
    if (lead < 0) {
        n = geometry::X3DPoint(-n.x, -n.y, -n.z);
        offset = -offset;
    }
    model::pushBackLarge(walls_, Entry{wall, n, offset, UINT32_MAX});
    levels_ |= 1ULL << probe.wallLevel;
    forEachWallCell(probe, [&](const Place& place) { registerIn(place, probe.wallLow, probe.wallHigh, id); });
}

// The exact test: the plane first (its entry is at hand, and most walls
// whose boxes pass the members' test lie in another plane), then the box,
// worked out again from the wall's base face as add did.
bool WallIndex::holds(const Entry& e, const geometry::X3DPoint* points, std::size_t count) const
{
    for (std::size_t i = 0; i < count; ++i) {
        const geometry::X3DPoint& p = points[i];
        double distance = e.normal.x * p.x + e.normal.y * p.y + e.normal.z * p.z - e.offset;
        if (!(std::fabs(distance) < tolerance_)) {
            return false;
        }
    }
    const model::VertexArray& v = e.wall->baseFace->vertices;
    geometry::X3DPoint min;
    geometry::X3DPoint max;
    boxOf(v.data(), v.size(), min, max);
    widen(min, max, tolerance_);
    for (std::size_t i = 0; i < count; ++i) {
        const geometry::X3DPoint& p = points[i];
        if (p.x < min.x || p.y < min.y || p.z < min.z || p.x > max.x || p.y > max.y || p.z > max.z) {
            return false;
        }
    }
    return true;
}

model::Wall* WallIndex::findContaining(const geometry::X3DPoint* points, std::size_t count) const
{
    if (count == 0 || walls_.empty()) {
        return nullptr;
    }
    Probe probe;
    prepare(points, count, probe, false);
    return findContaining(points, probe);
}

model::Wall* WallIndex::findContaining(const geometry::X3DPoint* points, const Probe& probe) const
{
    std::size_t count = probe.count;
    if (count == 0 || walls_.empty()) {
        return nullptr;
    }
    std::uint32_t best = UINT32_MAX;
    auto consider = [&](std::uint32_t id) {
        ++tested_;
        if (id < best && holds(walls_[id], points, count)) {
            best = id;
        }
    };
    auto walk = [&](std::uint32_t link) {
        for (; link != 0; link = links_[link - 1].next) {
            consider(links_[link - 1].wall);
        }
    };
    // Any wall holding every point holds the first, so the first point's
    // cell at each level holds every candidate.
    const geometry::X3DPoint& p = points[0];
    double reach = std::fabs(p.x) + std::fabs(p.y) + std::fabs(p.z);
    // Normals of one group differ by at most 2^-37 in each component.
    double slack = tolerance_ + reach * 2.0e-11 + 1e-12;
    for (std::uint64_t levels = levels_ >> probe.lowest << probe.lowest; levels != 0; levels &= levels - 1) {
        int level = std::countr_zero(levels);
        Place place = placeOf(level, probe.first);
        const Cell* cell = findCell(place.key);
        if (!cell) {
            continue;
        }
        if (!cell->crowded()) {
            // The points' box on the cell's steps, clamped as the members
            // are so that no clamp rules out a wall that holds the points: a
            // member whose box starts on a later step, or ends on an earlier
            // one, cannot hold it.
            int lo[3];
            int hi[3];
            for (int k = 0; k < 3; ++k) {
                lo[k] = clampStep((probe.low.v[k] >> level) - place.base[k], 0, 65536);
                hi[k] = clampStep((probe.high.v[k] >> level) - place.base[k], -1, 65534);
            }
            // In the order added: the first that holds the points is the one.
            const Member* m = members_.data() + cell->first;
            const Member* end = m + cell->count;
            for (; m != end && m->wall < best; ++m) {
                ++tested_;
                if (lo[0] < m->lo[0] || lo[1] < m->lo[1] || lo[2] < m->lo[2] || hi[0] >= m->hi[0] ||
                    hi[1] >= m->hi[1] || hi[2] >= m->hi[2]) {
                    continue;
                }
                if (holds(walls_[m->wall], points, count)) {
                    best = m->wall;
                    break;
                }
            }
            continue;
        }
        for (std::uint32_t group : planeCells_[cell->first].groups) {
            const geometry::X3DPoint& n = groupNormals_[group];
            double o = n.x * p.x + n.y * p.y + n.z * p.z;
            long long b0 = bucketOf(o - slack);
            long long b1 = bucketOf(o + slack);
            for (long long b = b0; b <= b1; ++b) {
                auto bucket = static_cast<std::uint64_t>(b) & 0xFFFFFFFFULL;
                auto chain = planeChains_.find(PlaneKey{cell->key, (static_cast<std::uint64_t>(group) << 33) | bucket});
                if (chain != planeChains_.end()) {
                    walk(chain->second);
                }
            }
        }
    }
    for (std::uint32_t id : unplaned_) {
        consider(id);
    }
    return best == UINT32_MAX ? nullptr : walls_[best].wall;
}

}  // namespace exchange
