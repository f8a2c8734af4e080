// DXF lines and numbers.
#include "exchange/DxfLines.h"

#include <charconv>
#include <cmath>

#include "textio/InputFile.h"
#include "textio/RealFormat.h"

namespace exchange {

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
