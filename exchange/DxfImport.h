// "DXF in": faces, walls, doors, holes, receivers and sources from the
// ENTITIES section of a DXF text file, with block references expanded,
// polyface and polygon meshes, closed 3-D polylines, drawing units and code
// pages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "textio/InputFile.h"

namespace model {
class Document;
}
namespace textio {
class TokenReader;
}

namespace exchange {

struct DxfImportOptions {
    // An $INSUNITS code that overrides the drawing's own (--dxf-units); -1:
    // the drawing's, and metres where it names none.
    long long units = -1;
    // What block references may add in all.
    std::uint64_t maxBlockEntities = 20000000;
    // Drawings of this many bytes or more are read on a second thread while
    // the model is built (smaller ones are over before a thread would pay).
    std::uint64_t readAheadFrom = std::uint64_t{1} << 20;
};

struct DxfImportReport {
    bool opened = false;  // false: the file could not be opened (openError says why)
    textio::InputError openError = textio::InputError::None;
    bool drawing = true;   // false: the file is not a DXF drawing at all
    bool complete = true;  // false: it ended (or broke off) inside a section
    double metresPerUnit = 1.0;
    // The units the drawing was read in ("millimetres"), and whether the
    // drawing or the option named them (else metres, by default).
    std::string units = "metres";
    bool unitsNamed = false;
    long added = 0;
    // What the user should hear of without it being an error (no ENTITIES
    // section); errors go to the error box as they happen.
    std::vector<std::string> warnings;

    // "Drawing units: millimetres" and the like, for the status line.
    std::string unitsText() const;
};

// Adds what the file holds to the model (the caller empties it first for
// "DXF in"). False only when the file cannot be opened; no message is shown.
bool importDxf(model::Document& doc, const std::string& fileName);
// The same with options; the report says what happened. A file that is not
// a DXF drawing ("The file %s is not a DXF drawing"), a file cut off, blocks
// that insert themselves or nest too deep, and mesh faces that name missing
// vertices are reported through the error box.
DxfImportReport importDxf(model::Document& doc, const std::string& fileName, const DxfImportOptions& options);
// From an open reader; fileSize scales the progress bar, fileName names the
// file in messages.
DxfImportReport importDxf(model::Document& doc, textio::TokenReader& in, std::uint64_t fileSize,
                          const DxfImportOptions& options = {}, const std::string& fileName = "the drawing");

}  // namespace exchange
