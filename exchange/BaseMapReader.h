// The base map: a flat line drawing (a site plan) read from a DXF file into
// the document's background list, drawn behind the model.
#pragma once

#include <string>

#include "geometry/X3DPoint.h"

namespace model {
class EntityList;
}
namespace textio {
class TokenReader;
}

namespace exchange {

// LINEs and POLYLINE/VERTEX chains of the ENTITIES section become segments at
// z = 0, each point scaled and then offset, put at the head of the list (so
// the list runs in reverse file order). False only when the file cannot be
// opened.
bool readBaseMap(model::EntityList& list, const std::string& fileName, const geometry::X3DPoint& offset,
                 double scale);
void readBaseMap(model::EntityList& list, textio::TokenReader& in, const geometry::X3DPoint& offset, double scale);

}  // namespace exchange
