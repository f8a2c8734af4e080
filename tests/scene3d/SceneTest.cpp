// The scene root and the face set: routing of nodes, materials, normals.
#include <gtest/gtest.h>

#include "scene3d/X3DIndexedFaceSet.h"
#include "scene3d/X3DScene.h"

using geometry::X3DPoint;
using namespace scene3d;

TEST(X3DScene, NodesGoWhereTheirKindBelongs)
{
    X3DScene scene;
    scene.addNode(std::make_unique<X3DLight>(true));
    auto* second = static_cast<X3DLight*>(scene.addNode(std::make_unique<X3DLight>(false)));
    scene.addNode(std::make_unique<X3DViewPoint>());
    scene.addNode(std::make_unique<X3DShape>());
    EXPECT_EQ(scene.lights.children.count(), 2u);
    EXPECT_EQ(second->glLight, glLight0 + 1);
    EXPECT_EQ(scene.viewpoints.count(), 1u);
    EXPECT_EQ(scene.children.count(), 1u);
    EXPECT_EQ(&scene.currentView(), scene.viewpoints.at(0));
    scene.addMaterial(X3DColor(1, 0, 0, 1), "Source");
    scene.clear();
    EXPECT_EQ(scene.lights.children.count(), 0u);
    EXPECT_EQ(scene.viewpoints.count(), 0u);
    EXPECT_EQ(scene.children.count(), 0u);
    EXPECT_EQ(scene.findMaterial("Source"), nullptr);
}

TEST(X3DScene, MaterialsByNameAndTheirDirtyMarks)
{
    X3DScene scene;
    X3DMaterial* unnamed = scene.addMaterial(X3DColor(1, 0.5, 0, 1), "");
    EXPECT_EQ(unnamed->name, "1,0.5,0");
    unnamed->dirty = false;
    scene.dirty = false;
    EXPECT_EQ(scene.findMaterial("1,0.5,0"), unnamed);
    EXPECT_TRUE(unnamed->dirty);
    EXPECT_TRUE(scene.dirty);
    EXPECT_EQ(scene.materialAt(0), unnamed);
    EXPECT_EQ(scene.materialAt(1), nullptr);
}

TEST(X3DColor, FromAColourValueAndAlphaByte)
{
    X3DColor c(0x00FF8000u, 255);
    EXPECT_FLOAT_EQ(c.r, 0.0f);
    EXPECT_FLOAT_EQ(c.g, 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(c.b, 1.0f);
    EXPECT_FLOAT_EQ(c.a, 1.0f);
    X3DColor half = c.scaled(0.5);
    EXPECT_FLOAT_EQ(half.b, 0.5f);
    EXPECT_FLOAT_EQ(half.a, 1.0f);
}

TEST(X3DIndexedFaceSet, PolygonsCarryTheirFaceNormal)
{
    X3DIndexedFaceSet set(false);
    X3DPoint tooFew[2] = {{0, 0, 0}, {1, 0, 0}};
    set.addPolygon(tooFew, 2);
    EXPECT_EQ(set.polygonCount(), 0u);
    X3DPoint square[4] = {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}};
    set.addPolygon(square, 4);
    ASSERT_EQ(set.polygonCount(), 1u);
    for (const X3DVertex& v : set.polygon(0)) {
        EXPECT_TRUE(v.normal == X3DPoint(0, 0, 1));
    }
    X3DPoint line[3] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
    set.addPolygon(line, 3);
    EXPECT_TRUE(set.polygon(1)[0].normal == X3DPoint(0, 0, 0)) << "a degenerate polygon keeps a zero normal";
}

TEST(X3DIndexedFaceSet, SmoothingJoinsNormalsWithinSixtyDegreesOnly)
{
    // Two faces meeting along the y axis at 90 degrees.
    X3DIndexedFaceSet sharp(false);
    X3DPoint floor[3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    X3DPoint wall[3] = {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    sharp.addPolygon(floor, 3);
    sharp.addPolygon(wall, 3);
    sharp.smoothNormals();
    EXPECT_TRUE(sharp.smooth);
    EXPECT_TRUE(sharp.polygon(0)[0].normal == X3DPoint(0, 0, 1));
    EXPECT_TRUE(sharp.polygon(1)[0].normal == X3DPoint(1, 0, 0));

    // Two faces at 30 degrees share one averaged normal on their common edge.
    X3DIndexedFaceSet soft(false);
    double c = std::cos(geometry::PI / 6);
    double s = std::sin(geometry::PI / 6);
    X3DPoint a[3] = {{0, 0, 0}, {0, 1, 0}, {-1, 0, 0}};
    X3DPoint b[3] = {{0, 0, 0}, {c, 0, s}, {0, 1, 0}};
    soft.addPolygon(a, 3);
    soft.addPolygon(b, 3);
    soft.smoothNormals();
    const auto& shared0 = soft.polygon(0)[0].normal;
    const auto& shared1 = soft.polygon(1)[0].normal;
    EXPECT_TRUE(shared0 == shared1);
    EXPECT_NEAR(shared0.x, -std::sin(geometry::PI / 12), 1e-12);
    EXPECT_FALSE(soft.polygon(0)[2].normal == shared0) << "an unshared corner keeps its own normal";

    X3DIndexedFaceSet apart(false);
    X3DPoint far[3] = {{5, 5, 0}, {6, 5, 0}, {5, 6, 0}};
    apart.addPolygon(floor, 3);
    apart.addPolygon(far, 3);
    apart.smoothNormals();
    EXPECT_FALSE(apart.smooth);
}
