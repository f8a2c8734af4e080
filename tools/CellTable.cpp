// Cell table.
#include "tools/CellTable.h"

namespace tools {

namespace {

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

// Keys are a hash of the cell: two cells may share one, which only adds
// candidates that the caller's exact test drops.
std::uint64_t CellTable::keyOf(long long x, long long y, long long z)
{
    std::uint64_t h = mix(static_cast<std::uint64_t>(x));
    h = mix(h ^ static_cast<std::uint64_t>(y));
    h = mix(h ^ static_cast<std::uint64_t>(z));
    return h | 1;  // never 0
}

std::uint32_t CellTable::headOf(std::uint64_t key) const
{
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = key & mask;; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.head == 0) {
            return 0;
        }
        if (s.key == key) {
            return s.head;
        }
    }
}

std::uint32_t& CellTable::headFor(std::uint64_t key)
{
    if ((used_ + 1) * 2 > slots_.size()) {
        grow();
    }
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = key & mask;; i = (i + 1) & mask) {
        Slot& s = slots_[i];
        if (s.head == 0) {
            s.key = key;
            ++used_;
            return s.head;
        }
        if (s.key == key) {
            return s.head;
        }
    }
}

void CellTable::grow()
{
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
    used_ = 0;
    for (const Slot& s : old) {
        if (s.head != 0) {
            headFor(s.key) = s.head;
        }
    }
}

void CellTable::add(const geometry::X3DPoint& p, std::uint32_t value)
{
    std::uint64_t key = keyOf(static_cast<long long>(std::floor(p.x / cell_)),
                              static_cast<long long>(std::floor(p.y / cell_)),
                              static_cast<long long>(std::floor(p.z / cell_)));
    std::uint32_t& head = headFor(key);
    links_.push_back({value, head});
    head = static_cast<std::uint32_t>(links_.size());
}

}  // namespace tools
