// The document workflow: New, Open, Merge, Save with backup, Save As, DXF in
// and out, dropped files and the save-changes question.
#include <filesystem>

#include "app/Application.h"
#include "app/Settings.h"
#include "exchange/DxfImport.h"
#include "exchange/ObjImport.h"
#include "storage/AtomicFile.h"
#include "storage/ProjectFile.h"
#include "scene3d/ExportFile.h"
#include "textio/InputFile.h"
#include "textio/TextWriter.h"
#include "tools/DuplicateFinder.h"
#include "ui/FileChooser.h"
#include "ui/Platform.h"

namespace app {

namespace {

std::string extensionOf(const std::string& path)
{
    std::filesystem::path p(path);
    std::string ext = p.extension().string();
    return ext.empty() ? ext : ext.substr(1);
}

// A DXF drawing or an OBJ mesh into the model; the status line tells the
// units the drawing was read in and anything skipped.
bool importDrawing(model::Document& doc, const std::string& path)
{
    std::vector<std::string> warnings;
    std::string status;
    bool opened = false;
    textio::InputError why = textio::InputError::None;
    if (exchange::isObjName(path)) {
        exchange::ObjImportReport report = exchange::importObj(doc, path);
        opened = report.opened;
        why = report.openError;
        warnings = report.warnings;
    } else {
        exchange::DxfImportReport report = exchange::importDxf(doc, path, exchange::DxfImportOptions{});
        opened = report.opened;
        why = report.openError;
        warnings = report.warnings;
        status = report.unitsText();
    }
    if (!opened) {
        ui::errorBox("%s", textio::describeInputError(path, why).c_str());
        return false;
    }
    for (const std::string& w : warnings) {
        status += (status.empty() ? "" : "; ") + w;
    }
    ui::showStatus(status);
    return true;
}

}  // namespace

bool Application::askSaveChanges()
{
    if (!document.modified() || document.empty()) {
        return true;
    }
    switch (ui::platform().askSaveChanges("Save Changes ?")) {
    case ui::Platform::SaveAnswer::Yes:
        return save();
    case ui::Platform::SaveAnswer::No:
        return true;
    case ui::Platform::SaveAnswer::Cancel:
        return false;
    }
    return false;
}

void Application::clearProject()
{
    document.clearEntities();
    // A new project does not inherit the last one's notes.
    document.notes.clear();
    document.setModified(false);
}

void Application::newProject()
{
    if (!askSaveChanges()) {
        return;
    }
    clearProject();
    fileName.clear();
    updateTitle();
    redrawAll();
}

bool Application::openProject(const std::string& rawName)
{
    std::string name = rawName;
    if (!name.empty() && name.front() == '"') {
        name.erase(std::remove(name.begin(), name.end(), '"'), name.end());
    }
    if (document.empty()) {
        updateTitle();
    }
    bool ok = storage::openProject(name, document);
    ui::showStatus("");
    zoomViewsToModel();
    return ok;
}

void Application::zoomViewsToModel()
{
    for (const ViewSlot& slot : viewSlots()) {
        if (slot.command != cmd::View3D && view(slot.command)) {
            view(slot.command)->zoomToExtents();
        }
    }
}

void Application::openFile(bool merge)
{
    if (!askSaveChanges()) {
        return;
    }
    std::optional<std::string> chosen = ui::chooseFile(fileName, false);
    if (!chosen) {
        return;
    }
    // Merging keeps the document's name: a later Save must not write the
    // combined model over the merged file. An imported drawing leaves the
    // document without one: Save must not write our export over the
    // architect's drawing.
    if (!merge) {
        fileName = storage::isProjectName(*chosen) ? *chosen : std::string();
    }
    undo.takeSnapshot(document);
    if (!merge) {
        clearProject();
    }
    if (storage::isProjectName(*chosen)) {
        openProject(*chosen);
    } else {
        importDrawing(document, *chosen);
        zoomViewsToModel();
    }
    if (!merge) {
        document.setModified(false);
    }
    updateTitle();
    redrawAll();
    if (!viewWindow(cmd::ViewPlant)->isVisible()) {
        toggleView(cmd::ViewPlant);
    }
}

bool Application::save()
{
    if (fileName.empty()) {
        std::optional<std::string> chosen = ui::chooseFile(fileName, true);
        if (!chosen) {
            return false;
        }
        return saveTo(*chosen);
    }
    return saveTo(fileName);
}

bool Application::saveAs()
{
    std::optional<std::string> chosen = ui::chooseFile(fileName, true);
    if (!chosen) {
        return false;
    }
    return saveTo(*chosen);
}

bool Application::saveTo(const std::string& name)
{
    if (document.modified() && readFlag(AutoCheckDuplicates, true) && document.count() > 1) {
        char question[96];
        std::snprintf(question, sizeof question, "Do you want to find duplicates on %u entities",
                      static_cast<unsigned>(document.count()));
        if (ui::confirmBox(question)) {
            unsigned found = tools::selectDuplicates(document);
            if (found > 0) {
                redrawAll();
                std::snprintf(question, sizeof question, "%d duplicate entities found: save anyway?",
                              static_cast<int>(found));
                if (!ui::confirmBox(question)) {
                    return false;
                }
            }
        }
    }
    return saveProject(name);
}

bool Application::saveProject(const std::string& name)
{
    if (!storage::isProjectName(name)) {
        if (!scene3d::exportFile(document, name, extensionOf(name), exportOptions())) {
            return false;
        }
        // Only a written file gives the document its name; an export leaves
        // the modified mark and the title alone, since no project holds it.
        fileName = name;
        return true;
    }
    ui::WaitCursor wait;
    // A link to the project stays a link: its target is what is rewritten,
    // and the backup is taken beside the target.
    std::filesystem::path target(storage::writeTarget(name));
    std::filesystem::path backup = target;
    backup.replace_extension("bak");
    // The new file is written in full first; only then does the old one
    // become the backup (unless a backup is there already) and the new one
    // take its name. A failed write leaves the old file untouched.
    bool ok = storage::writeFileAtomically(
        target.string(),
        [this](std::FILE* f) {
            textio::TextWriter out(f);
            return storage::writeProject(out, document);
        },
        [&target, &backup] {
            std::error_code ec;
            if (std::filesystem::exists(target, ec) && !std::filesystem::exists(backup, ec)) {
                std::filesystem::rename(target, backup, ec);
            }
            return true;
        });
    if (!ok) {
        // The document keeps its name: the title and the next Save still
        // refer to the file the model came from.
        ui::errorBox("Can't write the file");
        return false;
    }
    fileName = name;
    document.setModified(false);
    updateTitle();
    return true;
}

void Application::dxfIn()
{
    // The drawing replaces the model: the changes are offered for saving
    // and a snapshot lets Undo bring the model back.
    if (!askSaveChanges()) {
        return;
    }
    std::optional<std::string> chosen = ui::chooseFile("*.dxf", false);
    if (!chosen) {
        return;
    }
    undo.takeSnapshot(document);
    document.clearEntities();
    document.setModified(false);
    importDrawing(document, *chosen);
    // The drawing is not the project that was open: Save must ask for a
    // name rather than write the drawing over that project.
    fileName.clear();
    updateTitle();
    zoomViewsToModel();
    redrawAll();
}

void Application::dxfOut()
{
    std::optional<std::string> chosen = ui::chooseFile("*.dxf", true);
    if (!chosen) {
        return;
    }
    scene3d::exportFile(document, *chosen, ".dxf", exportOptions());
}

void Application::onDropFiles(const std::vector<std::string>& files)
{
    if (!askSaveChanges()) {
        return;
    }
    clearProject();
    fileName.clear();
    for (std::size_t i = files.size(); i-- > 0;) {
        if (storage::isProjectName(files[i])) {
            fileName = files[i];
            openProject(files[i]);
        } else {
            importDrawing(document, files[i]);
        }
    }
    zoomViewsToModel();
    updateTitle();
    redrawAll();
}

}  // namespace app
