// The wall search against a plain search of every wall: far from the origin,
// on the edges of the tolerance, across cells that share a key, with walls
// that have no plane, in cells crowded with planes, and through the probes
// an import prepares ahead.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "exchange/WallIndex.h"
#include "geometry/X3DPlane.h"
#include "model/Wall.h"

using geometry::X3DPoint;

namespace {

using Walls = std::vector<std::unique_ptr<model::Wall>>;

// What the search must answer: the first wall whose box, widened by the
// tolerance, holds every point, and whose plane passes nearer than it.
model::Wall* firstHolding(const Walls& walls, const std::vector<X3DPoint>& pts)
{
    double t = exchange::openingTolerance;
    for (const auto& w : walls) {
        if (!w->isValid()) {
            continue;
        }
        X3DPoint min(1e9, 1e9, 1e9);
        X3DPoint max(-1e9, -1e9, -1e9);
        w->baseFace->extendBounds(min, max);
        geometry::X3DPlane plane = w->baseFace->plane();
        bool all = true;
        for (const X3DPoint& p : pts) {
            all = all && p.x >= min.x - t && p.y >= min.y - t && p.z >= min.z - t && p.x <= max.x + t &&
                  p.y <= max.y + t && p.z <= max.z + t && std::fabs(plane.signedDistance(p)) < t;
        }
        if (all) {
            return w.get();
        }
    }
    return nullptr;
}

model::Wall* wallOf(Walls& walls, const std::vector<X3DPoint>& corners)
{
    X3DPoint four[4] = {corners[0], corners[1], corners[2], corners[3]};
    walls.push_back(std::make_unique<model::Wall>(four, materials::Material{}));
    return walls.back().get();
}

// A vertical rectangle along x at depth y.
std::vector<X3DPoint> rectangle(double x0, double x1, double y, double z0, double z1)
{
    return {{x0, y, z0}, {x1, y, z0}, {x1, y, z1}, {x0, y, z1}};
}

}  // namespace

TEST(WallIndexGrid, FarFromTheOriginAndOnTheEdgeOfTheToleranceNoHoldingWallIsMissed)
{
    // Boxes on the members' grid are rounded outwards; points just inside
    // and just outside the widened box, at coordinates up to 9e8 m, must
    // come out as the plain search has them.
    const double t = exchange::openingTolerance;
    std::mt19937 rng(21);
    for (double origin : {0.0, 1234.5678, -8.9e8, 9.0e8, 3.3e7}) {
        Walls walls;
        exchange::WallIndex index;
        for (int i = 0; i < 40; ++i) {
            double x = origin + (rng() % 200) * 0.37;
            double len = 0.2 + (rng() % 50) * 0.25;
            double y = origin + (rng() % 5) * 0.0007;
            index.add(wallOf(walls, rectangle(x, x + len, y, 0.0, 2.0 + (rng() % 3))));
        }
        for (const auto& w : walls) {
            X3DPoint min(1e9, 1e9, 1e9);
            X3DPoint max(-1e9, -1e9, -1e9);
            w->baseFace->extendBounds(min, max);
            X3DPoint near = w->baseFace->vertices[0];
            for (double edge : {min.x - t, max.x + t}) {
                for (double nudge : {-1e-9, 0.0, 1e-9, -std::fabs(edge) * 1e-15, std::fabs(edge) * 1e-15}) {
                    double x = std::nextafter(edge + nudge, edge);
                    std::vector<X3DPoint> pts = {{x, near.y, 1.0}, {near.x, near.y, max.z + t * 0.999}};
                    ASSERT_EQ(index.findContaining(pts), firstHolding(walls, pts)) << "origin " << origin;
                }
            }
        }
    }
}

TEST(WallIndexGrid, CellsThatShareAKeyFindOnlyTheirOwnWalls)
{
    // Cells 2^19 apart share a key: 4 m cells, 2,097,152 m apart.
    const double apart = 4.0 * 524288.0;
    Walls walls;
    exchange::WallIndex index;
    index.add(wallOf(walls, rectangle(1.0, 4.0, 0.5, 0.0, 3.0)));
    index.add(wallOf(walls, rectangle(1.0 + apart, 4.0 + apart, 0.5, 0.0, 3.0)));
    index.add(wallOf(walls, rectangle(1.5 + apart, 3.5 + apart, 0.5 + apart, 0.0, 3.0)));
    for (double shift : {0.0, apart}) {
        for (double y : {0.5, 0.5 + apart}) {
            std::vector<X3DPoint> door = rectangle(2.0 + shift, 3.0 + shift, y, 0.0, 2.0);
            EXPECT_EQ(index.findContaining(door), firstHolding(walls, door)) << shift << " " << y;
        }
    }
    EXPECT_EQ(index.findContaining(rectangle(2.0 + apart, 3.0 + apart, 0.5, 0.0, 2.0)), walls[1].get());
}

TEST(WallIndexGrid, AWallWhoseFirstCornersAreInALineIsTriedOnEverySearch)
{
    Walls walls;
    exchange::WallIndex index;
    // No plane from its first three corners: only its box counts.
    index.add(wallOf(walls, {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {2, 0, 3}}));
    index.add(wallOf(walls, rectangle(0, 2, 0, 0, 3)));
    std::vector<X3DPoint> inside = {{0.5, 0.0, 0.5}, {1.5, 0.0, 2.5}};
    EXPECT_EQ(index.findContaining(inside), walls[0].get());
    EXPECT_EQ(index.findContaining(inside), firstHolding(walls, inside));
    std::vector<X3DPoint> outside = {{0.5, 0.0, 0.5}, {2.5, 0.0, 2.5}};
    EXPECT_EQ(index.findContaining(outside), firstHolding(walls, outside));
}

TEST(WallIndexGrid, ACellCrowdedWithWallsOfManyPlanesStillFindsTheFirst)
{
    // Three hundred walls of as many orientations through one place: the
    // cell outgrows its runs and is split by plane.
    Walls walls;
    exchange::WallIndex index;
    std::vector<std::vector<X3DPoint>> doors;
    for (int i = 0; i < 300; ++i) {
        double a = i * 0.0105;
        double c = std::cos(a);
        double s = std::sin(a);
        index.add(wallOf(walls, {{-c, -s, 0}, {c, s, 0}, {c, s, 2}, {-c, -s, 2}}));
        doors.push_back(
            {{-0.3 * c, -0.3 * s, 0.2}, {0.3 * c, 0.3 * s, 0.2}, {0.3 * c, 0.3 * s, 1.5}, {-0.3 * c, -0.3 * s, 1.5}});
    }
    for (std::size_t i = 0; i < doors.size(); i += 7) {
        ASSERT_EQ(index.findContaining(doors[i]), firstHolding(walls, doors[i])) << i;
        ASSERT_NE(index.findContaining(doors[i]), nullptr) << i;
    }
    EXPECT_LT(index.wallsTested(), 300u * 20u);
}

TEST(WallIndexProbe, ProbesPreparedAheadAnswerAsThePlainCallsDo)
{
    // An import's sequence of faces (walls, doors in them, faces that lose
    // a repeated corner), searched and added through probes prepared some
    // faces ahead in one index, plainly in another, from a small hint.
    std::mt19937 rng(77);
    std::vector<std::vector<X3DPoint>> faces;
    for (int i = 0; i < 3000; ++i) {
        double x = (rng() % 60) * 0.5;
        double y = (rng() % 4) * 0.0004;
        double len = 0.3 + (rng() % 24) * 0.25;
        double z = (rng() % 3) * 0.5;
        std::vector<X3DPoint> f = rectangle(x, x + len, y, z, z + 0.5 + (rng() % 6) * 0.5);
        if (i % 3 == 0) {
            std::swap(f[1].x, f[1].y);  // another orientation
            std::swap(f[2].x, f[2].y);
        }
        if (i % 17 == 0) {
            f[2] = f[1] + geometry::X3DVector(0, 0, 1e-7);  // repeats a corner within EPS
        }
        faces.push_back(f);
    }
    Walls plainWalls;
    Walls probedWalls;
    exchange::WallIndex plain;
    exchange::WallIndex probed;
    probed.expect(10);
    const std::size_t ahead = 5;
    std::vector<exchange::WallIndex::Probe> probes(faces.size());
    for (std::size_t i = 0; i < faces.size() + ahead; ++i) {
        if (i < faces.size()) {
            probed.prepare(faces[i].data(), 4, probes[i]);
        }
        if (i >= 2 && i - 2 < faces.size()) {
            probed.fetchMembers(probes[i - 2]);
        }
        if (i < ahead) {
            continue;
        }
        std::size_t j = i - ahead;
        model::Wall* a = plain.findContaining(faces[j]);
        model::Wall* b = probed.findContaining(faces[j].data(), probes[j]);
        ASSERT_EQ(a == nullptr, b == nullptr) << "face " << j;
        if (a) {
            auto at = [](const Walls& walls, model::Wall* w) {
                for (std::size_t k = 0; k < walls.size(); ++k) {
                    if (walls[k].get() == w) {
                        return k;
                    }
                }
                return walls.size();
            };
            ASSERT_EQ(at(plainWalls, a), at(probedWalls, b)) << "face " << j;
            ASSERT_EQ(a, firstHolding(plainWalls, faces[j])) << "face " << j;
            continue;
        }
        plain.add(wallOf(plainWalls, faces[j]));
        probed.add(wallOf(probedWalls, faces[j]), probes[j]);
    }
    EXPECT_GT(plainWalls.size(), 300u);
    EXPECT_LT(plainWalls.size(), faces.size() - 300u) << "doors as well as walls";
    EXPECT_EQ(plain.wallsTested(), probed.wallsTested());
}
