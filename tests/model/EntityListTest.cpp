// Lists: deletion, selection through locks, equality, bounds, enumeration.
#include <gtest/gtest.h>

#include "model/EntityList.h"
#include "model/Receiver.h"
#include "tests/model/ModelFixtures.h"

using geometry::X3DPoint;
using model::EntityList;

namespace {

std::unique_ptr<EntityList> threeFaces()
{
    auto list = std::make_unique<EntityList>();
    for (int i = 0; i < 3; ++i) {
        list->append(fixtures::rectangle(i, 0, i + 1, 1));
    }
    return list;
}

}  // namespace

TEST(EntityList, DeletingTheLastChildMovesTheTail)
{
    auto listOwner = threeFaces();
    EntityList& list = *listOwner;
    model::Entity* middle = list.children()[1].get();
    list.tail()->setSelected(true);
    list.deleteSelected();
    EXPECT_EQ(list.count(), 2u);
    EXPECT_EQ(list.tail(), middle);
}

TEST(EntityList, DeletingEverythingEmptiesTheList)
{
    auto listOwner = threeFaces();
    EntityList& list = *listOwner;
    list.setSelected(true);
    list.deleteSelected();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(list.head(), nullptr);
    EXPECT_EQ(list.tail(), nullptr);
    EXPECT_FALSE(list.isValid());
}

TEST(EntityList, LocksStopSelection)
{
    auto listOwner = threeFaces();
    EntityList& list = *listOwner;
    list.setLocked(true);
    list.setSelected(true);
    EXPECT_FALSE(list.selected);
    for (const auto& c : list.children()) {
        EXPECT_FALSE(c->selected);
    }
    auto otherOwner = threeFaces();
    EntityList& other = *otherOwner;
    other.children()[1]->setLocked(true);
    other.setSelected(true);
    EXPECT_TRUE(other.children()[0]->selected);
    EXPECT_FALSE(other.children()[1]->selected);
    EXPECT_TRUE(other.children()[2]->selected);
    EXPECT_TRUE(other.selected);
}

TEST(EntityList, EqualityNeedsTheSameOrder)
{
    EntityList a;
    a.append(fixtures::rectangle(0, 0, 1, 1));
    a.append(fixtures::rectangle(5, 5, 6, 6));
    EntityList b;
    b.append(fixtures::rectangle(5, 5, 6, 6));
    b.append(fixtures::rectangle(0, 0, 1, 1));
    EXPECT_FALSE(a.isEqual(b));
    auto c = a.clone();
    EXPECT_TRUE(a.isEqual(*c));
}

TEST(EntityList, BoundsOfAnEmptyListKeepTheSentinels)
{
    EntityList empty;
    X3DPoint min;
    X3DPoint max;
    EXPECT_FALSE(empty.bounds(min, max));
    EXPECT_EQ(min.x, 1e9);
    EXPECT_EQ(max.z, -1e9);
    auto listOwner = threeFaces();
    EntityList& list = *listOwner;
    list.append(std::make_unique<model::Receiver>(X3DPoint(0, 0, 4), X3DPoint(100, 100, 100)));
    EXPECT_TRUE(list.bounds(min, max));
    EXPECT_TRUE(min == X3DPoint(0, 0, 0));
    EXPECT_TRUE(max == X3DPoint(3, 1, 4)) << "a receiver's target does not count";
}

TEST(EntityList, FirstSelectedLooksIntoWallsButNotOtherLists)
{
    EntityList list;
    auto wall = fixtures::wallWithOpenings();
    model::Entity* hole = wall->children()[2].get();
    list.append(std::move(wall));
    auto inner = std::make_unique<EntityList>();
    inner->append(fixtures::rectangle(0, 0, 1, 1));
    EntityList* innerPtr = inner.get();
    list.append(std::move(inner));
    EXPECT_EQ(list.firstSelected(), nullptr);
    innerPtr->setSelected(true);
    EXPECT_EQ(list.firstSelected(), innerPtr);
    hole->setSelected(true);
    EXPECT_EQ(list.firstSelected(), hole);
}

TEST(EntityList, LockSelectionLocksSelectedTopLevelEntities)
{
    auto listOwner = threeFaces();
    EntityList& list = *listOwner;
    list.children()[0]->setSelected(true);
    list.lockSelection();
    EXPECT_TRUE(list.children()[0]->locked);
    EXPECT_FALSE(list.children()[0]->selected);
    EXPECT_FALSE(list.children()[1]->locked);
}

TEST(EntityList, DuplicateIntoItselfAddsUnselectedCopiesOnce)
{
    auto listOwner = threeFaces();
    EntityList& list = *listOwner;
    list.children()[0]->setSelected(true);
    list.children()[2]->setSelected(true);
    EXPECT_EQ(list.duplicateIfSelected(list), 2);
    ASSERT_EQ(list.count(), 5u);
    EXPECT_FALSE(list.children()[3]->selected);
    EXPECT_TRUE(list.children()[3]->isEqual(*list.children()[0]));
    EXPECT_TRUE(list.children()[4]->isEqual(*list.children()[2]));
    EXPECT_TRUE(list.children()[0]->selected) << "the originals stay selected";
}

TEST(EntityList, ForEachVisitsLeavesAndSumsResults)
{
    auto listOwner = threeFaces();
    EntityList& list = *listOwner;
    list.append(fixtures::wallWithOpenings());
    int visited = list.forEach([](model::Entity& e) {
        EXPECT_FALSE(dynamic_cast<EntityList*>(&e));
        return 1;
    });
    EXPECT_EQ(visited, 6);
}

TEST(EntityList, IfSelectedTransformationsCountWhatMoved)
{
    auto listOwner = threeFaces();
    EntityList& list = *listOwner;
    list.children()[1]->setSelected(true);
    EXPECT_EQ(list.translateIfSelected(geometry::X3DVector(0, 0, 1)), 1);
    auto& moved = static_cast<model::Face&>(*list.children()[1]);
    auto& still = static_cast<model::Face&>(*list.children()[0]);
    EXPECT_EQ(moved.vertices[0].z, 1.0);
    EXPECT_EQ(still.vertices[0].z, 0.0);
    EXPECT_EQ(list.scaleIfSelected(2.0), 1);
    EXPECT_EQ(moved.vertices[0].z, 2.0);
}

TEST(EntityList, CopyFromReplacesWithDeepCopies)
{
    auto sourceOwner = threeFaces();
    EntityList& source = *sourceOwner;
    EntityList target;
    target.append(fixtures::rectangle(9, 9, 10, 10));
    target.copyFrom(source);
    EXPECT_TRUE(target.isEqual(source));
    EXPECT_NE(target.head(), source.head());
}
