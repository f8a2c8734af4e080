// The document workflow as a user drives it: open, save with backup,
// the save-changes and duplicate questions, merge, DXF in, closing.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "tests/app/AppFixture.h"

using Workflow = AppFixture;

TEST_F(Workflow, OpeningSetsTheTitleAndLeavesTheModelUnmodified)
{
    testsupport::writeText("hall.ray", smallProject());
    ASSERT_TRUE(play("expect title \"Tolvane CAD\"\n"
                     "answer file hall.ray\n"
                     "command 103\n"
                     "expect title \"Tolvane CAD - hall.ray\"\n"
                     "expect count Wall 1\n"
                     "expect count Door 1\n"
                     "expect modified no\n"));
    // A mixed-case extension is not a project: it goes to the DXF import,
    // which finds no drawing in it.
    testsupport::writeText("odd.Ray", smallProject());
    ASSERT_TRUE(play("answer file odd.Ray\n"
                     "expect error \"The file odd.Ray is not a DXF drawing\"\n"
                     "command \"&Open...\"\n"
                     "expect count Wall 0\n"));
}

TEST_F(Workflow, SavingKeepsTheOldFileAsBackupAndAnExistingBackupStays)
{
    testsupport::writeText("hall.ray", smallProject());
    ASSERT_TRUE(play("answer file hall.ray\n"
                     "command \"&Open...\"\n"
                     "key F2\n"
                     "key Delete\n"
                     "command \"&Save\"\n"
                     "expect modified no\n"));
    EXPECT_EQ(testsupport::readText("hall.bak"), smallProject());
    EXPECT_EQ(testsupport::readText("hall.ray"), "EntityList\nEnd\nInfoList\nEnd\n");
    ASSERT_TRUE(play("key Ctrl+Z\n"
                     "command \"&Save\"\n"));
    EXPECT_EQ(testsupport::readText("hall.bak"), smallProject()) << "the older backup is kept";
    EXPECT_EQ(testsupport::readText("hall.ray").substr(0, 11), "EntityList\n");
    EXPECT_NE(testsupport::readText("hall.ray").find("Wall"), std::string::npos);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_NE(entry.path().filename().string().rfind("hall.ray.", 0), 0u) << "a temporary file was left";
    }
}

TEST_F(Workflow, AFailedSaveLeavesTheFileAndTheModifiedMark)
{
    testsupport::writeText("hall.ray", smallProject());
    ASSERT_TRUE(play("answer file hall.ray\ncommand \"&Open...\"\nkey F2\nkey Delete\n"));
    ::chmod(dir.path().c_str(), 0555);
    if (::geteuid() == 0) {
        ::chmod(dir.path().c_str(), 0755);
        // Root writes anywhere: save into a folder that is not there instead.
        application->fileName = file("gone/hall.ray");
    }
    ASSERT_TRUE(play("expect error \"Can't write the file\"\n"
                     "command \"&Save\"\n"
                     "expect modified yes\n"));
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(testsupport::readText("hall.ray"), smallProject());
}

TEST_F(Workflow, SaveAsAsksForTheNameAndNamesWithoutExtensionGetRay)
{
    ASSERT_TRUE(play("answer file plan\n"
                     "command \"Save &As...\"\n"
                     "expect title \"Tolvane CAD - plan.ray\"\n"));
    EXPECT_EQ(testsupport::readText("plan.ray"), "EntityList\nEnd\nInfoList\nEnd\n");
    ASSERT_TRUE(play("answer file cancel\ncommand \"Save &As...\"\n"));
}

TEST_F(Workflow, TheSaveChangesQuestion)
{
    testsupport::writeText("hall.ray", smallProject());
    // No: the changes go without a further question.
    ASSERT_TRUE(play("answer file hall.ray\ncommand \"&Open...\"\nkey F2\nkey Alt+Ins\n"
                     "expect count Wall 2\n"
                     "answer confirm no\n"
                     "command \"&New\"\n"
                     "expect count Face 0\n"
                     "expect title \"Tolvane CAD\"\n"
                     "expect modified no\n"));
    EXPECT_EQ(platform->questions.back(), "Save Changes ?");
    EXPECT_EQ(testsupport::readText("hall.ray"), smallProject());
    // An unmodified model, or a modified but empty one, is dropped without asking.
    std::size_t asked = platform->questions.size();
    ASSERT_TRUE(play("command \"&New\"\n"
                     "answer file hall.ray\ncommand \"&Open...\"\nkey F2\nkey Delete\nexpect modified yes\n"
                     "command \"&New\"\n"));
    EXPECT_EQ(platform->questions.size(), asked);
}

TEST_F(Workflow, ClosingStaysOpenWhenTheWantedSaveDoesNotHappen)
{
    ASSERT_TRUE(play("answer file hall.ray\ncommand \"Save &As...\"\n"));
    testsupport::writeText("extra.ray", smallProject());
    ASSERT_TRUE(play("answer file extra.ray\ncommand \"&Merge...\"\nexpect modified yes\n"
                     "expect count Wall 1\n"
                     "expect title \"Tolvane CAD - hall.ray\"\n"));
    EXPECT_EQ(application->fileName, "hall.ray") << "merging keeps the document's name";
    application->fileName = file("gone/hall.ray");
    ASSERT_TRUE(play("answer confirm yes\n"
                     "expect error \"Can't write the file\"\n"
                     "command \"&Exit\"\n"));
    EXPECT_FALSE(platform->frame->closed) << "the user wanted to save and could not: stay open";
    ASSERT_TRUE(play("answer confirm no\ncommand \"&Exit\"\n"));
    EXPECT_TRUE(platform->frame->closed);
}

TEST_F(Workflow, TheDuplicateQuestionBeforeSaving)
{
    testsupport::writeText("tolvane.ini", "[KCad]\nAutoCheckDuplicates=1\n");
    testsupport::writeText("dups.ray", "EntityList\n Receiver 1 1 1 0 0 0\n Receiver 1 1 1 5 5 5\n"
                                       " Receiver 2 2 2 0 0 0\nEnd\nInfoList\nEnd\n");
    ASSERT_TRUE(play("answer file dups.ray\ncommand \"&Open...\"\n"
                     "command \"&Save\"\n"));  // unmodified: no question
    ASSERT_TRUE(play("key F2\nkey Esc\n"
                     "expect error \"Nothing to do!\"\n"
                     "command \"Duplicate\"\n"));  // nothing selected
    ASSERT_TRUE(play("answer INFOBOX 120=\"checked\" ok\n"
                     "command \"Project &Notes...\"\n"  // the model is modified now
                     "answer confirm yes\n"
                     "answer confirm no\n"
                     "command \"&Save\"\n"
                     "expect selected 1\n"
                     "expect status \"1 duplicate entities found\"\n"
                     "expect modified yes\n"));
    EXPECT_EQ(platform->questions[platform->questions.size() - 2], "Do you want to find duplicates on 3 entities");
    EXPECT_EQ(platform->questions.back(), "1 duplicate entities found: save anyway?");
}

TEST_F(Workflow, DxfInReplacesTheModelAfterAskingAndUndoBringsItBack)
{
    testsupport::writeText("hall.ray", smallProject());
    testsupport::writeText("plan.dxf",
                           "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nR\n10\n1\n20\n2\n30\n1.2\n11\n0\n21\n0\n31\n0\n"
                           "0\nENDSEC\n0\nEOF\n");
    ASSERT_TRUE(play("answer file hall.ray\ncommand \"&Open...\"\nkey F2\nkey Delete\nkey Ctrl+Z\n"
                     "answer confirm no\n"
                     "answer file plan.dxf\n"
                     "command \"DXF in...\"\n"
                     "expect count Receiver 1\n"
                     "expect count Wall 0\n"
                     "key Ctrl+Z\n"
                     "expect count Wall 1\n"));
}

TEST_F(Workflow, DxfInStatesItsUnitsAndObjMeshesOpenLikeDrawings)
{
    testsupport::writeText("plan.dxf", "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n"
                                       "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nR\n10\n1000\n20\n2000\n30\n1200\n"
                                       "0\nENDSEC\n0\nEOF\n");
    testsupport::writeText("room.obj", "v 0 0 0\nv 4 0 0\nv 4 0 3\nf 1 2 3\nf 1 1 2\n");
    ASSERT_TRUE(play("answer file plan.dxf\n"
                     "command \"DXF in...\"\n"
                     "expect status \"Drawing units: millimetres\"\n"
                     "expect count Receiver 1\n"
                     "answer confirm no\n"
                     "answer file room.obj\n"
                     "command \"&Open...\"\n"
                     "expect count Receiver 0\n"
                     "expect count Face 1\n"
                     "expect status \"1 faces with fewer than three distinct vertices were skipped\"\n"));
}

TEST_F(Workflow, DroppedFilesAreReadFromTheLastToTheFirst)
{
    testsupport::writeText("a.ray", "EntityList\n Receiver 1 1 1 0 0 0\nEnd\nInfoList\nEnd\n");
    testsupport::writeText("b.ray", "EntityList\n Receiver 2 2 2 0 0 0\n Receiver 3 3 3 0 0 0\nEnd\nInfoList\nEnd\n");
    application->onDropFiles({file("a.ray"), file("b.ray")});
    EXPECT_EQ(application->document.count(), 3u);
    EXPECT_EQ(application->fileName, file("a.ray")) << "the first file is read last";
    EXPECT_TRUE(platform->failures.empty());
}

TEST_F(Workflow, ProjectNotesAndGeneralOptions)
{
    ASSERT_TRUE(play("answer INFOBOX 120=\"Client: city hall\" ok\n"
                     "command \"Project &Notes...\"\n"
                     "expect modified yes\n"
                     "answer OPTIONSBOX 141=0 142=1 143==0 143=1 ok\n"
                     "command \"General...\"\n"));
    EXPECT_EQ(testsupport::readText("tolvane.ini"),
              "[KCad]\nAutoCheckDuplicates=1\nSaveDxfMaterialName=0\nZoomAtPointer=1\n");
    ASSERT_TRUE(play("answer file notes.ray\ncommand \"&Save\"\n"));
    EXPECT_NE(testsupport::readText("notes.ray").find("Info Notes \"\nClient: city hall\n"), std::string::npos);
}
