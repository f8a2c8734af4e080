// The application: the one document and everything the program keeps for
// it (file name, undo ring, current tool), the main frame's logic with its
// command dispatch, and the six view windows.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "analysis/ModelCheck.h"
#include "app/CommandTable.h"
#include "app/DialogEditor.h"
#include "app/View3DProjection.h"
#include "model/Document.h"
#include "storage/UndoRing.h"
#include "tools/RoomAcousticsBox.h"
#include "tools/ToolController.h"
#include "ui/Frame.h"
#include "views/ViewSet.h"

namespace app {

class Application final : public ui::FrameLogic {
public:
    // Builds the frame through the installed platform back end.
    Application();
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Start-up: the frame maximised with its menus, the six views (the plan
    // view shown), the menu state; then the project named on the command
    // line when it is one (the whole line holds ".ray" or ".RAY").
    void start(const std::string& commandLine);

    // ui::FrameLogic
    bool onCommand(int id) override { return dispatchCommand(id); }
    bool onKey(const ui::KeyEvent& key) override;
    bool onClose() override;
    void onDropFiles(const std::vector<std::string>& files) override;
    void onMenuOpening() override { updateMenuState(); }

    // Runs a command; false for IDs no command has.
    bool dispatchCommand(int id);
    // Undo check mark; Undo and Redo greyed while undo is off or there is
    // nothing to undo or redo.
    void updateMenuState();
    // "Tolvane CAD", and " - " and the file name when there is one.
    void updateTitle();
    std::string title() const;
    // What About shows under the program's name: version, toolkit, build date.
    std::string aboutDetails() const;
    void redrawAll();

    // View windows.
    bool toggleView(int command);
    ui::NativeWindow* viewWindow(int command) const;
    views::ViewWindow* view(int command) const { return views.byCommand(command); }
    void cascade();
    void tile();
    void standardLayout();

    // The save-changes question before the model is dropped. False when the
    // user cancelled the question, or wanted the changes saved but they were
    // not (cancelled or failed): the calling command must then stop, so
    // nothing is lost.
    bool askSaveChanges();
    // Open, Merge, New, Save, Save As, DXF in and out, dropped files.
    void newProject();
    void openFile(bool merge);
    bool openProject(const std::string& name);
    // What was read is shown whole in every 2-D view, not at whatever scale
    // and place the views had.
    void zoomViewsToModel();
    bool save();
    bool saveAs();
    void dxfIn();
    void dxfOut();

    model::Document document;
    storage::UndoRing undo;
    std::string fileName;
    DialogEditor editor;
    ui::FrameHost* frame = nullptr;
    views::ViewSet views{document, std::make_unique<View3DProjection>(document)};
    // The palette, the coordinate bar and the gestures; made with the frame.
    std::unique_ptr<tools::ToolController> tools;
    int currentTool() const { return tools ? tools->currentTool() : cmd::FirstTool; }
    // The material the face-area summary charges openings to, kept between uses.
    std::uint32_t currentFaceMaterial = 0;
    // The model check's tolerance and distance from faces, and the air
    // absorption of the room acoustics, kept between uses.
    analysis::CheckOptions checkOptions;
    tools::AirSetting air;

private:
    // Save under a name: the duplicate check, then the write. The document
    // takes the name only once the file is written.
    bool saveTo(const std::string& name);
    bool saveProject(const std::string& name);
    // The views shown, hidden for a new layout.
    std::vector<ui::NativeWindow*> takeShownViews();
    // Empties the model and its notes; the model is then unmodified.
    void clearProject();
    void editCommand(int id);
    void selectCommand(int id);
    void analysisCommand(int id);
    bool hasSelection() const { return document.firstSelected() != nullptr; }
};

}  // namespace app
