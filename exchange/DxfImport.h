// "DXF in": faces, walls, doors, holes, receivers and sources from the
// ENTITIES section of a DXF text file.
#pragma once

#include <cstdint>
#include <string>

namespace model {
class Document;
}
namespace textio {
class TokenReader;
}

namespace exchange {

// Adds what the file holds to the model (the caller empties it first for
// "DXF in"). False only when the file cannot be opened; no message is shown.
bool importDxf(model::Document& doc, const std::string& fileName);
// The same from an open reader; fileSize scales the progress bar.
void importDxf(model::Document& doc, textio::TokenReader& in, std::uint64_t fileSize);

}  // namespace exchange
