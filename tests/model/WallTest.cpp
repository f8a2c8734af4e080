// Walls and their openings: whole-wall versus opening-only behaviour.
#include <gtest/gtest.h>

#include "model/Document.h"
#include "tests/model/ModelFixtures.h"
#include "textio/TextWriter.h"

using geometry::X3DPoint;
using geometry::X3DVector;

TEST(Wall, ASelectedDoorSlidesAlongItsWall)
{
    auto wall = fixtures::wallWithOpenings();
    auto& door = static_cast<model::Door&>(*wall->children()[1]);
    door.setSelected(true);
    EXPECT_EQ(wall->translateIfSelected(X3DVector(1, 1, 0)), 1);
    EXPECT_TRUE(door.vertices[0] == X3DPoint(2, 0, 0));
    EXPECT_TRUE(door.vertices[2] == X3DPoint(3, 0, 2));
    EXPECT_TRUE(wall->baseFace->vertices[0] == X3DPoint(0, 0, 0)) << "the wall itself stays";
}

TEST(Wall, MirroringAnOpeningKeepsItInTheWall)
{
    auto wall = fixtures::wallWithOpenings();
    auto& hole = static_cast<model::Hole&>(*wall->children()[2]);
    hole.setSelected(true);
    // A plane at 45 degrees to the wall.
    geometry::X3DPlane slanted(X3DPoint(0, 0, 0), X3DPoint(1, 1, 0), X3DPoint(0, 0, 1));
    wall->mirrorAcrossPlaneIfSelected(slanted);
    for (const X3DPoint& v : hole.vertices) {
        EXPECT_NEAR(v.y, 0.0, 1e-12);
    }
}

TEST(Wall, SelectingTheBaseFaceMovesTheWholeWall)
{
    auto wall = fixtures::wallWithOpenings();
    wall->baseFace->setSelected(true);
    EXPECT_EQ(wall->translateIfSelected(X3DVector(0, 2, 0)), 3);
    for (const auto& child : wall->children()) {
        EXPECT_EQ(static_cast<model::Face&>(*child).vertices[0].y, 2.0);
    }
}

TEST(Wall, DeletingTheBaseFaceRemovesTheWallWithItsOpenings)
{
    model::EntityList list;
    list.append(fixtures::wallWithOpenings());
    list.append(fixtures::rectangle(0, 0, 1, 1));
    static_cast<model::Wall&>(*list.head()).baseFace->setSelected(true);
    list.deleteSelected();
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(list.head()->typeCode(), model::type::Face);
}

TEST(Wall, DeletingAnOpeningLeavesTheWall)
{
    model::EntityList list;
    list.append(fixtures::wallWithOpenings());
    auto& wall = static_cast<model::Wall&>(*list.head());
    wall.children()[1]->setSelected(true);
    list.deleteSelected();
    ASSERT_EQ(list.count(), 1u);
    ASSERT_EQ(wall.count(), 2u);
    EXPECT_EQ(wall.children()[1]->typeCode(), model::type::Hole);
}

TEST(Wall, AWallDeselectedAfterSelectAllIsNotDeleted)
{
    model::EntityList list;
    list.append(fixtures::wallWithOpenings());
    list.setSelected(true);
    auto& wall = static_cast<model::Wall&>(*list.head());
    wall.baseFace->setSelected(false);
    wall.children()[1]->setSelected(false);
    list.deleteSelected();
    ASSERT_EQ(list.count(), 1u) << "the user deselected the wall: it must survive";
    EXPECT_EQ(wall.count(), 2u) << "only the still selected hole goes";
}

TEST(Wall, DuplicatingAnOpeningAddsItToTheSameWall)
{
    model::EntityList list;
    list.append(fixtures::wallWithOpenings());
    auto& wall = static_cast<model::Wall&>(*list.head());
    wall.children()[2]->setSelected(true);
    EXPECT_EQ(list.duplicateIfSelected(list), 1);
    EXPECT_EQ(list.count(), 1u);
    ASSERT_EQ(wall.count(), 4u);
    EXPECT_EQ(wall.children()[3]->typeCode(), model::type::Hole);
    EXPECT_FALSE(wall.children()[3]->selected);
}

TEST(Wall, DuplicatingTheWallCopiesItsSelectedMembers)
{
    model::EntityList list;
    list.append(fixtures::wallWithOpenings());
    auto& wall = static_cast<model::Wall&>(*list.head());
    wall.baseFace->setSelected(true);
    wall.children()[1]->setSelected(true);
    EXPECT_EQ(list.duplicateIfSelected(list), 1);
    ASSERT_EQ(list.count(), 2u);
    auto& copy = static_cast<model::Wall&>(*list.tail());
    EXPECT_EQ(copy.count(), 2u) << "base face and door, not the unselected hole";
    ASSERT_NE(copy.baseFace, nullptr);
    EXPECT_NE(copy.baseFace, wall.baseFace);
}

TEST(Wall, EqualityAgainstFacesIsOneWay)
{
    auto wall = fixtures::wallWithOpenings();
    model::Face same(wall->baseFace->vertices, {});
    EXPECT_TRUE(wall->isEqual(same));
    EXPECT_FALSE(same.isEqual(*wall));
    auto other = fixtures::wallWithOpenings();
    other->clear();
    other->append(wall->baseFace->clone());
    other->findBaseFace();
    EXPECT_TRUE(wall->isEqual(*other)) << "openings do not count";
}

TEST(Wall, BoundsComeFromTheBaseFaceOnly)
{
    auto wall = fixtures::wallWithOpenings();
    wall->append(std::make_unique<model::Hole>(std::vector<X3DPoint>{{20, 0, 0}, {21, 0, 0}, {21, 0, 9}}));
    X3DPoint min;
    X3DPoint max;
    EXPECT_TRUE(wall->bounds(min, max));
    EXPECT_EQ(max.x, 10.0);
    EXPECT_EQ(max.z, 3.0);
}

TEST(Wall, ClipboardFormWritesOnlyWallsWithASelectedBaseFace)
{
    model::Document doc;
    doc.autoDraw = false;
    doc.append(fixtures::wallWithOpenings());
    auto& wall = static_cast<model::Wall&>(*doc.head());
    wall.children()[1]->setSelected(true);
    std::string out;
    {
        textio::TextWriter w(out);
        doc.writeIfSelected(w);
    }
    EXPECT_EQ(out, "EntityList\nEnd\n") << "an opening without its wall is not copied";
    out.clear();
    wall.baseFace->setSelected(true);
    {
        textio::TextWriter w(out);
        doc.writeIfSelected(w);
    }
    EXPECT_EQ(out, "EntityList\n Wall\n  Face 1 12 4  0 0 0  10 0 0  10 0 3  0 0 3\n"
                   "  Door 0 7 4  1 0 0  2 0 0  2 0 2  1 0 2\n End\nEnd\n");
}
