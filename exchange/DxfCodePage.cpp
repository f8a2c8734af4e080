// Decoding DXF text.
#include "exchange/DxfCodePage.h"

#include "textio/Utf8.h"

namespace exchange {

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// "\U+XXXX" at s[i]: the code point, or 0.
char32_t unicodeEscape(std::string_view s, std::size_t i)
{
    if (i + 7 > s.size() || s[i + 1] != 'U' || s[i + 2] != '+') {
        return 0;
    }
    char32_t c = 0;
    for (std::size_t k = i + 3; k < i + 7; ++k) {
        int d = hexDigit(s[k]);
        if (d < 0) {
            return 0;
        }
        c = c * 16 + static_cast<char32_t>(d);
    }
    return c;
}

}  // namespace

void DxfTextDecoder::setCodePage(std::string_view name)
{
    std::size_t digits = name.find_first_of("0123456789");
    if (digits == std::string_view::npos) {
        return;
    }
    int number = 0;
    for (std::size_t i = digits; i < name.size() && name[i] >= '0' && name[i] <= '9' && number < 100000; ++i) {
        number = number * 10 + (name[i] - '0');
    }
    for (int i = 0; i < codePageTableCount; ++i) {
        if (codePageTables[i].number == number) {
            table_ = &codePageTables[i];
        }
    }
}

void DxfTextDecoder::setVersion(std::string_view version)
{
    // "AC1021" and later; the number after "AC" orders the versions.
    if (version.size() >= 6 && version.substr(0, 2) == "AC") {
        int number = 0;
        for (char c : version.substr(2, 4)) {
            number = number * 10 + (c >= '0' && c <= '9' ? c - '0' : 0);
        }
        utf8_ = number >= 1021;
    }
}

bool DxfTextDecoder::isPlain(std::string_view raw)
{
    for (char ch : raw) {
        auto c = static_cast<unsigned char>(ch);
        if (c >= 0x7F || c < 0x20 || c == '\\') {
            return false;
        }
    }
    return true;
}

std::string DxfTextDecoder::decode(std::string_view raw) const
{
    if (isPlain(raw)) {
        return std::string(raw);
    }
    std::string out;
    out.reserve(raw.size());
    auto put = [&out](char32_t c) {
        if (c != 0 && !textio::isControl(c)) {
            textio::appendUtf8(out, c);
        }
    };
    for (std::size_t i = 0; i < raw.size();) {
        auto b = static_cast<unsigned char>(raw[i]);
        if (b == '\\') {
            if (char32_t c = unicodeEscape(raw, i)) {
                put(c);
                i += 7;
                continue;
            }
        }
        if (b < 0x80) {
            put(b);
            ++i;
            continue;
        }
        if (table_ && !utf8_) {
            put(table_->high[b - 0x80]);
            ++i;
            continue;
        }
        std::size_t n = textio::utf8SequenceLength(raw, i);
        if (n) {
            put(textio::utf8CodePoint(raw, i, n));
            i += n;
        } else {
            put(textio::windows1252(b));
            ++i;
        }
    }
    return out;
}

}  // namespace exchange
