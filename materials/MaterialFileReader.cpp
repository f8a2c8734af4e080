// The two material file grammars: tolvane.mat (number, name and three groups of
// ten band values) and tolcolor.mat (one colour per line, in slot order).
#include <charconv>
#include <cmath>

#include "materials/MaterialList.h"
#include "textio/RealFormat.h"
#include "textio/TokenReader.h"
#include "textio/Utf8.h"

namespace materials {

namespace {

// Calls f(line) for every line; a CR before the LF is dropped, and the end of
// the text after a final LF is not a line of its own.
template <typename F>
void forEachLine(std::string_view text, F f)
{
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        while (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!f(line)) {
            return;
        }
        if (nl == std::string_view::npos) {
            return;
        }
        text.remove_prefix(nl + 1);
    }
}

// Whether a name starts at the sixth character: a letter there, in ASCII,
// in UTF-8 or as a Windows-1252 byte.
bool nameStartsAt(std::string_view line, std::size_t at)
{
    if (line.size() <= at) {
        return false;
    }
    std::size_t n = textio::utf8SequenceLength(line, at);
    char32_t c = n ? textio::utf8CodePoint(line, at, n) : textio::windows1252(static_cast<unsigned char>(line[at]));
    return textio::isNameLetter(c);
}

// Up to ten numbers in sequence; stops at the first text that is not a
// finite number, leaving the remaining values as they are.
void parseGroup(std::string_view text, std::array<float, bandCount>& values)
{
    const char* p = text.data();
    const char* end = p + text.size();
    for (int i = 0; i < bandCount; ++i) {
        while (p < end && textio::isBlank(*p)) {
            ++p;
        }
        if (p < end && *p == '+') {
            ++p;
        }
        float v = 0.0f;
        auto r = std::from_chars(p, end, v);
        if (r.ec != std::errc() || !std::isfinite(v)) {
            return;
        }
        values[static_cast<std::size_t>(i)] = v;
        p = r.ptr;
    }
}

// At most `bytes` bytes, never cutting a character in two.
std::string limitUtf8(std::string text, std::size_t bytes)
{
    if (text.size() <= bytes) {
        return text;
    }
    std::size_t cut = bytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    text.resize(cut);
    return text;
}

}  // namespace

void MaterialList::readMaterialText(std::string_view text)
{
    forEachLine(text, [this](std::string_view line) {
        long long n = 0;
        if (!textio::leadingInt(line, n) || n < 0 || n >= materialCount) {
            return true;
        }
        MaterialInfo& r = records_[static_cast<std::size_t>(n)];
        r.number = static_cast<int>(n);
        r.resetBands();
        if (!nameStartsAt(line, 5)) {
            return true;
        }
        std::string_view rest = line.substr(5);
        std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos) {
            return true;
        }
        std::string_view name = rest.substr(0, comma);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) {
            name.remove_suffix(1);
        }
        // Names are text whatever their encoding (UTF-8, or Latin-1 from older
        // files) and never carry control characters into projects.
        r.name = limitUtf8(textio::utf8OrLatin1(name), 79);
        textio::upperFirst(r.name);
        std::array<float, bandCount>* groups[3] = {&r.absorption, &r.reduction, &r.diffusion};
        rest.remove_prefix(comma + 1);
        for (int g = 0; g < 3; ++g) {
            std::size_t next = rest.find(',');
            parseGroup(rest.substr(0, next), *groups[g]);
            if (next == std::string_view::npos) {
                break;
            }
            rest.remove_prefix(next + 1);
        }
        return true;
    });
}

void MaterialList::readColourText(std::string_view text)
{
    int index = 0;
    forEachLine(text, [this, &index](std::string_view line) {
        long long value = 0;
        if (textio::leadingInt(line, value) && value != 0) {
            records_[static_cast<std::size_t>(index)].colour = static_cast<ui::Colour>(
                static_cast<unsigned long long>(value) & 0xFFFFFFu);
        }
        return ++index < materialCount;
    });
}

}  // namespace materials
