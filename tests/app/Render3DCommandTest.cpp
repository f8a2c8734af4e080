// `kcad render --view 3d` as a user runs it: the picture, another camera,
// bad options, and a machine without off-screen OpenGL.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestSupport.h"

using testsupport::runCommand;
using testsupport::ScratchDir;

namespace {

std::string render(const std::string& options)
{
    return std::string(KCAD_BINARY) + " render " + testsupport::sourcePath("data/examples/hall.ray") + " --view 3d " +
           options;
}

// Width and height from a PNG's header.
std::pair<int, int> pngSize(const std::string& path)
{
    std::string bytes = testsupport::readText(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) {
        return {0, 0};
    }
    auto word = [&bytes](std::size_t at) {
        int v = 0;
        for (std::size_t i = at; i < at + 4; ++i) {
            v = v * 256 + static_cast<unsigned char>(bytes[i]);
        }
        return v;
    };
    return {word(16), word(20)};
}

}  // namespace

TEST(Render3D, DrawsThePictureFromTheSceneCameraOrAnother)
{
    ScratchDir dir;
    std::string err;
    ASSERT_EQ(runCommand(render(dir.file("scene.png")), nullptr, &err), 0) << err;
    EXPECT_EQ(err, "");
    EXPECT_EQ(pngSize(dir.file("scene.png")), std::make_pair(800, 600));
    ASSERT_EQ(runCommand(render("--size 320x200 --camera 20,20,10 --target 6,4,0 --fov 60 " + dir.file("other.png")),
                         nullptr, &err),
              0)
        << err;
    EXPECT_EQ(pngSize(dir.file("other.png")), std::make_pair(320, 200));
}

TEST(Render3D, BadCamerasAreUsageErrors)
{
    ScratchDir dir;
    std::string out = dir.file("x.png");
    for (const char* options :
         {"--camera 1,2,3", "--target 1,2,3", "--camera 1,2 --target 0,0,0", "--camera 1,2,3 --target 1,2,3",
          "--camera 6,4,20 --target 6,4,0", "--fov 0", "--fov 180", "--fov -5", "--fov wide"}) {
        std::string err;
        EXPECT_EQ(runCommand(render(std::string(options) + " " + out), nullptr, &err), 2) << options;
        EXPECT_NE(err.find("Usage: kcad render"), std::string::npos) << options;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(Render3D, WithoutOffScreenOpenGLItFailsAndWritesNothing)
{
    ScratchDir dir;
    std::string err;
    EXPECT_EQ(runCommand("KCAD_OSMESA=libNoSuchOSMesa.so.99 " + render(dir.file("none.png")), nullptr, &err), 1);
    EXPECT_NE(err.find("3-D drawing is not available"), std::string::npos) << err;
    EXPECT_NE(err.find("libNoSuchOSMesa.so.99"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.png"))) << "no blank picture left behind";
}

TEST(Render3D, AScriptCannotSaveAPictureTheViewDidNotDraw)
{
    ScratchDir dir;
    testsupport::writeText(dir.file("s.play"), "key 3\nviewsize 3DView 200 100\nrender 3DView view.png\n");
    std::string err;
    EXPECT_EQ(runCommand("cd " + dir.path().string() + " && KCAD_OSMESA=libNoSuchOSMesa.so.99 " +
                             std::string(KCAD_BINARY) + " play s.play",
                         nullptr, &err),
              1);
    EXPECT_EQ(err.rfind("s.play:3: the 3-D view drew no picture: ", 0), 0u) << err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("view.png")));
    // With off-screen OpenGL the same script saves the picture.
    ASSERT_EQ(
        runCommand("cd " + dir.path().string() + " && " + std::string(KCAD_BINARY) + " play s.play", nullptr, &err), 0)
        << err;
    EXPECT_EQ(pngSize(dir.file("view.png")), std::make_pair(200, 100));
}
