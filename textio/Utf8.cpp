// UTF-8 helpers.
#include "textio/Utf8.h"

namespace textio {

namespace {

// Windows-1252 at 0x80-0x9F; the rest of the upper half is Latin-1 itself.
constexpr char32_t cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The next code point of a UTF-8 string (valid or not: a stray byte counts
// as itself), advancing i.
char32_t nextCodePoint(std::string_view s, std::size_t& i)
{
    std::size_t n = utf8SequenceLength(s, i);
    if (n == 0) {
        return static_cast<unsigned char>(s[i++]);
    }
    char32_t c = utf8CodePoint(s, i, n);
    i += n;
    return c;
}

char32_t foldLatin(char32_t c)
{
    if (c >= 'A' && c <= 'Z') {
        return c + 32;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return c + 32;
    }
    return c;
}

}  // namespace

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::size_t utf8SequenceLength(std::string_view s, std::size_t i)
{
    auto at = [&s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b = at(i);
    std::size_t n = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    if (n == 0 || i + n > s.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < n; ++k) {
        if ((at(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    // Overlong forms, surrogates and code points beyond Unicode.
    unsigned char b1 = at(i + 1);
    if ((b == 0xE0 && b1 < 0xA0) || (b == 0xED && b1 >= 0xA0) || (b == 0xF0 && b1 < 0x90) ||
        (b == 0xF4 && b1 >= 0x90)) {
        return 0;
    }
    return n;
}

char32_t utf8CodePoint(std::string_view s, std::size_t i, std::size_t length)
{
    auto at = [&s](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(s[k])); };
    char32_t c = at(i) & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
    for (std::size_t k = 1; k < length; ++k) {
        c = (c << 6) | (at(i + k) & 0x3F);
    }
    return c;
}

char32_t windows1252(unsigned char byte)
{
    if (byte < 0x80) {
        return byte;
    }
    return byte < 0xA0 ? cp1252High[byte - 0x80] : byte;
}

std::string utf8OrLatin1(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            if (!isControl(b)) {
                out += static_cast<char>(b);
            }
            ++i;
            continue;
        }
        std::size_t n = utf8SequenceLength(bytes, i);
        char32_t c = n ? utf8CodePoint(bytes, i, n) : windows1252(b);
        if (c != 0 && !isControl(c)) {
            if (n) {
                out.append(bytes.substr(i, n));
            } else {
                appendUtf8(out, c);
            }
        }
        i += n ? n : 1;
    }
    return out;
}

bool isNameLetter(char32_t c)
{
    if (c < 0x80) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    }
    if (c < 0x100) {
        return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
    return true;
}

void upperFirst(std::string& utf8)
{
    if (utf8.empty()) {
        return;
    }
    if (utf8[0] >= 'a' && utf8[0] <= 'z') {
        utf8[0] = static_cast<char>(utf8[0] - 'a' + 'A');
        return;
    }
    std::size_t n = utf8SequenceLength(utf8, 0);
    if (n != 2) {
        return;
    }
    char32_t c = utf8CodePoint(utf8, 0, 2);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        std::string upper;
        appendUtf8(upper, c - 32);
        utf8.replace(0, 2, upper);
    }
}

bool equalIgnoringCaseUtf8(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (foldLatin(nextCodePoint(a, i)) != foldLatin(nextCodePoint(b, j))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

}  // namespace textio
