// Finds the wall whose base face holds a set of points (an opening's
// corners): the first such wall in the model's list order, as a plain search
// would, but in time that stays near-linear for any arrangement of walls.
#pragma once

#include <cstdint>
#include <memory>
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

    // A point on the grid the index places points on (see WallIndex.cpp).
    struct Grid {
        long long v[3];
    };
    // What a search for a set of points looks up, and where a wall made of
    // exactly those points would be listed: worked out once by prepare.
    struct Probe {
        std::size_t count = 0;
        Grid first;  // the first point
        Grid low;    // the points' box
        Grid high;
        Grid wallLow;  // the box widened by the tolerance, on the wall's level
        Grid wallHigh;
        int lowest = 0;  // the lowest level a wall holding the points can have
        int wallLevel = 0;
        bool fits = false;  // the widened box fits the cells of wallLevel
    };

    // Walls must be added in the model's list order.
    void add(model::Wall* wall);
    // The same for a wall whose base face is made of the points of the
    // probe (when the face dropped some of them, as add(wall)).
    void add(model::Wall* wall, const Probe& probe);
    // The first wall (in the order added) whose base face holds every point:
    // within its bounding box widened by the tolerance, and nearer to its
    // plane than the tolerance.
    model::Wall* findContaining(const geometry::X3DPoint* points, std::size_t count) const;
    model::Wall* findContaining(const std::vector<geometry::X3DPoint>& points) const
    {
        return findContaining(points.data(), points.size());
    }
    // The same with the probe prepared for these points.
    model::Wall* findContaining(const geometry::X3DPoint* points, const Probe& probe) const;

    // Works out the probe of a set of points (at least one). A search and
    // the adding of a wall spend most of their time waiting for memory, so
    // callers that know what comes next prepare it some faces ahead, which
    // also asks the processor for the cells it names; and a few faces ahead,
    // fetchMembers asks for the walls those cells list. Both are hints that
    // change no result.
    void prepare(const geometry::X3DPoint* points, std::size_t count, Probe& probe, bool fetch = true) const;
    void fetchMembers(const Probe& probe) const;

    // Room for about this many walls, so that the index grows less often
    // while they come (a hint: more may come, or fewer).
    void expect(std::size_t walls);

    // How many walls the searches so far have looked at: the measure of
    // their work, which stays near the number of searches.
    std::uint64_t wallsTested() const { return tested_; }

private:
    // A wall's base face's plane, worked out once (normal with its largest
    // component positive, and offset: n.p = offset).
    struct Entry {
        model::Wall* wall;
        geometry::X3DPoint normal;
        double offset;
        std::uint32_t group;  // walls whose normals agree to 2^-36 share one (worked out when needed)
    };
    // A wall as a cell lists it: its widened box rounded outwards to steps
    // of 1/8192 of the cell, counted from two cells below the cell's corner
    // (the box reaches at most one cell below it), so that most walls are
    // ruled out without reading their entry, and a cell's walls lie side by
    // side in a few cache lines.
    struct Member {
        std::uint32_t wall;
        std::uint16_t lo[3];
        std::uint16_t hi[3];
    };
    // Walls sit in a grid of cells at the level whose cell size fits their
    // box. A cell keeps its members in one run of the member store, in the
    // order added (a full run moves to one twice as long). A cell crowded
    // with walls is split further by their planes: by normal, then by offset
    // in steps of twice the tolerance, so stacks of parallel walls close
    // together stay cheap; it keeps its plane table's number in `first` and
    // the mark in the top bit of `count`.
    struct Cell {
        std::uint64_t key = 0;
        std::uint32_t first = 0;
        std::uint32_t count = 0;
        bool used() const { return count != 0; }
        bool crowded() const { return (count & 0x80000000u) != 0; }
    };
    // Chains of walls of one plane bucket in a crowded cell.
    struct Link {
        std::uint32_t wall;
        std::uint32_t next;  // link number + 1, 0 ends the chain
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
    // A cell at one level, and where its members' steps start on the
    // level's grid.
    struct Place {
        std::uint64_t key;
        long long base[3];
    };

    static int levelFor(double extent);
    static Place placeOf(int level, long long ix, long long iy, long long iz);
    static Place placeOf(int level, const Grid& p);
    template <typename Visit>
    void forEachWallCell(const Probe& probe, Visit visit) const;
    std::size_t slotOf(std::uint64_t key) const;
    const Cell* findCell(std::uint64_t key) const;
    Cell& cellFor(std::uint64_t key);
    void grow(std::size_t slots);
    std::uint32_t newRun(std::uint32_t capacity);
    void registerIn(const Place& place, const Grid& lo, const Grid& hi, std::uint32_t id);
    void enter(model::Wall* wall, const Probe& probe);
    void registerPlane(Cell& cell, std::uint32_t id);
    std::uint32_t groupOf(std::uint32_t id);
    long long bucketOf(double offset) const;
    bool holds(const Entry& e, const geometry::X3DPoint* points, std::size_t count) const;

    double tolerance_;
    mutable std::uint64_t tested_ = 0;
    // Counted, so that no compiler takes the hints for loops without effect.
    mutable std::uint64_t prefetched_ = 0;
    std::vector<Entry> walls_;
    // Zeroed memory from the system (an empty cell is all zeros), so that
    // pages no cell lands on cost nothing.
    struct Release {
        void operator()(Cell* p) const;
    };
    std::unique_ptr<Cell[], Release> cells_;
    std::size_t cellSlots_ = 0;
    std::size_t cellsUsed_ = 0;
    std::vector<Member> members_;
    // Runs given up by cells that outgrew them, by capacity (2^k members).
    std::vector<std::uint32_t> freeRuns_[8];
    std::uint64_t levels_ = 0;  // bit k: level k holds walls
    std::vector<Link> links_;
    std::unordered_map<NormalKey, std::uint32_t, NormalKeyHash> groupOf_;
    std::vector<geometry::X3DPoint> groupNormals_;
    std::vector<PlaneCell> planeCells_;
    std::unordered_map<PlaneKey, std::uint32_t, PlaneKeyHash> planeChains_;
    // Walls whose first three vertices are in a line have no plane: always tried.
    std::vector<std::uint32_t> unplaned_;
};

}  // namespace exchange
