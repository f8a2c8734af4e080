// Wavefront OBJ export with its material library (.mtl): faces grouped by
// material, openings as faces of their own in the group "openings", sources
// and receivers as comments.
#pragma once

#include <string>

namespace model {
class EntityList;
}
namespace textio {
class TextWriter;
}

namespace exchange {

// The mesh: "mtllib" naming mtlFile, then for every material in use a group
// of its faces after "usemtl" and the material's name; then the group
// "openings" with the holes and doors; sources and receivers as comments.
// Walls give their base faces. Numbers to 12 significant digits.
void exportObj(textio::TextWriter& out, const model::EntityList& model, const std::string& mtlFile);
// The library: "newmtl" and a diffuse colour ("Kd") from tolcolor.mat for
// every material the model uses.
void exportMtl(textio::TextWriter& out, const model::EntityList& model);

}  // namespace exchange
