// Undo ring.
#include "storage/UndoRing.h"

#include <unistd.h>

#include <cstdio>
#include <memory>

#include "model/Document.h"
#include "storage/ProjectFile.h"
#include "storage/TempFiles.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/Platform.h"

namespace storage {

namespace {

bool writeSnapshot(const model::Document& doc, const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return false;
    }
    bool ok = false;
    {
        textio::TextWriter out(f);
        ok = writeProject(out, doc);
    }
    return (std::fclose(f) == 0) && ok;
}

}  // namespace

UndoRing::UndoRing() : prefix_(tempDir() + "/clip-" + std::to_string(::getpid()) + "-") {}

UndoRing::~UndoRing()
{
    for (int k = 0; k < 10; ++k) {
        std::remove(snapshotPath(k).c_str());
    }
}

std::string UndoRing::snapshotPath(int k) const
{
    char number[8];
    std::snprintf(number, sizeof number, "%02d", ((k % 10) + 10) % 10);
    return prefix_ + number + ".ray";
}

void UndoRing::takeSnapshot(model::Document& doc)
{
    if (!doc.undoEnabled) {
        return;
    }
    if (!writeSnapshot(doc, snapshotPath(doc.undoPosition))) {
        return;
    }
    ++doc.undoPosition;
    doc.undoTop = doc.undoPosition;
    doc.setModified(true);
}

bool replaceFromFile(model::Document& doc, const std::string& path)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        return false;
    }
    model::Document restored;
    restored.autoDraw = false;
    textio::TokenReader in(file.get());
    if (!readProject(in, restored) || in.ioError()) {
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
    if (!replaceFromFile(doc, snapshotPath(k))) {
        ui::errorBox("Can't read the undo file %s", snapshotPath(k).c_str());
        return false;
    }
    // The model now differs from what was saved: the save question must guard it.
    doc.setModified(true);
    return true;
}

bool UndoRing::undo(model::Document& doc)
{
    if (!doc.undoEnabled || doc.undoPosition <= 0 || doc.undoTop - doc.undoPosition >= 9) {
        return false;
    }
    if (doc.undoPosition == doc.undoTop) {
        writeSnapshot(doc, snapshotPath(doc.undoPosition));
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
