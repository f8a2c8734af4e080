// Start-up, command dispatch, menu state, view windows and frame events.
#include "app/Application.h"

#include <filesystem>

#include "app/BuildInfo.h"
#include "app/Settings.h"
#include "app/SourceDialog.h"
#include "model/ViewOptions.h"
#include "storage/ProjectFile.h"
#include "ui/DataFolder.h"
#include "ui/GetValueBox.h"
#include "ui/Platform.h"
#include "ui/WindowLayout.h"

namespace app {

Application::Application()
{
    model::viewOptions() = model::ViewOptions();
    for (const ViewSlot& slot : viewSlots()) {
        for (const auto& v : views.all()) {
            if (std::string(v->projection().className()) == slot.name) {
                v->setCommand(slot.command);
            }
        }
    }
    views.hideView = [this](int command) { toggleView(command); };
    views.dropFiles = [this](const std::vector<std::string>& files) { onDropFiles(files); };
    views.zoomAtPointer = [] { return readFlag(ZoomAtPointer, false); };
}

Application::~Application() = default;

void Application::start(const std::string& commandLine)
{
    frame = ui::platform().createFrame(*this, commandTable());
    document.onModifiedChanged = [this](bool) {
        updateTitle();
        // The change dropped the 3-D scene: the view draws the new one.
        views.byId(views::viewId::View3D).repaint();
    };
    if (!frame) {
        return;
    }
    frame->showMaximized();
    tools = std::make_unique<tools::ToolController>(document, views, undo, editor,
                                                    tools::loadToolBitmap(ui::dataFolder() + "/tools.png"));
    // The coordinate bar: a line of text and its frame.
    tools->bar.native = frame->createBar(tools->bar, ui::FrameHost::BarPlace::Bottom, 0, frame->fontHeight() + 6);
    tools->palette.native = frame->createBar(tools->palette, ui::FrameHost::BarPlace::Top, tools->palette.width(),
                                             tools->palette.height());
    tools->palette.setMenuChecked = [this](int id, bool on) { frame->setMenuChecked(id, on); };
    // The bars take their room before the views are sized to what is left.
    frame->processPendingEvents();
    const auto& slots = viewSlots();
    // Created from the 3-D view down to the auxiliary one, each given the
    // whole view area.
    for (std::size_t i = slots.size(); i-- > 0;) {
        views::ViewWindow& v = *views.all()[i];
        v.native = v.is(views::viewId::View3D) ? frame->createGlView(v, slots[i].name)
                                               : frame->createView(v, slots[i].name);
        v.native->setGeometry(ui::PixelRect::fromSize(0, 0, frame->viewAreaWidth(), frame->viewAreaHeight()));
    }
    views.start();
    tools->palette.selectTool(tools::tool::Pick);
    toggleView(cmd::ViewPlant);
    updateMenuState();
    if (storage::isProjectName(commandLine)) {
        fileName = commandLine;
        openProject(fileName);
    }
    updateTitle();
}

std::string Application::aboutDetails() const
{
    std::string toolkit = ui::platform().toolkit();
    return std::string("Version ") + KCAD_VERSION + (toolkit.empty() ? "" : ", " + toolkit) + "\nBuilt " + buildDate();
}

std::string Application::title() const
{
    return fileName.empty() ? std::string("Tolvane CAD") : "Tolvane CAD - " + fileName;
}

void Application::updateTitle()
{
    if (frame) {
        frame->setTitle(title());
    }
}

void Application::updateMenuState()
{
    if (!frame) {
        return;
    }
    frame->setMenuChecked(cmd::UndoEnabled, document.undoEnabled);
    bool canUndo = document.undoPosition > 0 && document.undoTop - document.undoPosition < 9;
    bool canRedo = document.undoPosition < document.undoTop;
    frame->setMenuEnabled(cmd::Undo, document.undoEnabled && canUndo);
    frame->setMenuEnabled(cmd::Redo, document.undoEnabled && canRedo);
}

void Application::redrawAll()
{
    views.repaintAll();
}

ui::NativeWindow* Application::viewWindow(int command) const
{
    views::ViewWindow* v = views.byCommand(command);
    return v ? v->native : nullptr;
}

bool Application::toggleView(int command)
{
    ui::NativeWindow* w = viewWindow(command);
    if (!w) {
        return false;
    }
    if (!w->isVisible()) {
        w->show();
        w->bringToTop();
    } else {
        w->hide();
    }
    bool shown = w->isVisible();
    frame->setMenuChecked(command, shown);
    return shown;
}

std::vector<ui::NativeWindow*> Application::takeShownViews()
{
    // From the 3-D view down, as the frame lists them; hidden while they move.
    std::vector<ui::NativeWindow*> shown;
    for (std::size_t i = views.all().size(); i-- > 0;) {
        ui::NativeWindow* w = views.all()[i]->native;
        if (w->isVisible()) {
            shown.push_back(w);
            w->hide();
        }
    }
    return shown;
}

void Application::cascade()
{
    std::vector<ui::NativeWindow*> shown = takeShownViews();
    auto rects = ui::cascadeLayout(static_cast<int>(shown.size()), frame->viewAreaWidth(), frame->viewAreaHeight(),
                                   frame->cascadeStep());
    for (std::size_t k = 0; k < shown.size(); ++k) {
        shown[k]->setGeometry(rects[k]);
        shown[k]->show();
        shown[k]->bringToTop();
    }
}

void Application::tile()
{
    std::vector<ui::NativeWindow*> shown = takeShownViews();
    auto rects = ui::tileLayout(static_cast<int>(shown.size()), frame->viewAreaWidth(), frame->viewAreaHeight());
    for (std::size_t k = 0; k < shown.size(); ++k) {
        shown[k]->setGeometry(rects[k]);
        shown[k]->show();
        shown[k]->bringToTop();
    }
}

void Application::standardLayout()
{
    for (int command : {cmd::ViewAuxiliary, cmd::View3D}) {
        if (viewWindow(command)->isVisible()) {
            toggleView(command);
        }
    }
    for (int command : {cmd::ViewAssonometry, cmd::ViewPlant, cmd::ViewSide, cmd::ViewFront}) {
        if (!viewWindow(command)->isVisible()) {
            toggleView(command);
        }
    }
    tile();
    frame->processPendingEvents();
    for (int command : {cmd::ViewAssonometry, cmd::ViewPlant, cmd::ViewSide, cmd::ViewFront}) {
        view(command)->zoomToExtents();
    }
}

bool Application::onKey(const ui::KeyEvent& key)
{
    // Boxes and Pipe take their next path point from the coordinates dialog.
    if (key.code == ui::key::Space && !key.ctrl && !key.alt && tools && tools->space()) {
        return true;
    }
    for (const ViewSlot& slot : viewSlots()) {
        if (key.code == slot.key && !key.ctrl && !key.alt) {
            ui::NativeWindow* w = viewWindow(slot.command);
            if (w->isVisible()) {
                w->bringToTop();
            } else {
                toggleView(slot.command);
            }
            return true;
        }
    }
    return false;
}

bool Application::onClose()
{
    return askSaveChanges();
}

bool Application::dispatchCommand(int id)
{
    if (tools::toolOfCommand(id)) {
        if (tools) {
            tools->palette.selectTool(id);
        }
        return true;
    }
    switch (id) {
    case cmd::New:
        newProject();
        return true;
    case cmd::Open:
        openFile(false);
        return true;
    case cmd::Merge:
        openFile(true);
        return true;
    case cmd::Save:
        save();
        return true;
    case cmd::SaveAs:
        saveAs();
        return true;
    case cmd::DxfIn:
        dxfIn();
        return true;
    case cmd::DxfOut:
        dxfOut();
        return true;
    case cmd::Exit:
        frame->requestClose();
        return true;
    case cmd::UndoEnabled:
        document.undoEnabled = !document.undoEnabled;
        updateMenuState();
        return true;
    case cmd::GeneralOptions:
        askGeneralOptions();
        return true;
    case cmd::Cascade:
        cascade();
        return true;
    case cmd::Tile:
        tile();
        return true;
    case cmd::Standard:
        standardLayout();
        return true;
    case cmd::Redraw:
        redrawAll();
        return true;
    case cmd::Help: {
        // The manual next to the program's data, or in the current folder,
        // in the program's own help window: no desktop browser needed.
        std::string page = "manual/MTolvaneCAD.htm";
        std::error_code ec;
        if (!std::filesystem::exists(page, ec)) {
            page = ui::dataFolder() + "/manual/MTolvaneCAD.htm";
        }
        if (!ui::platform().showHelp(page)) {
            ui::errorBox("Can't read the file %s", page.c_str());
        }
        return true;
    }
    case cmd::About:
        ui::showAbout(aboutDetails());
        return true;
    case cmd::ViewAuxiliary:
    case cmd::ViewAssonometry:
    case cmd::ViewPlant:
    case cmd::ViewSide:
    case cmd::ViewFront:
    case cmd::View3D:
        toggleView(id);
        redrawAll();
        return true;
    case cmd::Cut:
    case cmd::Copy:
    case cmd::Paste:
    case cmd::Duplicate:
    case cmd::Delete:
    case cmd::Undo:
    case cmd::Redo:
    case cmd::Properties:
    case cmd::Geometry:
    case cmd::ProjectNotes:
    case cmd::SelectAll:
    case cmd::UnselectAll:
    case cmd::ToggleSelection:
    case cmd::SelectDuplicates:
        editCommand(id);
        return true;
    case cmd::CheckModel:
    case cmd::RoomAcoustics:
        analysisCommand(id);
        return true;
    case cmd::Resize:
    case cmd::SelectMaterial:
    case cmd::ToggleReceivers:
    case cmd::ToggleSources:
    case cmd::SelectMonopermeable:
    case cmd::SelectObstructing:
    case cmd::Advanced:
    case cmd::LockSelection:
    case cmd::UnlockAll:
    case cmd::GridOptions:
    case cmd::ViewOptions:
    case cmd::BaseMap:
        selectCommand(id);
        return true;
    default:
        return false;
    }
}

}  // namespace app
