// Grid of walls by the cells their base faces' boxes cover.
#include "exchange/WallIndex.h"

#include <climits>
#include <cmath>

#include "model/HugePages.h"
#include "model/Wall.h"

namespace exchange {

namespace {
constexpr long long maxCellsPerWall = 4096;

std::uint64_t mix(std::uint64_t k)
{
    k ^= k >> 33;
    k *= 0xff51afd7ed558ccdULL;
    k ^= k >> 33;
    return k;
}
}  // namespace

long long WallIndex::cellOf(double v) const
{
    return static_cast<long long>(std::floor(v / cell_));
}

// 21 bits a coordinate: cells of 8 m reach eight thousand kilometres each way.
std::uint64_t WallIndex::key(long long ix, long long iy, long long iz)
{
    auto part = [](long long v) { return static_cast<std::uint64_t>(v) & 0x1FFFFF; };
    return part(ix) | (part(iy) << 21) | (part(iz) << 42);
}

void WallIndex::grow()
{
    std::vector<Slot> old = std::move(slots_);
    std::size_t size = old.empty() ? 1024 : old.size() * 2;  // a power of two, for the mask
    slots_ = std::vector<Slot>();
    model::reserveLarge(slots_, size);
    slots_.assign(size, Slot{});
    used_ = 0;
    for (const Slot& s : old) {
        if (s.head != 0) {
            *headOf(s.key, true) = s.head;
        }
    }
}

std::uint32_t* WallIndex::headOf(std::uint64_t k, bool create)
{
    if (create && (used_ + 1) * 2 > slots_.size()) {
        grow();
    }
    if (slots_.empty()) {
        return nullptr;
    }
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = mix(k) & mask;; i = (i + 1) & mask) {
        Slot& s = slots_[i];
        if (s.head == 0) {
            if (!create) {
                return nullptr;
            }
            s.key = k;
            ++used_;
            return &s.head;
        }
        if (s.key == k) {
            return &s.head;
        }
    }
}

const std::uint32_t* WallIndex::headOf(std::uint64_t k) const
{
    return const_cast<WallIndex*>(this)->headOf(k, false);
}

bool WallIndex::Entry::contains(const geometry::X3DPoint& p) const
{
    if (p.x < min.x || p.y < min.y || p.z < min.z || p.x > max.x || p.y > max.y || p.z > max.z) {
        return false;
    }
    return plane.contains(p);
}

void WallIndex::add(model::Wall* wall)
{
    if (!wall->baseFace || !wall->baseFace->isValid()) {
        return;
    }
    geometry::X3DPoint min(1e9, 1e9, 1e9);
    geometry::X3DPoint max(-1e9, -1e9, -1e9);
    wall->baseFace->extendBounds(min, max);
    auto id = static_cast<std::uint32_t>(walls_.size());
    model::pushBackLarge(walls_, Entry{wall, min, max, wall->baseFace->plane()});
    long long x0 = cellOf(min.x);
    long long x1 = cellOf(max.x);
    long long y0 = cellOf(min.y);
    long long y1 = cellOf(max.y);
    long long z0 = cellOf(min.z);
    long long z1 = cellOf(max.z);
    long double cells = static_cast<long double>(x1 - x0 + 1) * (y1 - y0 + 1) * (z1 - z0 + 1);
    if (cells > maxCellsPerWall) {
        large_.push_back(id);
        return;
    }
    for (long long x = x0; x <= x1; ++x) {
        for (long long y = y0; y <= y1; ++y) {
            for (long long z = z0; z <= z1; ++z) {
                std::uint32_t* head = headOf(key(x, y, z), true);
                model::pushBackLarge(links_, Link{id, *head});
                *head = static_cast<std::uint32_t>(links_.size());
            }
        }
    }
}

model::Wall* WallIndex::findContaining(const std::vector<geometry::X3DPoint>& points) const
{
    if (points.empty() || walls_.empty()) {
        return nullptr;
    }
    // Any wall containing every point contains the first, so the first
    // point's cell holds every candidate (cells that share a key through the
    // 21-bit wrap only add candidates, each tested in full).
    const geometry::X3DPoint& p = points.front();
    std::uint32_t best = UINT32_MAX;
    auto consider = [&](std::uint32_t id) {
        if (id >= best) {
            return;
        }
        const Entry& entry = walls_[id];
        for (const geometry::X3DPoint& q : points) {
            if (!entry.contains(q)) {
                return;
            }
        }
        best = id;
    };
    if (const std::uint32_t* head = headOf(key(cellOf(p.x), cellOf(p.y), cellOf(p.z)))) {
        for (std::uint32_t link = *head; link != 0; link = links_[link - 1].next) {
            consider(links_[link - 1].wall);
        }
    }
    for (std::uint32_t id : large_) {
        consider(id);
    }
    return best == UINT32_MAX ? nullptr : walls_[best].wall;
}

}  // namespace exchange
