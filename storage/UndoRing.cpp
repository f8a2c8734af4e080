// Undo ring.
#include "storage/UndoRing.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "model/Document.h"
#include "storage/ProjectFile.h"
#include "storage/TempFiles.h"
#include "textio/InputFile.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/Platform.h"

namespace storage {

UndoRing::UndoRing() = default;

UndoRing::~UndoRing()
{
    for (const std::string& file : files_) {
        if (!file.empty()) {
            ::unlink(file.c_str());
        }
    }
}

std::string UndoRing::snapshotPath(int k) const
{
    return files_[static_cast<std::size_t>(slot(k))];
}

bool UndoRing::writeSnapshot(const model::Document& doc, int k)
{
    char number[8];
    std::snprintf(number, sizeof number, "%02d", slot(k));
    std::string stem = tempDir() + "/clip-" + std::to_string(::getpid()) + "-" + number;
    std::string pattern = stem + "-XXXXXX.ray";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    // mkstemps creates the file exclusively (O_EXCL), so neither an existing
    // file nor a link at that name is ever written through.
    int fd = ::mkstemps(name.data(), 4);
    if (fd < 0) {
        if (!folderFailureReported_) {
            folderFailureReported_ = true;
            ui::errorBox("Can't write the undo file %s", (stem + ".ray").c_str());
        }
        return false;
    }
    folderFailureReported_ = false;
    std::FILE* f = ::fdopen(fd, "wb");
    bool ok = f != nullptr;
    if (ok) {
        textio::TextWriter out(f);
        ok = writeProject(out, doc);
    }
    ok = ok && std::fflush(f) == 0 && !std::ferror(f);
    ok = (f ? std::fclose(f) == 0 : ::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(name.data());
        ui::errorBox("Can't write the undo file %s", name.data());
        return false;
    }
    std::string& current = files_[static_cast<std::size_t>(slot(k))];
    if (!current.empty()) {
        ::unlink(current.c_str());
    }
    current = name.data();
    return true;
}

bool UndoRing::liveIsSnapshot(const model::Document& doc) const
{
    return liveInRing_ && doc.changes() == liveChanges_ && !snapshotPath(doc.undoPosition).empty();
}

void UndoRing::noteLive(const model::Document& doc)
{
    liveInRing_ = true;
    liveChanges_ = doc.changes();
}

void UndoRing::takeSnapshot(model::Document& doc)
{
    bool inRing = doc.undoEnabled && liveIsSnapshot(doc);
    liveInRing_ = false;
    // Whatever happens to the snapshot, the change that follows must be
    // protected by the save question.
    doc.setModified(true);
    if (!doc.undoEnabled) {
        return;
    }
    if (!inRing && !writeSnapshot(doc, doc.undoPosition)) {
        // The model is about to differ from every state redo could bring
        // back: redo must not jump over this change.
        doc.undoTop = doc.undoPosition;
        return;
    }
    ++doc.undoPosition;
    doc.undoTop = doc.undoPosition;
}

UndoRing::Mark UndoRing::mark(const model::Document& doc) const
{
    return Mark{doc.undoPosition, doc.undoTop, doc.undoEnabled && liveIsSnapshot(doc), doc.modified()};
}

void UndoRing::takeBack(model::Document& doc, const Mark& before)
{
    if (!doc.undoEnabled) {
        doc.setModified(before.modified);
        return;
    }
    bool stepped = doc.undoPosition == before.position + 1;
    doc.undoPosition = before.position;
    // A snapshot that was written went where redo starts from: redo comes
    // back only when none was (the model was that snapshot already).
    doc.undoTop = before.live ? before.top : before.position;
    doc.setModified(before.modified);
    if (stepped) {
        // The snapshot at the position holds exactly this model.
        noteLive(doc);
    } else {
        liveInRing_ = false;
    }
}

bool replaceFromFile(model::Document& doc, const std::string& path)
{
    textio::InputFile file = textio::openInputFile(path);
    if (!file) {
        return false;
    }
    model::Document restored;
    restored.autoDraw = false;
    textio::TokenReader in(file.get());
    if (!readProject(in, restored) || in.ioError() || in.endedInList) {
        return false;
    }
    doc.clearEntities();
    doc.takeChildrenFrom(restored);
    doc.notes.clear();
    doc.notes.takeChildrenFrom(restored.notes);
    doc.renumber();
    return true;
}

bool UndoRing::restore(model::Document& doc, int k)
{
    std::string path = snapshotPath(k);
    if (path.empty() || !replaceFromFile(doc, path)) {
        ui::errorBox("Can't read the undo file %s", path.c_str());
        return false;
    }
    // The model now differs from what was saved: the save question must guard it.
    doc.setModified(true);
    noteLive(doc);
    return true;
}

bool UndoRing::undo(model::Document& doc)
{
    if (!doc.undoEnabled || doc.undoPosition <= 0 || doc.undoTop - doc.undoPosition >= 9) {
        return false;
    }
    // Redo must be able to come back to the state now shown: without that
    // snapshot, undoing would lose it, so nothing is undone.
    if (doc.undoPosition == doc.undoTop && !liveIsSnapshot(doc) && !writeSnapshot(doc, doc.undoPosition)) {
        return true;
    }
    if (restore(doc, doc.undoPosition - 1)) {
        --doc.undoPosition;
    }
    return true;
}

bool UndoRing::redo(model::Document& doc)
{
    if (!doc.undoEnabled || doc.undoPosition >= doc.undoTop) {
        return false;
    }
    if (restore(doc, doc.undoPosition + 1)) {
        ++doc.undoPosition;
    }
    return true;
}

}  // namespace storage
