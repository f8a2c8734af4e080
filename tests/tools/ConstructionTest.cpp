// What every construction tool builds with: entities checked before they
// enter the model (no point that is not finite or lies beyond the model's
// limits, no polygon without a plane), one undo snapshot per action and none
// when nothing is built; and the small geometry the tools share.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/Door.h"
#include "model/EntityEditor.h"
#include "model/Receiver.h"
#include "model/Source.h"
#include "model/Text.h"
#include "model/Wall.h"
#include "storage/UndoRing.h"
#include "tools/Construction.h"
#include "tools/ToolMemory.h"
#include "tools/ToolPalette.h"
#include "ui/headless/HeadlessPlatform.h"
#include "views/ViewSet.h"

using geometry::X3DPoint;

namespace {

// The material chooser is not asked by what these tests build.
class NoDialogs final : public model::EntityEditor {
public:
    int chooseMaterial(materials::Material&, bool) override { return 0; }
    int faceProperties(model::Face&) override { return 0; }
    int sourceParameters(model::Source&) override { return 0; }
    int editNotes(const std::string&, std::string&) override { return 0; }
};

class Building : public ::testing::Test {
protected:
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    views::ViewSet views{doc};
    storage::UndoRing undo;
    NoDialogs editor;
    tools::ToolPalette palette{ui::Image{}};
    tools::ToolMemory memory;
    tools::ToolContext ctx{doc, views, undo, editor, palette, memory};
};

TEST_F(Building, OnlySoundPolygonsAreKept)
{
    tools::Construction build(ctx);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    X3DPoint twoPoints[3] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 0}};
    X3DPoint inLine[3] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
    X3DPoint notFinite[3] = {{0, 0, 0}, {1, 0, 0}, {1, nan, 0}};
    X3DPoint farOut[3] = {{0, 0, 0}, {1, 0, 0}, {1, 2e9, 0}};
    X3DPoint good[4] = {{0, 0, 0}, {0, 0, 3}, {4, 0, 3}, {4, 0, 0}};
    EXPECT_FALSE(build.addPolygon(twoPoints, 3, {}));
    EXPECT_FALSE(build.addPolygon(inLine, 3, {}));
    EXPECT_FALSE(build.addPolygon(notFinite, 3, {}));
    EXPECT_FALSE(build.addPolygon(farOut, 3, {}));
    EXPECT_TRUE(build.empty());
    EXPECT_TRUE(build.addPolygon(good, 0, {}));
    EXPECT_EQ(build.last().typeCode(), model::type::Wall);
    EXPECT_TRUE(build.addPolygon(good, 4, {}));
    EXPECT_EQ(build.last().typeCode(), model::type::Face);
    // Points of notes and receivers are checked as well.
    EXPECT_FALSE(build.add(std::make_unique<model::Receiver>(X3DPoint(0, 0, 0), X3DPoint(0, 0, nan))));
    EXPECT_FALSE(build.add(std::make_unique<model::Text>(X3DPoint(0, 0, -2e9), X3DPoint(0, 0, 0), "")));
    EXPECT_EQ(build.size(), 2u);
}

TEST_F(Building, NothingBuiltLeavesTheModelAndTheUndoRingAlone)
{
    tools::Construction build(ctx);
    X3DPoint inLine[3] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
    build.addPolygon(inLine, 3, {});
    EXPECT_FALSE(build.commit());
    EXPECT_EQ(doc.undoPosition, 0);
    EXPECT_FALSE(doc.modified());
    EXPECT_EQ(doc.count(), 0u);
}

TEST_F(Building, OneActionIsOneUndoStepHoweverMuchItBuilds)
{
    for (int round = 0; round < 2; ++round) {
        tools::Construction build(ctx);
        // 500 faces: more than are painted one by one.
        for (int i = 0; i < 500; ++i) {
            X3DPoint p[3] = {{double(i), 0, 0}, {i + 1.0, 0, 0}, {double(i), 1, 0}};
            ASSERT_TRUE(build.addPolygon(p, 3, {}));
        }
        EXPECT_TRUE(build.commit());
        EXPECT_TRUE(build.empty());
    }
    EXPECT_EQ(doc.count(), 1000u);
    EXPECT_EQ(doc.undoPosition, 2);
    EXPECT_TRUE(doc.modified());
    EXPECT_TRUE(doc.autoDraw);
    ASSERT_TRUE(undo.undo(doc));
    EXPECT_EQ(doc.count(), 500u);
}

TEST_F(Building, OpeningsGoIntoTheirWall)
{
    X3DPoint corners[4] = {{0, 0, 0}, {0, 0, 3}, {4, 0, 3}, {4, 0, 0}};
    doc.append(std::make_unique<model::Wall>(corners, materials::Material{}));
    auto& wall = static_cast<model::Wall&>(*doc.children()[0]);
    tools::Construction build(ctx);
    X3DPoint door[4] = {{1, 0, 0}, {1, 0, 2}, {2, 0, 2}, {2, 0, 0}};
    ASSERT_TRUE(build.addTo(wall, std::make_unique<model::Door>(door, 4, materials::Material{})));
    ASSERT_TRUE(build.commit());
    EXPECT_EQ(doc.count(), 1u);
    ASSERT_EQ(wall.count(), 2u);
    EXPECT_EQ(wall.children()[1]->typeCode(), model::type::Door);
    EXPECT_EQ(doc.undoPosition, 1);
}

TEST(ToolGeometry, PointsRoundToMicrometresAndAnglesRunOnceRound)
{
    X3DPoint p = tools::rounded({0.1234565, -2.0000004, 7.9999996});
    EXPECT_DOUBLE_EQ(p.x, 0.123457);
    EXPECT_DOUBLE_EQ(p.y, -2.0);
    EXPECT_DOUBLE_EQ(p.z, 8.0);
    EXPECT_DOUBLE_EQ(tools::directionAngle({0, 0}, {0, -1}), 1.5 * geometry::PI);
    EXPECT_DOUBLE_EQ(tools::directionAngle({0, 0}, {-1, 0}), geometry::PI);
    EXPECT_EQ(tools::directionAngle({1, 1}, {2, 1}), 0.0);
    model::ViewPoint q = tools::polar({1, 1}, geometry::PI / 2, 2);
    EXPECT_NEAR(q.u, 1.0, 1e-15);
    EXPECT_DOUBLE_EQ(q.v, 3.0);
}

TEST(ToolGeometry, TheDepthOfAPointIsWhatTakesItBackIntoEveryView)
{
    model::Document doc;
    views::ViewSet views(doc);
    views.auxiliary().setBaseLine({0, 8}, {12, 0});
    X3DPoint p(3.25, -1.5, 2.75);
    for (const auto& view : views.all()) {
        if (view->is(views::viewId::Assonometry) || view->is(views::viewId::View3D)) {
            continue;  // no way back from a picture
        }
        X3DPoint back = view->toWorld(view->toView(p), tools::depthOf(*view, p));
        EXPECT_NEAR(back.x, p.x, 1e-12) << view->projection().className();
        EXPECT_NEAR(back.y, p.y, 1e-12) << view->projection().className();
        EXPECT_NEAR(back.z, p.z, 1e-12) << view->projection().className();
    }
}

TEST(ToolGeometry, SubdivisionsProposeOneForThirtyDegreesAndNeedOneForNinety)
{
    ui::headless::HeadlessPlatform platform;
    int n = 0;
    platform.queueDialog({"GETVALUEBOX", {}, true, {{115, "Subdivisions:"}, {120, "6"}}});
    ASSERT_TRUE(tools::askSubdivisions(geometry::PI, n));
    EXPECT_EQ(n, 6);
    platform.queueDialog({"GETVALUEBOX", {{120, "1"}}, true});
    EXPECT_FALSE(tools::askSubdivisions(-geometry::PI, n));
    platform.queueDialog({"GETVALUEBOX", {{120, "2"}}, true});
    EXPECT_TRUE(tools::askSubdivisions(-geometry::PI, n));
    EXPECT_EQ(n, 2);
    // Beyond reason: refused rather than exhausting the memory.
    platform.queueDialog({"GETVALUEBOX", {{120, "100000"}}, true});
    EXPECT_FALSE(tools::askSubdivisions(geometry::PI, n));
    platform.queueDialog({"GETVALUEBOX", {}, false});
    EXPECT_FALSE(tools::askSubdivisions(geometry::PI, n));
    EXPECT_EQ(platform.errors,
              (std::vector<std::string>{"Invalid number of subdivisions", "Invalid number of subdivisions"}));
    EXPECT_TRUE(platform.failures.empty());
}

}  // namespace
