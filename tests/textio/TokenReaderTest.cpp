// Tokens and lines must come out the same however the file is cut into chunks.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "textio/TokenReader.h"

namespace {

struct TempFile {
    std::FILE* f = std::tmpfile();
    explicit TempFile(const std::string& text)
    {
        std::fwrite(text.data(), 1, text.size(), f);
        std::rewind(f);
    }
    ~TempFile() { std::fclose(f); }
};

std::vector<std::string> allTokens(textio::TokenReader& in)
{
    std::vector<std::string> out;
    for (std::string_view t = in.token(); !t.empty(); t = in.token()) {
        out.emplace_back(t);
    }
    return out;
}

TEST(TokenReader, SplitsOnAnyWhiteSpaceIncludingCarriageReturns)
{
    textio::TokenReader in(std::string_view("EntityList\r\n Face\t0 3\r\n\r\nEnd  \r\n"));
    EXPECT_EQ(allTokens(in), (std::vector<std::string>{"EntityList", "Face", "0", "3", "End"}));
    EXPECT_TRUE(in.atEnd());
    EXPECT_FALSE(in.failed());
}

TEST(TokenReader, TinyChunksGiveTheSameTokensAndLines)
{
    std::string text = "alpha  beta\ngamma-delta-epsilon-zeta\r\n  12.5 -3e4\nlast line here\r\nx";
    textio::TokenReader whole{std::string_view(text)};
    std::vector<std::string> expected = allTokens(whole);
    for (std::size_t chunk : {1u, 2u, 3u, 5u, 7u, 64u}) {
        TempFile file(text);
        textio::TokenReader in(file.f, chunk);
        EXPECT_EQ(allTokens(in), expected) << "chunk " << chunk;
        EXPECT_EQ(in.position(), text.size());
    }
    for (std::size_t chunk : {1u, 4u, 9u}) {
        TempFile file(text);
        textio::TokenReader in(file.f, chunk);
        std::vector<std::string> lines;
        std::string_view line;
        while (in.readLine(line)) {
            lines.emplace_back(line);
        }
        EXPECT_EQ(lines, (std::vector<std::string>{"alpha  beta", "gamma-delta-epsilon-zeta", "  12.5 -3e4",
                                                  "last line here", "x"}))
            << "chunk " << chunk;
    }
}

TEST(TokenReader, RestOfLineAfterTokensAndLineNumbers)
{
    textio::TokenReader in(std::string_view("Text 1 2 \"note with  blanks\"\r\nNext\n\nThird"));
    EXPECT_EQ(in.token(), "Text");
    long long a = 0;
    long long b = 0;
    EXPECT_TRUE(in.readInt(a));
    EXPECT_TRUE(in.readInt(b));
    std::string_view rest;
    ASSERT_TRUE(in.readLine(rest));
    EXPECT_EQ(rest, " \"note with  blanks\"");
    EXPECT_EQ(in.line(), 2u);
    EXPECT_EQ(in.token(), "Next");
    EXPECT_EQ(in.token(), "Third");
    EXPECT_EQ(in.line(), 4u);
    EXPECT_FALSE(in.readLine(rest));
}

TEST(TokenReader, NumbersThatDoNotParseMarkTheReaderFailed)
{
    textio::TokenReader in(std::string_view("1.5 abc"));
    double d = 0;
    EXPECT_TRUE(in.readReal(d));
    EXPECT_FALSE(in.failed());
    EXPECT_FALSE(in.readReal(d));
    EXPECT_TRUE(in.failed());

    textio::TokenReader empty(std::string_view("   "));
    long long n = 0;
    EXPECT_FALSE(empty.readInt(n));
    EXPECT_TRUE(empty.failed());
}

TEST(TokenReader, VeryLongLinesAreReadWhole)
{
    std::string longLine(5000, 'q');
    std::string text = longLine + "\nnext\n";
    TempFile file(text);
    textio::TokenReader in(file.f, 16);
    std::string_view line;
    ASSERT_TRUE(in.readLine(line));
    EXPECT_EQ(line.size(), 5000u);
    EXPECT_EQ(in.token(), "next");
}

}  // namespace
