// Points and vectors: the tolerance rule, boxes, rounding, snapping, rotation.
#include <gtest/gtest.h>

#include "geometry/X3DAngle.h"
#include "geometry/X3DLine.h"
#include "geometry/X3DPlane.h"
#include "geometry/X3DPoint.h"

using namespace geometry;

TEST(Point, EqualityUsesAStrictTolerance)
{
    EXPECT_FALSE(X3DPoint(0, 0, 0) == X3DPoint(0.00001, 0, 0));
    EXPECT_TRUE(X3DPoint(0, 0, 0) == X3DPoint(0.0000099, 0, 0));
    EXPECT_TRUE(X3DPoint(0, 0, 0) != X3DPoint(0, 0, -0.00001));
}

TEST(Point, NormaliseLeavesZeroAndUnitVectorsAlone)
{
    X3DVector zero;
    zero.normalise();
    EXPECT_EQ(zero.x, 0.0);
    EXPECT_EQ(zero.y, 0.0);
    EXPECT_EQ(zero.z, 0.0);
    X3DVector v(3, 4, 0);
    v.normalise();
    EXPECT_DOUBLE_EQ(v.x, 0.6);
    EXPECT_DOUBLE_EQ(v.y, 0.8);
    X3DVersor versor(0, 0, 7);
    EXPECT_EQ(versor.z, 1.0);
    EXPECT_EQ(versor.norm(), 1.0);
}

TEST(Point, ExtendBoxFromSentinels)
{
    X3DPoint min(1e9, 1e9, 1e9);
    X3DPoint max(-1e9, -1e9, -1e9);
    X3DPoint p(1, -2, 3);
    EXPECT_TRUE(p.extendBox(min, max));
    EXPECT_EQ(min.x, 1);
    EXPECT_EQ(max.y, -2);
    EXPECT_EQ(max.z, 3);
    EXPECT_FALSE(p.extendBox(min, max));
}

TEST(Point, RoundingAndSnapping)
{
    X3DPoint p(-1.5, -1.2, 2.5);
    p.roundCoordinates();
    EXPECT_EQ(p.x, -2);
    EXPECT_EQ(p.y, -1);
    EXPECT_EQ(p.z, 3);
    X3DPoint a(0.74, 0.75, -0.26);
    a.snap(0.5);
    EXPECT_EQ(a.x, 0.5);
    EXPECT_EQ(a.y, 1.0);
    EXPECT_EQ(a.z, -0.5);
}

TEST(Point, RotationOnlyAboutPositiveAxes)
{
    X3DAngle quarter = X3DAngle::fromDegrees(90);
    X3DPoint r = X3DPoint(1, 0, 0).rotate(zAxis, quarter);
    EXPECT_EQ(r.x, 0.0);
    EXPECT_EQ(r.y, 1.0);
    X3DPoint same = X3DPoint(1, 0, 0).rotate(X3DVersor(0, 0, -1), quarter);
    EXPECT_EQ(same.x, 1.0);
    EXPECT_EQ(same.y, 0.0);
    // About +y: (x, z) -> (c x + s z, c z - s x)
    X3DPoint ry = X3DPoint(1, 0, 0).rotate(yAxis, quarter);
    EXPECT_EQ(ry.z, -1.0);
    X3DPoint rx = X3DPoint(0, 1, 0).rotate(xAxis, quarter);
    EXPECT_EQ(rx.z, 1.0);
    X3DPoint tiny = X3DPoint(1, 0, 0).rotate(zAxis, X3DAngle::fromDegrees(0.000001));
    EXPECT_EQ(tiny.x, 1.0);
}

TEST(Point, RotationAboutALineThroughAPoint)
{
    X3DLine axis(X3DPoint(1, 1, 0), X3DPoint(1, 1, 5));
    X3DPoint r = X3DPoint(2, 1, 0).rotate(axis, X3DAngle::fromDegrees(180));
    EXPECT_TRUE(r == X3DPoint(0, 1, 0));
}

TEST(Point, MirrorsAndTriangleArea)
{
    EXPECT_TRUE(X3DPoint(1, 2, 3).mirrorThrough(X3DPoint(1, 1, 1)) == X3DPoint(1, 0, -1));
    X3DPlane xz(X3DPoint(0, 0, 0), X3DPoint(1, 0, 0), X3DPoint(0, 0, 1));
    EXPECT_TRUE(X3DPoint(3, 2, 1).mirrorAcross(xz) == X3DPoint(3, -2, 1));
    EXPECT_DOUBLE_EQ(triangleArea(X3DPoint(0, 0, 0), X3DPoint(2, 0, 0), X3DPoint(0, 3, 0)), 3.0);
}
