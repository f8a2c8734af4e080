// Loudspeaker drawings from directivity files (".spk"): the entity list that
// follows the line "EntityList" in the file, read once per run and kept.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/EntityList.h"

namespace views {

// The drawing of the file, or null when the file is missing, has no
// drawing or an empty one. A name that does not open as given is looked for
// in the program's data folder too.
model::EntityList* shapeFor(const std::string& file);

// Forgets every drawing read (tests, and a new material folder).
void clearShapes();

// How far a source's loudspeaker drawing reaches from the source, in metres
// (0 for any other entity): what the model's index adds round a source.
double symbolReach(const model::Entity& e);

// The drawings read so far, by file name; the program's context installs
// one (ui/Installed.h).
struct ShapeCache {
    struct Entry {
        std::string name;
        std::unique_ptr<model::EntityList> list;
        double reach = -1.0;  // not yet measured
        std::string message;  // for the status line, when first drawn
    };
    std::vector<Entry> entries;
};

}  // namespace views
