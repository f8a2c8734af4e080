// Clipboard.
#include "storage/Clipboard.h"

#include <cstdio>

#include "model/Document.h"
#include "storage/AtomicFile.h"
#include "storage/ProjectFile.h"
#include "storage/TempFiles.h"
#include "storage/UndoRing.h"
#include "textio/InputFile.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/Platform.h"

namespace storage {

std::string clipboardPath()
{
    return tempDir() + "/clip.ray";
}

bool copySelection(const model::Document& doc)
{
    bool ok = writeFileAtomically(clipboardPath(), [&doc](std::FILE* f) {
        textio::TextWriter out(f);
        // Twelve digits, as project files: copy and paste never moves geometry.
        out.setPrecision(12);
        doc.writeIfSelected(out);
        return out.flush();
    });
    if (!ok) {
        ui::errorBox("Can't open the clipboard");
    }
    return ok;
}

bool pasteClipboard(model::Document& doc, UndoRing& undo)
{
    textio::InputFile file = textio::openInputFile(clipboardPath());
    if (!file) {
        ui::errorBox("Can't open the clipboard");
        return false;
    }
    undo.takeSnapshot(doc);
    textio::TokenReader in(file.get());
    return readProject(in, doc);
}

}  // namespace storage
