// The tool palette (cells, greyed tools, the current tool and its menu
// check) and the coordinate bar's read-out.
#include <gtest/gtest.h>

#include <map>

#include "tools/CoordinateBar.h"
#include "tools/ToolPalette.h"
#include "ui/Canvas.h"
#include "ui/headless/HeadlessPlatform.h"

namespace {

// Keeps the picture the palette hands over, and the rectangles it inverts.
class PictureKeeper final : public ui::DrawContext {
public:
    void moveTo(int, int) override {}
    void lineTo(int, int) override {}
    void setXorMode(bool) override {}
    void rectangle(int, int, int, int) override {}
    void polyline(const int*, int) override {}
    void circle(int, int, int) override {}
    void text(int, int, const std::string&) override {}
    void wrappedText(int l, int, int, int, const std::string& s) override { texts[l] = s; }
    void setPixel(int, int, ui::Colour) override {}
    void drawImage(int, int, const ui::Image& image) override { picture = image; }
    void invertRect(int l, int t, int r, int b) override { inverted = ui::PixelRect::fromSize(l, t, r - l, b - t); }

    ui::Image picture;
    ui::PixelRect inverted;
    std::map<int, std::string> texts;

protected:
    void makePen(int, ui::Colour) override {}
    void makeBrush(int, ui::Colour) override {}
};

constexpr ui::Colour magenta = ui::rgb(255, 0, 255);
constexpr ui::Colour ink = ui::rgb(100, 150, 200);

// Three cells: a background of magenta with one inked pixel in each.
ui::Image threeCells()
{
    ui::Image image;
    image.width = 96;
    image.height = 32;
    image.pixels.assign(96 * 32, magenta);
    for (int cell = 0; cell < 3; ++cell) {
        image.pixels[10 * 96 + cell * 32 + 10] = ink;
    }
    return image;
}

TEST(ToolPalette, DisabledToolsAreGreyedAndCannotBeChosen)
{
    ui::headless::HeadlessPlatform platform;
    tools::ToolPalette palette(threeCells());
    std::map<int, bool> checks;
    palette.setMenuChecked = [&checks](int id, bool on) { checks[id] = on; };
    palette.setEnabled(tools::tool::Lens, false);
    palette.selectTool(tools::tool::Lens);
    EXPECT_EQ(palette.currentTool(), tools::tool::Pick);
    EXPECT_TRUE(checks.empty());

    PictureKeeper dc;
    palette.onPaint(dc);
    ui::Colour menu = platform.systemColour(ui::Platform::SystemColour::Menu);
    EXPECT_EQ(dc.picture.at(0, 0), menu);
    EXPECT_EQ(dc.picture.at(10, 10), ink);  // Pick: as drawn
    // Lens: grey of 1.5 times the luminance, 1.5 * 140.75 = 211.
    EXPECT_EQ(dc.picture.at(42, 10), ui::rgb(211, 211, 211));
    EXPECT_EQ(dc.inverted, ui::PixelRect::fromSize(0, 0, 32, 32));

    // A click in the third cell chooses Move; its menu item is checked.
    ui::MouseEvent click;
    click.button = ui::MouseButton::Left;
    click.x = 70;
    click.y = 5;
    palette.onMouseDown(click);
    EXPECT_EQ(palette.currentTool(), tools::tool::Move);
    EXPECT_FALSE(checks[tools::tool::Pick]);
    EXPECT_TRUE(checks[tools::tool::Move]);
    EXPECT_EQ(platform.status, "Draw the direction line");
    palette.onPaint(dc);
    EXPECT_EQ(dc.inverted, ui::PixelRect::fromSize(64, 0, 32, 32));
    // Past the last cell nothing happens.
    click.x = 100;
    palette.onMouseDown(click);
    EXPECT_EQ(palette.currentTool(), tools::tool::Move);
}

TEST(ToolPalette, MultiClickToolsPromptByStep)
{
    ui::headless::HeadlessPlatform platform;
    tools::ToolPalette palette(threeCells());
    palette.selectTool(tools::tool::Hole);
    EXPECT_EQ(platform.status, "Select the first point on the wall");
    palette.nextStep();
    EXPECT_EQ(platform.status, "Select the next point or the first one to close");
    palette.selectTool(tools::tool::Boxes);
    EXPECT_EQ(palette.step(), 0);
    palette.nextStep();
    EXPECT_EQ(platform.status, "Select the next point or click again to close");
    EXPECT_EQ(tools::promptFor(tools::tool::TextNote, 0), "");
    EXPECT_EQ(tools::promptFor(tools::tool::Cone, 3), "Draw the base radius");
}

TEST(CoordinateBar, ShowsThePointAndDuringAGestureItsDistance)
{
    tools::CoordinateBar bar;
    bar.showPoint({1, 2, 3}, 0);
    EXPECT_EQ(bar.readOut(), "       1.00        2.00        3.00 m");
    bar.showPoint({1, 2, 3}, 1);  // a gesture begins here
    bar.showPoint({4, 6, 3}, 1);
    EXPECT_EQ(bar.readOut(), "       4.00        6.00        3.00 m   D=   5.00 m");
    bar.showPoint({4, 6, 3}, 0);
    EXPECT_EQ(bar.readOut(), "       4.00        6.00        3.00 m");
    bar.setPrompt("Draw a wall");
    bar.onSize(300, 20);
    PictureKeeper dc;
    bar.onPaint(dc);
    EXPECT_EQ(dc.texts[200], "Draw a wall");
    EXPECT_EQ(dc.texts[0], bar.readOut());
}

}  // namespace
