// The mouse in the views, as the user meets it: gestures and their rubber
// bands, snapping, picking, the read-out, and the tools' actions. The plan
// view starts at 0.05 m a pixel with the origin at its centre (600, 400).
#include <gtest/gtest.h>

#include "model/Wall.h"
#include "tests/app/AppFixture.h"
#include "tools/AdvancedBox.h"

namespace {

class ViewGestures : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        testsupport::writeText("room.ray", roomProject());
        ASSERT_TRUE(play("answer file room.ray\ncommand \"&Open...\"\n"));
        startMapping();
    }
    // Opening zooms the views to the model; the pixel figures of these tests
    // are those of the views as the program starts.
    void startMapping()
    {
        for (const auto& v : application->views.all()) {
            v->setScale(0.05);
            v->setCentre({0.0, 0.0});
        }
    }
    // A floor, a raised stage at 3 m, a wall along y = 0 with a door, two
    // receivers and a source.
    static const char* roomProject()
    {
        return "EntityList\n"
               " Face 0 1 4  0 0 0  10 0 0  10 6 0  0 6 0\n"
               " Face 0 2 4  6 4 3  9 4 3  9 6 3  6 6 3\n"
               " Wall\n"
               "  Face 1 1 4  0 0 0  10 0 0  10 0 3  0 0 3\n"
               "  Door 0 5 4  1 0 0  2 0 0  2 0 2  1 0 2\n"
               " End\n"
               " Receiver 5 3 1.2 0 0 1.2\n"
               " Receiver 7 2 1.2 0 0 1.2\n"
               " Source 2 5 1.5 5 3 1.2 0 omni.spk\n"
               "End\n"
               "InfoList\n"
               "End\n";
    }
    tools::ToolController& tools() { return *application->tools; }
    views::ViewWindow& view(const char* name)
    {
        for (const auto& v : application->views.all()) {
            if (std::string(v->projection().className()) == name) {
                return *v;
            }
        }
        return *application->views.all().front();
    }
    ui::headless::RecordingDrawContext& recorder(const char* name)
    {
        return static_cast<ui::headless::HeadlessWindow*>(view(name).native)->dc;
    }
};

TEST_F(ViewGestures, EachToolMakesItsOwnGesture)
{
    struct Case {
        const char* tool;
        bool select;
        int mode;
    } cases[] = {
        {"&Pick", false, 2},   {"&Lens", false, 2},  {"&Move", false, 2},      {"&Move", true, 1},
        {"&Rotate", true, 0},  {"&Floor", false, 2}, {"&Wall", false, 1},      {"&Cylinder", false, 1},
        {"So&urce", false, 1}, {"&Box", false, 0},   {"&Text note", false, 2},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(play(std::string(c.select ? "key F2\n" : "key Esc\n") + "command \"" + c.tool + "\"\n" +
                         "press PLANT @1,1\n"));
        EXPECT_EQ(tools().tracker.mode(), c.mode) << c.tool;
        // Rotate acts on the click: its angle is asked for; so are a source's parameters.
        std::string answer = c.mode == 0 && c.select ? "answer GETVALUEBOX cancel\n" : "";
        if (std::string(c.tool) == "So&urce") {
            answer = "answer GETSOURCEBOX cancel\n";
        }
        ASSERT_TRUE(play(answer + "release PLANT @1,1\n")) << c.tool;
        EXPECT_FALSE(tools().tracker.active());
    }
    // Shift makes a rectangle of a source; floors and walls give no figure
    // where they cannot be drawn.
    ASSERT_TRUE(play("command \"So&urce\"\npress PLANT @1,1 shift\n"));
    EXPECT_EQ(tools().tracker.mode(), 2);
    ASSERT_TRUE(play("answer confirm no\nrelease PLANT @1,1\ncommand \"Sta&ndard\"\ncommand \"&Wall\"\n"
                     "press ASSONOMETRY 100 100\n"));
    EXPECT_EQ(tools().tracker.mode(), 0);
    ASSERT_TRUE(play("release ASSONOMETRY 100 100\npress FRONT @1,1\n"));
    EXPECT_EQ(tools().tracker.mode(), 2);
    ASSERT_TRUE(play("release FRONT @1,1\n"));
}

TEST_F(ViewGestures, TheRubberBandIsDrawnInXorAndTakenAwayAgain)
{
    ASSERT_TRUE(play("key F2\ncommand \"&Move\"\npress PLANT @1,1\nmove PLANT @2,2\n"));
    recorder("PLANT").ops.clear();
    ASSERT_TRUE(play("move PLANT @3,2\n"));
    const auto& ops = recorder("PLANT").ops;
    // The old line goes (drawn again) and the new one comes, both in XOR.
    std::vector<std::string> lines;
    for (const std::string& op : ops) {
        if (op.rfind("move", 0) == 0 || op.rfind("line", 0) == 0) {
            lines.push_back(op);
        }
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"move 620 380", "line 640 360", "move 620 380", "line 660 360"}));
    EXPECT_FALSE(recorder("PLANT").xorMode);
    EXPECT_TRUE(static_cast<ui::headless::HeadlessWindow*>(view("PLANT").native)->confined);
    ASSERT_TRUE(play("key Esc\nrelease PLANT @3,2\n"));
    EXPECT_FALSE(static_cast<ui::headless::HeadlessWindow*>(view("PLANT").native)->confined);
}

TEST_F(ViewGestures, PointsSnapToTheGridOrWithCtrlToAVertexButNotForPickAndLens)
{
    ASSERT_TRUE(play("command \"&Floor\"\npress PLANT @1.3,0.6\n"));
    EXPECT_EQ(tools().tracker.start().u, 1.0);
    EXPECT_EQ(tools().tracker.start().v, 1.0);
    ASSERT_TRUE(play("move PLANT @4.8,3.2 ctrl\n"));  // the receiver at (5, 3) is within one grid step
    EXPECT_EQ(tools().tracker.endPoint().u, 5.0);
    EXPECT_EQ(tools().tracker.endPoint().v, 3.0);
    ASSERT_TRUE(play("move PLANT @3.4,3.45 ctrl\n"));  // nothing that near: the grid as without Ctrl
    EXPECT_EQ(tools().tracker.endPoint().u, 3.0);
    EXPECT_EQ(tools().tracker.endPoint().v, 3.0);
    ASSERT_TRUE(play("answer GETVALUEBOX cancel\nrelease PLANT @3.4,3.45\n"));
    ASSERT_TRUE(play("command \"&Pick\"\npress PLANT @1.3,0.6 ctrl\n"));
    views::ViewWindow& plan = view("PLANT");
    model::ViewPoint pressed = plan.pixelToView(plan.viewToPixel({1.3, 0.6}));
    EXPECT_EQ(tools().tracker.start().u, pressed.u);
    EXPECT_EQ(tools().tracker.start().v, pressed.v);
    ASSERT_TRUE(play("release PLANT @1.3,0.6\n"));
}

TEST_F(ViewGestures, APickIsAClickUnderThreePixelsAndARectangleFromThree)
{
    // The receiver at (5, 3) is pixel (700, 340).
    ASSERT_TRUE(play("drag PLANT 699 339 701 341\nexpect selected 1\n"
                     "drag PLANT 699 339 701 341\nexpect selected 0\n"
                     // 3 pixels across: a rectangle, and the receiver lies inside it.
                     "drag PLANT 698 338 701 341\nexpect selected 1\n"
                     "key Esc\n"
                     // Around the whole plan: everything at every height, walls' members too.
                     "drag PLANT @-1,-1 @11,7\nexpect selected 7\n"));
    // The axonometric view has no rectangle: it picks at the end instead.
    ASSERT_TRUE(play("key Esc\ncommand \"Sta&ndard\"\n"));
    views::ViewWindow& axo = view("ASSONOMETRY");
    ui::PixelPoint p = axo.toPixel({5, 3, 1.2});
    ASSERT_TRUE(play("drag ASSONOMETRY " + std::to_string(p.x - 40) + " " + std::to_string(p.y - 40) + " " +
                     std::to_string(p.x) + " " + std::to_string(p.y) + "\nexpect selected 1\n"));
}

TEST_F(ViewGestures, TheReadOutFollowsThePointerAndMeasuresDuringAGesture)
{
    ASSERT_TRUE(play("move PLANT @20,20\n"
                     "expect readout \"20.00 20.00 0.00 m\"\n"
                     "move PLANT @7.2,5.1\n"  // over the stage at 3 m
                     "expect readout \"7.00 5.00 3.00 m\"\n"
                     "command \"&Floor\"\n"
                     "press PLANT @1,1\n"
                     "move PLANT @1,1\n"  // the first move of the gesture: where it is measured from
                     "expect readout \"1.00 1.00 0.00 m D= 0.00 m\"\n"
                     "move PLANT @4,5\n"
                     "expect readout \"4.00 5.00 0.00 m D= 5.00 m\"\n"
                     "answer GETVALUEBOX cancel\n"
                     "release PLANT @4,5\n"
                     "move PLANT @4,5\n"
                     "expect readout \"4.00 5.00 0.00 m\"\n"));
}

TEST_F(ViewGestures, PromptsFollowTheTool)
{
    ASSERT_TRUE(play("expect status \"\"\n"  // opening clears the status line
                     "command \"&Move\"\nexpect status \"Draw the direction line\"\n"
                     "command \"&Roof\"\nexpect status \"Select the first control point\"\n"
                     "command \"&Text note\"\nexpect status \"\"\n"
                     "command \"So&urce\"\nexpect status \"Draw the Source-Target line\"\n"));
    EXPECT_TRUE(application->frame->isMenuChecked(219));
    EXPECT_FALSE(application->frame->isMenuChecked(221));
}

TEST_F(ViewGestures, MoveTranslatesTheSelectionAndADoorSlidesAlongItsWall)
{
    // Pick the door in the side view (x across, z up) by its top edge.
    ASSERT_TRUE(play("command \"Sta&ndard\"\nclick SIDE @1.5,2\nexpect selected 1\n"
                     "command \"&Move\"\n"
                     "drag PLANT @1,0 @3,1\n"  // across the wall as well as along it
                     "dump moved.ray\n"
                     "expect contains moved.ray \"Door 0 5 4  3 0 0  4 0 0  4 0 2  3 0 2\"\n"
                     "expect modified yes\n"
                     "key Ctrl+Z\n"
                     "dump back.ray\n"
                     "expect contains back.ray \"Door 0 5 4  1 0 0  2 0 0  2 0 2  1 0 2\"\n"));
    // A move of no length changes nothing and takes no snapshot.
    ASSERT_TRUE(play("command \"&Lens\"\nclick PLANT 10 10\ncommand \"&Move\"\n"
                     "drag PLANT @5,3 @5.2,3.1\nkey Ctrl+Z\nexpect error \"Nothing to undo!\"\nkey Ctrl+Z\n"));
}

TEST_F(ViewGestures, MirrorAnsweredNoLeavesCopiesBehind)
{
    ASSERT_TRUE(play("drag PLANT 699 339 701 341\n"  // the receiver at (5, 3)
                     "command \"Mirr&or\"\n"
                     "answer confirm no\n"
                     "drag PLANT @4,0 @4,5\n"  // the plane x = 4, upright
                     "expect count Receiver 3\n"
                     "expect selected 1\n"
                     "dump mirrored.ray\n"
                     "expect contains mirrored.ray \"Receiver 5 3 1.2 0 0 1.2\"\n"
                     "expect contains mirrored.ray \"Receiver 3 3 1.2 8 0 1.2\"\n"
                     // A click reflects through the point, at depth 0.
                     "answer confirm yes\n"
                     "click PLANT @3,2\n"
                     "dump point.ray\n"
                     "expect contains point.ray \"Receiver 3 1 -1.2 -2 4 -1.2\"\n"
                     "expect count Receiver 3\n"));
}

TEST_F(ViewGestures, RotateTurnsAboutTheViewDirectionThroughThePoint)
{
    // +90 degrees: anticlockwise in the plan (about +z) ...
    ASSERT_TRUE(play("drag PLANT 699 339 701 341\ncommand \"&Rotate\"\n"
                     "answer GETVALUEBOX 120=90 ok\nclick PLANT @5,0\n"
                     "dump plan.ray\nexpect contains plan.ray \"Receiver 2 0 1.2 5 -5 1.2\"\n"
                     // ... in the front view about +x through (y, z) = (0, 0) ...
                     "command \"Sta&ndard\"\n"
                     "answer GETVALUEBOX 120=90 ok\nclick FRONT @0,0\n"
                     "dump front.ray\nexpect contains front.ray \"Receiver 2 -1.2 0 5 -1.2 -5\"\n"
                     // ... in the side view about +y: z goes to x.
                     "answer GETVALUEBOX 120=90 ok\nclick SIDE @0,0\n"
                     "dump side.ray\nexpect contains side.ray \"Receiver 0 -1.2 -2 -5 -1.2 -5\"\n"
                     // Cancel, or no angle, changes nothing.
                     "answer GETVALUEBOX ok\nclick SIDE @0,0\n"
                     "answer GETVALUEBOX 120=45 cancel\nclick SIDE @0,0\n"
                     "dump same.ray\nexpect contains same.ray \"Receiver 0 -1.2 -2 -5 -1.2 -5\"\n"));
}

TEST_F(ViewGestures, ResizeScalesAboutTheOriginAndCanBeUndone)
{
    testsupport::writeText("seg.ray", "EntityList\n Face 0 1 3  1 1 0  2 1 0  2 2 0\nEnd\nInfoList\nEnd\n");
    ASSERT_TRUE(play("answer file seg.ray\ncommand \"&Open...\"\n"));
    startMapping();
    ASSERT_TRUE(play("expect error \"It's not so funny ... if you don't select entities\"\n"
                     "command \"Resize...\"\n"
                     "key F2\n"
                     "answer GETVALUEBOX 120=0.000001 ok\n"
                     "expect error \"Resize factor too small\"\n"
                     "command \"Resize...\"\n"
                     "answer GETVALUEBOX 120=2 ok\n"
                     "command \"Resize...\"\n"
                     "expect modified yes\n"
                     "dump big.ray\nexpect contains big.ray \"Face 0 1 3  2 2 0  4 2 0  4 4 0\"\n"
                     "key Ctrl+Z\n"
                     "dump small.ray\nexpect contains small.ray \"Face 0 1 3  1 1 0  2 1 0  2 2 0\"\n"));
}

TEST_F(ViewGestures, TheSelectMenuSelectsByKindAndMaterial)
{
    ASSERT_TRUE(play("command \"Toggle All Receivers\"\nexpect selected 2\n"
                     "command \"Toggle All Receivers\"\nexpect selected 0\n"
                     "command \"Toggle All Sources\"\nexpect selected 1\n"
                     "key Esc\n"
                     // Material 1: the floor and the wall's face inside its wall.
                     "answer GETMATERIAL 120=1 ok\ncommand \"Select Material\"\nexpect selected 2\n"
                     "answer GETMATERIAL 120=5 ok\ncommand \"Select Material\"\nexpect selected 3\n"
                     "answer GETMATERIAL 120=2 cancel\ncommand \"Select Material\"\nexpect selected 3\n"
                     "key Esc\n"
                     "command \"Select &Monopermeable\"\nexpect selected 0\n"));
}

TEST_F(ViewGestures, LockingKeepsEntitiesOutOfEverySelection)
{
    ASSERT_TRUE(play("command \"Toggle All Receivers\"\n"
                     "command \"&Lock selection\"\nexpect selected 0\n"
                     "key F2\nexpect selected 5\n"
                     "command \"&Unlock all\"\nkey F2\nexpect selected 7\n"
                     // Select All, deselect one, Toggle Selection: everything goes.
                     "drag PLANT 699 339 701 341\nexpect selected 6\n"
                     "command \"Toggle Selection\"\nexpect selected 0\n"));
    // A wall with only its door selected is not at the top level: it stays unlocked.
    ASSERT_TRUE(play("command \"Sta&ndard\"\nclick SIDE @1.5,2\ncommand \"&Lock selection\"\nkey F2\n"
                     "expect selected 7\n"));
}

TEST_F(ViewGestures, TheAreaSummaryChargesOpeningsToTheirWallAndSelectsByMaterial)
{
    ASSERT_TRUE(play("answer ADVANCEDBOX cancel\nkey F3\n"));
    const std::vector<std::string> lines = tools::AdvancedBox::lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], " N.       Area     Name");
    EXPECT_EQ(lines[1], "  1         88.0 - Concrete");  // 60 m2 floor + 30 m2 wall - 2 m2 door
    EXPECT_EQ(lines[2], "  2          6.0 - Glass");
    EXPECT_EQ(lines[3], "  5          2.0 - Carpet");
    ASSERT_TRUE(play("answer ADVANCEDBOX 112=1|5 cancel\nkey F3\nexpect selected 3\n"
                     "answer ADVANCEDBOX 112=5 112= cancel\nkey F3\nexpect selected 0\n"
                     // The heading reads as material 0: nothing of it here.
                     "answer ADVANCEDBOX 112=N. cancel\nkey F3\nexpect selected 0\n"));
    EXPECT_FALSE(materials::materialList().materialColoursShown);
}

TEST_F(ViewGestures, ARightClickOnAWallSetsTheAuxiliaryView)
{
    ASSERT_TRUE(play("rclick PLANT @5,0\nexpect selected 0\n"));
    const views::AUXILIARY& aux = application->views.auxiliary();
    EXPECT_EQ(aux.baseLine().a, 0.0);  // from (0, 0) to (10, 0)
    EXPECT_EQ(aux.baseLine().b, 10.0);
    ASSERT_TRUE(play("expect error \"You should click on a Wall\"\nrclick PLANT @5,3\n"
                     // A wall already selected is toggled off: no wall; the next click finds it.
                     "key F2\nexpect error \"You should click on a Wall\"\nrclick PLANT @5,0\n"
                     "key Esc\nrclick PLANT @5,0\n"));
    // With the Lens the right button zooms out.
    ASSERT_TRUE(play("command \"&Lens\"\nrclick PLANT @5,0\nexpect scale PLANT 0.1\n"));
}

TEST_F(ViewGestures, AnUprightWallOfNoLengthLeavesTheAuxiliaryViewAlone)
{
    testsupport::writeText("post.ray", "EntityList\n Wall\n  Face 0 1 4  2 2 0  2 2 3  2 3 3  2 3 0\n End\nEnd\n"
                                       "InfoList\nEnd\n");
    // Its first and third corners are (2, 2) and (2, 3): fine. A face whose
    // first and third corners stand on one plan point is refused.
    testsupport::writeText("pin.ray", "EntityList\n Wall\n  Face 0 1 4  2 2 0  3 2 1  2 2 3  1 2 1\n End\nEnd\n"
                                      "InfoList\nEnd\n");
    ASSERT_TRUE(play("answer file pin.ray\ncommand \"&Open...\"\n"
                     "expect error \"The wall has no length in plan: the auxiliary view is unchanged\"\n"
                     "rclick PLANT @2.5,2\n"));
    EXPECT_EQ(application->views.auxiliary().direction().x, 0.0);
    EXPECT_EQ(application->views.auxiliary().baseLine().a, -1.0);  // still the line from (0,0) to (1,1)
}

TEST_F(ViewGestures, DoorsWindowsAndHolesNeedAWall)
{
    ASSERT_TRUE(play("command \"&Door\"\nexpect error \"You must select a Wall first\"\nclick PLANT @5,3\n"
                     "answer GETDOORBOX cancel\nclick PLANT @5,0\n"));  // a wall under the pointer is taken
    EXPECT_TRUE(static_cast<model::Wall*>(application->document.children()[2].get())->baseFace->selected);
}

TEST_F(ViewGestures, AutoScrollMovesTheViewOncePerPaint)
{
    ASSERT_TRUE(play("command \"&Floor\"\npress PLANT @1,1\nmove PLANT 1199 400\n"));
    views::ViewWindow& plan = view("PLANT");
    auto* native = static_cast<ui::headless::HeadlessWindow*>(plan.native);
    EXPECT_NEAR(plan.centre().u, 29.95, 1e-9);
    EXPECT_EQ(native->pointerX, 600);
    EXPECT_EQ(native->pointerY, 400);
    ASSERT_TRUE(play("answer GETVALUEBOX cancel\nrelease PLANT 600 400\n"));
    EXPECT_FALSE(tools().tracker.active());
}

TEST_F(ViewGestures, LosingTheMouseEndsTheGestureWithoutActing)
{
    ASSERT_TRUE(play("key F2\ncommand \"&Move\"\npress PLANT @1,1\nmove PLANT @4,1\n"));
    view("PLANT").onCaptureLost();
    EXPECT_FALSE(tools().tracker.active());
    ASSERT_TRUE(play("release PLANT @4,1\nexpect modified no\n"));
}

TEST_F(ViewGestures, GridAndViewOptionsChangeWhatIsDrawn)
{
    ASSERT_TRUE(play("answer GRIDBOX 120=0.5 161=0 ok\ncommand \"&Grid...\"\n"
                     "command \"&Floor\"\npress PLANT @1.3,0.6\n"));
    EXPECT_EQ(tools().tracker.start().u, 1.5);
    EXPECT_FALSE(application->document.axesShown);
    ASSERT_TRUE(play("release PLANT @1.3,0.6\nanswer GRIDBOX 120=0 ok\ncommand \"&Grid...\"\n"));
    EXPECT_EQ(application->document.gridStep(), 0.001);
    // Receivers hidden cannot be picked.
    ASSERT_TRUE(play("answer VIEWBOX 143=0 ok\ncommand \"&View...\"\ncommand \"&Pick\"\n"
                     "click PLANT 700 340\nexpect selected 0\n"));
}

TEST_F(ViewGestures, TheAxonometricOptionsOfferTheStandardAngles)
{
    ASSERT_TRUE(play("command \"Sta&ndard\"\nanswer ASSONOMETRYBOX 152=1 ok\nrclick ASSONOMETRY 10 10\n"));
    EXPECT_EQ(application->views.assonometry().xAngle(), 30.0);
    EXPECT_EQ(application->views.assonometry().yAngle(), 30.0);
    ASSERT_TRUE(play("answer ASSONOMETRYBOX 154=1 120=20 cancel\nrclick ASSONOMETRY 10 10\n"
                     "answer ASSONOMETRYBOX 120=abc 121=12 ok\nrclick ASSONOMETRY 10 10\n"));
    EXPECT_EQ(application->views.assonometry().xAngle(), 0.0);
    EXPECT_EQ(application->views.assonometry().yAngle(), 12.0);
}

TEST_F(ViewGestures, TheBaseMapIsReadIntoThePlanWithItsOffsetAndScale)
{
    testsupport::writeText("site.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n30\n0\n"
                                       "11\n100\n21\n0\n31\n0\n0\nENDSEC\n0\nEOF\n");
    ASSERT_TRUE(play("answer BASEMAPBOX 120=site.dxf 121=-15 122=2 123=0.2 ok\ncommand \"Base map...\"\n"));
    model::Document& doc = application->document;
    ASSERT_EQ(doc.baseMap.count(), 1u);
    EXPECT_TRUE(doc.baseMap.selected);
    // 100 drawing units at 0.2 m each, from (-15, 2) to (5, 2): the fit takes it in.
    ASSERT_TRUE(play("command \"&Lens\"\nclick PLANT 10 10\nexpect centre PLANT -2.5 3\n"));
    // Hidden, it no longer counts for the extents; an unreadable file says so.
    ASSERT_TRUE(play("answer BASEMAPBOX 141=0 ok\ncommand \"Base map...\"\nclick PLANT 10 10\n"
                     "expect centre PLANT 5 3\n"
                     "expect error \"Can't read the file nowhere.dxf\"\n"
                     "answer BASEMAPBOX 120=nowhere.dxf ok\ncommand \"Base map...\"\n"
                     "answer BASEMAPBOX 120= ok\ncommand \"Base map...\"\n"));
    EXPECT_EQ(doc.baseMap.count(), 0u);
    EXPECT_TRUE(doc.baseMapFile.empty());
}

}  // namespace

TEST_F(ViewGestures, EscapeInTheMiddleOfAGestureGivesItUp)
{
    // A floor's rectangle dragged out, Esc, then the button let go: no floor.
    std::size_t before = application->document.count();
    ASSERT_TRUE(play("command \"&Floor\"\npress PLANT @1,1\nmove PLANT @4,3\nkey Esc\nrelease PLANT @4,3\n"));
    EXPECT_FALSE(tools().tracker.active());
    EXPECT_EQ(application->document.count(), before);
    // The next gesture works as ever.
    ASSERT_TRUE(play("answer GETVALUEBOX 120=0 ok\nanswer GETMATERIAL 120=1 ok\npress PLANT @1,1\nmove PLANT @4,3\n"
                     "release PLANT @4,3\n"));
    EXPECT_EQ(application->document.count(), before + 1);
}
