// Base-map reader.
#include "exchange/BaseMapReader.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "exchange/DxfLines.h"
#include "model/EntityList.h"
#include "model/Segment.h"

namespace exchange {

namespace {

using geometry::X3DPoint;

enum class Kind { Line, Polyline, Vertex, End, Other };

// The kinds of the drawing that matter; every other type, in the table of
// known DXF kinds or not, draws nothing.
Kind kindOf(std::string_view type)
{
    if (type == "LINE") {
        return Kind::Line;
    }
    if (type == "POLYLINE") {
        return Kind::Polyline;
    }
    if (type == "VERTEX") {
        return Kind::Vertex;
    }
    if (type == "ENDSEC" || type == "ENDBLK") {
        return Kind::End;
    }
    return Kind::Other;
}

}  // namespace

void readBaseMap(model::EntityList& list, textio::TokenReader& in, const X3DPoint& offset, double scale)
{
    DxfLines lines(in);
    if (!findEntitiesSection(lines, true)) {
        return;
    }
    std::string_view line;
    lines.next(line);  // group code 0

    std::vector<std::unique_ptr<model::Entity>> segments;  // file order
    X3DPoint last;
    bool haveLast = false;
    std::string_view type;
    while (lines.nextTrimmed(type)) {
        Kind kind = kindOf(type);
        std::array<X3DPoint, 4> corners{};
        bool damaged = false;
        std::string_view code;
        std::string_view value;
        while (lines.nextTrimmed(code)) {
            long long c = dxfInt(code);
            if (c <= 0 || !lines.next(value)) {
                break;
            }
            bool isX = c >= 10 && c <= 13;
            bool isY = c >= 20 && c <= 23;
            if (!isX && !isY) {
                continue;
            }
            double v = 0.0;
            if (!dxfReal(value, v)) {
                damaged = true;
                continue;
            }
            X3DPoint& p = corners[static_cast<std::size_t>(c % 10)];
            (isX ? p.x : p.y) = v;
        }
        if (kind == Kind::End) {
            break;
        }
        for (X3DPoint& p : corners) {
            p = X3DPoint(p.x * scale + offset.x, p.y * scale + offset.y, 0.0);
            damaged = damaged || !model::isSaneCoordinate(p.x) || !model::isSaneCoordinate(p.y);
        }
        if (damaged) {
            continue;
        }
        if (kind == Kind::Line) {
            segments.push_back(std::make_unique<model::Segment>(corners[0], corners[1]));
        } else if (kind == Kind::Polyline) {
            haveLast = false;
        } else if (kind == Kind::Vertex) {
            if (haveLast) {
                segments.push_back(std::make_unique<model::Segment>(last, corners[0]));
            }
            last = corners[0];
            haveLast = true;
        }
    }
    std::reverse(segments.begin(), segments.end());
    list.prependAll(std::move(segments));
}

bool readBaseMap(model::EntityList& list, const std::string& fileName, const X3DPoint& offset, double scale)
{
    std::uint64_t size = 0;
    std::FILE* file = openDxf(fileName, size);
    if (!file) {
        return false;
    }
    {
        textio::TokenReader in(file);
        readBaseMap(list, in, offset, scale);
    }
    std::fclose(file);
    return true;
}

}  // namespace exchange
