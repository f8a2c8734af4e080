// Pictures of the 3-D view drawn off screen, against reviewed references in
// tests/golden: software rasterisers differ by a few pixels, so a picture
// matches when few pixels differ by more than a little. A failing picture is
// written as .out.png with a .diff.png beside it, as the 2-D ones are.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "materials/MaterialList.h"
#include "scene3d/SceneBuilder.h"
#include "scene3d/gl/Camera.h"
#include "scene3d/gl/ScenePicture.h"
#include "storage/ProjectFile.h"
#include "tests/support/TestSupport.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/headless/OsMesaSurface.h"
#include "ui/qt/QtDrawContext.h"
#include "ui/Installed.h"

#ifndef KCAD_GOLDEN_OUT
#define KCAD_GOLDEN_OUT "golden-out"
#endif

namespace {

constexpr int width = 480;
constexpr int height = 360;
// A pixel differs when a channel is off by more than this...
constexpr int channelTolerance = 24;
// ...and a picture matches while at most this many pixels differ.
constexpr long pixelTolerance = width * height / 200;

int channelDifference(ui::Colour a, ui::Colour b)
{
    int most = 0;
    for (int shift : {0, 8, 16}) {
        int d = std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255));
        most = std::max(most, d);
    }
    return most;
}

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
        bool differs = channelDifference(a.pixels[i], b.pixels[i]) > channelTolerance;
        n += differs ? 1 : 0;
        if (diff) {
            diff->pixels[i] = differs ? ui::rgb(255, 0, 0) : (a.pixels[i] == 0 ? 0xFFFFFFu : 0xD0D0D0u);
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

// Compares with tests/golden/NAME.png; on failure writes NAME.out.png and
// NAME.diff.png and says where.
void expectReference(const ui::Image& picture, const std::string& name)
{
    ui::Image reference = load(testsupport::sourcePath("tests/golden/" + name + ".png"));
    ui::Image diff;
    long n = countDifferences(picture, reference, &diff);
    if (n >= 0 && n <= pixelTolerance) {
        return;
    }
    std::filesystem::create_directories(KCAD_GOLDEN_OUT);
    std::string out = std::string(KCAD_GOLDEN_OUT) + "/" + name;
    save(picture, out + ".out.png");
    if (n >= 0) {
        save(diff, out + ".diff.png");
    }
    ADD_FAILURE() << name << ": "
                  << (n < 0 ? std::string("no reference picture of that size") : std::to_string(n) + " pixels differ")
                  << "; see " << out << ".out.png (scripts/promote-golden.sh accepts it)";
}

class Hall3D : public ::testing::Test {
protected:
    materials::MaterialState materialState;
    ui::Install<materials::MaterialState> useMaterials{materialState};
    void SetUp() override
    {
        ASSERT_TRUE(storage::openProject(testsupport::sourcePath("data/examples/hall.ray"), doc));
        ASSERT_TRUE(surface.resize(width, height));
    }
    ui::Image draw(const scene3d::gl::CameraRequest& camera = {})
    {
        std::string failure;
        EXPECT_TRUE(scene3d::gl::drawScenePicture(doc, surface, width, height, camera, failure)) << failure;
        return surface.image();
    }

    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    ui::headless::OsMesaSurface surface;
};

}  // namespace

TEST_F(Hall3D, FromTheSceneCamera)
{
    expectReference(draw(), "hall_3d");
}

TEST_F(Hall3D, AfterNavigatingAndHome)
{
    ui::Image first = draw();
    scene3d::X3DViewPoint& view = scene3d::sceneOf(doc).currentView();
    for (int k = 0; k < 25; ++k) {
        scene3d::gl::navigationStep(view, scene3d::gl::Study, -30, 5, false);
        scene3d::gl::navigationStep(view, scene3d::gl::Explore, 0, 30, false);
    }
    scene3d::gl::navigationStep(view, scene3d::gl::Study, 0, 30, true);
    scene3d::gl::wheelStep(view, scene3d::gl::Study, 360);
    ui::Image moved = draw();
    EXPECT_GT(countDifferences(first, moved, nullptr), pixelTolerance) << "navigating changed the picture";
    ASSERT_TRUE(scene3d::gl::goHome(view, doc));
    ui::Image home = draw();
    EXPECT_EQ(countDifferences(first, home, nullptr), 0) << "Home gives the scene camera's picture back";
    expectReference(home, "hall_3d");
}

TEST_F(Hall3D, FromAnotherCamera)
{
    scene3d::gl::CameraRequest camera;
    camera.position = geometry::X3DPoint(20, -6, 12);
    camera.target = geometry::X3DPoint(6, 4, 1);
    camera.fieldOfView = 60;
    expectReference(draw(camera), "hall_3d_camera");
}

namespace {

// Two walls side by side facing the camera: grass (green) and carpet (red)
// in the bundled colours.
const char* twoMaterials = "EntityList\n"
                           " Face 0 38 4  0 0 0  4 0 0  4 0 3  0 0 3\n"
                           " Face 0 20 4  4 0 0  8 0 0  8 0 3  4 0 3\n"
                           "End\nInfoList\nEnd\n";

struct Rgb {
    int r, g, b;
};

Rgb pixel(const ui::Image& image, int x, int y)
{
    ui::Colour c = image.at(x, y);
    return {static_cast<int>(c & 255), static_cast<int>((c >> 8) & 255), static_cast<int>((c >> 16) & 255)};
}

}  // namespace

TEST(MaterialColours, TheCommandLinePictureShowsBothColoursUnlessTheSettingIsOff)
{
    testsupport::ScratchDir dir;
    testsupport::ScopedChdir here(dir.path());
    testsupport::writeText("two.ray", twoMaterials);
    std::string err;
    std::string render = std::string(KCAD_BINARY) + " render two.ray --view 3d --size 320x240 ";
    ASSERT_EQ(testsupport::runCommand(render + "colours.png", nullptr, &err), 0) << err;
    testsupport::writeText("tolvane.ini", "[KCad]\nMaterialColours=0\n");
    ASSERT_EQ(testsupport::runCommand(render + "single.png", nullptr, &err), 0) << err;
    ui::Image colours = load("colours.png");
    ui::Image single = load("single.png");
    ASSERT_EQ(colours.width, 320);
    ASSERT_EQ(single.width, 320);
    // Low on each wall, away from the highlight at the top of their shared edge.
    Rgb grass = pixel(colours, 90, 100);
    Rgb carpet = pixel(colours, 230, 100);
    EXPECT_GT(grass.g, grass.r + 80);
    EXPECT_GT(carpet.r, carpet.g + 80);
    for (int x : {90, 230}) {
        Rgb cyan = pixel(single, x, 100);
        EXPECT_LT(cyan.r, cyan.g - 100) << x;
        EXPECT_NEAR(cyan.g, cyan.b, 3) << x;
    }
}
