// The construction tools in the whole program: every tool's action is one
// undo step that Undo takes back byte for byte; input that would build
// nothing sound leaves the model and the undo ring as they were; what a
// tool collects goes when another tool is chosen.
#include "model/Wall.h"
#include "tests/app/AppFixture.h"

namespace {

// A floor at 0, a 4 m wall along y = 0, a source: something for every tool
// to stand on, open into or aim at.
const char* site()
{
    return "EntityList\n"
           " Face 0 1 4  0 0 0  10 0 0  10 6 0  0 6 0\n"
           " Wall\n"
           "  Face 0 1 4  0 0 0  0 0 3  4 0 3  4 0 0\n"
           " End\n"
           " Source 2 5 1.5 5 3 1.2 0 omni.spk\n"
           "End\n"
           "InfoList\n"
           "End\n";
}

struct ToolCase {
    const char* name;
    const char* script;  // one user action, with its answers
};

class EveryTool : public AppFixture, public ::testing::WithParamInterface<ToolCase> {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        testsupport::writeText("site.ray", site());
        ASSERT_TRUE(play("answer file site.ray\ncommand \"&Open...\"\ncommand \"Sta&ndard\"\n"));
    }
};

TEST_P(EveryTool, IsOneUndoStepThatUndoTakesBackByteForByte)
{
    ASSERT_TRUE(play("dump before.ray\n"));
    int position = application->document.undoPosition;
    std::size_t entities = static_cast<std::size_t>(application->document.forEach([](model::Entity&) { return 1; }));
    ASSERT_TRUE(play(GetParam().script));
    EXPECT_EQ(application->document.undoPosition, position + 1) << "one snapshot for the whole action";
    EXPECT_TRUE(application->document.modified());
    std::size_t after = static_cast<std::size_t>(application->document.forEach([](model::Entity&) { return 1; }));
    EXPECT_GT(after, entities) << "the action built something";
    ASSERT_TRUE(play("key Ctrl+Z\ndump after.ray\n"));
    EXPECT_EQ(testsupport::readText(file("after.ray")), testsupport::readText(file("before.ray")));
}

INSTANTIATE_TEST_SUITE_P(
    Tools, EveryTool,
    ::testing::Values(
        ToolCase{"Floor", "command \"&Floor\"\nanswer GETVALUEBOX ok\nanswer GETMATERIAL 120=2 ok\n"
                          "drag PLANT @20,0 @24,4\n"},
        ToolCase{"Wall", "command \"&Wall\"\nanswer GETQUOTASBOX ok\nanswer GETQUOTASBOX ok\n"
                         "answer GETMATERIAL 120=1 ok\ndrag PLANT @20,0 @24,0\n"},
        ToolCase{"Roof", "command \"&Roof\"\nanswer GETVALUEBOX 120=3 ok\nclick PLANT @20,0\n"
                         "answer GETVALUEBOX ok\nclick PLANT @24,0\nanswer GETVALUEBOX ok\nclick PLANT @24,4\n"
                         "answer GETMATERIAL 120=1 ok\nclick PLANT @20,4\n"},
        ToolCase{"RoofRectangle", "command \"&Roof\"\nanswer GETVALUEBOX 120=3 ok\nanswer GETVALUEBOX ok\n"
                                  "answer GETVALUEBOX ok\nanswer GETMATERIAL 120=1 ok\n"
                                  "drag PLANT @20,0 @24,4 shift\n"},
        ToolCase{"Door", "command \"&Door\"\nanswer GETDOORBOX ok\nanswer GETMATERIAL 120=2 ok\nclick PLANT @2,0\n"},
        ToolCase{"Window", "command \"W&indow\"\nanswer GETWINDOWBOX ok\nanswer GETMATERIAL 120=2 ok\n"
                           "click PLANT @2,0\n"},
        ToolCase{"Hole", "command \"&Pick\"\nclick SIDE @2,3\ncommand \"&Hole\"\nclick SIDE @1,1\n"
                         "click SIDE @2,2\nclick SIDE @3,1\nanswer confirm no\nclick SIDE @1,1\n"},
        ToolCase{"Source", "command \"So&urce\"\nanswer GETSOURCEBOX ok\ndrag PLANT @7,1 @7,4\n"},
        ToolCase{"Receiver", "command \"R&eceiver\"\nanswer GETVALUEBOX ok\ndrag PLANT @7,1 @7,4\n"},
        ToolCase{"ReceiversOnWall", "command \"R&eceiver\"\nanswer PALACEBOX ok\nanswer INFOBOX ok\n"
                                    "click PLANT @2,1\n"},
        ToolCase{"ReceiverGrid", "command \"R&eceiver\"\nanswer confirm yes\nanswer GETVALUEBOX ok\n"
                                 "answer GETVALUEBOX ok\ndrag PLANT @1,1 @9,5 shift\n"},
        ToolCase{"SourceGrid", "command \"So&urce\"\nanswer confirm no\nanswer GETVALUEBOX ok\n"
                               "answer GETVALUEBOX ok\nanswer GETVALUEBOX ok\nanswer GETVALUEBOX ok\n"
                               "answer file cancel\ndrag PLANT @1,1 @9,5 shift\n"},
        ToolCase{"TextNote", "command \"&Text note\"\nanswer INFOBOX 120=Hall ok\ndrag PLANT @1,1 @3,2\n"},
        ToolCase{"Box", "command \"&Box\"\nclick PLANT @20,0\nclick PLANT @24,0\nclick PLANT @24,4\n"
                        "answer BOXBOX ok\nanswer GETMATERIAL 120=1 ok\nclick PLANT @20,0\n"},
        ToolCase{"BoxesPiece", "command \"Bo&xes\"\nanswer GETVALUEBOX ok\nanswer PIPEBOX 123=1 ok\n"
                               "answer GETMATERIAL 120=1 ok\nclick PLANT @20,0\nanswer GETVALUEBOX ok\n"
                               "click PLANT @24,0\nanswer GETVALUEBOX ok\nclick PLANT @24,0\n"},
        ToolCase{"PipePiece", "command \"&Pipe\"\nanswer GETVALUEBOX 120=2 ok\nanswer GETVALUEBOX ok\n"
                              "answer GETVALUEBOX ok\nanswer GETMATERIAL 120=1 ok\nclick PLANT @20,0\n"
                              "answer GETVALUEBOX ok\nclick PLANT @24,0\nanswer GETVALUEBOX ok\n"
                              "click PLANT @24,0\n"},
        ToolCase{"Cylinder", "command \"&Cylinder\"\nanswer CIRCLEBOX 124=1 ok\nanswer GETMATERIAL 120=1 ok\n"
                             "drag PLANT @20,0 @22,0\n"},
        ToolCase{"Sphere", "command \"&Sphere\"\nanswer CIRCLEBOX 124=1 ok\nanswer GETMATERIAL 120=1 ok\n"
                           "drag PLANT @20,0 @22,0\n"},
        ToolCase{"Cone", "command \"&Cone\"\nanswer CIRCLEBOX 124=1 ok\nanswer GETMATERIAL 120=1 ok\n"
                         "drag PLANT @20,0 @22,0\n"},
        ToolCase{"Gradin", "command \"&Gradin\"\nanswer THEATERBOX 123=20 124=120 ok\n"
                           "answer GETMATERIAL 120=1 ok\nanswer GETVALUEBOX ok\ndrag PLANT @20,0 @24,0\n"}),
    [](const ::testing::TestParamInfo<ToolCase>& info) { return std::string(info.param.name); });

using Refusals = AppFixture;

TEST_F(Refusals, PointsBeyondTheModelsLimitsBuildNothing)
{
    ASSERT_TRUE(play("dump before.ray\n"
                     // A cylinder 9e14 m up: every point is out of bounds.
                     "command \"&Cylinder\"\nanswer CIRCLEBOX 120=9e14 121=9e14 124=1 ok\n"
                     "answer GETMATERIAL 120=1 ok\ndrag PLANT @0,0 @2,0\n"
                     "command \"R&eceiver\"\nanswer GETVALUEBOX 120=9e14 ok\nclick PLANT @5,5\n"
                     "dump after.ray\nexpect same before.ray after.ray\nexpect modified no\n"));
    EXPECT_EQ(application->document.undoPosition, 0);
}

TEST_F(Refusals, ADoorNeedsAWallWithLengthInPlan)
{
    testsupport::writeText("post.ray", "EntityList\n Wall\n  Face 0 1 4  2 2 0  3 2 1  2 2 3  1 2 1\n End\nEnd\n"
                                       "InfoList\nEnd\n");
    ASSERT_TRUE(play("answer file post.ray\ncommand \"&Open...\"\n"));
    int position = application->document.undoPosition;
    ASSERT_TRUE(play("command \"&Door\"\nexpect error \"The wall has no length in plan\"\nclick PLANT @2,2\n"
                     "command \"W&indow\"\nexpect error \"The wall has no length in plan\"\nclick PLANT @2,2\n"
                     "expect count Door 0\nexpect modified no\n"));
    EXPECT_EQ(application->document.undoPosition, position);
}

TEST_F(Refusals, AHoleOutOfTheWallsPlaneSaysSo)
{
    // Clicked in the plan, every corner of a hole in an upright wall lies on
    // its foot: no area.
    testsupport::writeText("site.ray", site());
    ASSERT_TRUE(play("answer file site.ray\ncommand \"&Open...\"\ncommand \"&Hole\"\nclick PLANT @1,0\n"
                     "click PLANT @2,0\nclick PLANT @3,0\nanswer confirm no\n"
                     "expect error \"The hole has no area in the plane of the wall\"\nclick PLANT @1,0\n"
                     "expect count Hole 0\n"));
}

using ToolState = AppFixture;

TEST_F(ToolState, ChoosingAnotherToolDropsThePointsCollected)
{
    ASSERT_TRUE(play("command \"&Box\"\nclick PLANT @0,0\nclick PLANT @4,0\nclick PLANT @4,4\n"
                     "expect status \"Select the next point or the first one to close\"\n"
                     "command \"&Roof\"\ncommand \"&Box\"\n"
                     "expect status \"Select the first control point\"\n"
                     // (0, 0) starts a new outline instead of closing the old one.
                     "click PLANT @0,0\n"
                     "expect status \"Select the next point or the first one to close\"\n"
                     "expect count Wall 0\n"));
}

TEST_F(ToolState, SpaceTypesAPointOnlyForBoxesAndPipe)
{
    ui::KeyEvent space;
    space.code = ui::key::Space;
    ASSERT_TRUE(play("command \"&Wall\"\n"));
    EXPECT_FALSE(application->onKey(space));
    ASSERT_TRUE(play("command \"&Pipe\"\nanswer GETCOORDBOX cancel\nkey Space\n"
                     "expect status \"Select the first control point\"\n"));
    ASSERT_TRUE(play("command \"Bo&xes\"\nanswer GETCOORDBOX 120=1 ok\nanswer PIPEBOX ok\n"
                     "answer GETMATERIAL 120=1 ok\nkey Space\n"
                     "expect status \"Select the next point or click again to close\"\n"));
}

TEST_F(ToolState, AGridShowsItsProgressAndCanBeStopped)
{
    long runs = platform->progressRuns;
    ASSERT_TRUE(play("command \"R&eceiver\"\nanswer confirm no\nanswer GETVALUEBOX ok\nanswer GETVALUEBOX ok\n"
                     "answer GETVALUEBOX ok\nanswer GETVALUEBOX 120=1 ok\nanswer progress cancel\n"
                     "drag PLANT @0,0 @60,60 shift\nexpect count Receiver 0\nexpect modified no\n"));
    EXPECT_EQ(platform->cancelledRuns, 1);
    EXPECT_GT(platform->progressRuns, runs);
    EXPECT_FALSE(platform->progressActive);
    EXPECT_EQ(application->document.undoPosition, 0);
}

}  // namespace
