// Wavefront OBJ import: the mesh format every modeller writes. Each polygon
// becomes a Face with the material its `usemtl` (else its group) names.
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

struct ObjImportReport {
    bool opened = false;
    textio::InputError openError = textio::InputError::None;
    long added = 0;
    long degenerate = 0;  // faces of fewer than three distinct vertices
    long damaged = 0;     // faces naming vertices the file does not have, or not finite
    // What the user should hear of without it being an error.
    std::vector<std::string> warnings;
};

// Adds the file's faces to the model; opened is false when the file cannot
// be opened. Faces that name missing vertices are reported through the error
// box, degenerate faces in one warning.
ObjImportReport importObj(model::Document& doc, const std::string& fileName);
ObjImportReport importObj(model::Document& doc, textio::TokenReader& in, std::uint64_t fileSize,
                          const std::string& fileName = "the mesh");

// Whether a file name ends in ".obj" (any letter case).
bool isObjName(const std::string& fileName);

}  // namespace exchange
