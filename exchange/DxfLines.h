// Reading DXF text: whole lines (however long, whatever the line ends) and
// the lenient number conversion DXF files need.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "textio/InputFile.h"
#include "textio/TokenReader.h"

namespace exchange {

inline std::string_view trimRight(std::string_view s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

class DxfLines {
public:
    explicit DxfLines(textio::TokenReader& in) : in_(in) {}

    // The next line without its line end (CR LF, CR CR LF and LF all read
    // alike); false at the end of the file.
    bool next(std::string_view& line) { return in_.readLine(line); }
    // The same, with trailing blanks and tabs also removed (for group codes,
    // keywords and entity types).
    bool nextTrimmed(std::string_view& line)
    {
        if (!in_.readLine(line)) {
            return false;
        }
        line = trimRight(line);
        return true;
    }

    // The next group: its code line read as dxfInt reads it, trimmed, and,
    // for a code above 0, its value line. False where the file ends first.
    bool nextGroup(long long& code, std::string_view& value);

    std::uint64_t position() const { return in_.position(); }

private:
    textio::TokenReader& in_;
};

// dxfReal for the corner groups (10-13, 20-23, 30-33), remembering the last
// two texts of each axis with what they gave: the corners of a face share
// their coordinates two by two (a wall's top corners stand above its bottom
// ones), and a text read again is not converted again.
class CornerNumbers {
public:
    bool read(int axis, std::string_view text, double& value);

private:
    // A text of 8 to 32 bytes as its size and the words at 0, 8, 16 and
    // size - 8 (overlapping where it is shorter): equal texts, equal words.
    struct Recent {
        std::uint64_t size = 0;
        std::uint64_t words[4] = {0, 0, 0, 0};
        double value = 0.0;
        bool ok = false;
    };
    Recent recent_[3][2];
    int newest_[3] = {0, 0, 0};
};

// As C's atoi: leading blanks skipped, digits up to the first other
// character, 0 when the line does not start with a number.
long long dxfInt(std::string_view line);
// As C's atof, but false for a value that is not finite.
bool dxfReal(std::string_view line, double& value);

// Moves past the name line of the first entities section; false when the
// file has none. The model import compares "SECTION" and "ENTITIES" exactly,
// the base-map reader ignoring case.
bool findEntitiesSection(DxfLines& lines, bool ignoreCase);

// Opens a drawing for reading: only a regular file (a FIFO would block, a
// device never end); null when it cannot, with the reason in why.
std::FILE* openDxf(const std::string& fileName, std::uint64_t& size, textio::InputError* why = nullptr);

}  // namespace exchange
