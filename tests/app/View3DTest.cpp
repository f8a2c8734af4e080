// The 3-D view in the program (headless, drawn off screen): it draws the
// model, follows every change, navigates while the left button is held,
// answers the wheel and its menu, and says so when it cannot draw.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "geometry/X3DDirection.h"
#include "tests/app/AppFixture.h"
#include "tests/model/ModelFixtures.h"

namespace {

struct Rgb {
    int r;
    int g;
    int b;
};

class View3DInTheProgram : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        // Plain colours: material 1 red, 2 green, 5 blue (red in the low byte).
        testsupport::writeText("tolcolor.mat", "8421504\n255\n65280\n0\n0\n16711680\n");
        materials::setMaterialDirectory("");
        testsupport::writeText("room.ray", "EntityList\n"
                                           " Face 0 1 4  0 0 0  10 0 0  10 6 0  0 6 0\n"
                                           " Wall\n"
                                           "  Face 1 1 4  0 0 0  10 0 0  10 0 3  0 0 3\n"
                                           "  Door 0 2 4  1 0 0  2 0 0  2 0 2  1 0 2\n"
                                           " End\n"
                                           " Receiver 5 3 1.2 0 0 1.2\n"
                                           "End\n"
                                           "InfoList\n"
                                           "End\n");
        ASSERT_TRUE(play("answer file room.ray\ncommand \"&Open...\"\ncommand \"&3D\"\nviewsize 3DView 320 240\n"));
    }
    views::ViewWindow& view() { return application->views.byId(views::viewId::View3D); }
    ui::headless::HeadlessWindow& native() { return static_cast<ui::headless::HeadlessWindow&>(*view().native); }
    scene3d::gl::View3D& logic() { return static_cast<app::View3DProjection&>(view().projection()).view; }
    ui::Image picture() { return native().gl->image(); }
    // The colour where a model point shows.
    Rgb colourAt(const ui::Image& image, const geometry::X3DPoint& p)
    {
        const scene3d::X3DViewPoint& camera = logic().camera();
        double in[4] = {p.x, p.y, p.z, 1};
        double eye[4];
        double clip[4];
        for (int r = 0; r < 4; ++r) {
            eye[r] = camera.modelview[r] * in[0] + camera.modelview[4 + r] * in[1] + camera.modelview[8 + r] * in[2] +
                     camera.modelview[12 + r];
        }
        for (int r = 0; r < 4; ++r) {
            clip[r] = camera.projection[r] * eye[0] + camera.projection[4 + r] * eye[1] +
                      camera.projection[8 + r] * eye[2] + camera.projection[12 + r] * eye[3];
        }
        int x = static_cast<int>((clip[0] / clip[3] + 1) / 2 * image.width);
        int y = static_cast<int>((1 - clip[1] / clip[3]) / 2 * image.height);
        ui::Colour c = image.at(x, y);
        return {static_cast<int>(c & 255), static_cast<int>((c >> 8) & 255), static_cast<int>((c >> 16) & 255)};
    }
    void events() { application->frame->processPendingEvents(); }
};

bool reddish(const Rgb& c)
{
    return c.r > c.g + 80 && c.r > c.b + 80;
}
bool greenish(const Rgb& c)
{
    return c.g > c.r + 80 && c.g > c.b + 80;
}
bool bluish(const Rgb& c)
{
    return c.b > c.r + 80 && c.b > c.g + 80;
}

}  // namespace

TEST_F(View3DInTheProgram, ShowsTheModelFromTheSceneCamera)
{
    EXPECT_TRUE(logic().drawn());
    ui::Image shown = picture();
    EXPECT_TRUE(reddish(colourAt(shown, {6, 0, 2.5}))) << "the red wall";
    EXPECT_TRUE(greenish(colourAt(shown, {1.5, 0, 0.5}))) << "its green door";
    EXPECT_TRUE(play("expect camera 5,-9.041595,3 5,3,0 45\n"));
}

TEST_F(View3DInTheProgram, FollowsEveryChangeOfTheModelAtItsNextPaint)
{
    ui::Image before = picture();
    // A face appended as the drawing tools append theirs, after a snapshot.
    application->undo.takeSnapshot(application->document);
    std::vector<geometry::X3DPoint> p = {{4, -1, 0}, {8, -1, 0}, {8, -1, 2}, {4, -1, 2}};
    application->document.append(std::make_unique<model::Face>(p, fixtures::materialNumber(5)));
    long invalidations = native().invalidations;
    events();
    EXPECT_GT(native().invalidations, invalidations - 1);
    EXPECT_TRUE(bluish(colourAt(picture(), {6, -1, 1}))) << "the new blue face";

    ASSERT_TRUE(play("key Ctrl+Z\n"));
    ui::Image undone = picture();
    EXPECT_EQ(undone.pixels, before.pixels) << "undo brings the first picture back";

    // Everything in glass (green) through the Properties dialog.
    ASSERT_TRUE(play("key F2\nanswer GETMATERIAL 170=\"Glass\" 172=1 ok\nkey Enter\n"));
    EXPECT_TRUE(greenish(colourAt(picture(), {6, 0, 2.5}))) << "the wall is glass now";
}

TEST_F(View3DInTheProgram, TheLeftButtonNavigatesEveryTimerStepUntilLetGo)
{
    const scene3d::X3DViewPoint& camera = logic().camera();
    auto azimuth = [&camera] {
        return geometry::X3DDirection::fromVector(camera.position - camera.target).azimuth.degrees;
    };
    double start = azimuth();
    ui::MouseEvent e;
    e.x = 40;  // left of the centre (160, 120): the eye turns anticlockwise
    e.y = 120;
    e.button = ui::MouseButton::Left;
    view().onMouseDown(e);
    ASSERT_TRUE(native().timerRunning(scene3d::gl::View3D::navigationTimer));
    EXPECT_EQ(native().timers[scene3d::gl::View3D::navigationTimer], 20);
    for (int k = 0; k < 3; ++k) {
        view().onTimer(scene3d::gl::View3D::navigationTimer);
    }
    EXPECT_NEAR(azimuth(), start + 3, 1e-9);
    // The pointer moves right of the centre: the turn reverses.
    ui::MouseEvent moved = e;
    moved.x = 300;
    moved.button = ui::MouseButton::None;
    view().onMouseMove(moved);
    view().onTimer(scene3d::gl::View3D::navigationTimer);
    EXPECT_NEAR(azimuth(), start + 2, 1e-9);
    view().onMouseUp(e);
    EXPECT_FALSE(native().timerRunning(scene3d::gl::View3D::navigationTimer));
    view().onTimer(scene3d::gl::View3D::navigationTimer);  // a tick still queued
    EXPECT_NEAR(azimuth(), start + 2, 1e-9) << "no step once the button is up";
    // The mouse taken away mid-navigation stops it too.
    view().onMouseDown(e);
    view().onCaptureLost();
    EXPECT_FALSE(native().timerRunning(scene3d::gl::View3D::navigationTimer));
    // The tools never see the 3-D view's buttons.
    EXPECT_EQ(application->document.forEach([](model::Entity& x) { return x.selected ? 1 : 0; }), 0);
}

TEST_F(View3DInTheProgram, ACameraStepCostsNoCompile)
{
    long compiled = logic().renderer.compiles();
    long calls = logic().renderer.listCalls();
    ASSERT_TRUE(play("hold 3DView 40 100 50\n"));
    EXPECT_EQ(logic().renderer.compiles(), compiled);
    EXPECT_EQ(logic().renderer.listCalls() - calls, 50 * 3) << "a frame a step, three list calls a frame";
}

TEST_F(View3DInTheProgram, TheMenuShowsTheModeAndHomeKeepsIt)
{
    ASSERT_TRUE(play("menu 3DView Explore\n"));
    const ui::PopupMenu& first = platform->menusShown.back();
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0].text, "Study");
    EXPECT_TRUE(first[0].checked);
    EXPECT_EQ(first[1].text, "Explore");
    EXPECT_FALSE(first[1].checked);
    EXPECT_TRUE(first[2].separator());
    EXPECT_EQ(first[3].text, "Home");
    EXPECT_EQ(logic().mode, scene3d::gl::Explore);

    ASSERT_TRUE(play("hold 3DView 160 40 10\nwheel 3DView 240\nmenu 3DView Home\n"));
    EXPECT_TRUE(platform->menusShown.back()[1].checked) << "Explore is ticked";
    EXPECT_EQ(logic().mode, scene3d::gl::Explore) << "Home keeps the mode";
    EXPECT_TRUE(play("expect camera 5,-9.041595,3 5,3,0 45\n"));

    ASSERT_TRUE(play("menu 3DView none\n"));
    EXPECT_EQ(logic().mode, scene3d::gl::Study) << "a dismissed menu means Study";
    EXPECT_NE(playFailure("menu 3DView Zoom\n").find("no entry \"Zoom\""), std::string::npos);
}

TEST_F(View3DInTheProgram, TheWheelNarrowsTheViewInStudyAndMovesInExplore)
{
    ASSERT_TRUE(play("wheel 3DView 120\nexpect camera 5,-9.041595,3 5,3,0 43\n"));
    // Back 107 degrees would reach 150: ignored; 104 is taken.
    ASSERT_TRUE(play("wheel 3DView -6420\nexpect camera 5,-9.041595,3 5,3,0 43\n"));
    ASSERT_TRUE(play("wheel 3DView -6240\nexpect camera 5,-9.041595,3 5,3,0 147\n"));
    // Explore: a notch forwards moves eye and target a hundredth of the
    // 12.04 m between them, northwards; the field of view stays.
    ASSERT_TRUE(play("menu 3DView Explore\nwheel 3DView 120\n"
                     "expect camera 5,-8.921179,2.97 5,3.120416,-0.03 147\n"));
}

TEST_F(View3DInTheProgram, WithoutOffScreenOpenGLTheViewShowsTheSkyAndSaysSoOnce)
{
    runner.reset();
    application.reset();
    setenv("KCAD_OSMESA", "libNoSuchOSMesa.so.99", 1);
    application = std::make_unique<app::Application>();
    application->start("");
    unsetenv("KCAD_OSMESA");
    runner = std::make_unique<app::MacroRunner>(*application, *platform);
    ASSERT_TRUE(play("answer file room.ray\ncommand \"&Open...\"\ncommand \"&3D\"\nviewsize 3DView 320 240\n"));
    EXPECT_FALSE(logic().drawn());
    EXPECT_EQ(platform->status.rfind("3-D drawing is not available: ", 0), 0u) << platform->status;
    EXPECT_NE(platform->status.find("libNoSuchOSMesa.so.99"), std::string::npos);
    // The window is filled with the sky's black.
    const std::vector<std::string>& ops = native().dc.ops;
    EXPECT_NE(std::find(ops.begin(), ops.end(), "rect 0 0 320 240"), ops.end());
    EXPECT_NE(std::find(ops.begin(), ops.end(), "brush -1 0"), ops.end());
    // Said once: the next paints keep quiet, and the program goes on.
    platform->status.clear();
    ASSERT_TRUE(play("hold 3DView 40 100 3\ncommand \"&Plant\"\ncommand \"&Plant\"\n"));
    EXPECT_EQ(platform->status, "");
    EXPECT_TRUE(application->view(app::cmd::ViewPlant)->isVisible());
}
