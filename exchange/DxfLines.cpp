// DXF lines and numbers.
#include "exchange/DxfLines.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "textio/InputFile.h"
#include "textio/RealFormat.h"

namespace exchange {

bool DxfLines::nextGroup(long long& code, std::string_view& value)
{
    // Most groups are a code line of up to three blanks and four digits
    // (ended by LF or CR LF) and a value line, both whole in the reader's
    // buffer: those are taken from it here.
    const char* p = in_.ahead();
    const char* end = in_.aheadEnd();
    if (end - p >= 16) {
        const auto* u = reinterpret_cast<const unsigned char*>(p);
        int i = 0;
        while (i < 3 && u[i] == ' ') {
            ++i;
        }
        unsigned digit = u[i] - '0';
        long long c = digit;
        if (digit <= 9) {
            ++i;
            if ((digit = u[i] - '0') <= 9) {
                c = c * 10 + digit;
                ++i;
                if ((digit = u[i] - '0') <= 9) {
                    c = c * 10 + digit;
                    ++i;
                    if ((digit = u[i] - '0') <= 9) {
                        c = c * 10 + digit;
                        ++i;
                    }
                }
            }
            i += u[i] == '\r';
        }
        if (u[i] == '\n' && c <= 9999) {
            const char* v = p + i + 1;
            if (c == 0) {
                in_.skip(v, 1);
                code = 0;
                return true;
            }
            const char* lf = textio::TokenReader::findLineFeed(v, end);
            if (lf && static_cast<std::size_t>(lf - v) <= in_.maxSpan()) {
                const char* stop = lf;
                while (stop != v && stop[-1] == '\r') {
                    --stop;
                }
                code = c;
                value = std::string_view(v, static_cast<std::size_t>(stop - v));
                in_.skip(lf + 1, 2);
                return true;
            }
        }
    }
    std::string_view line;
    if (!nextTrimmed(line)) {
        return false;
    }
    code = dxfInt(line);
    return code <= 0 || next(value);
}

long long dxfInt(std::string_view line)
{
    // Group codes are a few plain digits, often after blanks (ezdxf writes
    // "  8"): read those directly.
    std::size_t i = 0;
    while (i < line.size() && line[i] == ' ') {
        ++i;
    }
    if (i < line.size() && line.size() - i <= 9) {
        long long v = 0;
        std::size_t j = i;
        while (j < line.size() && line[j] >= '0' && line[j] <= '9') {
            v = v * 10 + (line[j] - '0');
            ++j;
        }
        if (j == line.size()) {
            return v;
        }
    }
    long long v = 0;
    if (!textio::leadingInt(line, v)) {
        return 0;
    }
    return v;
}

bool dxfReal(std::string_view line, double& value)
{
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
        ++i;
    }
    if (i < line.size() && line[i] == '+') {
        ++i;
    }
    value = 0.0;
    if (i == line.size()) {
        return true;
    }
    double v = 0.0;
    auto r = std::from_chars(line.data() + i, line.data() + line.size(), v);
    if (r.ec == std::errc::result_out_of_range) {
        return false;
    }
    if (r.ec != std::errc()) {
        return true;  // not a number: 0
    }
    if (!std::isfinite(v)) {
        return false;
    }
    value = v;
    return true;
}

bool CornerNumbers::read(int axis, std::string_view text, double& value)
{
    std::size_t size = text.size();
    // Short numbers are quick to read anyway.
    if (size < 8 || size > 32) {
        return dxfReal(text, value);
    }
    const char* p = text.data();
    std::uint64_t words[4];
    std::size_t at[4] = {0, std::min<std::size_t>(8, size - 8), std::min<std::size_t>(16, size - 8), size - 8};
    for (int i = 0; i < 4; ++i) {
        std::memcpy(&words[i], p + at[i], 8);
    }
    // Both compared without branches: which one matches is hard to foresee.
    Recent* recent = recent_[axis];
    auto same = [&](const Recent& r) {
        return (r.size == size) & (r.words[0] == words[0]) & (r.words[1] == words[1]) & (r.words[2] == words[2]) &
               (r.words[3] == words[3]);
    };
    bool first = same(recent[0]);
    bool second = same(recent[1]);
    if (first | second) {
        const Recent& r = recent[first ? 0 : 1];
        value = r.value;
        return r.ok;
    }
    bool ok = dxfReal(text, value);
    Recent& r = recent[newest_[axis] ^= 1];
    r.size = size;
    std::memcpy(r.words, words, sizeof words);
    r.value = value;
    r.ok = ok;
    return ok;
}

bool findEntitiesSection(DxfLines& lines, bool ignoreCase)
{
    auto is = [ignoreCase](std::string_view line, std::string_view word) {
        return ignoreCase ? textio::equalIgnoringCase(line, word) : line == word;
    };
    std::string_view line;
    while (lines.nextTrimmed(line)) {
        if (!is(line, "SECTION")) {
            continue;
        }
        if (!lines.next(line) || !lines.nextTrimmed(line)) {
            return false;
        }
        if (is(line, "ENTITIES")) {
            return true;
        }
    }
    return false;
}

std::FILE* openDxf(const std::string& fileName, std::uint64_t& size, textio::InputError* why)
{
    textio::InputFile file = textio::openInputFile(fileName);
    size = file.size;
    if (why) {
        *why = file.error;
    }
    return file.file.release();
}

}  // namespace exchange
