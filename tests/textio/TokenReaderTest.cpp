// Tokens and lines must come out the same however the file is cut into chunks.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
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

// Lines as a plain reading of the text gives them: split at each LF, the
// CRs before it dropped, a last line without LF kept.
std::vector<std::string> plainLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t lf = text.find('\n', at);
        std::size_t end = lf == std::string::npos ? text.size() : lf;
        std::size_t stop = end;
        while (stop > at && text[stop - 1] == '\r') {
            --stop;
        }
        lines.push_back(text.substr(at, stop - at));
        at = lf == std::string::npos ? text.size() : lf + 1;
    }
    return lines;
}

TEST(TokenReader, LinesOfEveryLengthAndEndingComeOutWholeWhereverTheChunksEnd)
{
    // Short lines are taken from the buffer eight bytes at a time, longer
    // ones and those the buffer cuts go the long way: both must agree.
    std::mt19937 rng(3);
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        std::size_t length = rng() % 5 == 0 ? rng() % 300 : rng() % 40;
        for (std::size_t k = 0; k < length; ++k) {
            static const char alphabet[] = "abc 0123456789.-\t\r";
            text += alphabet[rng() % (sizeof alphabet - 1)];
        }
        const char* endings[] = {"\n", "\r\n", "\r\r\n"};
        text += endings[rng() % 3];
    }
    text += "last\r";
    std::vector<std::string> expected = plainLines(text);
    auto linesOf = [](textio::TokenReader& in) {
        std::vector<std::string> lines;
        std::string_view line;
        while (in.readLine(line)) {
            lines.emplace_back(line);
        }
        return lines;
    };
    textio::TokenReader memory{std::string_view(text)};
    EXPECT_EQ(linesOf(memory), expected);
    EXPECT_EQ(memory.line(), expected.size());
    for (std::size_t chunk : {1u, 7u, 33u, 512u, 1u << 20}) {
        TempFile file(text);
        textio::TokenReader in(file.f, chunk);
        EXPECT_EQ(linesOf(in), expected) << "chunk " << chunk;
        EXPECT_EQ(in.position(), text.size()) << "chunk " << chunk;
        EXPECT_EQ(in.line(), expected.size()) << "chunk " << chunk;
        EXPECT_FALSE(in.tooLong());
    }
}

TEST(TokenReader, ALineOverTheLimitStopsAFileEvenWhenTheBufferHoldsItWhole)
{
    std::string text = "short\n" + std::string(300, 'x') + "\nafter\n";
    TempFile file(text);
    textio::TokenReader in(file.f);
    in.setMaxSpan(100);
    std::string_view line;
    ASSERT_TRUE(in.readLine(line));
    EXPECT_EQ(line, "short");
    EXPECT_FALSE(in.readLine(line));
    EXPECT_TRUE(in.tooLong());
    // Text already in memory has no such limit.
    textio::TokenReader memory{std::string_view(text)};
    memory.setMaxSpan(100);
    ASSERT_TRUE(memory.readLine(line));
    ASSERT_TRUE(memory.readLine(line));
    EXPECT_EQ(line.size(), 300u);
}

TEST(TokenReader, BytesTakenFromTheBufferDirectlyCountAsRead)
{
    std::string text = "one\ntwo\nthree\n";
    textio::TokenReader in{std::string_view(text)};
    std::string_view line;
    ASSERT_TRUE(in.readLine(line));
    ASSERT_EQ(std::string_view(in.ahead(), static_cast<std::size_t>(in.aheadEnd() - in.ahead())), "two\nthree\n");
    in.skip(in.ahead() + 4, 1);
    EXPECT_EQ(in.line(), 3u);
    EXPECT_EQ(in.position(), 8u);
    ASSERT_TRUE(in.readLine(line));
    EXPECT_EQ(line, "three");
    EXPECT_EQ(textio::TokenReader::findLineFeed(text.data(), text.data() + 3), nullptr);
    EXPECT_EQ(textio::TokenReader::findLineFeed(text.data(), text.data() + text.size()), text.data() + 3);
}

TEST(TokenReader, TheLineFeedSearchFindsWhatMemchrFinds)
{
    // Every distance to the feed and every length of the range, around the
    // blocks the search takes at a time; bytes that differ from a feed by
    // one bit must not count.
    std::mt19937 rng(5);
    std::string text(200, 'x');
    for (int round = 0; round < 20000; ++round) {
        for (char& c : text) {
            int r = static_cast<int>(rng() % 64);
            c = r == 0 ? '\n' : r == 1 ? '\x8a' : r == 2 ? '\x0b' : r == 3 ? '\r' : 'a';
        }
        std::size_t from = rng() % 40;
        std::size_t to = from + rng() % 120;
        const char* expected = static_cast<const char*>(std::memchr(text.data() + from, '\n', to - from));
        ASSERT_EQ(textio::TokenReader::findLineFeed(text.data() + from, text.data() + to), expected)
            << "from " << from << " to " << to;
    }
}

}  // namespace
