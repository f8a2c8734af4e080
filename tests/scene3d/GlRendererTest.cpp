// The OpenGL renderer on an off-screen surface: what the pictures show
// (material colours, markers, hidden back faces, blending), and what a
// frame costs (display lists compiled once, replayed after).
#include <gtest/gtest.h>

#include <cmath>

#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Source.h"
#include "scene3d/SceneBuilder.h"
#include "scene3d/X3DIndexedFaceSet.h"
#include "scene3d/gl/Camera.h"
#include "scene3d/gl/GlRenderer.h"
#include "tests/model/ModelFixtures.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/headless/OsMesaSurface.h"
#include "ui/Installed.h"

using geometry::X3DPoint;
using geometry::X3DVector;
using namespace scene3d;
using namespace scene3d::gl;

namespace {

constexpr int width = 320;
constexpr int height = 240;

struct Rgb {
    int r;
    int g;
    int b;
};

Rgb at(const ui::Image& image, int x, int y)
{
    ui::Colour c = image.at(x, y);
    return {static_cast<int>(c & 255), static_cast<int>((c >> 8) & 255), static_cast<int>((c >> 16) & 255)};
}

// Where a model point shows in the last frame of the viewpoint.
ui::PixelPoint pixelOf(const X3DViewPoint& view, const X3DPoint& p)
{
    auto transform = [](const double* m, const double in[4], double out[4]) {
        for (int r = 0; r < 4; ++r) {
            out[r] = m[r] * in[0] + m[4 + r] * in[1] + m[8 + r] * in[2] + m[12 + r] * in[3];
        }
    };
    double world[4] = {p.x, p.y, p.z, 1};
    double eye[4];
    double clip[4];
    transform(view.modelview, world, eye);
    transform(view.projection, eye, clip);
    double x = (clip[0] / clip[3] + 1) / 2 * view.viewport[2];
    double y = (1 - (clip[1] / clip[3] + 1) / 2) * view.viewport[3];
    return {static_cast<int>(x), static_cast<int>(y)};
}

long differingPixels(const ui::Image& a, const ui::Image& b)
{
    long n = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        n += a.pixels[i] != b.pixels[i] ? 1 : 0;
    }
    return n;
}

class Renderer : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.autoDraw = false;
        ASSERT_TRUE(surface.resize(width, height));
    }
    // A database and scene settings of the test's own.
    materials::MaterialState materialState;
    ui::Install<materials::MaterialState> useMaterials{materialState};
    SceneSettings settings;
    ui::Install<SceneSettings> useSettings{settings};

    ui::Image draw(X3DScene& scene)
    {
        EXPECT_TRUE(renderer.display(scene, surface, width, height)) << renderer.failure();
        return surface.image();
    }
    ui::Image draw() { return draw(sceneOf(doc)); }

    // Two walls side by side in the plane y = 0, facing south (the camera).
    void twoWalls(unsigned left, unsigned right)
    {
        for (auto [x0, material] : {std::pair{0.0, left}, std::pair{4.0, right}}) {
            std::vector<X3DPoint> p = {{x0, 0, 0}, {x0 + 4, 0, 0}, {x0 + 4, 0, 3}, {x0, 0, 3}};
            doc.append(std::make_unique<model::Face>(p, fixtures::materialNumber(material)));
        }
    }

    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    ui::headless::OsMesaSurface surface;
    GlRenderer renderer;
};

constexpr unsigned grass = 38;   // (34, 139, 34) in the bundled tolcolor.mat
constexpr unsigned carpet = 20;  // (128, 0, 32)

}  // namespace

TEST_F(Renderer, EveryMaterialShowsInItsOwnColour)
{
    twoWalls(grass, carpet);
    ui::Image picture = draw();
    const X3DViewPoint& view = sceneOf(doc).currentView();
    Rgb left = at(picture, pixelOf(view, {2, 0, 0.7}).x, pixelOf(view, {2, 0, 0.7}).y);
    Rgb right = at(picture, pixelOf(view, {6, 0, 0.7}).x, pixelOf(view, {6, 0, 0.7}).y);
    EXPECT_GT(left.g, left.r + 60) << "grass is green";
    EXPECT_GT(left.g, left.b + 60);
    EXPECT_GT(right.r, right.g + 60) << "carpet is red";
    EXPECT_GT(right.r, right.b + 60);
}

TEST_F(Renderer, WithMaterialColoursOffEveryFaceHasTheOneColour)
{
    setMaterialColoursSetting([] { return false; });
    twoWalls(grass, carpet);
    ui::Image picture = draw();
    const X3DViewPoint& view = sceneOf(doc).currentView();
    Rgb left = at(picture, pixelOf(view, {2, 0, 0.7}).x, pixelOf(view, {2, 0, 0.7}).y);
    Rgb right = at(picture, pixelOf(view, {6, 0, 0.7}).x, pixelOf(view, {6, 0, 0.7}).y);
    // Cyan both sides (the highlight, white, falls differently on each).
    for (const Rgb& c : {left, right}) {
        EXPECT_LT(c.r, c.g - 100);
        EXPECT_NEAR(c.g, c.b, 3);
    }
    // Turning the setting back on shows the colours at the next frame, with
    // no change to the model.
    setMaterialColoursSetting([] { return true; });
    picture = draw();
    // The scene was built again: its camera is a new object (the same place).
    const X3DViewPoint& rebuilt = sceneOf(doc).currentView();
    Rgb again = at(picture, pixelOf(rebuilt, {6, 0, 0.7}).x, pixelOf(rebuilt, {6, 0, 0.7}).y);
    EXPECT_GT(again.r, again.g + 60);
}

TEST_F(Renderer, SourcesAreRedCubesAndReceiversBlueBalls)
{
    doc.append(std::make_unique<model::Source>(X3DPoint(0, 0, 1), X3DPoint(1, 0, 1), 0, "omni.spk"));
    doc.append(std::make_unique<model::Receiver>(X3DPoint(2, 0, 1), X3DPoint()));
    doc.append(fixtures::rectangle(-1, -1, 3, 1, 0, 1));  // a floor to give the scene some depth
    ui::Image picture = draw();
    const X3DViewPoint& view = sceneOf(doc).currentView();
    ui::PixelPoint source = pixelOf(view, {0, 0, 1});
    ui::PixelPoint receiver = pixelOf(view, {2, 0, 1});
    int radius = std::abs(pixelOf(view, {2.1, 0, 1}).x - receiver.x);
    ASSERT_GT(radius, 3);
    Rgb red = at(picture, source.x, source.y);
    // Beside the ball's middle, away from the highlight there.
    Rgb blue = at(picture, receiver.x - radius / 2, receiver.y);
    EXPECT_GT(red.r, red.g + 100);
    EXPECT_GT(red.r, red.b + 100);
    EXPECT_GT(blue.b, blue.r + 100);
    EXPECT_GT(blue.b, blue.g + 100);
    // The ball is round: the corners of its bounding square are not blue,
    // while the cube fills its own.
    Rgb corner = at(picture, receiver.x + radius * 9 / 10, receiver.y - radius * 9 / 10);
    EXPECT_FALSE(corner.b > corner.r + 100) << "outside the ball";
    int half = std::abs(pixelOf(view, {0.1, 0, 1}).x - source.x);
    Rgb cubeCorner = at(picture, source.x - half * 8 / 10, source.y + half * 8 / 10);
    EXPECT_GT(cubeCorner.r, cubeCorner.b + 100) << "inside the cube";
}

TEST_F(Renderer, AnOpeningShowsWholeInFrontOfItsWall)
{
    // A grass floor first: the door's face set is drawn before the wall's.
    doc.append(fixtures::rectangle(0, 0, 8, 6, 0, grass));
    X3DPoint corners[4] = {{0, 0, 0}, {8, 0, 0}, {8, 0, 3}, {0, 0, 3}};
    auto wall = std::make_unique<model::Wall>(corners, fixtures::materialNumber(carpet));
    wall->append(std::make_unique<model::Door>(std::vector<X3DPoint>{{2, 0, 0}, {5, 0, 0}, {5, 0, 2.5}, {2, 0, 2.5}},
                                               fixtures::materialNumber(grass)));
    doc.append(std::move(wall));
    ui::Image picture = draw();
    const X3DViewPoint& view = sceneOf(doc).currentView();
    int samples = 0;
    for (double x = 2.1; x < 4.95; x += 0.1) {
        for (double z = 0.1; z < 2.45; z += 0.1) {
            ui::PixelPoint p = pixelOf(view, {x, 0, z});
            Rgb c = at(picture, p.x, p.y);
            EXPECT_FALSE(c.r > c.g) << "the wall shows through the door at " << x << " " << z;
            ++samples;
        }
    }
    EXPECT_GT(samples, 500);
    Rgb wallColour = at(picture, pixelOf(view, {7, 0, 1}).x, pixelOf(view, {7, 0, 1}).y);
    EXPECT_GT(wallColour.r, wallColour.g + 60) << "and the wall beside it is the wall";
}

TEST_F(Renderer, FarBallsAreDrawnWithFewerFacetsWithoutRecompilingTheScene)
{
    doc.append(std::make_unique<model::Receiver>(X3DPoint(0, 0, 1), X3DPoint()));
    doc.append(fixtures::rectangle(-1, -1, 1, 1, 0, 1));
    draw();
    EXPECT_EQ(renderer.ballDetail(), 0) << "close by: the full sphere";
    long compiled = renderer.compiles();
    X3DViewPoint& view = sceneOf(doc).currentView();
    view.farPlane = 1000;
    // 240 pixels high, 45 degrees: 290 pixels a metre at a metre.
    view.position = X3DPoint(0, -20, 1);
    view.target = X3DPoint(0, 0, 1);
    ui::Image mid = draw();
    EXPECT_EQ(renderer.ballDetail(), 1) << "a ball of 1.5 pixels";
    ui::PixelPoint ball = pixelOf(view, {0, 0, 1});
    Rgb c = at(mid, ball.x, ball.y);
    EXPECT_GT(c.b, c.r + 80) << "and still shows";
    view.position = X3DPoint(0, -100, 1);
    draw();
    EXPECT_EQ(renderer.ballDetail(), 2) << "under a pixel: an octahedron";
    view.position = X3DPoint(0, -3, 1);
    draw();
    EXPECT_EQ(renderer.ballDetail(), 0);
    EXPECT_EQ(renderer.compiles(), compiled) << "the scene's list stays as it was";
}

TEST_F(Renderer, ACameraStepCostsOneListCallNotACompile)
{
    twoWalls(grass, carpet);
    ui::Image first = draw();
    long compiled = renderer.compiles();
    long calls = renderer.listCalls();
    EXPECT_GE(compiled, 3) << "background, lights, materials and the scene";
    X3DViewPoint& view = sceneOf(doc).currentView();
    for (int step = 0; step < 50; ++step) {
        ASSERT_TRUE(navigationStep(view, Study, -40, 10, false));
        draw();
    }
    EXPECT_EQ(renderer.compiles(), compiled) << "no list compiled again across 50 steps";
    EXPECT_EQ(renderer.listCalls() - calls, 50 * 3) << "background, lights and scene: one call each a frame";
    EXPECT_GT(differingPixels(first, surface.image()), 1000) << "the camera moved";
}

TEST_F(Renderer, AChangedModelIsCompiledAgainAndItsOldListsGo)
{
    twoWalls(grass, carpet);
    draw();
    long compiled = renderer.compiles();
    doc.setModified(true);  // any change drops the scene
    EXPECT_GT(GlRenderer::listsAwaitingDeletion(), 0u);
    doc.append(fixtures::rectangle(0, -4, 8, 0, 0, carpet));
    ui::Image changed = draw();
    EXPECT_GT(renderer.compiles(), compiled);
    EXPECT_EQ(GlRenderer::listsAwaitingDeletion(), 0u) << "deleted at the next frame";
    const X3DViewPoint& view = sceneOf(doc).currentView();
    ui::PixelPoint floor = pixelOf(view, {4, -2, 0});
    Rgb c = at(changed, floor.x, floor.y);
    EXPECT_GT(c.r, c.g + 40) << "the new carpet floor shows";
}

TEST_F(Renderer, ASecondSurfaceCompilesItsOwnLists)
{
    twoWalls(grass, carpet);
    ui::Image onFirst = draw();
    ui::headless::OsMesaSurface other;
    ASSERT_TRUE(other.resize(width, height));
    long compiled = renderer.compiles();
    ASSERT_TRUE(renderer.display(sceneOf(doc), other, width, height)) << renderer.failure();
    EXPECT_GT(renderer.compiles(), compiled) << "lists of one context mean nothing in another";
    EXPECT_EQ(differingPixels(onFirst, other.image()), 0);
}

TEST_F(Renderer, WithoutTheLibraryNothingIsDrawnAndTheReasonIsGiven)
{
    twoWalls(grass, carpet);
    ui::headless::OsMesaSurface missing("libNoSuchOSMesa.so.99");
    missing.resize(width, height);
    EXPECT_FALSE(renderer.display(sceneOf(doc), missing, width, height));
    EXPECT_NE(renderer.failure().find("libNoSuchOSMesa.so.99"), std::string::npos) << renderer.failure();
    // The renderer still draws on a surface that works.
    draw();
}

namespace {

// A scene of one square in the plane y = 0 seen from the south, its points
// turning so that its face normal is `normal` (south or north).
void oneSquare(X3DScene& scene, bool solid, bool facingSouth, const X3DColor& colour)
{
    auto shape = std::make_unique<X3DShape>();
    auto faces = std::make_unique<X3DIndexedFaceSet>(solid);
    std::vector<X3DPoint> p = {{-1, 0, -1}, {1, 0, -1}, {1, 0, 1}, {-1, 0, 1}};
    if (!facingSouth) {
        std::swap(p[1], p[3]);
    }
    faces->addPolygon(p.data(), p.size());
    shape->geometry = std::move(faces);
    shape->appearance.material = scene.addMaterial(colour, "Square");
    scene.addNode(std::move(shape));
    auto light = std::make_unique<X3DLight>(true);
    light->position = X3DPoint(0, -5, 0);
    scene.addNode(std::move(light));
    auto view = std::make_unique<X3DViewPoint>(X3DPoint(0, -5, 0), X3DPoint(0, 0, 0));
    view->up = X3DVector(0, 0, 1);
    scene.addNode(std::move(view));
}

}  // namespace

TEST_F(Renderer, ASolidFaceSetHidesBackFacesAndOthersShowBothSides)
{
    X3DScene solidBack;
    oneSquare(solidBack, true, false, X3DColor(1, 0, 0, 1));
    Rgb hidden = at(draw(solidBack), width / 2, height / 2);
    EXPECT_EQ(hidden.r + hidden.g + hidden.b, 0) << "culled: the black sky shows";

    X3DScene solidFront;
    oneSquare(solidFront, true, true, X3DColor(1, 0, 0, 1));
    EXPECT_GT(at(draw(solidFront), width / 2, height / 2).r, 150);

    X3DScene openBack;
    oneSquare(openBack, false, false, X3DColor(1, 0, 0, 1));
    Rgb lit = at(draw(openBack), width / 2, height / 2);
    EXPECT_GT(lit.r, 150) << "two-sided lighting lights the back too";
}

TEST_F(Renderer, AColourWithAlphaBelowOneBlendsWithWhatIsBehind)
{
    X3DScene opaque;
    oneSquare(opaque, false, true, X3DColor(0.5, 0, 0, 1));
    Rgb full = at(draw(opaque), width / 2, height / 2);
    X3DScene glass;
    oneSquare(glass, false, true, X3DColor(0.5, 0, 0, 0.5));
    Rgb half = at(draw(glass), width / 2, height / 2);
    ASSERT_GT(full.r, 60);
    EXPECT_NEAR(half.r, full.r / 2, 6) << "half of the colour over the black sky";
}
