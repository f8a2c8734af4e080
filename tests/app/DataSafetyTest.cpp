// Nothing the user made is lost when the disk fills, the temporary folder is
// missing, a link is planted among the undo files, a save fails or the
// settings file cannot be read.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/Settings.h"
#include "tests/app/AppFixture.h"

namespace {

// A model of n walls, each a 1 m square in its own place, with coordinates
// of twelve digits as real models have them (about 200 bytes a wall).
std::string wallsProject(int n)
{
    std::string text = "EntityList\n";
    for (int i = 0; i < n; ++i) {
        char wall[512];
        double x = i * 2 + 0.123456789012;
        double y = 0.987654321098;
        std::snprintf(wall, sizeof wall,
                      " Wall\n  Face 0 1 4  %.12g %.12g 0  %.12g %.12g 0  %.12g %.12g 1.5  %.12g %.12g 1.5\n End\n", x,
                      y, x + 1, y, x + 1, y, x, y);
        text += wall;
    }
    return text + "End\nInfoList\nEnd\n";
}

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name)
    {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        old_ = old ? old : "";
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (had_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

// Files written by this process beyond `bytes` fail, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        struct rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        ::signal(SIGXFSZ, previousHandler_);
    }

private:
    struct rlimit previous_ {};
    sighandler_t previousHandler_ = nullptr;
};

std::size_t filesIn(const std::string& folder)
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) {
        ++n;
    }
    return n;
}

}  // namespace

using DataSafety = AppFixture;

TEST_F(DataSafety, UndoWhoseCurrentStateCannotBeWrittenUndoesNothing)
{
    testsupport::writeText("walls.ray", wallsProject(300));
    ASSERT_TRUE(play("answer file walls.ray\ncommand \"&Open...\"\nkey F2\nkey Alt+Ins\nexpect count Wall 600\n"));
    std::size_t before = std::filesystem::file_size("walls.ray");
    {
        // The 600 walls of the state to come back to do not fit.
        FileSizeLimit full(static_cast<rlim_t>(before + before / 2));
        ASSERT_TRUE(play("expect error \"Can't write the undo file *\"\n"
                         "key Ctrl+Z\n"
                         "expect count Wall 600\n"
                         "expect error \"Nothing to redo!\"\n"
                         "key Ctrl+Y\n"
                         "expect count Wall 600\n"));
    }
    EXPECT_EQ(application->document.undoPosition, 2) << "the ring is as it was";
    EXPECT_EQ(application->document.undoTop, 2);
    // With room again, undo and redo work as ever: no partial snapshot is read.
    ASSERT_TRUE(play("key Ctrl+Z\nexpect count Wall 300\nkey Ctrl+Y\nexpect count Wall 600\n"));
}

TEST_F(DataSafety, ASnapshotThatFailsIsReportedAndTheChangeStillCounts)
{
    testsupport::writeText("walls.ray", wallsProject(300));
    ASSERT_TRUE(play("answer file walls.ray\ncommand \"&Open...\"\nexpect modified no\n"));
    FileSizeLimit full(1000);
    ASSERT_TRUE(play("key F2\n"
                     "expect error \"Can't write the undo file *\"\n"
                     "key Delete\n"
                     "expect count Wall 0\n"
                     "expect modified yes\n"));
    EXPECT_EQ(application->document.undoPosition, application->document.undoTop) << "nothing to redo past it";
}

TEST_F(DataSafety, AChangeRightAfterUndoIsUndoneEvenWithAFullDisk)
{
    // The state undo brought back is in the ring already: the change from it
    // needs no new file, so nothing about the full disk stands in the way.
    testsupport::writeText("walls.ray", wallsProject(300));
    ASSERT_TRUE(play("answer file walls.ray\ncommand \"&Open...\"\nkey F2\nkey Alt+Ins\nkey Ctrl+Z\n"));
    FileSizeLimit full(1000);
    ASSERT_TRUE(play("key F2\nkey Delete\nexpect count Wall 0\n"
                     "key Ctrl+Z\nexpect count Wall 300\n"
                     "key Ctrl+Y\nexpect count Wall 0\n"));
}

TEST_F(DataSafety, AFullTemporaryFolderNeverYieldsAnEmptyModel)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting a small file system needs root";
    }
    std::string mountPoint = file("small-tmp");
    std::filesystem::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=2m") != 0) {
        GTEST_SKIP() << "this machine cannot mount a tmpfs here";
    }
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{mountPoint};
    ScopedEnv temp("TEMP", mountPoint);
    testsupport::writeText("walls.ray", wallsProject(300));
    ASSERT_TRUE(play("answer file walls.ray\ncommand \"&Open...\"\nkey F2\nkey Alt+Ins\n"));
    // Fill the folder to about 40 KB free.
    {
        std::FILE* filler = std::fopen((mountPoint + "/filler").c_str(), "wb");
        ASSERT_NE(filler, nullptr);
        std::string block(4096, 'x');
        while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() && std::fflush(filler) == 0) {
        }
        std::fclose(filler);
        std::filesystem::resize_file(mountPoint + "/filler",
                                     std::filesystem::file_size(mountPoint + "/filler") - 40 * 1024);
    }
    std::size_t files = filesIn(mountPoint);
    ASSERT_TRUE(play("expect error \"Can't write the undo file *\"\n"
                     "key Ctrl+Z\n"
                     "expect count Wall 600\n"
                     "expect error \"Nothing to redo!\"\n"
                     "key Ctrl+Y\n"
                     "expect count Wall 600\n"));
    EXPECT_EQ(filesIn(mountPoint), files) << "a failed snapshot leaves no partial file";
}

TEST_F(DataSafety, AMissingTemporaryFolderIsReportedOnceAndChangesStillAskToBeSaved)
{
    testsupport::writeText("walls.ray", wallsProject(3));
    ASSERT_TRUE(play("answer file walls.ray\ncommand \"&Open...\"\nexpect modified no\n"));
    ScopedEnv missing("TMPDIR", file("no-such-folder"));
    ASSERT_TRUE(play("key F2\n"
                     "expect error \"Can't write the undo file " +
                     file("no-such-folder") +
                     "/clip-*\"\n"
                     "key Alt+Ins\n"
                     "expect count Wall 6\n"
                     "expect modified yes\n"
                     "key Delete\n"
                     "expect count Wall 3\n"));
    // The second change does not repeat the message, and New asks first.
    ASSERT_TRUE(play("answer confirm no\ncommand \"&New\"\n"));
    ASSERT_FALSE(platform->questions.empty());
    EXPECT_EQ(platform->questions.back(), "Save Changes ?");
}

TEST_F(DataSafety, APlantedLinkAmongTheUndoFilesIsNeverWrittenThrough)
{
    std::string victim = file("victim.txt");
    testsupport::writeText(victim, "not yours");
    std::string pid = std::to_string(::getpid());
    // Every name a predictable scheme could use, linked to the victim.
    for (int k = 0; k < 10; ++k) {
        char name[64];
        std::snprintf(name, sizeof name, "clip-%s-%02d.ray", pid.c_str(), k);
        std::filesystem::create_symlink(victim, file(name));
        std::snprintf(name, sizeof name, "clip%02d.ray", k);
        std::filesystem::create_symlink(victim, file(name));
    }
    testsupport::writeText("walls.ray", wallsProject(3));
    ASSERT_TRUE(play("answer file walls.ray\ncommand \"&Open...\"\nkey F2\nkey Alt+Ins\nkey Alt+Ins\n"
                     "key Ctrl+Z\nkey Ctrl+Z\nkey Ctrl+Y\nexpect count Wall 6\n"));
    EXPECT_EQ(testsupport::readText(victim), "not yours");
    std::string snapshot = application->undo.snapshotPath(1);
    struct stat st {};
    ASSERT_EQ(::lstat(snapshot.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "snapshots are private to their user";
    EXPECT_NE(snapshot, application->undo.snapshotPath(2));
}

TEST_F(DataSafety, SaveAsIntoAMissingFolderKeepsTheDocumentsName)
{
    testsupport::writeText("walls.ray", wallsProject(3));
    ASSERT_TRUE(play("answer file walls.ray\ncommand \"&Open...\"\nkey F2\nkey Alt+Ins\n"
                     "answer file " +
                     file("missing/elsewhere.ray") +
                     "\n"
                     "expect error \"Can't write the file\"\n"
                     "command \"Save &As...\"\n"
                     "expect title \"Tolvane CAD - walls.ray\"\n"
                     "expect modified yes\n"
                     "command \"&Save\"\n"
                     "expect modified no\n"));
    EXPECT_EQ(application->fileName, "walls.ray");
    EXPECT_NE(testsupport::readText("walls.ray").find("Wall"), std::string::npos);
    EXPECT_EQ(std::filesystem::exists(file("missing")), false);
}

TEST_F(DataSafety, ASettingsFileThatCannotBeReadIsNeverRewritten)
{
    // Too big to be read as settings, with other programs' sections in it.
    std::string text = "[Other]\nKeep=this\n[KCad]\nAutoCheckDuplicates=0\n" + std::string(2 << 20, '#') + "\n";
    testsupport::writeText("tolvane.ini", text);
    ASSERT_TRUE(play("expect error \"Can't read the file tolvane.ini: it is larger than 1 MB: the settings are not "
                     "saved\"\n"
                     "answer OptionsBox 141=0 ok\n"
                     "command \"General...\"\n"));
    EXPECT_EQ(testsupport::readText("tolvane.ini"), text);
    // A folder in its place is no better.
    std::filesystem::remove("tolvane.ini");
    std::filesystem::create_directory("tolvane.ini");
    std::string error;
    EXPECT_FALSE(app::writeFlag(app::SaveDxfMaterialName, false, &error));
    EXPECT_EQ(error, "Can't read the file tolvane.ini: it is not a regular file: the settings are not saved");
    EXPECT_TRUE(std::filesystem::is_directory("tolvane.ini"));
    // A missing file is simply made.
    std::filesystem::remove("tolvane.ini");
    EXPECT_TRUE(app::writeFlag(app::SaveDxfMaterialName, false, &error));
    EXPECT_EQ(testsupport::readText("tolvane.ini"), "[KCad]\nSaveDxfMaterialName=0\n");
}
