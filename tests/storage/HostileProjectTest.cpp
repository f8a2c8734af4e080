// Project files built to hurt: nesting deep enough to overflow any stack,
// endless and blocking inputs, a face of millions of vertices, and a kill
// in the middle of a write. Each ends with one clear message in bounded
// time and memory.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/Document.h"
#include "model/Face.h"
#include "storage/AtomicFile.h"
#include "storage/ProjectFile.h"
#include "tests/support/TestSupport.h"
#include "textio/TokenReader.h"
#include "ui/headless/HeadlessPlatform.h"

namespace {

std::string nested(const std::string& open, int depth, const std::string& inner)
{
    std::string text = "EntityList\n";
    text.reserve(static_cast<std::size_t>(depth) * (open.size() + 5) + inner.size() + 32);
    for (int i = 0; i < depth; ++i) {
        text += open + "\n";
    }
    text += inner;
    for (int i = 0; i < depth; ++i) {
        text += "End\n";
    }
    return text + "End\nInfoList\nEnd\n";
}

class HostileProject : public ::testing::Test {
protected:
    bool read(const std::string& text)
    {
        doc.autoDraw = false;
        textio::TokenReader in{std::string_view(text)};
        return storage::readProject(in, doc);
    }

    ui::headless::HeadlessPlatform platform;
    model::Document doc;
};

TEST_F(HostileProject, DeepNestingGivesOneMessageInsteadOfAStackOverflow)
{
    const char* face = " Face 0 1 3  0 0 0  1 0 0  1 1 0\n";
    EXPECT_FALSE(read(nested("EntityList", 200000, face)));
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0], "Lists are nested more than 1000 deep at line 1001: reading stops there");

    platform.errors.clear();
    doc.clear();
    EXPECT_FALSE(read(nested("Wall", 50000, face)));
    EXPECT_EQ(platform.errors.size(), 1u) << "one damaged file, one message";

    platform.errors.clear();
    doc.clear();
    EXPECT_FALSE(read(nested("Wall", 20000, face)));
    EXPECT_EQ(platform.errors.size(), 1u) << "not one box for each of 20,000 walls";
}

TEST_F(HostileProject, NestingUpToTheLimitStillReads)
{
    const char* face = " Face 0 1 3  0 0 0  1 0 0  1 1 0\n";
    EXPECT_TRUE(read(nested("EntityList", 998, face)));
    EXPECT_TRUE(platform.errors.empty());
    int depth = 0;
    const model::Entity* e = doc.head();
    while (e && e->typeCode() == model::type::EntityList) {
        ++depth;
        e = static_cast<const model::EntityList*>(e)->head();
    }
    EXPECT_EQ(depth, 998);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->typeCode(), model::type::Face);
}

TEST_F(HostileProject, DevicesFifosAndFoldersAreRefusedAtOnce)
{
    testsupport::ScratchDir dir;
    std::string fifo = dir.file("pipe.ray");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(storage::openProject("/dev/zero", doc));
    EXPECT_FALSE(storage::openProject(fifo, doc));
    EXPECT_FALSE(storage::openProject(dir.path().string(), doc));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ASSERT_EQ(platform.errors.size(), 3u);
    EXPECT_EQ(platform.errors[0], "Can't read the file /dev/zero: it is not a regular file");
    EXPECT_EQ(platform.errors[1], "Can't read the file " + fifo + ": it is not a regular file");
    EXPECT_EQ(doc.count(), 0u);
}

TEST_F(HostileProject, ALineBeyondTheBoundStopsWithOneMessageAndKeepsWhatCameBefore)
{
    testsupport::ScratchDir dir;
    std::string path = dir.file("long.ray");
    {
        std::ofstream out(path, std::ios::binary);
        out << "EntityList\n Receiver 1 2 3 4 5 6\n Receiver 1 2 ";
        std::string chunk(1 << 20, '7');
        for (std::size_t i = 0; i <= (textio::TokenReader::defaultMaxSpan >> 20); ++i) {
            out << chunk;
        }
        out << " 3 4 5 6\nEnd\n";
    }
    EXPECT_FALSE(storage::openProject(path, doc));
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0], "Line 3 is longer than 64 MB: reading stops there");
    EXPECT_EQ(doc.count(), 1u);
    std::filesystem::remove(path);
}

// Peak memory of a child process that reads the file; the parent's own
// history does not count.
long peakKilobytesReading(const std::string& path)
{
    int fds[2];
    if (::pipe(fds) != 0) {
        return -1;
    }
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        struct rusage before {};
        ::getrusage(RUSAGE_SELF, &before);
        ui::headless::HeadlessPlatform quiet;
        model::Document d;
        bool ok = storage::openProject(path, d);
        struct rusage after {};
        ::getrusage(RUSAGE_SELF, &after);
        long grown = ok && d.count() == 1 ? after.ru_maxrss - before.ru_maxrss : -1;
        (void)!::write(fds[1], &grown, sizeof grown);
        ::_exit(0);
    }
    ::close(fds[1]);
    long grown = -1;
    (void)!::read(fds[0], &grown, sizeof grown);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return grown;
}

TEST(HostileProjectMemory, AFaceOfMillionsOfVerticesTakesASmallMultipleOfItsFile)
{
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine: peaks say nothing here";
#endif
#endif
    testsupport::ScratchDir dir;
    std::string path = dir.file("huge-face.ray");
    const int count = 2000000;
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fprintf(f, "EntityList\n Face 0 1 %d", count);
        for (int i = 0; i < count; ++i) {
            std::fprintf(f, "  %d %d 0", i % 1414, i / 1414);
        }
        std::fputs("\nEnd\nInfoList\nEnd\n", f);
        std::fclose(f);
    }
    double fileKb = static_cast<double>(std::filesystem::file_size(path)) / 1024.0;
    long peak = peakKilobytesReading(path);
    ASSERT_GT(peak, 0) << "the child could not read the face";
    // The vertices themselves take 24 bytes each: about twice this file.
    EXPECT_LT(static_cast<double>(peak), 4.0 * fileKb) << "peak " << peak << " KB for a file of " << fileKb << " KB";
}

TEST(HostileProjectMemory, RepeatedVerticesOfALongOutlineAreDroppedAsInAShortOne)
{
    // More than 64 vertices takes the cell path; the rule must not change.
    model::VertexArray points;
    for (int i = 0; i < 200; ++i) {
        points.push_back({static_cast<double>(i), 0.5 * i, 0});
    }
    points.push_back({3.000001, 1.5, 0});     // equal to vertex 3 within 1e-5
    points.push_back({5.00002, 2.5, 0});      // not equal to vertex 5
    points.push_back({199, 99.5, 0.000009});  // equal to the last original one
    model::Face face(points, {});
    ASSERT_TRUE(face.isValid());
    EXPECT_EQ(face.vertexCount(), 201);
    EXPECT_DOUBLE_EQ(face.vertices[200].x, 5.00002);
}

TEST(AtomicFileKill, AKillDuringTheWriteLeavesNoTemporaryFileBehind)
{
    testsupport::ScratchDir dir;
    int probe = ::open(dir.path().c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0) {
        GTEST_SKIP() << "this file system has no anonymous files: a kill leaves the temporary name";
    }
    ::close(probe);
    std::string path = dir.file("out.ray");
    testsupport::writeText(path, "the old contents");
    pid_t pid = ::fork();
    if (pid == 0) {
        storage::writeFileAtomically(path, [](std::FILE* f) {
            for (int i = 0; i < 10000; ++i) {
                std::fputs("some of the new contents\n", f);
            }
            std::fflush(f);
            ::raise(SIGKILL);
            return true;
        });
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(testsupport::readText(path), "the old contents");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"out.ray"});
}

}  // namespace

TEST(HostileProjectCut, AProjectCutOffAtAnyLineIsNeverTakenForWhole)
{
    testsupport::ScratchDir dir;
    std::string whole = testsupport::readText(testsupport::sourcePath("data/examples/hall.ray"));
    std::string path = dir.file("cut.ray");
    // Cut inside the entities or inside the notes: never whole. (The notes
    // and the materials block after the entities are lists of their own; a
    // file that ends between lists has every list it holds whole.)
    std::size_t entitiesEnd = whole.find("\nEnd\nInfoList\n");
    std::size_t notesEnd = whole.find("\nEnd\nMaterialList\n");
    ASSERT_NE(entitiesEnd, std::string::npos);
    ASSERT_NE(notesEnd, std::string::npos);
    int cuts = 0;
    for (std::size_t end = whole.find('\n'); end != std::string::npos; end = whole.find('\n', end + 1)) {
        std::string part = whole.substr(0, end + 1);
        if (end == entitiesEnd + 4) {
            continue;  // just after the entities' End
        }
        if (end > notesEnd && part.size() != whole.size()) {
            continue;  // within the materials block, which the program does not read
        }
        bool complete = part.size() == whole.size();
        testsupport::writeText(path, part);
        ui::headless::HeadlessPlatform platform;
        model::Document doc;
        doc.autoDraw = false;
        bool ok = storage::openProject(path, doc);
        EXPECT_EQ(ok, complete) << "cut after " << part.size() << " bytes";
        // One message each: where a record broke off, or that a list did.
        EXPECT_EQ(platform.errors.size(), complete ? 0u : 1u) << "cut after " << part.size() << " bytes";
        cuts += complete ? 0 : 1;
    }
    EXPECT_GT(cuts, 20);
    // A list left open says so.
    testsupport::writeText(path, "EntityList\n Face 0 0 3 0 0 0 1 0 0 1 1 0\n");
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    EXPECT_FALSE(storage::openProject(path, doc));
    EXPECT_EQ(doc.count(), 1u) << "what was read stays";
    EXPECT_EQ(platform.errors,
              (std::vector<std::string>{"The file " + path + " is cut off: it ends inside a list, before its End"}));
}
