// DXF sections, header, blocks and entities.
#include "exchange/DxfReader.h"

#include <cmath>

#include "model/Entity.h"
#include "textio/RealFormat.h"

namespace exchange {

namespace {

std::string upperAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

}  // namespace

DxfReader::DxfReader(textio::TokenReader& in, bool ignoreCase) : in_(in), lines_(in), ignoreCase_(ignoreCase) {}

bool DxfReader::nameIs(std::string_view line, std::string_view word) const
{
    return ignoreCase_ ? textio::equalIgnoringCase(line, word) : line == word;
}

void DxfReader::setCut(const char* what, std::string_view name, std::uint64_t line)
{
    if (!cutMessage_.empty()) {
        return;
    }
    if (in_.tooLong()) {
        cutMessage_ = "Line " + std::to_string(in_.line()) + " is longer than " + std::to_string(in_.maxSpan() >> 20) +
                      " MB: reading stops there";
        return;
    }
    cutMessage_ = std::string("Can't read ") + what + std::string(name.substr(0, 79)) + " at line " +
                  std::to_string(line);
}

const DxfBlock* DxfReader::block(const std::string& name) const
{
    auto it = blocks_.find(upperAscii(name));
    return it == blocks_.end() ? nullptr : &it->second;
}

void DxfReader::readText(std::string& out, std::string_view value) const
{
    if (DxfTextDecoder::isPlain(value)) {
        out.assign(value.substr(0, 255));
    } else {
        out = header_.decoder.decode(value.substr(0, 255));
    }
}

void DxfReader::store(DxfEntity& e, long long code, std::string_view value)
{
    auto real = [&e, value](double& out) {
        double v = 0.0;
        // (model::isSaneCoordinate, inline: this runs for every number.)
        if (!dxfReal(value, v) || !(std::fabs(v) < model::coordinateLimit)) {
            e.damaged = true;
            return;
        }
        out = v;
    };
    if ((code >= 10 && code <= 13) || (code >= 20 && code <= 23) || (code >= 30 && code <= 33)) {
        auto corner = static_cast<std::size_t>(code % 10);
        while (e.corners.size() <= corner) {
            e.corners.emplace_back();
        }
        X3DPoint& p = e.corners[corner];
        double& slot = code < 20 ? p.x : code < 30 ? p.y : p.z;
        double v = 0.0;
        int axis = static_cast<int>(code / 10) - 1;
        if (!cornerNumbers_.read(axis, value, v) || !(std::fabs(v) < model::coordinateLimit)) {
            e.damaged = true;
        } else {
            slot = v;
        }
        // A light-weight polyline repeats its 10 and 20 for every vertex.
        if (!e.lightweight) {
            return;
        }
        if (code == 10) {
            e.points.push_back(X3DPoint(slot, 0.0, 0.0));
            e.bulges.push_back(0.0);
        } else if (code == 20 && !e.points.empty()) {
            e.points.back().y = slot;
        }
        return;
    }
    switch (code) {
    case 1:
        readText(e.text, value);
        break;
    case 2:
        readText(e.name, value);
        break;
    case 8:
        readText(e.layer, value);
        break;
    case 38:
        real(e.elevation);
        break;
    case 40:
        real(e.radius);
        break;
    case 41:
    case 42:
    case 43:
        real(e.scale[code - 41]);
        if (code == 42 && e.lightweight && !e.bulges.empty()) {
            e.bulges.back() = e.scale[1];
        }
        break;
    case 44:
    case 45:
        real(e.spacing[code - 44]);
        break;
    case 50:
        real(e.rotation);
        break;
    case 51:
        real(e.angle);
        break;
    case 62:
        e.colour = dxfInt(value);
        e.hasColour = true;
        break;
    case 70:
        e.flags = dxfInt(value);
        e.hasFlags = true;
        break;
    case 71:
    case 72:
    case 73:
    case 74:
        e.counts[code - 71] = dxfInt(value);
        e.hasRowCount = e.hasRowCount || code == 71;
        break;
    case 210:
        real(e.extrusion.x);
        break;
    case 220:
        real(e.extrusion.y);
        break;
    case 230:
        real(e.extrusion.z);
        break;
    default:
        break;
    }
}

bool DxfReader::readGroups(DxfEntity& e)
{
    long long code = 0;
    std::string_view value;
    for (;;) {
        if (!lines_.nextGroup(code, value)) {
            return false;
        }
        if (code <= 0) {
            return true;
        }
        store(e, code, value);
    }
}

bool DxfReader::readVertices(DxfEntity& polyline)
{
    std::string_view type;
    for (;;) {
        if (!lines_.nextTrimmed(type)) {
            setCut("a ", polyline.type, in_.line());
            return false;
        }
        bool vertex = textio::equalIgnoringCase(type, "VERTEX");
        if (!vertex && !textio::equalIgnoringCase(type, "SEQEND")) {
            // A polyline without its SEQEND: what follows is the next entity.
            pending_.assign(type);
            hasPending_ = true;
            return true;
        }
        scratch_.reset(type, in_.line() - 1);
        if (!readGroups(scratch_)) {
            setCut("a ", scratch_.type, scratch_.line);
            return false;
        }
        if (!vertex) {
            return true;
        }
        polyline.damaged = polyline.damaged || scratch_.damaged;
        DxfVertex v;
        v.point = scratch_.corner(0);
        v.flags = scratch_.flags;
        for (int k = 0; k < 4; ++k) {
            v.index[k] = scratch_.counts[k];
        }
        polyline.vertices.push_back(v);
    }
}

bool DxfReader::next(DxfEntity& e)
{
    std::string_view type;
    std::uint64_t line = 0;
    if (hasPending_) {
        hasPending_ = false;
        type = pending_;
        line = in_.line() - 1;
    } else {
        if (!lines_.nextTrimmed(type)) {
            setCut("the ENTITIES section", "", in_.line());
            return false;
        }
        line = in_.line() - 1;
    }
    if (type.empty()) {
        // An empty line where a type belongs: the section is broken there.
        setCut("an entity", "", line);
        return false;
    }
    if (textio::equalIgnoringCase(type, "ENDSEC")) {
        return false;
    }
    e.reset(type, line);
    if (!readGroups(e)) {
        setCut("a ", e.type, e.line);
        return false;
    }
    if (e.is("POLYLINE") && !readVertices(e)) {
        return false;
    }
    return true;
}

bool DxfReader::readHeader()
{
    std::string_view code;
    std::string_view value;
    std::string variable;
    for (;;) {
        if (!lines_.nextTrimmed(code) || !lines_.nextTrimmed(value)) {
            setCut("the HEADER section", "", in_.line());
            return false;
        }
        long long c = dxfInt(code);
        if (c == 0 && textio::equalIgnoringCase(value, "ENDSEC")) {
            return true;
        }
        if (c == 9) {
            variable.assign(value.substr(0, 79));
        } else if (variable == "$INSUNITS" && c == 70) {
            header_.insunits = dxfInt(value);
        } else if (variable == "$DWGCODEPAGE" && c == 3) {
            header_.decoder.setCodePage(value);
        } else if (variable == "$ACADVER" && c == 1) {
            header_.decoder.setVersion(value);
        }
    }
}

bool DxfReader::readBlocks()
{
    std::string_view type;
    if (!lines_.next(type)) {  // the group code 0 before the first block
        setCut("the BLOCKS section", "", in_.line());
        return false;
    }
    DxfBlock* current = nullptr;
    DxfEntity e;
    for (;;) {
        if (!next(e)) {
            if (cut()) {
                cutMessage_.clear();
                setCut("the BLOCKS section", "", in_.line());
                return false;
            }
            return true;  // ENDSEC
        }
        if (e.is("BLOCK")) {
            std::string key = upperAscii(e.name);
            // A later definition of the same name replaces the earlier one.
            current = &blocks_[key];
            *current = DxfBlock{e.name, e.corner(0), {}};
        } else if (e.is("ENDBLK")) {
            current = nullptr;
        } else if (current) {
            current->entities.push_back(e);
        }
    }
}

DxfReader::Start DxfReader::start()
{
    std::string_view line;
    bool anySection = false;
    // The section being passed over (none between sections), and whether the
    // drawing's last line came: a file that ends without it was cut off,
    // and what it lacks may well be its entities.
    std::string skipped;
    bool ended = false;
    while (lines_.nextTrimmed(line)) {
        if (!skipped.empty() && nameIs(line, "ENDSEC")) {
            skipped.clear();
            continue;
        }
        if (skipped.empty() && nameIs(line, "EOF")) {
            ended = true;
            continue;
        }
        if (!nameIs(line, "SECTION")) {
            continue;
        }
        anySection = true;
        ended = false;
        if (!lines_.next(line) || !lines_.nextTrimmed(line)) {
            setCut("the section name", "", in_.line());
            return Start::Cut;
        }
        if (nameIs(line, "ENTITIES")) {
            if (!lines_.next(line)) {  // the group code 0 before the first entity
                setCut("the ENTITIES section", "", in_.line());
                return Start::Cut;
            }
            return Start::Entities;
        }
        bool ok = true;
        if (textio::equalIgnoringCase(line, "HEADER")) {
            ok = readHeader();
        } else if (textio::equalIgnoringCase(line, "BLOCKS")) {
            ok = readBlocks();
        } else {
            skipped.assign(line.substr(0, 79));
        }
        if (!ok) {
            return Start::Cut;
        }
    }
    // (Where the file ends: its last line.)
    std::uint64_t last = in_.line() > 1 ? in_.line() - 1 : 1;
    if (!skipped.empty()) {
        setCut("the ", skipped + " section", last);
        return Start::Cut;
    }
    if (anySection && !ended) {
        setCut("the drawing", "", last);
        if (!in_.tooLong()) {
            cutMessage_ += ": it ends before its EOF";
        }
        return Start::Cut;
    }
    return anySection ? Start::NoEntities : Start::NotDxf;
}

}  // namespace exchange
