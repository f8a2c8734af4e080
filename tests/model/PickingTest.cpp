// Entities in a view: picking by an edge or a point, rubber-band selection,
// snapping to vertices and piercing along the line of sight.
#include <gtest/gtest.h>

#include "model/Document.h"
#include "model/ModelState.h"
#include "model/Receiver.h"
#include "model/Segment.h"
#include "model/Source.h"
#include "model/Text.h"
#include "model/ViewOptions.h"
#include "tests/model/ModelFixtures.h"
#include "ui/Installed.h"

namespace {

using geometry::X3DPoint;
using model::ViewPoint;

// A plan view at 0.1 m a pixel, the origin at pixel (0, 0), y growing upwards
// in metres and downwards in pixels.
class PlanMapping final : public model::ViewMapping {
public:
    ViewPoint toView(const X3DPoint& p) const override { return {p.x, p.y}; }
    ui::PixelPoint toPixel(const X3DPoint& p) const override
    {
        return {static_cast<int>(p.x * 10), static_cast<int>(-p.y * 10)};
    }
    X3DPoint toWorld(const ViewPoint& q, double depth) const override { return {q.u, q.v, depth}; }
    geometry::X3DVector direction() const override { return {0, 0, 1}; }
};

class PickingTest : public ::testing::Test {
protected:
    // View options of the test's own.
    model::ModelState state;
    ui::Install<model::ModelState> useState{state};
    PlanMapping view;
};

TEST_F(PickingTest, AnEdgeIsHitWithinThreePixelsAlongTheAxes)
{
    auto face = fixtures::rectangle(0, 0, 10, 5);  // pixels x 0..100, y 0..-50
    EXPECT_EQ(face->pickToggle(view, {50, 4}, 0), nullptr);
    EXPECT_FALSE(face->selected);
    EXPECT_EQ(face->pickToggle(view, {50, 3}, 0), face.get());
    EXPECT_TRUE(face->selected);
    // A second pick takes it off again and answers nothing.
    EXPECT_EQ(face->pickToggle(view, {50, -3}, 0), nullptr);
    EXPECT_FALSE(face->selected);
    EXPECT_EQ(face->pickToggle(view, {50, -25}, 0), nullptr);  // inside is not an edge
    // Filters pass only their own kind.
    EXPECT_EQ(face->pickToggle(view, {50, 0}, model::type::Door), nullptr);
}

TEST_F(PickingTest, NearASlantingEdgeTheOffsetsAreHorizontalAndVertical)
{
    // An edge from (0, 0) to (40, -40) in pixels: at x = 20 the edge is at y = -20.
    std::vector<X3DPoint> p = {{0, 0, 0}, {4, 4, 0}, {0, 4, 0}};
    model::Face face(p, {});
    // 3 pixels below the edge and 3 to the side: hit; square to the edge that
    // is 2.1 pixels, yet 4 pixels below and 4 aside is 2.8 and misses.
    EXPECT_NE(face.pickToggle(view, {23, -20}, 0), nullptr);
    face.selected = false;
    EXPECT_EQ(face.pickToggle(view, {24, -20}, 0), nullptr);
}

TEST_F(PickingTest, AWallIsPickedByItsBaseFaceWhenWallsAreAsked)
{
    model::Document doc;
    doc.append(fixtures::wallWithOpenings(0, 10, 3));
    auto* wall = static_cast<model::Wall*>(doc.children()[0].get());
    // In the plan the wall is a line along y = 0; its door lies on it too.
    EXPECT_EQ(doc.pickToggle(view, {15, 1}, model::type::Wall), wall);
    EXPECT_TRUE(wall->baseFace->selected);
    EXPECT_EQ(doc.pickToggle(view, {15, 1}, model::type::Wall), nullptr);
    EXPECT_FALSE(wall->baseFace->selected);
    // Without a filter the members answer for themselves, in list order.
    EXPECT_EQ(doc.pickToggle(view, {15, 1}, 0), wall->baseFace);
    EXPECT_EQ(doc.pickToggle(view, {15, 1}, 0), wall->children()[1].get());  // the door, next in line
}

TEST_F(PickingTest, PointsArePickedInASevenPixelSquareWhileReceiversAreShown)
{
    model::Receiver r({1, 1, 0}, {2, 1, 0});  // pixel (10, -10)
    EXPECT_EQ(r.pickToggle(view, {13, -7}, 0), &r);
    EXPECT_EQ(r.pickToggle(view, {14, -10}, 0), nullptr);
    EXPECT_TRUE(r.selected);
    model::Source s({1, 1, 0}, {2, 1, 0}, 0, "");
    model::viewOptions().showReceivers = false;
    EXPECT_EQ(s.pickToggle(view, {10, -10}, 0), nullptr);
    EXPECT_FALSE(s.selectInside({{0, 0, -1}, {2, 2, 1}}));
    model::Segment seg({1, 1, 0}, {5, 1, 0});
    EXPECT_EQ(seg.pickToggle(view, {10, -10}, 0), &seg);  // segments are always pickable
}

TEST_F(PickingTest, ATextNoteIsPickedAnywhereInsideItsRectangle)
{
    model::Text t({1, 1, 0}, {3, 2, 0}, "note");  // pixels 10..30, -20..-10
    EXPECT_EQ(t.pickToggle(view, {20, -15}, 0), &t);
    EXPECT_EQ(t.pickToggle(view, {30, -10}, 0), nullptr);  // the corner: toggled off
    EXPECT_EQ(t.pickToggle(view, {31, -10}, 0), nullptr);
    EXPECT_FALSE(t.selected);
}

TEST_F(PickingTest, ARubberBandSelectsWhatLiesWhollyInside)
{
    model::Document doc;
    doc.append(fixtures::rectangle(0, 0, 2, 2, 0));
    doc.append(fixtures::rectangle(0, 0, 2, 2, 30));
    doc.append(fixtures::rectangle(1, 1, 5, 5, 0));  // half outside
    doc.append(std::make_unique<model::Segment>(X3DPoint{1, 1, 0}, X3DPoint{9, 9, 0}));
    doc.append(fixtures::wallWithOpenings(0, 2, 3));
    model::Region region{{-1, -1, -1e9}, {3, 3, 1e9}};
    EXPECT_TRUE(doc.selectInside(region));
    EXPECT_TRUE(doc.children()[0]->selected);
    EXPECT_TRUE(doc.children()[1]->selected);  // every height
    EXPECT_FALSE(doc.children()[2]->selected);
    EXPECT_TRUE(doc.children()[3]->selected);  // one end inside is enough
    // The wall: its base face and door; its hole (x 4 to 5) lies outside.
    EXPECT_EQ(doc.forEach([](model::Entity& e) { return e.selected ? 1 : 0; }), 3 + 2);
    // Locked entities stay out.
    doc.setSelected(false);
    doc.children()[0]->setLocked(true);
    doc.selectInside(region);
    EXPECT_FALSE(doc.children()[0]->selected);
}

TEST_F(PickingTest, SnappingTakesTheNearestVertexWithinTheDistance)
{
    model::Document doc;
    doc.append(fixtures::rectangle(0, 0, 2, 2));
    doc.append(std::make_unique<model::Receiver>(X3DPoint{2.3, 2.1, 5}, X3DPoint{}));
    X3DPoint found;
    double distance = 1.0;
    EXPECT_TRUE(doc.snapToVertex(view, {2.2, 2.2}, found, distance));
    EXPECT_EQ(found, (X3DPoint{2.3, 2.1, 5}));
    EXPECT_NEAR(distance, std::hypot(0.1, 0.1), 1e-12);
    distance = 0.5;
    EXPECT_FALSE(doc.snapToVertex(view, {5, 5}, found, distance));
}

TEST_F(PickingTest, PiercingFindsTheHighestFaceUnderThePoint)
{
    model::Document doc;
    doc.append(fixtures::rectangle(0, 0, 10, 10, 0));
    doc.append(fixtures::rectangle(2, 2, 4, 4, 3));
    doc.append(fixtures::wallWithOpenings(0, 10, 3));  // edge-on from above
    double depth = -1e9;
    EXPECT_TRUE(doc.pierce(view, {3, 3}, depth));
    EXPECT_EQ(depth, 3.0);
    depth = -1e9;
    EXPECT_TRUE(doc.pierce(view, {8, 8}, depth));
    EXPECT_EQ(depth, 0.0);
    depth = -1e9;
    EXPECT_FALSE(doc.pierce(view, {20, 20}, depth));
    EXPECT_EQ(depth, -1e9);
}

}  // namespace
