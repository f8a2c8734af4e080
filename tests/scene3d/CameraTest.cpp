// The 3-D view's camera: its matrices, the navigation steps with their
// limits, the wheel, Home, and cameras that could only give NaNs.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/X3DDirection.h"
#include "model/Document.h"
#include "model/Receiver.h"
#include "scene3d/SceneBuilder.h"
#include "scene3d/gl/Camera.h"
#include "tests/model/ModelFixtures.h"
#include "ui/headless/HeadlessPlatform.h"

using geometry::X3DPoint;
using geometry::X3DVector;
using namespace scene3d;
using namespace scene3d::gl;

namespace {

// The hall's camera as the scene build places it for a box (0,0,0)-(12,8,5).
class HallCamera : public X3DViewPoint {
public:
    HallCamera() : X3DViewPoint(X3DPoint(6, 4 - std::sqrt(144.0 + 64.0 + 25.0), 5), X3DPoint(6, 4, 0))
    {
        up = X3DVector(0, 0, 1);
    }
};

// What a test compares of a camera before and after.
struct Snapshot {
    X3DPoint position;
    X3DPoint target;
    X3DVector up;
    double fieldOfView;
    double nearPlane;

    explicit Snapshot(const X3DViewPoint& v)
        : position(v.position), target(v.target), up(v.up), fieldOfView(v.fieldOfView.degrees), nearPlane(v.nearPlane)
    {
    }
};

double elevationOf(const X3DVector& v)
{
    return geometry::X3DDirection::fromVector(v).elevation.degrees;
}

double azimuthOf(const X3DVector& v)
{
    return geometry::X3DDirection::fromVector(v).azimuth.degrees;
}

bool finiteMatrix(const double m[16])
{
    for (int i = 0; i < 16; ++i) {
        if (!std::isfinite(m[i])) {
            return false;
        }
    }
    return true;
}

// A matrix (column-major) applied to a point, with the perspective divide.
X3DPoint apply(const double m[16], const X3DPoint& p)
{
    double x = m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12];
    double y = m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13];
    double z = m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14];
    double w = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
    return {x / w, y / w, z / w};
}

}  // namespace

TEST(CameraMatrices, TheTargetLandsInTheMiddleAndTheUpVectorPointsUp)
{
    HallCamera view;
    view.nearPlane = 0.5;
    view.farPlane = 50;
    setupProjection(view, 800, 600);
    X3DPoint eyeSpace = apply(view.modelview, view.target);
    EXPECT_NEAR(eyeSpace.x, 0.0, 1e-12);
    EXPECT_NEAR(eyeSpace.y, 0.0, 1e-12);
    EXPECT_NEAR(eyeSpace.z, -(view.target - view.position).norm(), 1e-12) << "in front of the eye, on -z";
    // A point above the target shows above the middle, one to the east on the right.
    EXPECT_GT(apply(view.modelview, X3DPoint(6, 4, 1)).y, 0.0);
    EXPECT_GT(apply(view.modelview, X3DPoint(7, 4, 0)).x, 0.0);
    // Depth: the near plane maps to -1, the far plane to +1.
    X3DPoint nearPoint = apply(view.projection, X3DPoint(0, 0, -0.5));
    X3DPoint farPoint = apply(view.projection, X3DPoint(0, 0, -50));
    EXPECT_NEAR(nearPoint.z, -1.0, 1e-12);
    EXPECT_NEAR(farPoint.z, 1.0, 1e-12);
    // 45 degrees high: a point at the top edge of the view is at y = 1.
    double top = std::tan(22.5 * M_PI / 180.0) * 10.0;
    EXPECT_NEAR(apply(view.projection, X3DPoint(0, top, -10)).y, 1.0, 1e-12);
    EXPECT_NEAR(apply(view.projection, X3DPoint(top * 800 / 600, 0, -10)).x, 1.0, 1e-12) << "aspect 4:3";
    EXPECT_EQ(view.viewport[2], 800);
    EXPECT_EQ(view.viewport[3], 600);
}

TEST(CameraMatrices, ACameraWithNoDirectionStillGivesAFiniteFrame)
{
    // A model of one point: the eye on the target, planes at no distance.
    X3DViewPoint view(X3DPoint(1, 2, 3), X3DPoint(1, 2, 3));
    view.up = X3DVector(0, 0, 1);
    view.nearPlane = 0;
    view.farPlane = 0;
    EXPECT_FALSE(isSoundCamera(view.position, view.target, view.up));
    setupProjection(view, 100, 100);
    EXPECT_TRUE(finiteMatrix(view.modelview));
    EXPECT_TRUE(finiteMatrix(view.projection));
    // Looking straight down along the up vector.
    X3DViewPoint down(X3DPoint(0, 0, 10), X3DPoint(0, 0, 0));
    down.up = X3DVector(0, 0, 1);
    EXPECT_FALSE(isSoundCamera(down.position, down.target, down.up));
    setupProjection(down, 100, 0);
    EXPECT_TRUE(finiteMatrix(down.modelview));
    EXPECT_TRUE(finiteMatrix(down.projection));
}

TEST(Navigation, StudyOrbitsTheTargetADegreeAStepKeepingTheDistance)
{
    HallCamera view;
    double distance = (view.position - view.target).norm();
    double azimuth = azimuthOf(view.position - view.target);  // 270: south of the target
    ASSERT_TRUE(navigationStep(view, Study, -50, 10, false));
    EXPECT_NEAR(azimuthOf(view.position - view.target), azimuth + 1, 1e-9) << "pointer left: azimuth up";
    ASSERT_TRUE(navigationStep(view, Study, 50, 10, false));
    ASSERT_TRUE(navigationStep(view, Study, 50, -10, false));
    EXPECT_NEAR(azimuthOf(view.position - view.target), azimuth - 1, 1e-9) << "pointer right: azimuth down";
    double elevation = elevationOf(view.position - view.target);
    ASSERT_TRUE(navigationStep(view, Study, 10, 50, false));
    EXPECT_NEAR(elevationOf(view.position - view.target), elevation + 1, 1e-9) << "pointer below: the eye rises";
    EXPECT_NEAR((view.position - view.target).norm(), distance, 1e-9);
    EXPECT_TRUE(view.target == X3DPoint(6, 4, 0)) << "the target stays";
}

TEST(Navigation, APointerOnTheCentreTiltsDownwardsInStudy)
{
    HallCamera view;
    double elevation = elevationOf(view.position - view.target);
    ASSERT_TRUE(navigationStep(view, Study, 0, 0, false));
    EXPECT_NEAR(elevationOf(view.position - view.target), elevation - 1, 1e-9);
    // A tie between dx and dy counts as vertical too.
    ASSERT_TRUE(navigationStep(view, Study, 7, -7, false));
    EXPECT_NEAR(elevationOf(view.position - view.target), elevation - 2, 1e-9);
}

TEST(Navigation, StudyStopsTiltingAtMinus89Degrees)
{
    HallCamera view;
    int steps = 0;
    while (navigationStep(view, Study, 0, -10, false)) {
        ASSERT_LT(++steps, 400);
    }
    double elevation = elevationOf(view.position - view.target);
    EXPECT_LE(elevation, -89.0);
    EXPECT_GT(elevation, -90.0);
    // From 18.13 degrees: 107 steps reach -88.87, one more passes -89.
    EXPECT_EQ(steps, 108);
    X3DPoint stopped = view.position;
    EXPECT_FALSE(navigationStep(view, Study, 0, -10, false));
    EXPECT_TRUE(view.position == stopped);
    // It climbs back from there.
    EXPECT_TRUE(navigationStep(view, Study, 0, 10, false));
}

TEST(Navigation, ExploreTurnsTheGazeAndStopsAtPlusAndMinus89)
{
    HallCamera view;
    X3DPoint eye = view.position;
    int up = 0;
    while (navigationStep(view, Explore, 0, -10, false)) {  // pointer above: look up
        ++up;
        ASSERT_LT(up, 400);
    }
    EXPECT_TRUE(view.position == eye) << "the eye stays in Explore";
    EXPECT_GE(elevationOf(view.target - view.position), 89.0);
    EXPECT_LT(elevationOf(view.target - view.position), 90.0);
    int down = 0;
    while (navigationStep(view, Explore, 0, 10, false)) {
        ++down;
        ASSERT_LT(down, 400);
    }
    EXPECT_LE(elevationOf(view.target - view.position), -89.0);
    EXPECT_GT(elevationOf(view.target - view.position), -90.0);
    EXPECT_GT(down, 170);
}

TEST(Navigation, ShiftPansEyeAndTargetByAMetre)
{
    HallCamera view;
    Snapshot start(view);
    ASSERT_TRUE(navigationStep(view, Study, -30, 0, true));  // left
    EXPECT_TRUE(view.position == start.position + X3DVector(-1, 0, 0));
    EXPECT_TRUE(view.target == start.target + X3DVector(-1, 0, 0));
    ASSERT_TRUE(navigationStep(view, Explore, 30, 0, true));  // right, in either mode
    ASSERT_TRUE(navigationStep(view, Study, 0, 30, true));    // below: down
    EXPECT_TRUE(view.position == start.position + X3DVector(0, 0, -1));
    ASSERT_TRUE(navigationStep(view, Study, 0, 0, true));  // the centre: up
    EXPECT_TRUE(view.position == start.position);
    EXPECT_TRUE(view.target == start.target);
}

TEST(Navigation, StepsThatWouldLeaveNoViewDirectionAreSkipped)
{
    // The eye on the target: no direction to turn.
    X3DViewPoint same(X3DPoint(1, 1, 1), X3DPoint(1, 1, 1));
    same.up = X3DVector(0, 0, 1);
    for (unsigned mode : {Study, Explore}) {
        EXPECT_FALSE(navigationStep(same, mode, 10, 0, false));
        EXPECT_FALSE(navigationStep(same, mode, 0, 10, false));
    }
    EXPECT_TRUE(same.position == X3DPoint(1, 1, 1));
    EXPECT_TRUE(std::isfinite(same.position.x));
    // Straight above the target: turning about the up axis leaves the view
    // direction along it, which no frame can show.
    X3DViewPoint above(X3DPoint(0, 0, 10), X3DPoint(0, 0, 0));
    above.up = X3DVector(0, 0, 1);
    EXPECT_FALSE(navigationStep(above, Study, -10, 0, false));
    EXPECT_TRUE(above.position == X3DPoint(0, 0, 10));
    // Panning sideways has no side to go to either.
    EXPECT_FALSE(navigationStep(above, Study, -10, 0, true));
    // Tilting away from the pole is allowed.
    EXPECT_TRUE(navigationStep(above, Study, 0, -10, false));
    EXPECT_TRUE(isSoundCamera(above.position, above.target, above.up));
}

TEST(Wheel, StudyNarrowsTheFieldOfViewAndIgnoresNotchesTo150OrTo0)
{
    HallCamera view;
    ASSERT_TRUE(wheelStep(view, Study, 120));
    EXPECT_DOUBLE_EQ(view.fieldOfView.degrees, 43.0);
    ASSERT_TRUE(wheelStep(view, Study, -240));
    EXPECT_DOUBLE_EQ(view.fieldOfView.degrees, 47.0);
    EXPECT_FALSE(wheelStep(view, Study, -6180)) << "to 150";
    EXPECT_DOUBLE_EQ(view.fieldOfView.degrees, 47.0);
    EXPECT_TRUE(wheelStep(view, Study, -6120)) << "to 149";
    EXPECT_DOUBLE_EQ(view.fieldOfView.degrees, 149.0);
    EXPECT_FALSE(wheelStep(view, Study, 8940)) << "to 0";
    EXPECT_TRUE(wheelStep(view, Study, 8880));
    EXPECT_DOUBLE_EQ(view.fieldOfView.degrees, 1.0);
    X3DPoint eye = view.position;
    EXPECT_TRUE(view.position == eye) << "Study's wheel never moves the eye";
}

TEST(Wheel, ExploreMovesEyeAndTargetAHundredthOfTheirDistanceANotch)
{
    HallCamera view;
    Snapshot start(view);
    X3DVector along = start.target - start.position;
    ASSERT_TRUE(wheelStep(view, Explore, 120));
    EXPECT_TRUE(view.position == start.position + along * 0.01);
    EXPECT_TRUE(view.target == start.target + along * 0.01);
    EXPECT_DOUBLE_EQ(view.fieldOfView.degrees, 45.0);
    ASSERT_TRUE(wheelStep(view, Explore, -240));
    EXPECT_TRUE(view.position == start.position + along * -0.01);
    EXPECT_FALSE(wheelStep(view, Explore, 0));
}

TEST(Home, RestoresTheSceneBuildsCameraKeepingUpAndPlanes)
{
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    doc.autoDraw = false;
    doc.append(fixtures::rectangle(0, 0, 12, 8, 0, 3));
    doc.append(fixtures::rectangle(0, 0, 12, 8, 5, 3));
    Snapshot built(sceneOf(doc).currentView());
    HallCamera view;
    view.position = built.position;
    view.target = built.target;
    for (int i = 0; i < 30; ++i) {
        navigationStep(view, Study, 20, 5, false);
        navigationStep(view, Explore, 0, 20, true);
    }
    wheelStep(view, Study, 600);
    view.nearPlane = 0.25;
    view.up = X3DVector(0, 0, 2);
    ASSERT_TRUE(goHome(view, doc));
    EXPECT_TRUE(view.position == built.position);
    EXPECT_TRUE(view.target == built.target);
    EXPECT_DOUBLE_EQ(view.fieldOfView.degrees, 45.0);
    EXPECT_DOUBLE_EQ(view.nearPlane, 0.25) << "the planes stay";
    EXPECT_TRUE(view.up == X3DVector(0, 0, 2)) << "the up vector stays";
}

TEST(Home, AnEmptyModelLeavesTheCameraAsItWas)
{
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    HallCamera view;
    view.fieldOfView.setDegrees(30);
    Snapshot before(view);
    EXPECT_FALSE(goHome(view, doc));
    EXPECT_TRUE(view.position == before.position);
    EXPECT_TRUE(view.target == before.target);
    EXPECT_DOUBLE_EQ(view.fieldOfView.degrees, 30.0);
    // One point: the eye would sit on the target.
    doc.autoDraw = false;
    doc.append(std::make_unique<model::Receiver>(X3DPoint(3, 3, 1), X3DPoint()));
    EXPECT_FALSE(goHome(view, doc));
    EXPECT_TRUE(view.position == before.position);
}
