// Welding points within a tolerance.
#include "analysis/VertexWelder.h"

#include <bit>
#include <cmath>

#include "model/HugePages.h"

namespace analysis {

namespace {

std::uint64_t mix(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

// Kept at most 70 % full: short probes without a table much larger than its points.
std::size_t tableSize(std::size_t expected)
{
    std::size_t n = 64;
    while (n * 7 < expected * 10) {
        n *= 2;
    }
    return n;
}

}  // namespace

VertexWelder::VertexWelder(double tolerance, std::size_t expected)
    : tolerance_(tolerance), cellSize_(16.37 * tolerance), shift_(0.31 * 16.37 * tolerance)
{
    model::reserveLarge(slots_, tableSize(expected));
    slots_.assign(slots_.capacity(), Slot{0, 0});
    recent_.assign(recentSize, Recent{{}, 0});
    model::reserveLarge(points_, expected);
    model::reserveLarge(nextInCell_, expected);
}

std::uint64_t VertexWelder::cellHash(std::int64_t x, std::int64_t y, std::int64_t z) const
{
    std::uint64_t a = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ULL;
    std::uint64_t b = mix(static_cast<std::uint64_t>(y) + 0x632BE59BD9B4E019ULL);
    std::uint64_t c = mix(static_cast<std::uint64_t>(z) ^ 0x8CB92BA72F3D8DD7ULL);
    return mix(a ^ b ^ c);
}

std::uint32_t VertexWelder::headOf(std::uint64_t cell) const
{
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = cell & mask; slots_[i].head != 0; i = (i + 1) & mask) {
        if (slots_[i].cell == cell) {
            return slots_[i].head;
        }
    }
    return 0;
}

void VertexWelder::insert(std::uint64_t cell, std::uint32_t id)
{
    if ((used_ + 1) * 10 > slots_.size() * 7) {
        grow();
    }
    std::size_t mask = slots_.size() - 1;
    std::size_t i = cell & mask;
    for (; slots_[i].head != 0; i = (i + 1) & mask) {
        if (slots_[i].cell == cell) {
            nextInCell_[id] = slots_[i].head;
            slots_[i].head = id + 1;
            return;
        }
    }
    slots_[i] = Slot{cell, id + 1};
    nextInCell_[id] = 0;
    ++used_;
}

void VertexWelder::grow()
{
    std::vector<Slot> old;
    old.swap(slots_);
    model::reserveLarge(slots_, old.size() * 2);
    slots_.assign(old.size() * 2, Slot{0, 0});
    std::size_t mask = slots_.size() - 1;
    for (const Slot& s : old) {
        if (s.head != 0) {
            std::size_t i = s.cell & mask;
            while (slots_[i].head != 0) {
                i = (i + 1) & mask;
            }
            slots_[i] = s;
        }
    }
}

std::uint32_t VertexWelder::add(const X3DPoint& p)
{
    // The same coordinates always weld to the same number, so a remembered
    // answer for them is the answer.
    std::uint64_t bits = std::bit_cast<std::uint64_t>(p.x) * 3 + std::bit_cast<std::uint64_t>(p.y) * 5 +
                         std::bit_cast<std::uint64_t>(p.z) * 7;
    Recent& r = recent_[mix(bits) & (recentSize - 1)];
    if (r.id != 0 && r.p.x == p.x && r.p.y == p.y && r.p.z == p.z) {
        return r.id - 1;
    }
    std::uint32_t id = search(p);
    r = Recent{p, id + 1};
    return id;
}

std::uint32_t VertexWelder::search(const X3DPoint& p)
{
    const double at[3] = {p.x + shift_, p.y + shift_, p.z + shift_};
    std::int64_t cell[3];
    // Neighbouring cells matter only where p lies within the tolerance of
    // the cell's side (a little more, against rounding).
    double reach = tolerance_ * (1.0 + 1e-9) + cellSize_ * 1e-12;
    int lo[3];
    int hi[3];
    for (int k = 0; k < 3; ++k) {
        double c = std::floor(at[k] / cellSize_);
        cell[k] = static_cast<std::int64_t>(c);
        double start = c * cellSize_;
        lo[k] = at[k] - start <= reach ? -1 : 0;
        hi[k] = start + cellSize_ - at[k] <= reach ? 1 : 0;
    }
    double tol2 = tolerance_ * tolerance_;
    std::uint64_t own = cellHash(cell[0], cell[1], cell[2]);
    for (std::uint32_t id = headOf(own); id != 0; id = nextInCell_[id - 1]) {
        if ((points_[id - 1] - p).squaredNorm() <= tol2) {
            return id - 1;
        }
    }
    for (int dx = lo[0]; dx <= hi[0]; ++dx) {
        for (int dy = lo[1]; dy <= hi[1]; ++dy) {
            for (int dz = lo[2]; dz <= hi[2]; ++dz) {
                if (dx == 0 && dy == 0 && dz == 0) {
                    continue;
                }
                std::uint64_t h = cellHash(cell[0] + dx, cell[1] + dy, cell[2] + dz);
                for (std::uint32_t id = headOf(h); id != 0; id = nextInCell_[id - 1]) {
                    if ((points_[id - 1] - p).squaredNorm() <= tol2) {
                        return id - 1;
                    }
                }
            }
        }
    }
    std::uint32_t id = static_cast<std::uint32_t>(points_.size());
    points_.push_back(p);
    nextInCell_.push_back(0);
    insert(own, id);
    return id;
}

}  // namespace analysis
