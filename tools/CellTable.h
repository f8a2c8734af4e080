// Points filed by grid cell in an open-addressing table, for "which earlier
// point lies within t of this one" in constant time. Cells are 2t wide, so
// a point within t lies in the query's cell or in the neighbouring cell on
// the side the query is nearer to: eight cells to look at.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "geometry/X3DPoint.h"

namespace tools {

class CellTable {
public:
    explicit CellTable(double tolerance) : cell_(2 * tolerance) {}

    // Files a value under the cell of p.
    void add(const geometry::X3DPoint& p, std::uint32_t value);

    // Calls visit(value) for every value filed within reach of p (a superset
    // of those within the tolerance on every axis; callers test exactly).
    template <typename F>
    void near(const geometry::X3DPoint& p, F visit) const
    {
        if (slots_.empty()) {
            return;
        }
        long long base[3];
        long long side[3];
        const double c[3] = {p.x, p.y, p.z};
        for (int a = 0; a < 3; ++a) {
            double scaled = c[a] / cell_;
            base[a] = static_cast<long long>(std::floor(scaled));
            side[a] = (scaled - static_cast<double>(base[a])) < 0.5 ? -1 : 1;
        }
        for (int k = 0; k < 8; ++k) {
            std::uint64_t key = keyOf(base[0] + ((k & 1) ? side[0] : 0), base[1] + ((k & 2) ? side[1] : 0),
                                      base[2] + ((k & 4) ? side[2] : 0));
            for (std::uint32_t link = headOf(key); link != 0; link = links_[link - 1].next) {
                visit(links_[link - 1].value);
            }
        }
    }

private:
    struct Slot {
        std::uint64_t key = 0;
        std::uint32_t head = 0;  // 0: free, else link number + 1
    };
    struct Link {
        std::uint32_t value;
        std::uint32_t next;
    };

    static std::uint64_t keyOf(long long x, long long y, long long z);
    std::uint32_t headOf(std::uint64_t key) const;
    std::uint32_t& headFor(std::uint64_t key);
    void grow();

    double cell_;
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    std::vector<Link> links_;
};

}  // namespace tools
