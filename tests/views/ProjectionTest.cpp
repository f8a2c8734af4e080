// The projections of the views: round trips, the axonometric presets, the
// auxiliary view square to a plan line.
#include <gtest/gtest.h>

#include "views/Projection.h"

namespace {

using geometry::X3DPoint;
using views::Point2D;

void expectPoint(const X3DPoint& a, const X3DPoint& b)
{
    EXPECT_NEAR(a.x, b.x, 1e-12);
    EXPECT_NEAR(a.y, b.y, 1e-12);
    EXPECT_NEAR(a.z, b.z, 1e-12);
}

TEST(Projection, PlanFrontAndSideGoThereAndBackExactly)
{
    X3DPoint p{1.25, -7.5, 3.125};
    views::PLANT plan;
    views::FRONT front;
    views::SIDE side;
    EXPECT_EQ(plan.toWorld(plan.toView(p), p.z), p);
    EXPECT_EQ(front.toWorld(front.toView(p), p.x), p);
    EXPECT_EQ(side.toWorld(side.toView(p), p.y), p);
    // Front: y across, z up; side: x across, z up.
    EXPECT_EQ(front.toView(p).u, -7.5);
    EXPECT_EQ(side.toView(p).u, 1.25);
    EXPECT_EQ(plan.letter(), 'P');
    EXPECT_EQ(front.letter(), 'F');
    EXPECT_EQ(side.letter(), 'S');
    EXPECT_EQ(views::AUXILIARY().letter(), 'X');
    EXPECT_EQ(views::ASSONOMETRY().letter(), 'A');
    EXPECT_EQ(views::View3D().letter(), '3');
    EXPECT_STREQ(views::View3D().className(), "3DView");
}

TEST(Projection, AxonometricPresetsPlaceTheAxes)
{
    views::ASSONOMETRY axo;
    EXPECT_EQ(axo.xAngle(), 18.0);
    EXPECT_EQ(axo.yAngle(), 42.0);
    axo.setAngles(30, 30);  // isometric
    EXPECT_NEAR(axo.toView({1, 0, 0}).u, 0.8660254037844, 1e-12);
    EXPECT_NEAR(axo.toView({1, 0, 0}).v, 0.5, 1e-12);
    EXPECT_NEAR(axo.toView({0, 1, 0}).u, -0.8660254037844, 1e-12);
    EXPECT_NEAR(axo.toView({0, 1, 0}).v, 0.5, 1e-12);
    EXPECT_NEAR(axo.toView({0, 0, 1}).v, 1.0, 1e-12);
    axo.setAngles(45, 0);  // cavalier
    EXPECT_NEAR(axo.toView({0, 1, 0}).u, -1.0, 1e-12);
    EXPECT_NEAR(axo.toView({0, 1, 0}).v, 0.0, 1e-12);
}

TEST(Projection, TheAuxiliaryViewStandsSquareToItsBaseLine)
{
    views::AUXILIARY aux;
    ASSERT_TRUE(aux.setBaseLine({2, 0}, {2, 5}));
    EXPECT_EQ(aux.baseLine().a, -5.0);
    EXPECT_EQ(aux.baseLine().b, 0.0);
    EXPECT_EQ(aux.baseLine().c, 10.0);
    model::ViewPoint q = aux.toView({2, 3, 4});
    EXPECT_NEAR(q.u, 3.0, 1e-12);
    EXPECT_NEAR(q.v, 4.0, 1e-12);
    expectPoint(aux.toWorld({3, 4}, 1), {1, 3, 4});
    expectPoint(aux.direction(), {2, 0, 0});
    // Every point of the view comes back where it was, its depth being its
    // signed distance from the base line.
    X3DPoint p{-1.5, 7.25, 2};
    expectPoint(aux.toWorld(aux.toView(p), aux.baseLine().distance({p.x, p.y})), p);
}

TEST(Projection, ABaseLineThroughTheOriginHasNoDirectionAndOneOfNoLengthIsRefused)
{
    views::AUXILIARY aux;
    expectPoint(aux.direction(), {0, 0, 0});  // as created: (0,0) to (1,1)
    ASSERT_TRUE(aux.setBaseLine({3, 1}, {3, 4}));
    EXPECT_FALSE(aux.setBaseLine({2, 2}, {2, 2}));
    // The view keeps its line: nothing turned into NaN.
    expectPoint(aux.direction(), {3, 0, 0});
    EXPECT_NEAR(aux.toView({3, 2, 1}).u, 2.0, 1e-12);
}

TEST(Projection, ParallelLinesMeetAtTheOrigin)
{
    views::Line2D a = views::Line2D::through({0, 0}, {1, 1});
    views::Line2D b = views::Line2D::through({0, 1}, {1, 2});
    Point2D x = views::intersect(a, b);
    EXPECT_EQ(x.x, 0.0);
    EXPECT_EQ(x.y, 0.0);
    Point2D c = views::intersect(a, views::Line2D::through({0, 2}, {2, 0}));
    EXPECT_NEAR(c.x, 1.0, 1e-12);
    EXPECT_NEAR(c.y, 1.0, 1e-12);
    Point2D f = a.foot({2, 0});
    EXPECT_NEAR(f.x, 1.0, 1e-12);
    EXPECT_NEAR(f.y, 1.0, 1e-12);
    EXPECT_NEAR(a.parallelAt(std::sqrt(2.0)).distance({0, 0}), -std::sqrt(2.0), 1e-12);
}

}  // namespace
