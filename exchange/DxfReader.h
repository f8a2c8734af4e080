// Reading a DXF drawing's structure: the sections, the header variables that
// matter (units, code page, version), the block definitions, and then the
// entities of the ENTITIES section one by one, POLYLINEs with their VERTEX
// entities. Shared by the model import and the base-map reader.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "exchange/DxfCodePage.h"
#include "exchange/DxfEntity.h"
#include "exchange/DxfLines.h"

namespace exchange {

struct DxfBlock {
    std::string name;
    X3DPoint base;
    std::vector<DxfEntity> entities;
};

struct DxfHeader {
    long long insunits = 0;  // 0: the drawing names no units
    DxfTextDecoder decoder;
};

class DxfReader {
public:
    // With ignoreCase the section names are compared without regard to
    // letter case (the base map); the model import wants "SECTION" and
    // "ENTITIES" exactly.
    DxfReader(textio::TokenReader& in, bool ignoreCase);

    enum class Start { Entities, NoEntities, NotDxf, Cut };
    // Reads up to the first entity of the ENTITIES section, taking the
    // header variables and the block definitions on the way. NotDxf when no
    // section was found at all; Cut when the file ended inside a section.
    Start start();

    // The next entity of the section; false at its end (ENDSEC) or where it
    // could not go on (see cut()). An entity the file ends in is not given.
    bool next(DxfEntity& e);

    // The file ended (or broke off) inside a section or an entity: the
    // message says where ("Can't read a 3DFACE at line 120").
    bool cut() const { return !cutMessage_.empty(); }
    const std::string& cutMessage() const { return cutMessage_; }

    const DxfHeader& header() const { return header_; }
    // The block of that name (compared ignoring case), or null.
    const DxfBlock* block(const std::string& name) const;
    std::uint64_t position() const { return lines_.position(); }

private:
    bool readGroups(DxfEntity& e);
    void store(DxfEntity& e, long long code, std::string_view value);
    void readText(std::string& out, std::string_view value) const;
    bool readVertices(DxfEntity& polyline);
    bool readHeader();
    bool readBlocks();
    void setCut(const char* what, std::string_view name, std::uint64_t line);
    bool nameIs(std::string_view line, std::string_view word) const;

    textio::TokenReader& in_;
    DxfLines lines_;
    CornerNumbers cornerNumbers_;
    bool ignoreCase_;
    DxfHeader header_;
    std::unordered_map<std::string, DxfBlock> blocks_;
    std::string pending_;
    bool hasPending_ = false;
    DxfEntity scratch_;
    std::string cutMessage_;
};

}  // namespace exchange
