// Grid of walls by level, cell and, in crowded cells, plane.
#include "exchange/WallIndex.h"

#include <climits>
#include <cmath>

#include "geometry/X3DPlane.h"
#include "model/HugePages.h"
#include "model/Wall.h"

namespace exchange {

namespace {

constexpr double baseCell = 1.0 / 16.0;
constexpr int levelCount = 48;
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

double WallIndex::cellSize(int level) const
{
    static const std::vector<double> sizes = [] {
        std::vector<double> v(levelCount);
        for (int k = 0; k < levelCount; ++k) {
            v[static_cast<std::size_t>(k)] = std::ldexp(baseCell, k);
        }
        return v;
    }();
    return sizes[static_cast<std::size_t>(level)];
}

// 19 bits a coordinate and 6 for the level; cells that share a key through
// the wrap only add candidates, each tested in full.
std::uint64_t WallIndex::cellKey(int level, long long ix, long long iy, long long iz)
{
    auto part = [](long long v) { return static_cast<std::uint64_t>(v) & 0x7FFFF; };
    return static_cast<std::uint64_t>(level) | (part(ix) << 6) | (part(iy) << 25) | (part(iz) << 44);
}

std::uint64_t WallIndex::cellKey(int level, const geometry::X3DPoint& p) const
{
    double c = cellSize(level);
    return cellKey(level, static_cast<long long>(std::floor(p.x / c)), static_cast<long long>(std::floor(p.y / c)),
                   static_cast<long long>(std::floor(p.z / c)));
}

void WallIndex::grow()
{
    std::vector<Cell> old = std::move(cells_);
    std::size_t size = old.empty() ? 1024 : old.size() * 2;  // a power of two, for the mask
    cells_ = std::vector<Cell>();
    model::reserveLarge(cells_, size);
    cells_.assign(size, Cell{});
    cellsUsed_ = 0;
    for (const Cell& c : old) {
        if (c.used()) {
            cellFor(c.key) = c;
        }
    }
}

const WallIndex::Cell* WallIndex::findCell(std::uint64_t key) const
{
    if (cells_.empty()) {
        return nullptr;
    }
    std::size_t mask = cells_.size() - 1;
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

WallIndex::Cell* WallIndex::findCell(std::uint64_t key)
{
    return const_cast<Cell*>(static_cast<const WallIndex*>(this)->findCell(key));
}

WallIndex::Cell& WallIndex::cellFor(std::uint64_t key)
{
    if ((cellsUsed_ + 1) * 2 > cells_.size()) {
        grow();
    }
    std::size_t mask = cells_.size() - 1;
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

long long WallIndex::bucketOf(double offset) const
{
    return static_cast<long long>(std::floor(offset / (2.0 * tolerance_)));
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
    PlaneCell& pc = planeCells_[cell.head];
    std::uint64_t group = e.group;
    PlaneKey present{cell.key, (group << 33) | (1ULL << 32)};
    if (planeChains_.emplace(present, 1).second) {
        pc.groups.push_back(e.group);
    }
    auto bucket = static_cast<std::uint64_t>(bucketOf(e.offset)) & 0xFFFFFFFFULL;
    std::uint32_t& head = planeChains_[PlaneKey{cell.key, (group << 33) | bucket}];
    links_.push_back(Link{id, head});
    head = static_cast<std::uint32_t>(links_.size());
}

void WallIndex::registerIn(Cell& cell, std::uint32_t id)
{
    if (cell.crowded()) {
        registerPlane(cell, id);
        return;
    }
    ++cell.count;
    model::pushBackLarge(links_, Link{id, cell.head});
    cell.head = static_cast<std::uint32_t>(links_.size());
    if (cell.count > crowded) {
        // From now on by plane: the walls of the chain move over.
        std::vector<std::uint32_t> members;
        for (std::uint32_t link = cell.head; link != 0; link = links_[link - 1].next) {
            members.push_back(links_[link - 1].wall);
        }
        cell.head = static_cast<std::uint32_t>(planeCells_.size());
        cell.count = 0x80000000u;
        planeCells_.emplace_back();
        for (auto it = members.rbegin(); it != members.rend(); ++it) {
            registerPlane(cell, *it);
        }
    }
}

void WallIndex::add(model::Wall* wall)
{
    if (!wall->baseFace || !wall->baseFace->isValid()) {
        return;
    }
    geometry::X3DPoint min(1e9, 1e9, 1e9);
    geometry::X3DPoint max(-1e9, -1e9, -1e9);
    wall->baseFace->extendBounds(min, max);
    double t = tolerance_;
    min = geometry::X3DPoint(min.x - t, min.y - t, min.z - t);
    max = geometry::X3DPoint(max.x + t, max.y + t, max.z + t);
    geometry::X3DPlane plane = wall->baseFace->plane();
    geometry::X3DPoint n(plane.x, plane.y, plane.z);
    double offset = -plane.d;
    auto id = static_cast<std::uint32_t>(walls_.size());
    if (n.x == 0.0 && n.y == 0.0 && n.z == 0.0) {
        model::pushBackLarge(walls_, Entry{wall, min, max, n, 0.0, 0, -1});
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
    double extent = std::max({max.x - min.x, max.y - min.y, max.z - min.z});
    int level = 0;
    while (level + 1 < levelCount && cellSize(level) < extent) {
        ++level;
    }
    model::pushBackLarge(walls_, Entry{wall, min, max, n, offset, UINT32_MAX, level});
    levels_ |= 1ULL << level;
    double c = cellSize(level);
    long long x0 = static_cast<long long>(std::floor(min.x / c));
    long long x1 = static_cast<long long>(std::floor(max.x / c));
    long long y0 = static_cast<long long>(std::floor(min.y / c));
    long long y1 = static_cast<long long>(std::floor(max.y / c));
    long long z0 = static_cast<long long>(std::floor(min.z / c));
    long long z1 = static_cast<long long>(std::floor(max.z / c));
    for (long long x = x0; x <= x1; ++x) {
        for (long long y = y0; y <= y1; ++y) {
            for (long long z = z0; z <= z1; ++z) {
                registerIn(cellFor(cellKey(level, x, y, z)), id);
            }
        }
    }
}

bool WallIndex::holds(const Entry& e, const std::vector<geometry::X3DPoint>& points) const
{
    for (const geometry::X3DPoint& p : points) {
        if (p.x < e.min.x || p.y < e.min.y || p.z < e.min.z || p.x > e.max.x || p.y > e.max.y || p.z > e.max.z) {
            return false;
        }
        double distance = e.normal.x * p.x + e.normal.y * p.y + e.normal.z * p.z - e.offset;
        if (!(std::fabs(distance) < tolerance_)) {
            return false;
        }
    }
    return true;
}

model::Wall* WallIndex::findContaining(const std::vector<geometry::X3DPoint>& points) const
{
    if (points.empty() || walls_.empty()) {
        return nullptr;
    }
    // Any wall holding every point holds the first, so the first point's
    // cell at each level holds every candidate.
    const geometry::X3DPoint& p = points.front();
    std::uint32_t best = UINT32_MAX;
    auto consider = [&](std::uint32_t id) {
        ++tested_;
        if (id < best && holds(walls_[id], points)) {
            best = id;
        }
    };
    auto walk = [&](std::uint32_t link) {
        for (; link != 0; link = links_[link - 1].next) {
            consider(links_[link - 1].wall);
        }
    };
    double reach = std::fabs(p.x) + std::fabs(p.y) + std::fabs(p.z);
    // Normals of one group differ by at most 2^-37 in each component.
    double slack = tolerance_ + reach * 2.0e-11 + 1e-12;
    for (int level = 0; level < levelCount; ++level) {
        if ((levels_ & (1ULL << level)) == 0) {
            continue;
        }
        const Cell* cell = findCell(cellKey(level, p));
        if (!cell) {
            continue;
        }
        if (!cell->crowded()) {
            walk(cell->head);
            continue;
        }
        for (std::uint32_t group : planeCells_[cell->head].groups) {
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
