// Lines and planes: intersection, projection, containment.
#include <gtest/gtest.h>

#include "geometry/X3DLine.h"
#include "geometry/X3DPlane.h"

using namespace geometry;

TEST(LinePlane, ParallelLineGivesNoHitAndItsOrigin)
{
    X3DPlane ground(X3DPoint(0, 0, 0), X3DPoint(1, 0, 0), X3DPoint(0, 1, 0));
    X3DLine flat(X3DPoint(0, 0, 2), X3DPoint(1, 1, 2));
    bool hit = true;
    X3DPoint p = flat.intersect(ground, hit);
    EXPECT_FALSE(hit);
    EXPECT_TRUE(p == X3DPoint(0, 0, 2));
}

TEST(LinePlane, CrossingLineHitsThePlane)
{
    X3DPlane wall(X3DPoint(0, 3, 0), X3DPoint(1, 3, 0), X3DPoint(0, 3, 1));
    X3DLine sight(X3DPoint(2, 0, 1), X3DPoint(2, 1, 1));
    bool hit = false;
    X3DPoint p = sight.intersect(wall, hit);
    EXPECT_TRUE(hit);
    EXPECT_TRUE(p == X3DPoint(2, 3, 1));
}

TEST(LinePlane, ProjectionsAndDistances)
{
    X3DLine axis(X3DPoint(0, 0, 0), X3DPoint(10, 0, 0));
    EXPECT_TRUE(axis.project(X3DPoint(4, 3, 0)) == X3DPoint(4, 0, 0));
    EXPECT_DOUBLE_EQ(axis.distance(X3DPoint(4, 3, 4)), 5.0);
    X3DPlane ground(X3DPoint(0, 0, 0), X3DPoint(1, 0, 0), X3DPoint(0, 1, 0));
    EXPECT_TRUE(ground.project(X3DPoint(5, 6, 7)) == X3DPoint(5, 6, 0));
    EXPECT_DOUBLE_EQ(ground.signedDistance(X3DPoint(0, 0, 2)), 2.0);
    EXPECT_TRUE(ground.contains(X3DPoint(3, 3, 0.0000099)));
    EXPECT_FALSE(ground.contains(X3DPoint(3, 3, 0.00001)));
}

TEST(LinePlane, CollinearPointsGiveAZeroNormal)
{
    X3DPlane degenerate(X3DPoint(0, 0, 0), X3DPoint(1, 0, 0), X3DPoint(2, 0, 0));
    EXPECT_EQ(degenerate.x, 0.0);
    EXPECT_EQ(degenerate.y, 0.0);
    EXPECT_EQ(degenerate.z, 0.0);
    EXPECT_STREQ(X3DPlane::className(), "X3DVersor");
}
