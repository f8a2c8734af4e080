// The mapping of a view onto its window: pixels and metres, zooming,
// scrolling, panning and the grid.
#include <gtest/gtest.h>

#include "model/Document.h"
#include "model/Segment.h"
#include "tests/model/ModelFixtures.h"
#include "ui/headless/HeadlessPlatform.h"
#include "views/ViewSet.h"

namespace {

using model::ViewPoint;

class ViewWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        native = std::make_unique<ui::headless::HeadlessWindow>(plan(), "PLANT");
        plan().native = native.get();
        native->visible = true;
        native->setGeometry(ui::PixelRect::fromSize(0, 0, 800, 600));
        views.start();
    }
    views::ViewWindow& plan() { return views.byId(views::viewId::Plant); }

    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    views::ViewSet views{doc};
    std::unique_ptr<ui::headless::HeadlessWindow> native;
};

TEST_F(ViewWindowTest, PixelsAndMetresMapThroughCentreAndScale)
{
    views::ViewWindow& v = plan();
    EXPECT_EQ(v.scale(), 0.05);
    EXPECT_EQ(v.pixelCentre().x, 400);
    EXPECT_EQ(v.pixelCentre().y, 300);
    v.setCentre({10, 20});
    ViewPoint q = v.pixelToView({410, 280});
    EXPECT_NEAR(q.u, 10.5, 1e-12);
    EXPECT_NEAR(q.v, 21.0, 1e-12);
    ui::PixelPoint p = v.viewToPixel({10.5, 21});
    EXPECT_EQ(p.x, 410);
    EXPECT_EQ(p.y, 280);
    // Truncation towards zero: back from the pixel lands nearer the centre.
    p = v.viewToPixel({10.049, 19.951});
    EXPECT_EQ(p.x, 400);
    EXPECT_EQ(p.y, 300);
    p = v.viewToPixel({9.94, 20.06});
    EXPECT_EQ(p.x, 399);
    EXPECT_EQ(p.y, 299);
    // Halves go away from zero.
    EXPECT_EQ(v.pixelLength(0.125), 3);
    EXPECT_EQ(v.pixelLength(-0.125), -3);
    EXPECT_EQ(v.pixelLength(0.1249), 2);
    // A point far beyond any zoom is pinned, not overflowed.
    p = v.viewToPixel({9e8, -9e8});
    EXPECT_GT(p.x, 1000000);
    EXPECT_GT(p.y, 1000000);
}

TEST_F(ViewWindowTest, ScalesBelowAMillimetreAPixelAreRaisedWithAMessage)
{
    plan().setScale(0.0005);
    EXPECT_EQ(plan().scale(), 0.001);
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0], "Scale too big");
}

TEST_F(ViewWindowTest, ZoomingToARectangleFillsTheTighterDirection)
{
    views::ViewWindow& v = plan();
    ASSERT_TRUE(v.zoomToRect({0, 0}, {16, 6}));
    EXPECT_NEAR(v.scale(), 0.02, 1e-15);
    EXPECT_NEAR(v.centre().u, 8.0, 1e-12);
    EXPECT_NEAR(v.centre().v, 3.0, 1e-12);
    EXPECT_FALSE(v.zoomToRect({5, 5}, {5, 5}));
    EXPECT_NEAR(v.scale(), 0.02, 1e-15);
}

TEST_F(ViewWindowTest, ZoomingToTheExtentsFitsTheModelOrShowsTheOriginWhenEmpty)
{
    views::ViewWindow& v = plan();
    v.setScale(1.0);
    v.setCentre({50, 50});
    v.zoomToExtents();
    EXPECT_EQ(v.scale(), 0.05);
    EXPECT_EQ(v.centre().u, 0.0);
    EXPECT_EQ(v.centre().v, 0.0);
    doc.append(fixtures::rectangle(2, 1, 10, 4, 7));
    v.zoomToExtents();
    // 8 m across 800 pixels, with the model's edges on the first and the
    // last pixel (one beyond it would not show).
    EXPECT_NEAR(v.scale(), 8.0 / 798, 1e-15);
    EXPECT_NEAR(v.centre().u, 6.0, 1e-12);
    EXPECT_NEAR(v.centre().v, 2.5, 1e-12);
    EXPECT_EQ(v.viewToPixel({2.0, 2.5}).x, 1);
    EXPECT_EQ(v.viewToPixel({10.0, 2.5}).x, 799);
    // The base map counts while it is shown.
    doc.baseMap.append(std::make_unique<model::Segment>(geometry::X3DPoint{-30, 0, 0}, geometry::X3DPoint{10, 0, 0}));
    doc.baseMap.selected = true;
    v.zoomToExtents();
    EXPECT_NEAR(v.scale(), 40.0 / 798, 1e-15);
}

TEST_F(ViewWindowTest, TheWheelZoomsWithinItsLimits)
{
    views::ViewWindow& v = plan();
    v.onWheel(120, {});
    EXPECT_NEAR(v.scale(), 0.045, 1e-15);
    v.onWheel(-120, {});
    EXPECT_NEAR(v.scale(), 0.0495, 1e-15);
    v.setScale(9.5);
    v.onWheel(-120, {});  // 10.45: beyond the limit, ignored
    EXPECT_EQ(v.scale(), 9.5);
    v.setScale(0.00105);
    v.onWheel(120, {});  // 0.000945: below it
    EXPECT_EQ(v.scale(), 0.00105);
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(ViewWindowTest, ScrollBarsMoveTheCentreInMetres)
{
    views::ViewWindow& v = plan();
    EXPECT_EQ(native->scrollMin[0], -10000);
    EXPECT_EQ(native->scrollMax[1], 10000);
    EXPECT_EQ(native->scrollPos[0], 0);
    // One line is a twentieth of the visible width (800 px at 0.05 m).
    v.onScroll(ui::ScrollBar::Horizontal, ui::ScrollRequest::LineDown, 0);
    EXPECT_NEAR(v.centre().u, 2.0, 1e-12);
    EXPECT_EQ(native->scrollPos[0], 2);
    // Up on the vertical bar shows what lies higher.
    v.onScroll(ui::ScrollBar::Vertical, ui::ScrollRequest::PageUp, 0);
    EXPECT_NEAR(v.centre().v, 15.0, 1e-12);
    long before = native->invalidations;
    v.onScroll(ui::ScrollBar::Vertical, ui::ScrollRequest::ThumbTrack, 500);
    EXPECT_NEAR(v.centre().v, 15.0, 1e-12);
    v.onScroll(ui::ScrollBar::Vertical, ui::ScrollRequest::Thumb, 500);
    EXPECT_EQ(v.centre().v, 500.0);
    EXPECT_EQ(native->invalidations, before);  // the repaint waits for the end
    v.onScroll(ui::ScrollBar::Vertical, ui::ScrollRequest::End, 0);
    EXPECT_EQ(native->invalidations, before + 1);
    v.onScroll(ui::ScrollBar::Horizontal, ui::ScrollRequest::Bottom, 0);
    EXPECT_EQ(v.centre().u, 10000.0);
    v.onScroll(ui::ScrollBar::Horizontal, ui::ScrollRequest::PageDown, 0);
    EXPECT_EQ(v.centre().u, 10000.0);  // clamped to the range
}

TEST_F(ViewWindowTest, TheMiddleButtonDragsTheDrawingAlongAndLetsThePointerGo)
{
    views::ViewWindow& v = plan();
    ui::MouseEvent e;
    e.button = ui::MouseButton::Middle;
    e.x = 100;
    e.y = 100;
    v.onMouseDown(e);
    EXPECT_TRUE(native->confined);
    EXPECT_EQ(native->cursor, ui::Cursor::Move);
    e.button = ui::MouseButton::None;
    e.x = 140;
    e.y = 80;
    v.onMouseMove(e);
    // The drawing followed the pointer: 40 px right and 20 px up.
    EXPECT_NEAR(v.centre().u, -2.0, 1e-12);
    EXPECT_NEAR(v.centre().v, -1.0, 1e-12);
    e.button = ui::MouseButton::Middle;
    v.onMouseUp(e);
    EXPECT_FALSE(native->confined);
    EXPECT_EQ(native->cursor, ui::Cursor::Arrow);
    // Lost mid-pan (another program took the focus): the pointer goes free.
    v.onMouseDown(e);
    v.onCaptureLost();
    EXPECT_FALSE(native->confined);
}

TEST(GridSnapping, GoesToTheNearestMultipleWithHalvesUpwards)
{
    EXPECT_EQ(views::snapToGrid({1.24, 0}, 0.5).u, 1.0);
    EXPECT_EQ(views::snapToGrid({1.25, 0}, 0.5).u, 1.5);
    EXPECT_EQ(views::snapToGrid({-1.25, 0}, 0.5).u, -1.0);
    EXPECT_EQ(views::snapToGrid({0, -0.74}, 0.5).v, -0.5);
}

}  // namespace
