// Faces: vertex clean-up, equality, area, containment, transformations, colour.
#include <gtest/gtest.h>

#include <random>

#include "materials/MaterialList.h"
#include "model/Door.h"
#include "tests/model/ModelFixtures.h"
#include "ui/Installed.h"

using geometry::X3DPoint;
using model::Face;

TEST(Face, RepeatedVerticesAreDroppedWhereverTheyRepeat)
{
    std::vector<X3DPoint> p = {{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0.000001}};
    Face f(p, {});
    ASSERT_EQ(f.vertexCount(), 3);
    EXPECT_TRUE(f.vertices[0] == X3DPoint(0, 0, 0));
    EXPECT_TRUE(f.vertices[1] == X3DPoint(1, 0, 0));
    EXPECT_TRUE(f.vertices[2] == X3DPoint(1, 1, 0));
}

TEST(Face, FewerThanThreeDistinctPointsMakeAnInvalidFace)
{
    EXPECT_FALSE(Face(std::vector<X3DPoint>{{0, 0, 0}, {1, 0, 0}}, {}).isValid());
    EXPECT_FALSE(Face(std::vector<X3DPoint>{{0, 0, 0}, {1, 0, 0}, {1, 0, 0}}, {}).isValid());
    EXPECT_FALSE(Face(std::vector<X3DPoint>{}, {}).isValid());
    EXPECT_TRUE(Face(std::vector<X3DPoint>{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}, {}).isValid());
}

TEST(Face, LongOutlinesDropTheSameVerticesAsThePairwiseRule)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> cell(0, 40);
    std::uniform_real_distribution<double> jitter(-0.000012, 0.000012);
    for (int round = 0; round < 50; ++round) {
        std::vector<X3DPoint> p;
        for (int i = 0; i < 300; ++i) {
            p.emplace_back(cell(rng) * 0.00002 + jitter(rng), cell(rng) % 3 * 0.00002 + jitter(rng), jitter(rng));
        }
        std::vector<X3DPoint> expected;
        for (std::size_t i = 0; i < p.size(); ++i) {
            bool repeated = false;
            for (std::size_t j = 0; j < i && !repeated; ++j) {
                repeated = p[i] == p[j];
            }
            if (!repeated) {
                expected.push_back(p[i]);
            }
        }
        Face f(p, {});
        ASSERT_EQ(f.vertices.size(), expected.size() < 3 ? 0u : expected.size());
        for (std::size_t i = 0; i < f.vertices.size(); ++i) {
            EXPECT_EQ(f.vertices[i].x, expected[i].x);
            EXPECT_EQ(f.vertices[i].y, expected[i].y);
        }
    }
}

TEST(Face, EqualityIgnoresOrderAndMaterialButNotKind)
{
    auto a = fixtures::rectangle(0, 0, 2, 1, 0, 3);
    std::vector<X3DPoint> shuffled = {{2, 1, 0}, {0, 0, 0}, {0, 1, 0.0009}, {2, 0, 0}};
    Face b(shuffled, fixtures::materialNumber(9));
    EXPECT_TRUE(a->isEqual(b));
    EXPECT_TRUE(b.isEqual(*a));
    Face far(std::vector<X3DPoint>{{2, 1, 0}, {0, 0, 0}, {0, 1, 0.001}, {2, 0, 0}}, {});
    EXPECT_FALSE(a->isEqual(far));
    model::Door door(a->vertices, {});
    EXPECT_FALSE(a->isEqual(door));
    Face triangle(std::vector<X3DPoint>{{0, 0, 0}, {2, 0, 0}, {2, 1, 0}}, {});
    EXPECT_FALSE(a->isEqual(triangle));
}

TEST(Face, AreaPlaneCentroidAndContainment)
{
    auto square = fixtures::rectangle(0, 0, 1, 1);
    EXPECT_DOUBLE_EQ(square->area(), 1.0);
    EXPECT_TRUE(square->centroid() == X3DPoint(0.5, 0.5, 0));
    EXPECT_EQ(square->plane().z, 1.0) << "counter-clockwise seen from above faces up";
    EXPECT_TRUE(square->containsPoint(X3DPoint(1, 1, 0)));
    EXPECT_FALSE(square->containsPoint(X3DPoint(0.5, 0.2, 0.000009))) << "the box has no thickness";
    Face slope(std::vector<X3DPoint>{{0, 0, 0}, {2, 0, 0}, {2, 2, 2}, {0, 2, 2}}, {});
    EXPECT_TRUE(slope.containsPoint(X3DPoint(1, 1, 1.000009)));
    EXPECT_FALSE(slope.containsPoint(X3DPoint(1, 1, 1.0001)));
    EXPECT_FALSE(square->containsPoint(X3DPoint(1.01, 0.5, 0)));
    Face wall(std::vector<X3DPoint>{{0, 0, 0}, {4, 0, 0}, {4, 0, 3}, {0, 0, 3}}, {});
    EXPECT_DOUBLE_EQ(wall.area(), 12.0);
}

TEST(Face, TransformationsMoveEveryVertex)
{
    auto f = fixtures::rectangle(1, 1, 2, 2);
    f->translate(geometry::X3DVector(1, 0, 5));
    EXPECT_TRUE(f->vertices[0] == X3DPoint(2, 1, 5));
    f->scale(2);
    EXPECT_TRUE(f->vertices[0] == X3DPoint(4, 2, 10));
    f->mirrorThroughPoint(X3DPoint(0, 0, 0));
    EXPECT_TRUE(f->vertices[0] == X3DPoint(-4, -2, -10));
    geometry::X3DLine axis(X3DPoint(0, 0, 0), X3DPoint(0, 0, 1));
    f->rotate(axis, geometry::X3DAngle::fromDegrees(180));
    EXPECT_TRUE(f->vertices[0] == X3DPoint(4, 2, -10));
    geometry::X3DPlane xz(X3DPoint(0, 0, 0), X3DPoint(1, 0, 0), X3DPoint(0, 0, 1));
    f->mirrorAcrossPlane(xz);
    EXPECT_TRUE(f->vertices[0] == X3DPoint(4, -2, -10));
}

TEST(Face, ColourFollowsLockSelectionAndMaterialColours)
{
    // A database of the test's own: showing material colours ends with it.
    materials::MaterialState database;
    ui::Install<materials::MaterialState> use(database);
    auto f = fixtures::rectangle(0, 0, 1, 1, 0, 1);
    EXPECT_EQ(f->drawColour(), ui::black);
    f->setSelected(true);
    EXPECT_EQ(f->drawColour(), ui::cyan);
    materials::materialList().materialColoursShown = true;
    EXPECT_EQ(f->drawColour(), materials::materialList().at(1).colour);
    materials::materialList().materialColoursShown = false;
    f->setLocked(true);
    EXPECT_FALSE(f->selected);
    EXPECT_EQ(f->drawColour(), ui::lightGrey);
}

TEST(Face, ClonesAreDeepAndUnselected)
{
    auto f = fixtures::rectangle(0, 0, 1, 1, 0, 4);
    f->setSelected(true);
    auto copy = f->clone();
    ASSERT_TRUE(copy);
    EXPECT_FALSE(copy->selected);
    EXPECT_TRUE(copy->isEqual(*f));
    f->translate(geometry::X3DVector(5, 0, 0));
    EXPECT_FALSE(copy->isEqual(*f));
    EXPECT_EQ(static_cast<Face&>(*copy).material.number, 4u);
}
