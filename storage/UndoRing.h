// Undo and redo through a ring of ten snapshot files of the whole project:
// nine steps back, and the state to come back to by redo.
#pragma once

#include <string>

namespace model {
class Document;
}

namespace storage {

class UndoRing {
public:
    // The files are this process's own (its id is in their names), so two
    // running copies never overwrite each other's snapshots; they are
    // removed when the ring goes.
    UndoRing();
    ~UndoRing();
    UndoRing(const UndoRing&) = delete;
    UndoRing& operator=(const UndoRing&) = delete;

    // Before a change: the whole project goes to snapshot undoPosition, the
    // position moves on, redo is cut off and the model is marked modified.
    // Nothing while undo is disabled; a snapshot that cannot be written is
    // passed over.
    void takeSnapshot(model::Document& doc);
    // False when there is nothing to undo (or redo). A snapshot that cannot
    // be read is reported and leaves the model and the counters as they were.
    bool undo(model::Document& doc);
    bool redo(model::Document& doc);

    std::string snapshotPath(int k) const;

private:
    bool restore(model::Document& doc, int k);

    std::string prefix_;
};

// Replaces the model's entities and notes by those of the project file,
// leaving the model as it was when the file cannot be read in full.
bool replaceFromFile(model::Document& doc, const std::string& path);

}  // namespace storage
