// The dialogs behind the entities' Properties and Geometry: the material
// chooser, the face properties, the source parameters and the notes.
#pragma once

#include "model/EntityEditor.h"

namespace app {

class DialogEditor final : public model::EntityEditor {
public:
    int chooseMaterial(materials::Material& material, bool offerSameForAll) override;
    int faceProperties(model::Face& face) override;
    int sourceParameters(model::Source& source) override;
    int editNotes(const std::string& title, std::string& text) override;

    // The last material chosen in the material chooser, offered when a face
    // still has material 0.
    unsigned lastChosenMaterial = 0;
};

}  // namespace app
