// The command table.
#include "app/CommandTable.h"

#include "tools/ToolRegistry.h"

namespace app {

namespace {

std::vector<ui::MenuCommand> makeTable()
{
    std::vector<ui::MenuCommand> table = {
        {cmd::New, "&File", "&New", "", false, {"Ctrl+N"}},
        {cmd::Open, "&File", "&Open...", "", false, {"Ctrl+O"}},
        {cmd::Merge, "&File", "&Merge...", ""},
        {cmd::Save, "&File", "&Save", "", false, {"Ctrl+S"}},
        {cmd::SaveAs, "&File", "Save &As...", "", false, {"Ctrl+Shift+S"}},
        {cmd::BaseMap, "&File", "Base map...", "", true},
        {cmd::DxfIn, "&File", "DXF in...", ""},
        {cmd::DxfOut, "&File", "DXF out...", ""},
        {cmd::ProjectNotes, "&File", "Project &Notes...", "", true},
        {cmd::Exit, "&File", "&Exit", "", true, {"Ctrl+Q"}},

        {cmd::Cut, "&Edit", "Cut", "Shift+Del", false, {"Ctrl+X"}},
        {cmd::Copy, "&Edit", "Copy", "Ctrl+Ins", false, {"Ctrl+C"}},
        {cmd::Paste, "&Edit", "Paste", "Shift+Ins", false, {"Ctrl+V"}},
        {cmd::Duplicate, "&Edit", "Duplicate", "Alt+Ins"},
        {cmd::Delete, "&Edit", "Delete", "Del"},
        {cmd::Undo, "&Edit", "&Undo", "Ctrl+Z", true, {}, true},
        {cmd::Redo, "&Edit", "&Redo", "Ctrl+Y", false, {"Ctrl+Shift+Z"}, true},
        {cmd::Resize, "&Edit", "Resize...", "", true},
        // Windows does not tell the two Enter keys apart; Qt does.
        {cmd::Properties, "&Edit", "Properties...", "Enter", false, {"Return"}},
        {cmd::Geometry, "&Edit", "&Geometry...", ""},

        {cmd::SelectAll, "&Select", "Select All Entities", "F2", false, {"Ctrl+A"}},
        {cmd::UnselectAll, "&Select", "Unselect All", "Esc"},
        {cmd::ToggleSelection, "&Select", "Toggle Selection", ""},
        {cmd::SelectMaterial, "&Select", "Select Material", "", true},
        {cmd::SelectObstructing, "&Select", "Select &Obstructing", ""},
        {cmd::SelectMonopermeable, "&Select", "Select &Monopermeable", ""},
        {cmd::ToggleReceivers, "&Select", "Toggle All Receivers", "", true},
        {cmd::ToggleSources, "&Select", "Toggle All Sources", ""},
        {cmd::SelectDuplicates, "&Select", "Select &Duplicates", "", true},
        {cmd::Advanced, "&Select", "&Advanced...", "F3"},
        {cmd::LockSelection, "&Select", "&Lock selection", "", true},
        {cmd::UnlockAll, "&Select", "&Unlock all", ""},

        // The tools' entries come from the tool list: see toolMenuCommands.

        {cmd::GridOptions, "&Options", "&Grid...", ""},
        {cmd::ViewOptions, "&Options", "&View...", ""},
        {cmd::UndoEnabled, "&Options", "&Undo Enabled", ""},
        {cmd::GeneralOptions, "&Options", "General...", ""},

        {cmd::ViewAuxiliary, "&Window", "Au&xiliary", ""},
        {cmd::ViewAssonometry, "&Window", "&Assonometry", ""},
        {cmd::ViewPlant, "&Window", "&Plant", ""},
        {cmd::ViewFront, "&Window", "&Front", ""},
        {cmd::ViewSide, "&Window", "&Side", ""},
        {cmd::View3D, "&Window", "&3D", ""},
        {cmd::Cascade, "&Window", "&Cascade", "Shift+F5", true},
        {cmd::Tile, "&Window", "T&ile", "Shift+F4"},
        {cmd::Standard, "&Window", "Sta&ndard", ""},
        {cmd::Redraw, "&Window", "&Redraw", "F5", true},

        {cmd::Help, "&Help", "&Help", "", false, {"F1"}},
        {cmd::About, "&Help", "&About", ""},
    };
    // The Tools and Structures menus follow the Select menu.
    auto at = table.begin();
    while (at != table.end() && at->menu != "&Options") {
        ++at;
    }
    std::vector<ui::MenuCommand> toolEntries = tools::toolMenuCommands("&Tools");
    // The model check and the room's figures close the Tools menu.
    toolEntries.push_back({cmd::CheckModel, "&Tools", "Check model...", "", true});
    toolEntries.push_back({cmd::RoomAcoustics, "&Tools", "Room acoustics...", ""});
    std::vector<ui::MenuCommand> structures = tools::toolMenuCommands("St&ructures");
    toolEntries.insert(toolEntries.end(), structures.begin(), structures.end());
    table.insert(at, toolEntries.begin(), toolEntries.end());
    return table;
}

}  // namespace

const std::vector<ui::MenuCommand>& commandTable()
{
    static const std::vector<ui::MenuCommand> table = makeTable();
    return table;
}

const ui::MenuCommand* commandById(int id)
{
    for (const ui::MenuCommand& c : commandTable()) {
        if (c.id == id) {
            return &c;
        }
    }
    return nullptr;
}

int commandByText(const std::string& text)
{
    for (const ui::MenuCommand& c : commandTable()) {
        if (c.text == text) {
            return c.id;
        }
    }
    return 0;
}

const std::vector<ViewSlot>& viewSlots()
{
    static const std::vector<ViewSlot> slots = {
        {cmd::ViewAuxiliary, "Au&xiliary", "AUXILIARY", 'X'},
        {cmd::ViewAssonometry, "&Assonometry", "ASSONOMETRY", 'A'},
        {cmd::ViewPlant, "&Plant", "PLANT", 'P'},
        {cmd::ViewFront, "&Front", "FRONT", 'F'},
        {cmd::ViewSide, "&Side", "SIDE", 'S'},
        {cmd::View3D, "&3D", "3DView", '3'},
    };
    return slots;
}

}  // namespace app
