// Undo, redo and the clipboard as the user meets them: nine steps back,
// the messages, the disabled state, damaged snapshots, full precision.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>

#include "storage/Clipboard.h"
#include "storage/TempFiles.h"
#include "tests/app/AppFixture.h"

using UndoAndClipboard = AppFixture;

namespace {

std::string tenDoublings()
{
    std::string s;
    for (int i = 0; i < 10; ++i) {
        s += "key F2\nkey Alt+Ins\n";  // duplicate everything: 1, 2, 4, ... 1024 receivers
    }
    return s;
}

}  // namespace

TEST_F(UndoAndClipboard, NineStepsBackThenNothingToUndo)
{
    testsupport::writeText("one.ray", "EntityList\n Receiver 1 2 1.2 0 0 0\nEnd\nInfoList\nEnd\n");
    ASSERT_TRUE(play("answer file one.ray\ncommand \"&Open...\"\n" + tenDoublings() +
                     "expect count Receiver 1024\n"
                     "key Ctrl+Z\nexpect count Receiver 512\n"
                     "key Ctrl+Z\nkey Ctrl+Z\nkey Ctrl+Z\nkey Ctrl+Z\nkey Ctrl+Z\nkey Ctrl+Z\nkey Ctrl+Z\nkey Ctrl+Z\n"
                     "expect count Receiver 2\n"
                     "expect error \"Nothing to undo!\"\n"
                     "key Ctrl+Z\n"
                     "expect count Receiver 2\n"
                     "key Ctrl+Y\nexpect count Receiver 4\n"
                     "key Ctrl+Y\nkey Ctrl+Y\nkey Ctrl+Y\nkey Ctrl+Y\nkey Ctrl+Y\nkey Ctrl+Y\nkey Ctrl+Y\nkey Ctrl+Y\n"
                     "expect count Receiver 1024\n"
                     "expect error \"Nothing to redo!\"\n"
                     "key Ctrl+Y\n"));
}

TEST_F(UndoAndClipboard, ANewChangeCutsOffRedo)
{
    testsupport::writeText("one.ray", "EntityList\n Receiver 1 2 1.2 0 0 0\nEnd\nInfoList\nEnd\n");
    ASSERT_TRUE(play("answer file one.ray\ncommand \"&Open...\"\n"
                     "key F2\nkey Alt+Ins\nkey F2\nkey Alt+Ins\n"
                     "key Ctrl+Z\n"
                     "key F2\nkey Delete\n"
                     "expect error \"Nothing to redo!\"\n"
                     "key Ctrl+Y\n"
                     "key Ctrl+Z\nexpect count Receiver 2\n"));
}

TEST_F(UndoAndClipboard, DisabledUndoIsSilentGreyedAndTakesNoSnapshots)
{
    testsupport::writeText("one.ray", "EntityList\n Receiver 1 2 1.2 0 0 0\nEnd\nInfoList\nEnd\n");
    ASSERT_TRUE(play("answer file one.ray\ncommand \"&Open...\"\ncommand \"&Undo Enabled\"\n"
                     "key F2\nkey Alt+Ins\n"
                     "key Ctrl+Z\ncommand 137\ncommand 138\n"
                     "expect count Receiver 2\n"));
    EXPECT_FALSE(platform->frame->isMenuChecked(137));
    EXPECT_FALSE(platform->frame->isMenuEnabled(137));
    EXPECT_FALSE(platform->frame->isMenuEnabled(138));
    EXPECT_FALSE(platform->frame->isMenuChecked(139));
    ASSERT_TRUE(play("command \"&Undo Enabled\"\nkey Ctrl+Z\nexpect count Receiver 0\n"))
        << "the snapshot before Open is the only one";
    EXPECT_TRUE(platform->frame->isMenuChecked(139));
}

TEST_F(UndoAndClipboard, AnUnreadableSnapshotIsReportedAndChangesNothing)
{
    testsupport::writeText("one.ray", "EntityList\n Receiver 1 2 1.2 0 0 0\nEnd\nInfoList\nEnd\n");
    ASSERT_TRUE(play("answer file one.ray\ncommand \"&Open...\"\nkey F2\nkey Alt+Ins\n"));
    std::string snapshot = application->undo.snapshotPath(1);
    ASSERT_EQ(std::remove(snapshot.c_str()), 0);
    ASSERT_TRUE(play("expect error \"Can't read the undo file " + snapshot +
                     "\"\n"
                     "key Ctrl+Z\n"
                     "expect count Receiver 2\n"));
    EXPECT_EQ(application->document.undoPosition, 2);
    EXPECT_EQ(application->document.undoTop, 2);
    EXPECT_NE(snapshot.find("-" + std::to_string(::getpid()) + "-"), std::string::npos)
        << "each running copy has its own snapshot files";
}

TEST_F(UndoAndClipboard, CopyKeepsFullPrecisionAndPasteAppends)
{
    testsupport::writeText("exact.ray",
                           "EntityList\n Receiver 1234.5678912 -0.000123456789 1.2 0 0 0\n"
                           " Face 0 1 3 0 0 0 1 0 0 1 1 0\nEnd\nInfoList\n Info Notes \"\nnot copied\n\n\"\nEnd\n");
    ASSERT_TRUE(play("answer file exact.ray\ncommand \"&Open...\"\n"
                     "expect error \"Nothing to do!\"\n"
                     "key Ctrl+Ins\n"
                     "key F2\nkey Ctrl+Ins\nkey Esc\n"
                     "key Shift+Ins\nkey Shift+Ins\n"
                     "expect count Receiver 3\n"
                     "expect count Face 3\n"
                     "expect selected 0\n"));
    EXPECT_EQ(testsupport::readText(storage::clipboardPath()),
              "EntityList\n Receiver 1234.5678912 -0.000123456789 1.2 0 0 0\n Face 0 1 3  0 0 0  1 0 0  1 1 0\nEnd\n");
    EXPECT_EQ(application->document.notes.count(), 1u) << "project notes are never copied";
    ASSERT_TRUE(play("key F2\nkey Shift+Del\nexpect count Receiver 0\nkey Shift+Ins\nexpect count Receiver 3\n"));
    std::remove(storage::clipboardPath().c_str());
    ASSERT_TRUE(play("expect error \"Can't open the clipboard\"\nkey Shift+Ins\n"));
}

TEST(TempFolder, TempThenTmpThenTmpdirThenSlashTmp)
{
    std::string saved[3];
    bool had[3];
    const char* names[3] = {"TEMP", "TMP", "TMPDIR"};
    for (int i = 0; i < 3; ++i) {
        const char* v = std::getenv(names[i]);
        had[i] = v != nullptr;
        saved[i] = v ? v : "";
        unsetenv(names[i]);
    }
    EXPECT_EQ(storage::tempDir(), "/tmp");
    setenv("TMPDIR", "/c", 1);
    EXPECT_EQ(storage::tempDir(), "/c");
    setenv("TMP", "/b", 1);
    EXPECT_EQ(storage::tempDir(), "/b");
    setenv("TEMP", "/a", 1);
    EXPECT_EQ(storage::tempDir(), "/a");
    for (int i = 0; i < 3; ++i) {
        if (had[i]) {
            setenv(names[i], saved[i].c_str(), 1);
        } else {
            unsetenv(names[i]);
        }
    }
}
