// Pans as the user makes them, against the view painted anew, pixel for
// pixel: the middle button dragged about in every view (the picture moved
// and only what it uncovers painted), the scroll bars' lines and pages,
// with what the tools keep drawn over the picture coming along; and the
// views, painting only what can show, against painting every entity.
#include <gtest/gtest.h>

#include <random>

#include "app/AppContext.h"
#include "app/Application.h"
#include "app/CommandTable.h"
#include "materials/MaterialList.h"
#include "model/Ray.h"
#include "model/Segment.h"
#include "model/Source.h"
#include "model/Text.h"
#include "model/ViewOptions.h"
#include "storage/ProjectFile.h"
#include "tests/model/ModelFixtures.h"
#include "tests/support/TestSupport.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/headless/HeadlessWindows.h"
#include "views/ViewPainting.h"
#include "views/ViewSet.h"

namespace {

using geometry::X3DPoint;

long differences(const ui::Image& a, const ui::Image& b)
{
    if (a.width != b.width || a.height != b.height) {
        return -1;
    }
    long n = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        n += a.pixels[i] != b.pixels[i] ? 1 : 0;
    }
    return n;
}

// The view as a paint of the whole window would show it now.
ui::Image paintedAnew(views::ViewWindow& view)
{
    auto canvas = ui::makeCanvas();
    canvas->resize(view.width(), view.height());
    views::paintView(view, *canvas);
    return canvas->image();
}

// A view of the example in a window that keeps its picture, zoomed in so
// that walls, labels, circles and the sources' dotted aim lines cross its
// edges, the grid shown, some entities selected (drawn again on top).
class Pans : public ::testing::TestWithParam<int> {
protected:
    // A run of its own: options, database and drawings fresh.
    app::AppContext context;
    void SetUp() override
    {
        model::viewOptions().showReceiverDirections = true;
        ASSERT_TRUE(storage::openProject(testsupport::sourcePath("data/examples/hall.ray"), doc));
        doc.children()[3]->setSelected(true);
        doc.children()[6]->setSelected(true);
        // A site plan beneath (plan and axonometric views), with lines
        // that run far out of the view.
        std::mt19937 rng(3);
        std::uniform_real_distribution<double> at(-40, 40);
        for (int i = 0; i < 60; ++i) {
            X3DPoint a(at(rng), at(rng), 0);
            X3DPoint b = i % 10 == 0 ? X3DPoint(a.x * 50, a.y * 50, 0) : X3DPoint(a.x + 3, a.y + at(rng) / 10, 0);
            doc.baseMap.append(std::make_unique<model::Segment>(a, b));
        }
        views.auxiliary().setBaseLine({0, 8}, {12, 0});
        native = std::make_unique<ui::headless::HeadlessWindow>(view(), "view");
        view().native = native.get();
        native->visible = true;
        // An odd width: a scroll line is then not a whole number of pixels.
        native->setGeometry(ui::PixelRect::fromSize(0, 0, 481, 353));
        views.start();  // the scroll bars' ranges
        view().setScale(0.05);
        view().zoomToExtents();
        view().setScale(view().scale() * 0.6);
        ASSERT_GE(view().pixelLength(doc.gridStep()), 6);
        doc.baseMap.selected = true;  // shown, once the view fits the hall
        native->paintIfDirty();
    }
    views::ViewWindow& view() { return views.byId(GetParam()); }
    ui::Image picture() { return native->canvas->image(); }

    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    views::ViewSet views{doc};
    std::unique_ptr<ui::headless::HeadlessWindow> native;
};

TEST_P(Pans, TheMiddleButtonMovesThePictureAsPaintingItAnewWould)
{
    std::mt19937 rng(static_cast<unsigned>(GetParam()));
    std::uniform_int_distribution<int> step(-37, 37);
    long invalidated = native->invalidations;
    ui::MouseEvent e;
    e.button = ui::MouseButton::Middle;
    e.x = 240;
    e.y = 170;
    view().onMouseDown(e);
    e.button = ui::MouseButton::None;
    for (int k = 0; k < 40; ++k) {
        // Now and then along one axis only, or by a single pixel.
        int dx = k % 7 == 3 ? 0 : step(rng);
        int dy = k % 5 == 2 ? 0 : step(rng);
        if (k % 9 == 4) {
            dx = 1;
            dy = -1;
        }
        e.x += dx;
        e.y += dy;
        view().onMouseMove(e);
        ASSERT_EQ(differences(picture(), paintedAnew(view())), 0) << "after move " << k;
    }
    e.button = ui::MouseButton::Middle;
    view().onMouseUp(e);
    EXPECT_EQ(native->invalidations, invalidated) << "no move painted the whole view";
    EXPECT_GE(native->scrolls, 35);
}

TEST_P(Pans, ScrollBarLinesAndPagesMoveThePictureByWholePixels)
{
    using ui::ScrollBar;
    using ui::ScrollRequest;
    const ScrollRequest requests[] = {ScrollRequest::LineDown, ScrollRequest::LineUp, ScrollRequest::PageDown,
                                      ScrollRequest::LineDown, ScrollRequest::PageUp, ScrollRequest::LineUp};
    long invalidated = native->invalidations;
    for (ScrollBar bar : {ScrollBar::Horizontal, ScrollBar::Vertical}) {
        for (ScrollRequest r : requests) {
            model::ViewPoint before = view().centre();
            view().onScroll(bar, r, 0);
            view().onScroll(bar, ScrollRequest::End, 0);
            double moved = bar == ScrollBar::Horizontal ? view().centre().u - before.u : view().centre().v - before.v;
            double pixels = moved / view().scale();
            EXPECT_NEAR(pixels, std::round(pixels), 1e-6);
            EXPECT_NE(moved, 0.0);
            ASSERT_EQ(differences(picture(), paintedAnew(view())), 0);
        }
    }
    // A line of this 481-pixel view is the nearest whole pixel to a
    // twentieth of its width.
    model::ViewPoint before = view().centre();
    view().onScroll(ScrollBar::Horizontal, ScrollRequest::LineDown, 0);
    EXPECT_NEAR((view().centre().u - before.u) / view().scale(), 24.0, 1e-6);
    EXPECT_EQ(native->invalidations, invalidated);
    // The thumb let go somewhere: the whole view is painted, once, at the end.
    view().onScroll(ScrollBar::Vertical, ScrollRequest::Thumb, 3);
    EXPECT_EQ(native->invalidations, invalidated);
    view().onScroll(ScrollBar::Vertical, ScrollRequest::End, 0);
    EXPECT_EQ(native->invalidations, invalidated + 1);
}

INSTANTIATE_TEST_SUITE_P(EveryView, Pans,
                         ::testing::Values(views::viewId::Plant, views::viewId::Front, views::viewId::Side,
                                           views::viewId::Assonometry, views::viewId::Auxiliary),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param); });

// The program itself: a trail of a box's corners and a rubber band are on the
// plan when the user pans; taken away afterwards, they leave the view just
// as painting it anew shows it.
class PansWithTools : public ::testing::Test {
protected:
    app::AppContext context;
    void SetUp() override
    {
        here = std::make_unique<testsupport::ScopedChdir>(dir.path());
        application = std::make_unique<app::Application>();
        application->start(testsupport::sourcePath("data/examples/hall.ray"));
        plan().setScale(plan().scale() * 0.7);
        plan().repaint();
        native().paintIfDirty();
    }
    views::ViewWindow& plan() { return *application->view(app::cmd::ViewPlant); }
    ui::headless::HeadlessWindow& native() { return static_cast<ui::headless::HeadlessWindow&>(*plan().native); }
    void press(ui::MouseButton b, int x, int y) { plan().onMouseDown(mouse(b, x, y)); }
    void release(ui::MouseButton b, int x, int y) { plan().onMouseUp(mouse(b, x, y)); }
    void move(int x, int y) { plan().onMouseMove(mouse(ui::MouseButton::None, x, y)); }
    static ui::MouseEvent mouse(ui::MouseButton b, int x, int y)
    {
        ui::MouseEvent e;
        e.button = b;
        e.x = x;
        e.y = y;
        return e;
    }
    void panAbout()
    {
        press(ui::MouseButton::Middle, 300, 300);
        int x = 300;
        int y = 300;
        for (int k = 0; k < 12; ++k) {
            x += (k % 3 - 1) * 23;
            y += (k % 4 - 2) * 17;
            move(x, y);
        }
        release(ui::MouseButton::Middle, x, y);
    }

    testsupport::ScratchDir dir;
    std::unique_ptr<testsupport::ScopedChdir> here;
    ui::headless::HeadlessPlatform platform;
    std::unique_ptr<app::Application> application;
};

TEST_F(PansWithTools, TheTrailOfCollectedPointsComesAlong)
{
    application->tools->palette.selectTool(static_cast<int>(tools::ToolId::Box));
    for (ui::PixelPoint p : {ui::PixelPoint{250, 250}, ui::PixelPoint{420, 260}, ui::PixelPoint{400, 380}}) {
        press(ui::MouseButton::Left, p.x, p.y);
        release(ui::MouseButton::Left, p.x, p.y);
    }
    ui::Image withTrail = native().canvas->image();
    EXPECT_GT(differences(withTrail, paintedAnew(plan())), 100) << "the trail shows";
    long scrolls = native().scrolls;
    panAbout();
    EXPECT_GT(native().scrolls, scrolls);
    // Choosing another tool takes the trail away where it now is.
    application->tools->palette.selectTool(static_cast<int>(tools::ToolId::Pick));
    EXPECT_EQ(differences(native().canvas->image(), paintedAnew(plan())), 0);
}

TEST_F(PansWithTools, TheRubberBandComesAlong)
{
    application->tools->palette.selectTool(static_cast<int>(tools::ToolId::Pick));
    press(ui::MouseButton::Left, 200, 200);
    move(330, 280);
    panAbout();
    move(350, 300);
    // The gesture taken away: its band goes, wherever the pans left it.
    plan().onCaptureLost();
    EXPECT_EQ(differences(native().canvas->image(), paintedAnew(plan())), 0);
}

// Random small models in random views: painting what the index says can
// show gives the very picture painting every entity gives.
TEST(CulledPainting, GivesThePictureOfPaintingEveryEntity)
{
    ui::headless::HeadlessPlatform platform;
    app::AppContext context;
    model::viewOptions().showReceiverDirections = true;
    std::mt19937 rng(5);
    auto real = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto whole = ui::makeCanvas();
    auto culled = ui::makeCanvas();
    long compared = 0;
    for (int round = 0; round < 150; ++round) {
        model::Document doc;
        doc.autoDraw = false;
        doc.axesShown = false;
        doc.gridShown = false;
        views::ViewSet views(doc);
        for (int i = 0; i < 30; ++i) {
            X3DPoint a(real(-30, 30), real(-30, 30), 0);
            doc.baseMap.append(std::make_unique<model::Segment>(a, X3DPoint(a.x + real(-20, 20), a.y, 0)));
        }
        doc.baseMap.selected = true;
        for (int i = 0; i < 40; ++i) {
            X3DPoint p(real(-30, 30), real(-30, 30), real(-5, 5));
            switch (i % 7) {
            case 0:
                doc.append(fixtures::rectangle(p.x, p.y, p.x + real(0.001, 8), p.y + real(0.001, 4), p.z));
                break;
            case 1:
                doc.append(fixtures::wallWithOpenings(p.x, p.x + real(1, 12), real(1, 4)));
                break;
            case 2:
                doc.append(std::make_unique<model::Receiver>(p, X3DPoint(p.x + real(-9, 9), p.y, p.z)));
                break;
            case 3:
                doc.append(std::make_unique<model::Source>(p, X3DPoint(p.x, p.y + real(-9, 9), p.z), 0.0, "omni.spk"));
                break;
            case 4:
                doc.append(std::make_unique<model::Ray>(p, X3DPoint(p.x + real(-1, 1), p.y + real(-1, 1), p.z)));
                break;
            case 5:
                doc.append(std::make_unique<model::Text>(p, X3DPoint(p.x + real(-6, 6), p.y + real(-3, 3), p.z),
                                                         i % 2 ? "A note whose text is long enough to spill" : ""));
                break;
            default:
                doc.append(fixtures::rectangle(p.x, p.y, p.x + 0.0001, p.y + 0.0001, p.z));  // within a pixel
                break;
            }
            if (i % 5 == 0) {
                doc.children().back()->setSelected(true);
            }
        }
        static const int ids[] = {views::viewId::Plant, views::viewId::Front, views::viewId::Side,
                                  views::viewId::Assonometry, views::viewId::Auxiliary};
        views::ViewWindow& view = views.byId(ids[round % 5]);
        views.assonometry().setAngles(real(0, 80), real(0, 80));
        views.auxiliary().setBaseLine({real(-5, 5), real(-5, 5)}, {real(6, 9), real(6, 9)});
        view.onSize(300, 200);
        view.setScale(real(0.02, 0.3));
        view.setCentre({real(-20, 20), real(-20, 20)});
        view.panBy(static_cast<int>(real(-50, 50)), static_cast<int>(real(-50, 50)));
        // The base map under the plan and the axonometric view, then
        // everything, in order, then the selected again on top.
        whole->resize(300, 200);
        if (view.is(views::viewId::Plant) || view.is(views::viewId::Assonometry)) {
            views::drawEntity(doc.baseMap, view, *whole);
        }
        doc.renumber();
        for (const auto& child : doc.children()) {
            views::drawEntity(*child, view, *whole);
        }
        views::drawIfSelected(doc, view, *whole);
        culled->resize(300, 200);
        views::paintView(view, *culled);
        ASSERT_EQ(differences(whole->image(), culled->image()), 0) << "round " << round;
        ++compared;
    }
    EXPECT_EQ(compared, 150);
}

// A face within one pixel shows as that pixel (a line from a pixel to
// itself would leave nothing).
TEST(CulledPainting, AFaceWithinOnePixelIsThatPixel)
{
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    doc.autoDraw = false;
    doc.axesShown = false;
    doc.gridShown = false;
    doc.append(fixtures::rectangle(1.0, 1.0, 1.01, 1.01, 0));
    views::ViewSet views(doc);
    views::ViewWindow& plan = views.byId(views::viewId::Plant);
    plan.onSize(100, 100);
    plan.setScale(0.05);
    plan.setCentre({0, 0});
    auto canvas = ui::makeCanvas();
    canvas->resize(100, 100);
    views::paintView(plan, *canvas);
    ui::Image image = canvas->image();
    long dark = 0;
    for (ui::Colour c : image.pixels) {
        dark += c == 0x000000 ? 1 : 0;
    }
    EXPECT_EQ(dark, 1);
    EXPECT_EQ(image.at(70, 30), 0x000000u);
}

}  // namespace
