// The command table: every menu command with its ID, menu, text and key.
// Menus, accelerators, the tool palette and dispatch all read this one table.
#pragma once

#include <string>
#include <vector>

#include "ui/Frame.h"

namespace app {

namespace cmd {
constexpr int Exit = 101;
constexpr int New = 102;
constexpr int Open = 103;
constexpr int Merge = 104;
constexpr int Save = 105;
constexpr int SaveAs = 106;
constexpr int DxfOut = 108;
constexpr int DxfIn = 109;
constexpr int BaseMap = 110;
constexpr int ProjectNotes = 111;
constexpr int Cut = 130;
constexpr int Copy = 131;
constexpr int Paste = 132;
constexpr int Delete = 133;
constexpr int Duplicate = 134;
constexpr int Resize = 135;
constexpr int Properties = 136;
constexpr int Undo = 137;
constexpr int Redo = 138;
constexpr int UndoEnabled = 139;
constexpr int Geometry = 140;
constexpr int SelectAll = 160;
constexpr int SelectMaterial = 161;
constexpr int ToggleReceivers = 162;
constexpr int ToggleSources = 163;
constexpr int SelectObstructing = 164;
constexpr int SelectMonopermeable = 165;
constexpr int UnselectAll = 166;
constexpr int Advanced = 167;
constexpr int SelectDuplicates = 168;
constexpr int ToggleSelection = 169;
constexpr int LockSelection = 170;
constexpr int UnlockAll = 171;
constexpr int FirstTool = 201;  // Pick: the tools and their IDs are listed in tools/ToolRegistry.h
constexpr int LastTool = 221;
constexpr int CheckModel = 230;
constexpr int RoomAcoustics = 231;
constexpr int GridOptions = 250;
constexpr int ViewOptions = 251;
constexpr int GeneralOptions = 252;
constexpr int ViewAuxiliary = 300;
constexpr int ViewAssonometry = 301;
constexpr int ViewPlant = 302;
constexpr int ViewSide = 303;
constexpr int ViewFront = 304;
constexpr int View3D = 305;
constexpr int Cascade = 310;
constexpr int Tile = 311;
constexpr int Standard = 312;
constexpr int Redraw = 313;
constexpr int Help = 400;
constexpr int About = 401;
}  // namespace cmd

// In menu order: File, Edit, Select, Tools, Structures, Options, Window, Help.
const std::vector<ui::MenuCommand>& commandTable();
// The entry of an ID, or null.
const ui::MenuCommand* commandById(int id);
// The ID of a menu text as it stands (with its '&'), or 0.
int commandByText(const std::string& text);

// The six views in their fixed order: command ID, menu text, name, key.
struct ViewSlot {
    int command;
    const char* menuText;
    const char* name;
    char key;
};
const std::vector<ViewSlot>& viewSlots();

}  // namespace app
