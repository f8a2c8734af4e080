// Finds the wall whose base face holds a set of points (an opening's
// corners): the first such wall in the model's list order, as a plain search
// would, but in time that stays near-linear for any arrangement of walls.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "geometry/X3DPoint.h"

namespace model {
class Wall;
}

namespace exchange {

// Doors and holes that miss their wall by less than this (metres, off its
// plane or beyond its bounding box) are still set into it: drawings from
// other programs are rarely exact.
constexpr double openingTolerance = 0.001;

class WallIndex {
public:
    explicit WallIndex(double tolerance = openingTolerance);

    // Walls must be added in the model's list order.
    void add(model::Wall* wall);
    // The first wall (in the order added) whose base face holds every point:
    // within its bounding box widened by the tolerance, and nearer to its
    // plane than the tolerance.
    model::Wall* findContaining(const std::vector<geometry::X3DPoint>& points) const;
    // How many walls the searches so far have tested in full: the measure of
    // their work, which stays near the number of searches.
    std::uint64_t wallsTested() const { return tested_; }

private:
    // A wall's base face, worked out once: box (widened), plane (normal with
    // its largest component positive, and offset: n.p = offset).
    struct Entry {
        model::Wall* wall;
        geometry::X3DPoint min;
        geometry::X3DPoint max;
        geometry::X3DPoint normal;
        double offset;
        std::uint32_t group;  // walls whose normals agree to 2^-36 share one (worked out when needed)
        int level;
    };
    // Walls sit in a grid of cells at the level whose cell size fits their
    // box, each cell a chain of links. A cell crowded with walls is split
    // further by their planes: by normal, then by offset in steps of twice
    // the tolerance, so stacks of parallel walls close together stay cheap.
    struct Link {
        std::uint32_t wall;
        std::uint32_t next;  // link number + 1, 0 ends the chain
    };
    // A crowded cell keeps its plane table's number in `head` and the mark
    // in the top bit of `count`.
    struct Cell {
        std::uint64_t key = 0;
        std::uint32_t head = 0;
        std::uint32_t count = 0;
        bool used() const { return head != 0 || count != 0; }
        bool crowded() const { return (count & 0x80000000u) != 0; }
    };
    struct PlaneKey {
        std::uint64_t cell;
        std::uint64_t groupBucket;
        bool operator==(const PlaneKey& o) const { return cell == o.cell && groupBucket == o.groupBucket; }
    };
    struct PlaneKeyHash {
        std::size_t operator()(const PlaneKey& k) const;
    };
    struct NormalKey {
        long long x, y, z;
        bool operator==(const NormalKey& o) const { return x == o.x && y == o.y && z == o.z; }
    };
    struct NormalKeyHash {
        std::size_t operator()(const NormalKey& k) const;
    };
    struct PlaneCell {
        std::vector<std::uint32_t> groups;  // distinct, in the order met
    };

    double cellSize(int level) const;
    std::uint64_t cellKey(int level, const geometry::X3DPoint& p) const;
    static std::uint64_t cellKey(int level, long long ix, long long iy, long long iz);
    Cell* findCell(std::uint64_t key);
    const Cell* findCell(std::uint64_t key) const;
    Cell& cellFor(std::uint64_t key);
    void grow();
    void registerIn(Cell& cell, std::uint32_t id);
    void registerPlane(Cell& cell, std::uint32_t id);
    std::uint32_t groupOf(std::uint32_t id);
    long long bucketOf(double offset) const;
    bool holds(const Entry& e, const std::vector<geometry::X3DPoint>& points) const;

    double tolerance_;
    mutable std::uint64_t tested_ = 0;
    std::vector<Entry> walls_;
    std::vector<Cell> cells_;
    std::size_t cellsUsed_ = 0;
    std::vector<Link> links_;
    std::uint64_t levels_ = 0;  // bit k: level k holds walls
    std::unordered_map<NormalKey, std::uint32_t, NormalKeyHash> groupOf_;
    std::vector<geometry::X3DPoint> groupNormals_;
    std::vector<PlaneCell> planeCells_;
    std::unordered_map<PlaneKey, std::uint32_t, PlaneKeyHash> planeChains_;
    // Walls whose first three vertices are in a line have no plane: always tried.
    std::vector<std::uint32_t> unplaned_;
};

}  // namespace exchange
