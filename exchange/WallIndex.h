// Finds the wall whose base face contains a set of points: the first such
// wall in the model's list order, as a plain search would, but through a grid
// of cells so that importing a million openings stays linear.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/X3DPlane.h"
#include "geometry/X3DPoint.h"

namespace model {
class Wall;
}

namespace exchange {

class WallIndex {
public:
    explicit WallIndex(double cellSize = 8.0) : cell_(cellSize) {}

    // Walls must be added in the model's list order.
    void add(model::Wall* wall);
    // The first wall (in the order added) whose base face contains every point.
    model::Wall* findContaining(const std::vector<geometry::X3DPoint>& points) const;

private:
    // The cells form an open-addressing table; each cell heads a chain of
    // links to the walls whose boxes cover it.
    struct Slot {
        std::uint64_t key = 0;
        std::uint32_t head = 0;  // 0: free; otherwise a link number + 1
    };
    struct Link {
        std::uint32_t wall;
        std::uint32_t next;  // link number + 1, 0 ends the chain
    };

    long long cellOf(double v) const;
    static std::uint64_t key(long long ix, long long iy, long long iz);
    std::uint32_t* headOf(std::uint64_t key, bool create);
    const std::uint32_t* headOf(std::uint64_t key) const;
    void grow();

    double cell_;
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
    std::vector<Link> links_;
    // Each wall with its base face's box and plane, worked out once: the
    // containment test of a face, without recomputing them per query.
    struct Entry {
        model::Wall* wall;
        geometry::X3DPoint min;
        geometry::X3DPoint max;
        geometry::X3DPlane plane;
        bool contains(const geometry::X3DPoint& p) const;
    };
    std::vector<Entry> walls_;
    // Walls too large for the grid (a whole terrain as one face): always tried.
    std::vector<std::uint32_t> large_;
};

}  // namespace exchange
