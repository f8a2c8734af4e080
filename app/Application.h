// The application: the one document and everything the program keeps for
// it (file name, undo ring, current tool), the main frame's logic with its
// command dispatch, and the six view windows.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/CommandTable.h"
#include "app/DialogEditor.h"
#include "model/Document.h"
#include "storage/UndoRing.h"
#include "ui/Frame.h"

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

    // Runs a command; false for IDs no command has.
    bool dispatchCommand(int id);
    // Undo check mark and the Undo/Redo enabled states.
    void updateMenuState();
    // "Tolvane CAD", and " - " and the file name when there is one.
    void updateTitle();
    std::string title() const;
    void redrawAll();

    // View windows.
    bool toggleView(int command);
    ui::NativeWindow* viewWindow(int command) const;
    void cascade();
    void tile();
    void standardLayout();

    // The save-changes question before the model is dropped. False when the
    // user wanted the changes saved but they were not (cancelled or failed):
    // the calling command must then stop, so nothing is lost.
    bool askSaveChanges();
    // Open, Merge, New, Save, Save As, DXF in and out, dropped files.
    void newProject();
    void openFile(bool merge);
    bool openProject(const std::string& name);
    bool save();
    bool saveAs();
    void dxfIn();
    void dxfOut();

    model::Document document;
    storage::UndoRing undo;
    std::string fileName;
    int currentTool = cmd::FirstTool;
    DialogEditor editor;
    ui::FrameHost* frame = nullptr;

private:
    struct View;
    bool saveProject();
    // Empties the model and its notes; the model is then unmodified.
    void clearProject();
    void editCommand(int id);
    bool hasSelection() const { return document.firstSelected() != nullptr; }

    std::vector<std::unique_ptr<View>> views_;  // in the order of viewSlots()
};

}  // namespace app
