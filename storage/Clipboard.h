// Cut, copy and paste through one project file in the temporary folder,
// shared by every running copy and kept between runs.
#pragma once

#include <string>

namespace model {
class Document;
}

namespace storage {

class UndoRing;

std::string clipboardPath();

// Writes the selected entities (a wall with its selected members when its
// base face is selected) with full precision; "Can't open the clipboard" and
// false when the file cannot be written.
bool copySelection(const model::Document& doc);
// Takes a snapshot, then appends the clipboard's entities to the model;
// "Can't open the clipboard" and false when there is none.
bool pasteClipboard(model::Document& doc, UndoRing& undo);

}  // namespace storage
