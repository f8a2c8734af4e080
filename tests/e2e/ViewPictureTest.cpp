// The views as pictures, painted by the program's own code through Qt on
// an image: reference pictures of the example in every 2-D view, rubber
// bands that leave no trace, and one entity's redraw touching nothing else.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <filesystem>

#include "materials/MaterialList.h"
#include "model/Source.h"
#include "storage/ProjectFile.h"
#include "tests/model/ModelFixtures.h"
#include "tests/support/TestSupport.h"
#include "app/Application.h"
#include "app/MacroScript.h"
#include "tools/PointInput.h"
#include "tools/PointTrail.h"
#include "tools/Tracker.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/qt/QtDrawContext.h"
#include "views/ViewPainting.h"
#include "views/ViewPicture.h"
#include "views/ViewSet.h"
#include "ui/Installed.h"

#ifndef KCAD_GOLDEN_OUT
#define KCAD_GOLDEN_OUT "golden-out"
#endif

namespace {

// Pixels that may differ from a reference: the labels' text may shift by a
// pixel with another FreeType; lines and dots may not.
constexpr long textTolerance = 60;

long countDifferences(const ui::Image& a, const ui::Image& b, ui::Image* diff)
{
    if (a.width != b.width || a.height != b.height) {
        return -1;
    }
    long n = 0;
    if (diff) {
        *diff = a;
    }
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        bool differs = a.pixels[i] != b.pixels[i];
        n += differs ? 1 : 0;
        if (diff) {
            // Differences in red over a faded copy of the picture.
            diff->pixels[i] = differs ? ui::rgb(255, 0, 0) : (a.pixels[i] == 0xFFFFFF ? 0xFFFFFF : 0xD0D0D0);
        }
    }
    return n;
}

ui::Image load(const std::string& path)
{
    QImage q;
    return q.load(QString::fromStdString(path)) ? ui::qt::fromQImage(q) : ui::Image();
}

void save(const ui::Image& image, const std::string& path)
{
    ui::qt::toQImage(image).save(QString::fromStdString(path));
}

class ViewPictures : public ::testing::Test {
protected:
    // The bundled database, fresh for the test.
    materials::MaterialState materialState;
    ui::Install<materials::MaterialState> useMaterials{materialState};
    void SetUp() override
    {
        ASSERT_TRUE(storage::openProject(testsupport::sourcePath("data/examples/hall.ray"), doc));
        canvas = ui::makeCanvas();
        ASSERT_NE(canvas, nullptr);
    }
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    std::unique_ptr<ui::Canvas> canvas;
};

struct Golden {
    const char* name;
    int viewId;
};

class ReferencePictures : public ViewPictures, public ::testing::WithParamInterface<Golden> {};

// Compares a picture with the reviewed one of that name; a failure leaves
// the picture and the differences in KCAD_GOLDEN_OUT.
void matchGolden(const ui::Image& picture, const std::string& name)
{
    ui::Image reference = load(testsupport::sourcePath("tests/golden/" + name + ".png"));
    ui::Image diff;
    long n = countDifferences(picture, reference, &diff);
    if (n < 0 || n > textTolerance) {
        std::filesystem::create_directories(KCAD_GOLDEN_OUT);
        std::string out = std::string(KCAD_GOLDEN_OUT) + "/" + name;
        save(picture, out + ".out.png");
        if (n >= 0) {
            save(diff, out + ".diff.png");
        }
        ADD_FAILURE() << name << ": "
                      << (n < 0 ? std::string("no reference picture of that size")
                                : std::to_string(n) + " pixels differ")
                      << "; see " << out << ".out.png (scripts/promote-golden.sh accepts it)";
    }
}

TEST_P(ReferencePictures, MatchTheReviewedPicture)
{
    views::PictureRequest request;
    request.viewId = GetParam().viewId;
    request.width = 480;
    request.height = 360;
    request.baseFrom = {0, 8};  // a slanting base line, as a wall at an angle would give
    request.baseTo = {12, 0};
    ASSERT_TRUE(views::paintPicture(doc, request, *canvas));
    matchGolden(canvas->image(), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Hall, ReferencePictures,
                         ::testing::Values(Golden{"hall_plan", views::viewId::Plant},
                                           Golden{"hall_front", views::viewId::Front},
                                           Golden{"hall_side", views::viewId::Side},
                                           Golden{"hall_axonometric", views::viewId::Assonometry},
                                           Golden{"hall_auxiliary", views::viewId::Auxiliary}),
                         [](const ::testing::TestParamInfo<Golden>& info) { return std::string(info.param.name); });

// A view window of the hall with a real picture behind it, as on screen.
class LiveView : public ViewPictures {
protected:
    void SetUp() override
    {
        ViewPictures::SetUp();
        native = std::make_unique<ui::headless::HeadlessWindow>(plan(), "PLANT");
        plan().native = native.get();
        native->visible = true;
        native->setGeometry(ui::PixelRect::fromSize(0, 0, 400, 300));
        plan().setScale(0.05);
        plan().zoomToExtents();
        native->paintIfDirty();
    }
    views::ViewWindow& plan() { return views.byId(views::viewId::Plant); }
    ui::Image picture() { return native->canvas->image(); }

    views::ViewSet views{doc};
    std::unique_ptr<ui::headless::HeadlessWindow> native;
};

TEST_F(LiveView, RubberBandsDrawnTwiceLeaveNoTrace)
{
    ui::Image before = picture();
    for (tools::Gesture mode : {tools::Gesture::Line, tools::Gesture::Rectangle, tools::Gesture::Circle}) {
        tools::Tracker tracker;
        tracker.begin(plan(), {1, 1}, mode);
        tracker.move({7.3, 5.1});
        EXPECT_GT(countDifferences(before, picture(), nullptr), 20) << "the band shows, mode " << tracker.mode();
        tracker.move({9.5, 2.2});
        model::ViewPoint s, e;
        tools::Gesture m{};
        ASSERT_TRUE(tracker.end(s, e, m));
        EXPECT_EQ(countDifferences(before, picture(), nullptr), 0) << "mode " << static_cast<int>(m);
    }
    tools::markPoint(plan(), {4, 4});
    EXPECT_EQ(countDifferences(before, picture(), nullptr), 64);
    tools::markPoint(plan(), {4, 4});
    EXPECT_EQ(countDifferences(before, picture(), nullptr), 0);
}

TEST_F(LiveView, TheOutlineOfCollectedPointsLeavesNoTraceAndSurvivesARepaint)
{
    ui::Image before = picture();
    tools::PointTrail trail;
    trail.show(plan(), {{1, 1}});  // one point: a small square
    EXPECT_GT(countDifferences(before, picture(), nullptr), 5);
    trail.show(plan(), {{1, 1}, {7, 1}, {7, 5}, {2, 6}});
    ui::Image shown = picture();
    EXPECT_GT(countDifferences(before, shown, nullptr), 100);
    // A repaint wipes it; told of the repaint, it comes back just as it was.
    native->invalidate();
    native->paintIfDirty();
    EXPECT_EQ(countDifferences(before, picture(), nullptr), 0);
    trail.painted(plan());
    EXPECT_EQ(countDifferences(shown, picture(), nullptr), 0);
    trail.clear();
    EXPECT_EQ(countDifferences(before, picture(), nullptr), 0);
    EXPECT_FALSE(trail.shown());
}

// A small room built with the tools alone, through the program's own
// scripted user, in the plan and the axonometric view.
TEST(RoomFromTools, MatchesTheReviewedPictures)
{
    testsupport::ScratchDir dir;
    testsupport::ScopedChdir here(dir.path());
    const char* tmp = std::getenv("TMPDIR");
    std::string savedTmp = tmp ? tmp : "";
    setenv("TMPDIR", dir.path().c_str(), 1);
    materials::MaterialState materialState;
    ui::Install<materials::MaterialState> useMaterials(materialState);
    {
        ui::headless::HeadlessPlatform platform;
        app::Application application;
        application.start("");
        app::MacroRunner runner(application, platform);
        std::string failure;
        ASSERT_TRUE(runner.run(testsupport::readText(testsupport::sourcePath("tests/scripts/small_room.play")),
                               "small_room.play", failure))
            << failure;
        auto canvas = ui::makeCanvas();
        for (Golden g :
             {Golden{"room_plan", views::viewId::Plant}, Golden{"room_axonometric", views::viewId::Assonometry}}) {
            views::PictureRequest request;
            request.viewId = g.viewId;
            request.width = 480;
            request.height = 360;
            ASSERT_TRUE(views::paintPicture(application.document, request, *canvas));
            matchGolden(canvas->image(), g.name);
        }
    }
    if (tmp) {
        setenv("TMPDIR", savedTmp.c_str(), 1);
    } else {
        unsetenv("TMPDIR");
    }
}

TEST_F(LiveView, RedrawingOneEntityTouchesOnlyItsOwnPixels)
{
    ui::Image before = picture();
    model::Entity& receiver = *doc.children()[11];  // the second receiver
    ASSERT_EQ(receiver.typeCode(), model::type::Receiver);
    receiver.setSelected(true);
    receiver.redraw();
    ui::Image after = picture();
    // What the receiver alone looks like, selected, on an empty picture.
    canvas->resize(400, 300);
    views::drawEntity(receiver, plan(), *canvas);
    ui::Image alone = canvas->image();
    long changed = 0;
    for (std::size_t i = 0; i < before.pixels.size(); ++i) {
        if (before.pixels[i] != after.pixels[i]) {
            ++changed;
            EXPECT_NE(alone.pixels[i], 0xFFFFFFu) << "pixel " << i % 400 << "," << i / 400;
        }
    }
    EXPECT_GT(changed, 20);
}

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    auto toolkit = ui::qt::installCanvases();  // kept while pictures are drawn
    return RUN_ALL_TESTS();
}
