// The base map: a flat line drawing (a site plan) read from a DXF file into
// the document's background list, drawn behind the model.
#pragma once

#include <cstdint>
#include <string>

#include "geometry/X3DPoint.h"
#include "textio/InputFile.h"

namespace model {
class EntityList;
}
namespace textio {
class TokenReader;
}

namespace exchange {

// Arcs and circles become segments of at most this many degrees.
constexpr double baseMapArcStep = 10.0;

// LINEs, POLYLINE/VERTEX chains, LWPOLYLINEs (closed ones closed, bulges as
// arcs), ARCs and CIRCLEs of the ENTITIES section, with block references
// expanded, become segments at z = 0: each point in metres (by the drawing's
// $INSUNITS), scaled and then offset, put at the head of the list (so the
// list runs in reverse file order). False only when the file cannot be
// opened (why says why); a file that is not a drawing, or is cut off, is
// reported.
bool readBaseMap(model::EntityList& list, const std::string& fileName, const geometry::X3DPoint& offset, double scale,
                 textio::InputError* why = nullptr);
// maxBlockEntities bounds what block references may add in all.
void readBaseMap(model::EntityList& list, textio::TokenReader& in, const geometry::X3DPoint& offset, double scale,
                 const std::string& fileName = "the drawing", std::uint64_t maxBlockEntities = 20000000);

}  // namespace exchange
