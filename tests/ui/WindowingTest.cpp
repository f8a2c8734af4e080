// Drawing context sharing of pens, pixel rectangles, cascade and tile.
#include <gtest/gtest.h>

#include "ui/WindowLayout.h"
#include "ui/headless/HeadlessWindows.h"

using namespace ui;

TEST(DrawContext, OnePenForARunOfOneColour)
{
    headless::RecordingDrawContext dc;
    dc.setPen(penSolid, rgb(255, 0, 0));
    dc.setPen(penSolid, rgb(255, 0, 0));
    EXPECT_EQ(dc.pensMade(), 1);
    dc.setPen(penSolid, rgb(0, 0, 255));
    EXPECT_EQ(dc.pensMade(), 2);
    dc.setPen(penDotted, rgb(0, 0, 255));
    EXPECT_EQ(dc.pensMade(), 3) << "a new style is a new pen";
    dc.setBrush(-1, rgb(1, 2, 3));
    dc.setBrush(-1, rgb(1, 2, 3));
    EXPECT_EQ(dc.brushesMade(), 1);
    rectOutline(dc, 1, 2, 3, 4);
    EXPECT_EQ(dc.ops.back(), "polyline 1 2 3 2 3 4 1 4 1 2");
}

TEST(PixelRect, NormalisedAndHalfOpen)
{
    PixelRect r({10, 5}, {2, 8});
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.top, 5);
    EXPECT_EQ(r.right, 10);
    EXPECT_EQ(r.bottom, 8);
    EXPECT_TRUE(r.contains({2, 5}));
    EXPECT_FALSE(r.contains({10, 8}));
    EXPECT_FALSE(r.contains({9, 8}));
}

TEST(WindowLayout, TileAndCascade)
{
    auto three = tileLayout(3, 1000, 600);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[0], PixelRect::fromSize(0, 0, 500, 300));
    EXPECT_EQ(three[1], PixelRect::fromSize(500, 0, 500, 300));
    EXPECT_EQ(three[2], PixelRect::fromSize(0, 300, 1000, 300)) << "the odd one spans the width";
    auto one = tileLayout(1, 1000, 600);
    EXPECT_EQ(one[0], PixelRect::fromSize(0, 0, 1000, 600));
    auto four = tileLayout(4, 1001, 601);
    EXPECT_EQ(four[3], PixelRect::fromSize(500, 300, 500, 300)) << "integer division";
    EXPECT_EQ(cascadeLayout(1, 800, 600, 25)[0], PixelRect::fromSize(0, 0, 800, 600));
    auto cascaded = cascadeLayout(3, 800, 600, 25);
    EXPECT_EQ(cascaded[2], PixelRect::fromSize(50, 50, 750, 550));
}
