// Replacing files: all or nothing.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "storage/AtomicFile.h"
#include "tests/support/TestSupport.h"

using testsupport::readText;
using testsupport::ScratchDir;

TEST(AtomicFile, ReplacesTheTargetAndKeepsItsPermissions)
{
    ScratchDir dir;
    std::string path = dir.file("a.ray");
    testsupport::writeText(path, "old");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(storage::writeFileAtomically(path, [](std::FILE* f) { return std::fputs("new", f) >= 0; }));
    EXPECT_EQ(readText(path), "new");
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary left";
}

TEST(AtomicFile, AFailedWriteLeavesTheOldFileUntouched)
{
    ScratchDir dir;
    std::string path = dir.file("a.ray");
    testsupport::writeText(path, "precious");
    EXPECT_FALSE(storage::writeFileAtomically(path, [](std::FILE* f) {
        std::fputs("half", f);
        return false;
    }));
    EXPECT_EQ(readText(path), "precious");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicFile, AReadOnlyFolderIsAFailure)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders";
    }
    ScratchDir dir;
    ::chmod(dir.path().c_str(), 0555);
    EXPECT_FALSE(storage::writeFileAtomically(dir.file("a.ray"), [](std::FILE*) { return true; }));
}

TEST(AtomicFile, ALinkStaysALinkAndItsTargetIsRewritten)
{
    ScratchDir dir;
    std::filesystem::create_directory(dir.file("shared"));
    std::string target = dir.file("shared/project.ray");
    testsupport::writeText(target, "old");
    // A relative link, through another link.
    std::filesystem::create_symlink("shared/project.ray", dir.file("near.ray"));
    std::filesystem::create_symlink(dir.file("near.ray"), dir.file("far.ray"));
    auto write = [](const char* text) { return [text](std::FILE* f) { return std::fputs(text, f) >= 0; }; };
    ASSERT_TRUE(storage::writeFileAtomically(dir.file("far.ray"), write("new")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("far.ray")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("near.ray")));
    EXPECT_EQ(readText(target), "new");
    EXPECT_EQ(storage::writeTarget(dir.file("far.ray")), (dir.path() / "shared/project.ray").string());
    // Links that lead round in a circle end the search; the write still ends.
    std::filesystem::create_symlink(dir.file("b.ray"), dir.file("a.ray"));
    std::filesystem::create_symlink(dir.file("a.ray"), dir.file("b.ray"));
    storage::writeFileAtomically(dir.file("a.ray"), write("x"));
    EXPECT_EQ(readText(target), "new");
}
