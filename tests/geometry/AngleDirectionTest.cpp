// Angles with exact quarter turns; spherical directions and their folding.
#include <gtest/gtest.h>

#include "geometry/X3DAngle.h"
#include "geometry/X3DDirection.h"

using namespace geometry;

TEST(Angle, QuarterTurnsAreExact)
{
    double s = 0;
    double c = 0;
    X3DAngle::fromDegrees(90).sinCos(s, c);
    EXPECT_EQ(s, 1.0);
    EXPECT_EQ(c, 0.0);
    X3DAngle::fromDegrees(180).sinCos(s, c);
    EXPECT_EQ(s, 0.0);
    EXPECT_EQ(c, -1.0);
    X3DAngle::fromDegrees(270).sinCos(s, c);
    EXPECT_EQ(s, -1.0);
    X3DAngle::fromDegrees(30).sinCos(s, c);
    EXPECT_NEAR(s, 0.5, 1e-15);
}

TEST(Angle, DegreesAndRadiansStayInStep)
{
    X3DAngle a;
    a.setRadians(PI / 2);
    EXPECT_DOUBLE_EQ(a.degrees, 90.0);
    a.addDegrees(90);
    EXPECT_DOUBLE_EQ(a.radians, PI);
    EXPECT_EQ(X3DMatrix(1e-6).m[0], 0.0);
    EXPECT_EQ(identityMatrix.m[4], 1.0);
    EXPECT_EQ(identityMatrix.m[1], 0.0);
}

TEST(Direction, ElevationBeyondAVerticalFoldsBack)
{
    X3DDirection d;
    d.elevation.setDegrees(100);
    d.azimuth.setDegrees(350);
    d.normaliseAngles();
    EXPECT_DOUBLE_EQ(d.elevation.degrees, 80);
    EXPECT_DOUBLE_EQ(d.azimuth.degrees, 170);

    X3DDirection e;
    e.elevation.setDegrees(-100);
    e.azimuth.setDegrees(10);
    e.normaliseAngles();
    EXPECT_DOUBLE_EQ(e.elevation.degrees, -80);
    EXPECT_DOUBLE_EQ(e.azimuth.degrees, 190);

    X3DDirection full;
    full.azimuth.setDegrees(360);
    full.normaliseAngles();
    EXPECT_EQ(full.azimuth.degrees, 360);
}

TEST(Direction, RoundTripThroughAVector)
{
    X3DDirection d = X3DDirection::fromVector(X3DPoint(0, -2, 2));
    EXPECT_NEAR(d.azimuth.degrees, 270, 1e-9);
    EXPECT_NEAR(d.elevation.degrees, 45, 1e-9);
    EXPECT_NEAR(d.length, std::sqrt(8.0), 1e-12);
    X3DVector v = d.toVector();
    EXPECT_NEAR(v.x, 0, 1e-12);
    EXPECT_NEAR(v.y, -2, 1e-12);
    EXPECT_NEAR(v.z, 2, 1e-12);
    X3DDirection up = X3DDirection::fromVector(X3DPoint(0, 0, 3));
    EXPECT_EQ(up.azimuth.degrees, 0);
    d.addAzimuth(X3DAngle::fromDegrees(100));
    EXPECT_NEAR(d.azimuth.degrees, 10, 1e-9);
}
