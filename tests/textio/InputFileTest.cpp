// Opening inputs: only regular files are read, never blocking, within bounds;
// a token or line longer than the reader takes stops it instead of eating
// all memory.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "tests/support/TestSupport.h"
#include "textio/InputFile.h"
#include "textio/TokenReader.h"

namespace {

using textio::InputError;

TEST(InputFile, RegularFilesOpenAndEverythingElseSaysWhy)
{
    testsupport::ScratchDir dir;
    testsupport::writeText(dir.file("plain.txt"), "hello\n");
    textio::InputFile plain = textio::openInputFile(dir.file("plain.txt"));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain.size, 6u);

    EXPECT_EQ(textio::openInputFile(dir.file("nothing")).error, InputError::Missing);
    EXPECT_EQ(textio::openInputFile(dir.file("nothing/below")).error, InputError::Missing);
    EXPECT_EQ(textio::openInputFile(dir.path().string()).error, InputError::NotAFile);
    EXPECT_EQ(textio::openInputFile("/dev/zero").error, InputError::NotAFile);
    EXPECT_EQ(textio::openInputFile(dir.file("plain.txt"), 5).error, InputError::TooLarge);

    EXPECT_EQ(textio::describeInputError("a.ray", InputError::Missing), "Can't read the file a.ray");
    EXPECT_EQ(textio::describeInputError("/dev/zero", InputError::NotAFile),
              "Can't read the file /dev/zero: it is not a regular file");
    EXPECT_EQ(textio::describeInputError("big.mat", InputError::TooLarge, 16 << 20),
              "Can't read the file big.mat: it is larger than 16 MB");
}

TEST(InputFile, AFifoWithNoWriterIsRefusedAtOnce)
{
    testsupport::ScratchDir dir;
    std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto start = std::chrono::steady_clock::now();
    textio::InputFile f = textio::openInputFile(fifo);
    std::string text;
    InputError why = InputError::None;
    EXPECT_FALSE(textio::readWholeFile(fifo, 1 << 20, text, &why));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_FALSE(f);
    EXPECT_EQ(f.error, InputError::NotAFile);
    EXPECT_EQ(why, InputError::NotAFile);
}

TEST(InputFile, WholeFilesWithinTheirBound)
{
    testsupport::ScratchDir dir;
    testsupport::writeText(dir.file("a.ini"), "[KCad]\nAutoCheckDuplicates=0\n");
    std::string text;
    InputError why = InputError::Unreadable;
    ASSERT_TRUE(textio::readWholeFile(dir.file("a.ini"), 1024, text, &why));
    EXPECT_EQ(text, "[KCad]\nAutoCheckDuplicates=0\n");
    EXPECT_EQ(why, InputError::None);
    text = "kept";
    EXPECT_FALSE(textio::readWholeFile(dir.file("a.ini"), 10, text, &why));
    EXPECT_EQ(why, InputError::TooLarge);
    EXPECT_EQ(text, "kept") << "a refused file leaves the text alone";
    EXPECT_FALSE(textio::readWholeFile("/dev/zero", 1024, text, &why));
    EXPECT_EQ(why, InputError::NotAFile);
}

TEST(TokenReader, ATokenOrLineLongerThanTheBoundStopsTheReader)
{
    testsupport::ScratchDir dir;
    std::string path = dir.file("long.txt");
    // A short token, then a token far longer than the bound, then more text.
    testsupport::writeText(path, "first " + std::string(300000, 'x') + " after\n");
    {
        textio::InputFile f = textio::openInputFile(path);
        textio::TokenReader in(f.get(), 4096);
        in.setMaxSpan(100000);
        EXPECT_EQ(in.token(), "first");
        EXPECT_TRUE(in.token().empty());
        EXPECT_TRUE(in.tooLong());
        EXPECT_TRUE(in.failed());
        EXPECT_TRUE(in.token().empty()) << "the reader stays at its end";
    }
    {
        textio::InputFile f = textio::openInputFile(path);
        textio::TokenReader in(f.get(), 4096);
        in.setMaxSpan(100000);
        std::string_view line;
        EXPECT_FALSE(in.readLine(line));
        EXPECT_TRUE(in.tooLong());
    }
    {
        // Within the bound, the same text reads whole.
        textio::InputFile f = textio::openInputFile(path);
        textio::TokenReader in(f.get(), 4096);
        EXPECT_EQ(in.token(), "first");
        EXPECT_EQ(in.token().size(), 300000u);
        EXPECT_EQ(in.token(), "after");
        EXPECT_FALSE(in.tooLong());
    }
}

}  // namespace
