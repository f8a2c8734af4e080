// Reading DXF groups: the quick way through the reader's buffer gives what
// reading line by line gives, and repeated corner numbers what converting
// them again gives.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "exchange/DxfLines.h"
#include "textio/TokenReader.h"

namespace {

struct Group {
    long long code = 0;
    std::string value;
    std::uint64_t line = 0;
    std::uint64_t position = 0;
    bool operator==(const Group&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Group& g)
{
    return out << g.code << " '" << g.value << "' line " << g.line << " at " << g.position;
}

// The groups as the line-by-line reading finds them: a trimmed code line
// read as an integer and, for codes above 0, the value line.
std::vector<Group> byLines(textio::TokenReader& in)
{
    exchange::DxfLines lines(in);
    std::vector<Group> out;
    std::string_view code;
    while (lines.nextTrimmed(code)) {
        Group g;
        g.code = exchange::dxfInt(code);
        std::string_view value;
        if (g.code > 0) {
            if (!lines.next(value)) {
                break;
            }
            g.value = value;
        }
        g.line = in.line();
        g.position = in.position();
        out.push_back(g);
    }
    return out;
}

std::vector<Group> byGroups(textio::TokenReader& in)
{
    exchange::DxfLines lines(in);
    std::vector<Group> out;
    Group g;
    std::string_view value;
    while (lines.nextGroup(g.code, value)) {
        g.value = g.code > 0 ? std::string(value) : std::string();
        g.line = in.line();
        g.position = in.position();
        out.push_back(g);
    }
    return out;
}

struct TempFile {
    std::FILE* f = std::tmpfile();
    explicit TempFile(const std::string& text)
    {
        std::fwrite(text.data(), 1, text.size(), f);
        std::rewind(f);
    }
    ~TempFile() { std::fclose(f); }
};

}  // namespace

TEST(DxfGroups, EveryShapeOfCodeLineReadsAsLineByLine)
{
    // Code lines as writers make them (padded to three, bare, with zeros in
    // front) and as they should not be (four blanks, tabs, signs, letters,
    // trailing blanks, too many digits, nothing at all).
    const std::vector<std::string> codes = {"0",    "  8",  "8",     "008",   " 10",          "10 ",  "\t10",
                                            "  -1", "1001", "10001", "   8",  "999999999999", "",     "x",
                                            "8x",   "1 0",  "+5",    "  330", "100",          "0000", "  0"};
    const std::vector<std::string> values = {"", "Concrete", "  1.5  ", "-3.25e-2", "AcDbEntity", "a b", "0"};
    const std::vector<std::string> endings = {"\n", "\r\n", "\r\r\n"};
    std::mt19937 rng(5);
    std::string text;
    for (int i = 0; i < 4000; ++i) {
        const std::string& ending = endings[rng() % endings.size()];
        text += codes[rng() % codes.size()] + ending + values[rng() % values.size()] + ending;
    }
    textio::TokenReader reference{std::string_view(text)};
    std::vector<Group> expected = byLines(reference);
    ASSERT_GT(expected.size(), 4000u);

    textio::TokenReader memory{std::string_view(text)};
    EXPECT_EQ(byGroups(memory), expected);
    for (std::size_t chunk : {5u, 16u, 61u, 4096u, 1u << 20}) {
        TempFile file(text);
        textio::TokenReader in(file.f, chunk);
        EXPECT_EQ(byGroups(in), expected) << "chunk " << chunk;
    }
}

TEST(DxfGroups, AGroupCutOffByTheEndOfTheFile)
{
    for (const char* text : {"  8\nLayer\n 10", "  8\nLayer\n 10\n", "  8\nLayer\n 10\n1.5", "  0"}) {
        textio::TokenReader reference{std::string_view(text)};
        textio::TokenReader in{std::string_view(text)};
        EXPECT_EQ(byGroups(in), byLines(reference)) << text;
    }
}

TEST(DxfGroups, AValueLineOverTheLimitStopsTheFile)
{
    std::string text = "  8\nL\n  1\n" + std::string(300, 'v') + "\n  8\nM\n";
    TempFile file(text);
    textio::TokenReader in(file.f);
    in.setMaxSpan(100);
    exchange::DxfLines lines(in);
    long long code = 0;
    std::string_view value;
    ASSERT_TRUE(lines.nextGroup(code, value));
    EXPECT_EQ(code, 8);
    EXPECT_FALSE(lines.nextGroup(code, value));
    EXPECT_TRUE(in.tooLong());
}

TEST(DxfGroups, ACornerNumberReadAgainGivesWhatConvertingItGives)
{
    // Texts that share their first or last eight bytes, that differ in one
    // byte in the middle, of every length around the words compared, and
    // that are not numbers or not finite.
    const std::vector<std::string> texts = {"14.867935163962587",
                                            "14.867935163962588",
                                            "14.867935163962597",
                                            "14.867935263962587",
                                            "24.867935163962587",
                                            "1.5",
                                            "1.50",
                                            "1.500000",
                                            "1.5000000",
                                            "12345678",
                                            "123456789",
                                            "-0.0",
                                            "0.0",
                                            "  +2.5",
                                            "1e999",
                                            "nan",
                                            "-inf",
                                            "abcdefgh",
                                            "3.1415926535897932384626433832795",
                                            "3.14159265358979323846264338327950",
                                            "1234567890123456",
                                            "12345678901234567",
                                            "123456789012345678901234",
                                            "1234567890123456789012345",
                                            "0.1 trailing words"};
    exchange::CornerNumbers numbers;
    std::mt19937 rng(9);
    for (int i = 0; i < 20000; ++i) {
        int axis = static_cast<int>(rng() % 3);
        // Runs of repeats, as the corners of faces have them.
        const std::string& text = texts[rng() % 4 == 0 ? rng() % texts.size() : rng() % 6];
        double expected = 0.0;
        bool expectedOk = exchange::dxfReal(text, expected);
        double got = 0.0;
        bool ok = numbers.read(axis, text, got);
        ASSERT_EQ(ok, expectedOk) << text;
        if (ok) {
            ASSERT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << text << " axis " << axis;
        }
    }
}
