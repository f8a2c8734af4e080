// Buffered output: content, indentation and write errors.
#include <gtest/gtest.h>

#include <cstdio>

#include "textio/TextWriter.h"

namespace {

TEST(TextWriter, WritesNumbersWithTheChosenPrecision)
{
    std::string s;
    {
        textio::TextWriter out(s);
        out.putReal(1234.5678912345);
        out.put(' ');
        out.setPrecision(12);
        out.putReal(1234.5678912345);
        out.newLine(2);
        out.putInt(-42);
    }
    EXPECT_EQ(s, "1234.57 1234.56789123\n  -42");
}

TEST(TextWriter, LargeOutputCrossesTheBufferIntact)
{
    std::FILE* f = std::tmpfile();
    {
        textio::TextWriter out(f, 64);
        for (int i = 0; i < 1000; ++i) {
            out.putInt(i);
            out.put(" abcdefghij\n");
        }
        EXPECT_TRUE(out.flush());
        EXPECT_EQ(out.bytesWritten(), static_cast<std::uint64_t>(std::ftell(f)));
    }
    std::rewind(f);
    char line[64];
    int expected = 0;
    while (std::fgets(line, sizeof line, f)) {
        EXPECT_EQ(std::string(line), std::to_string(expected) + " abcdefghij\n");
        ++expected;
    }
    EXPECT_EQ(expected, 1000);
    std::fclose(f);
}

TEST(TextWriter, AFullDiskIsReportedNotHidden)
{
    std::FILE* f = std::fopen("/dev/full", "wb");
    if (!f) {
        GTEST_SKIP() << "/dev/full not available";
    }
    textio::TextWriter out(f, 16);
    for (int i = 0; i < 100; ++i) {
        out.put("some project text\n");
    }
    EXPECT_FALSE(out.flush());
    EXPECT_FALSE(out.ok());
    std::fclose(f);
}

}  // namespace
