// "Check model..." and "Room acoustics..." in the program, through macro
// scripts: choosing a problem selects its entities and shows them in the views.
#include <gtest/gtest.h>

#include "tests/app/AppFixture.h"

namespace {

class AnalysisDialogs : public AppFixture {
protected:
    // A closed 10 x 6 x 3 m room of concrete (material 1 of the fixture's
    // database), a receiver 0.2 m from the north wall and one in the middle.
    static std::string room(const char* north = " Face 0 1 4  10 6 0  0 6 0  0 6 3  10 6 3\n")
    {
        return std::string("EntityList\n"
                           " Face 0 1 4  0 0 0  0 6 0  10 6 0  10 0 0\n"
                           " Face 0 1 4  0 0 3  10 0 3  10 6 3  0 6 3\n"
                           " Face 0 1 4  0 0 0  10 0 0  10 0 3  0 0 3\n"
                           " Face 0 1 4  10 0 0  10 6 0  10 6 3  10 0 3\n") +
               north +
               " Face 0 1 4  0 6 0  0 0 0  0 0 3  0 6 3\n"
               " Receiver 5 5.8 1.2  5 3 1.2\n"
               " Receiver 5 3 1.2  5 0 1.2\n"
               "End\n";
    }
    void open(const std::string& text)
    {
        testsupport::writeText("room.ray", text);
        ASSERT_TRUE(play("answer file room.ray\ncommand \"&Open...\"\n"));
    }
    views::ViewWindow& view(int command) { return *application->view(command); }
    std::vector<int> selectedEntities()
    {
        std::vector<int> out;
        int index = 0;
        for (const auto& e : application->document.children()) {
            if (e->selected) {
                out.push_back(index);
            }
            ++index;
        }
        return out;
    }
    bool shows(views::ViewWindow& v, const geometry::X3DPoint& p)
    {
        ui::PixelPoint px = v.toPixel(p);
        return px.x >= 0 && px.x <= v.width() && px.y >= 0 && px.y <= v.height();
    }
};

}  // namespace

TEST_F(AnalysisDialogs, ChoosingAProblemSelectsItsEntitiesAndZoomsTheViewsToThem)
{
    open(room());
    double before = view(app::cmd::ViewPlant).scale();
    ASSERT_TRUE(play("key F2\n"
                     "answer CHECKMODELBOX 112=1 cancel\n"
                     "command \"Check model...\"\n"
                     "expect control 112 \"1  warning  near-surface      Receiver 1 is 0.2 m from a face\"\n"));
    // Only the receiver and the face it is near, whatever was selected before.
    EXPECT_EQ(selectedEntities(), (std::vector<int>{4, 6}));
    views::ViewWindow& plan = view(app::cmd::ViewPlant);
    EXPECT_NE(plan.scale(), before);
    // The plan and the front view are centred on the wall and the receiver,
    // with both ends of the wall and the receiver in sight.
    EXPECT_NEAR(plan.centre().u, 5.0, 1e-9);
    EXPECT_NEAR(plan.centre().v, 5.9, 1e-9);
    for (int command : {app::cmd::ViewPlant, app::cmd::ViewFront, app::cmd::ViewSide, app::cmd::ViewAssonometry}) {
        views::ViewWindow& v = view(command);
        EXPECT_TRUE(shows(v, {0, 6, 0}) && shows(v, {10, 6, 3}) && shows(v, {5, 5.8, 1.2})) << command;
        EXPECT_FALSE(shows(v, {50, 50, 50})) << "zoomed in, " << command;
    }
    EXPECT_FALSE(application->document.modified()) << "looking changes nothing";
}

TEST_F(AnalysisDialogs, SeveralProblemsAtOnceAndCheckingAgainWithAnotherTolerance)
{
    // The north wall 0.5 mm off: within the tolerance at first.
    open(room(" Face 0 1 4  10 6.0005 0  0 6.0005 0  0 6.0005 3  10 6.0005 3\n"));
    ASSERT_TRUE(play("answer CHECKMODELBOX cancel\n"
                     "command \"Check model...\"\n"
                     "expect control 115 \"0 errors and 1 warning in 6 faces; the room is closed: 180.00 m3.\"\n"));
    // With 0.1 mm the wall stands apart: every edge round it is open, and the
    // receiver near it can no longer be outside a closed room.
    ASSERT_TRUE(play("answer CHECKMODELBOX 120=0.0001 113=click 112=1|2 cancel\n"
                     "command \"Check model...\"\n"
                     "expect control 115 \"8 errors and 1 warning in 6 faces; the room is not closed.\"\n"
                     "expect control 112 \"open-edge\"\n"));
    EXPECT_EQ(application->checkOptions.tolerance, 0.0001) << "kept for the next check";
    std::vector<int> chosen = selectedEntities();
    EXPECT_FALSE(chosen.empty());
    EXPECT_LE(chosen.size(), 4u);
}

TEST_F(AnalysisDialogs, LongListsShowTheirFirstProblems)
{
    // One lone face of 6000 vertices: 6000 open edges.
    std::string face = "EntityList\n Face 0 1 6000";
    for (int i = 0; i < 6000; ++i) {
        double a = 2.0 * geometry::PI * i / 6000;
        face += "  " + std::to_string(10 * std::cos(a)) + " " + std::to_string(10 * std::sin(a)) + " 0";
    }
    open(face + "\nEnd\n");
    ASSERT_TRUE(play("answer CHECKMODELBOX cancel\n"
                     "command \"Check model...\"\n"
                     "expect control 115 \"6000 errors and 0 warnings in 1 face; the room is not closed. "
                     "The first 5000 problems are listed.\"\n"));
    EXPECT_EQ(platform->lastDialog->items(112).size(), 5000u);
}

TEST_F(AnalysisDialogs, RoomAcousticsWithoutAClosedRoomShowsWhy)
{
    open("EntityList\n Face 0 1 4  0 0 0  10 0 0  10 6 0  0 6 0\nEnd\n");
    ASSERT_TRUE(play("answer ROOMACOUSTICSBOX cancel\n"
                     "command \"Room acoustics...\"\n"
                     "expect control 115 \"The room is not closed: no volume and no times\"\n"
                     "expect control 112 \"Sabine (s) - - - - - - - - - -\"\n"));
    ASSERT_TRUE(play("command \"&New\"\n"
                     "answer ROOMACOUSTICSBOX cancel\n"
                     "command \"Room acoustics...\"\n"
                     "expect control 115 \"No faces: no room to measure.\"\n"));
}
