// The scene library's containers: sparse array, dictionary, bounds, point index.
#include <gtest/gtest.h>

#include <random>

#include "scene3d/X3DArray.h"
#include "scene3d/X3DDictionary.h"
#include "scene3d/X3DPointIndex.h"
#include "scene3d/X3DShape.h"

using geometry::X3DPoint;
using namespace scene3d;

namespace {

struct Counted : X3DNode {
    int* alive;
    explicit Counted(int* a) : alive(a) { ++*alive; }
    ~Counted() override { --*alive; }
};

}  // namespace

TEST(X3DArray, SparseSlotsGrowAndFill)
{
    int alive = 0;
    X3DArray<X3DNode> a;
    a.set(10, std::make_unique<Counted>(&alive));
    EXPECT_EQ(a.capacity(), 24u);
    EXPECT_EQ(a.end(), 11u);
    EXPECT_EQ(a.count(), 1u);
    a.append(std::make_unique<Counted>(&alive));
    EXPECT_NE(a.at(0), nullptr) << "appends fill the lowest free slot";
    a.remove(10);
    EXPECT_EQ(a.end(), 1u);
    EXPECT_EQ(alive, 1) << "removing destroys";
    X3DNode* first = a.at(0);
    a.prepend(std::make_unique<Counted>(&alive));
    EXPECT_EQ(a.at(1), first) << "inserting shifts the used slots up";
    EXPECT_EQ(a.count(), 2u);
    a.clear();
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(a.count(), 0u);
}

TEST(X3DDictionary, TheSpecifiedHashAndReplacementKeepingOrder)
{
    EXPECT_EQ(x3dHash("ab"), 160u);
    EXPECT_EQ(x3dHash(""), 0u);
    EXPECT_EQ(x3dHash("\xe9"), static_cast<std::uint32_t>(-23)) << "characters are signed bytes";
    X3DDictionary d(883);
    EXPECT_EQ(d.bucketOf("ab"), 160u);
    int alive = 0;
    d.insert("Material3", std::make_unique<Counted>(&alive));
    d.insert("Material5", std::make_unique<Counted>(&alive));
    X3DNode* replacement = d.insert("Material3", std::make_unique<Counted>(&alive))->value.get();
    EXPECT_EQ(alive, 2) << "the first node was destroyed";
    ASSERT_EQ(d.count(), 2u);
    EXPECT_EQ(d.entryAt(0)->name, "Material3");
    EXPECT_EQ(d.entryAt(0)->value.get(), replacement);
    EXPECT_EQ(d.entryAt(1)->order, 1);
    EXPECT_EQ(d.lookup("material3"), nullptr) << "names are case-sensitive";
    d.clear();
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(d.count(), 0u);
}

TEST(X3DBounds, WidensAndKeepsItsCentre)
{
    X3DBounds b;
    EXPECT_FALSE(b.contains(X3DPoint()));
    b.add(X3DPoint(1, 2, 3));
    EXPECT_TRUE(b.contains(X3DPoint(1, 2, 3)));
    b.add(X3DPoint(-1, 4, 3));
    EXPECT_TRUE(b.centre == X3DPoint(0, 3, 3));
    EXPECT_FALSE(b.contains(X3DPoint(0, 3, 3.1)));
}

TEST(X3DPointIndex, WeldsWithinTheToleranceOnly)
{
    X3DPointIndex index;
    EXPECT_EQ(index.find(X3DPoint()), -1);
    EXPECT_EQ(index.add(X3DPoint(1, 1, 1)), 0);
    EXPECT_EQ(index.add(X3DPoint(1.000005, 1, 1)), 0);
    EXPECT_EQ(index.add(X3DPoint(1.00002, 1, 1)), 1);
    EXPECT_EQ(index.size(), 2u);
}

TEST(X3DPointIndex, SplitsFullLeavesAndStillFindsEveryPoint)
{
    X3DPointIndex index;
    for (int i = 0; i < 16; ++i) {
        index.add(X3DPoint(i * 0.1, 0, 0));
    }
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(index.find(X3DPoint(i * 0.1, 0, 0)), i);
        EXPECT_EQ(index.add(X3DPoint(i * 0.1 + 1e-6, 0, 0)), i);
    }
}

TEST(X3DPointIndex, GrowingFarBeyondTheRootKeepsEveryPoint)
{
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> coord(-1, 1);
    X3DPointIndex index;
    std::vector<X3DPoint> added;
    double scale = 1;
    for (int i = 0; i < 20000; ++i) {
        if (i % 1000 == 0) {
            scale *= 3;  // the box grows again and again: the tree is rebuilt
        }
        X3DPoint p(coord(rng) * scale, coord(rng) * scale, coord(rng));
        int at = index.add(p);
        if (static_cast<std::size_t>(at) == added.size()) {
            added.push_back(p);
        } else {
            ASSERT_LT(std::fabs(added[static_cast<std::size_t>(at)].x - p.x), 1e-5);
        }
    }
    for (std::size_t i = 0; i < added.size(); ++i) {
        ASSERT_EQ(index.find(added[i]), static_cast<int>(i));
    }
}
