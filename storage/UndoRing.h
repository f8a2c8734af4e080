// Undo and redo through a ring of ten snapshot files of the whole project:
// nine steps back, and the state to come back to by redo.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace model {
class Document;
}

namespace storage {

class UndoRing {
public:
    // The files are this process's own: each is created under a fresh
    // unpredictable name that no existing file or link can stand in for, so
    // two running copies never touch each other's snapshots and a planted
    // link is never followed. They are removed when the ring goes.
    UndoRing();
    ~UndoRing();
    UndoRing(const UndoRing&) = delete;
    UndoRing& operator=(const UndoRing&) = delete;

    // Before a change: the model is marked modified (whatever becomes of the
    // snapshot, so the save question protects the change); while undo is
    // enabled the whole project goes to snapshot undoPosition, the position
    // moves on and redo is cut off. A snapshot that cannot be written is
    // reported ("Can't write the undo file %s"; a temporary folder that
    // cannot take files at all, only once) and the position stays.
    void takeSnapshot(model::Document& doc);
    // What takeSnapshot changes, to be put back by takeBack when the change
    // it was taken for did not happen after all (a dialog cancelled): no
    // empty undo step, no modified mark, redo kept where nothing it needs
    // was rewritten.
    struct Mark {
        int position = 0;
        int top = 0;
        bool live = false;
        bool modified = false;
    };
    Mark mark(const model::Document& doc) const;
    void takeBack(model::Document& doc, const Mark& before);
    // False when there is nothing to undo (or redo). When the state to come
    // back to cannot be written, or the snapshot to restore cannot be read,
    // that is reported and the model and the counters stay as they were.
    bool undo(model::Document& doc);
    bool redo(model::Document& doc);

    // The file that holds snapshot k (k mod 10), empty when there is none.
    std::string snapshotPath(int k) const;

private:
    // Writes the project to a new file and, only once it is complete, makes
    // it snapshot k in place of the previous one.
    bool writeSnapshot(const model::Document& doc, int k);
    bool restore(model::Document& doc, int k);
    static int slot(int k) { return ((k % 10) + 10) % 10; }

    // Whether the model is exactly what snapshot undoPosition holds (just
    // restored from it, or just written to it), and its change count then:
    // a change from that state needs no new snapshot, so undoing it works
    // even when no file can be written.
    bool liveInRing_ = false;
    std::uint64_t liveChanges_ = 0;
    bool liveIsSnapshot(const model::Document& doc) const;
    void noteLive(const model::Document& doc);

    std::array<std::string, 10> files_;
    bool folderFailureReported_ = false;
};

// Replaces the model's entities and notes by those of the project file,
// leaving the model as it was when the file cannot be read in full.
bool replaceFromFile(model::Document& doc, const std::string& path);

}  // namespace storage
