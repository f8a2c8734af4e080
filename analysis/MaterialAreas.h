// The material-area summary: square metres of every material in the model.
#pragma once

#include <cstdint>

namespace materials {
class MaterialList;
}
namespace model {
class EntityList;
}

namespace analysis {

// Clears every record's area, then walks the model at every depth in list
// order: a face adds its area to its material and becomes the current face
// material; a door adds its area to its own material and takes it off the
// current face material; a hole takes its area off the current face
// material. So openings are charged to the face before them in the list.
// currentFaceMaterial is the program-wide value, kept from one use to the next.
void computeMaterialAreas(model::EntityList& model, materials::MaterialList& list, std::uint32_t& currentFaceMaterial);

}  // namespace analysis
