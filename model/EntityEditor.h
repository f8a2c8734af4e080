// The dialogs behind the entities' Properties and Geometry commands, as an
// interface the model calls; the application implements it with real dialogs.
#pragma once

#include <string>

#include "materials/Material.h"

namespace model {

class Face;
class Source;

class EntityEditor {
public:
    virtual ~EntityEditor() = default;

    // "Input Material": 0 cancelled, 1 OK, 2 OK and the same material for all
    // the selected faces that follow (offered only when some follow).
    virtual int chooseMaterial(materials::Material& material, bool offerSameForAll) = 0;
    // "Face Properties" (the first four vertices and the material): 0 or 1.
    virtual int faceProperties(Face& face) = 0;
    // "Source parameters": 0 or 1.
    virtual int sourceParameters(Source& source) = 0;
    // The notes dialog under the given title on a multi-line text: 0 or 1.
    virtual int editNotes(const std::string& title, std::string& text) = 0;
};

}  // namespace model
