// UTF-8 text: appending code points, telling valid sequences, reading bytes
// that may be UTF-8 or Windows-1252 ("Latin-1"), dropping control characters
// and comparing names without regard to the case of Latin letters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace textio {

void appendUtf8(std::string& out, char32_t c);

// The length (2 to 4) of the valid multi-byte UTF-8 sequence starting at
// s[i], or 0 when the bytes there are not one.
std::size_t utf8SequenceLength(std::string_view s, std::size_t i);
// The code point of a valid sequence of that length.
char32_t utf8CodePoint(std::string_view s, std::size_t i, std::size_t length);

// C0 controls (NUL included), DEL and the C1 controls.
inline bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

// The code point of a Windows-1252 byte of 0x80 or above; 0 for the five
// bytes that code page leaves undefined.
char32_t windows1252(unsigned char byte);

// Valid UTF-8 sequences as they are, every other byte read as Windows-1252,
// control characters dropped: the result is UTF-8 that is safe to write.
std::string utf8OrLatin1(std::string_view bytes);

// Whether a code point is a letter for a name's first character: ASCII and
// Latin-1 letters, and anything beyond Latin-1 (names in other scripts).
bool isNameLetter(char32_t c);
// The first character upper-cased (ASCII and Latin-1 letters).
void upperFirst(std::string& utf8);
// Equal ignoring the case of ASCII and Latin-1 letters.
bool equalIgnoringCaseUtf8(std::string_view a, std::string_view b);

}  // namespace textio
