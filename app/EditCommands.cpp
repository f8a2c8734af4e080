// Edit and Select commands: clipboard, undo, delete, duplicate, properties,
// notes, selection.
#include "app/Application.h"
#include "model/Info.h"
#include "storage/Clipboard.h"
#include "tools/DuplicateFinder.h"
#include "ui/Platform.h"

namespace app {

void Application::editCommand(int id)
{
    switch (id) {
    case cmd::Cut: {
        ui::WaitCursor wait;
        if (!hasSelection()) {
            ui::errorBox("Nothing to do!");
            return;
        }
        undo.takeSnapshot(document);
        if (storage::copySelection(document)) {
            document.deleteSelected();
        }
        redrawAll();
        return;
    }
    case cmd::Copy:
        if (!hasSelection()) {
            ui::errorBox("Nothing to do!");
            return;
        }
        storage::copySelection(document);
        return;
    case cmd::Paste:
        storage::pasteClipboard(document, undo);
        redrawAll();
        return;
    case cmd::Duplicate: {
        if (!hasSelection()) {
            ui::errorBox("Nothing to do!");
            return;
        }
        undo.takeSnapshot(document);
        bool autoDraw = document.autoDraw;
        document.autoDraw = false;
        document.duplicateIfSelected(document);
        document.autoDraw = autoDraw;
        // The copies change the model: the save question must protect them.
        document.setModified(true);
        return;
    }
    case cmd::Delete: {
        ui::WaitCursor wait;
        if (!hasSelection()) {
            ui::errorBox("Nothing to do!");
            return;
        }
        undo.takeSnapshot(document);
        document.deleteSelected();
        redrawAll();
        return;
    }
    case cmd::Undo:
        if (!document.undoEnabled) {
            return;
        }
        if (!undo.undo(document)) {
            ui::errorBox("Nothing to undo!");
            return;
        }
        redrawAll();
        return;
    case cmd::Redo:
        if (!document.undoEnabled) {
            return;
        }
        if (!undo.redo(document)) {
            ui::errorBox("Nothing to redo!");
            return;
        }
        redrawAll();
        return;
    case cmd::Properties:
    case cmd::Geometry: {
        // An edit is one undo step like any other change; a dialog left
        // without a change leaves no step and no modified mark.
        storage::UndoRing::Mark before = undo.mark(document);
        undo.takeSnapshot(document);
        int changed = id == cmd::Properties ? document.editProperties(editor, false)
                                            : document.editGeometry(editor, false);
        if (changed != 0) {
            document.setModified(true);
            redrawAll();
        } else {
            undo.takeBack(document, before);
        }
        return;
    }
    case cmd::ProjectNotes:
        if (document.notes.projectNotes().editProperties(editor, false) != 0) {
            document.setModified(true);
        }
        return;
    case cmd::SelectAll:
        document.setSelected(true);
        redrawAll();
        return;
    case cmd::UnselectAll:
        // Esc in the middle of a gesture also gives the gesture up: the
        // button's release then does nothing.
        if (tools && tools->tracker.active() && tools->tracker.view()) {
            tools->cancel(*tools->tracker.view());
        }
        document.setSelected(false);
        redrawAll();
        return;
    case cmd::ToggleSelection:
        document.setSelected(!document.selected);
        redrawAll();
        return;
    case cmd::SelectDuplicates:
        if (tools::selectDuplicates(document) > 0) {
            redrawAll();
        }
        return;
    default:
        return;
    }
}

}  // namespace app
