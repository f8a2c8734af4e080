// The command table.
#include "app/CommandTable.h"

#include "tools/ToolPalette.h"

namespace app {

const std::vector<ui::MenuCommand>& commandTable()
{
    static const std::vector<ui::MenuCommand> table = {
        {cmd::New, "&File", "&New", ""},
        {cmd::Open, "&File", "&Open...", ""},
        {cmd::Merge, "&File", "&Merge...", ""},
        {cmd::Save, "&File", "&Save", ""},
        {cmd::SaveAs, "&File", "Save &As...", ""},
        {cmd::BaseMap, "&File", "Base map...", "", true},
        {cmd::DxfIn, "&File", "DXF in...", ""},
        {cmd::DxfOut, "&File", "DXF out...", ""},
        {cmd::ProjectNotes, "&File", "Project &Notes...", "", true},
        {cmd::Exit, "&File", "&Exit", "", true},

        {cmd::Cut, "&Edit", "Cut", "Shift+Del"},
        {cmd::Copy, "&Edit", "Copy", "Ctrl+Ins"},
        {cmd::Paste, "&Edit", "Paste", "Shift+Ins"},
        {cmd::Duplicate, "&Edit", "Duplicate", "Alt+Ins"},
        {cmd::Delete, "&Edit", "Delete", "Del"},
        {cmd::Undo, "&Edit", "&Undo", "Ctrl+Z", true},
        {cmd::Redo, "&Edit", "&Redo", "Ctrl+Y"},
        {cmd::Resize, "&Edit", "Resize...", "", true},
        {cmd::Properties, "&Edit", "Properties...", "Enter"},
        {cmd::Geometry, "&Edit", "&Geometry...", ""},

        {cmd::SelectAll, "&Select", "Select All Entities", "F2"},
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

        {tools::tool::Pick, "&Tools", "&Pick", ""},
        {tools::tool::Lens, "&Tools", "&Lens", ""},
        {tools::tool::Move, "&Tools", "&Move", "", true},
        {tools::tool::Mirror, "&Tools", "Mirr&or", ""},
        {tools::tool::Rotate, "&Tools", "&Rotate", ""},
        {tools::tool::Floor, "&Tools", "&Floor", "", true},
        {tools::tool::Wall, "&Tools", "&Wall", ""},
        {tools::tool::Roof, "&Tools", "&Roof", ""},
        {tools::tool::Door, "&Tools", "&Door", ""},
        {tools::tool::Window, "&Tools", "W&indow", ""},
        {tools::tool::Hole, "&Tools", "&Hole", ""},
        {tools::tool::Source, "&Tools", "So&urce", "", true},
        {tools::tool::Receiver, "&Tools", "R&eceiver", ""},
        {tools::tool::TextNote, "&Tools", "&Text note", ""},
        {cmd::CheckModel, "&Tools", "Check model...", "", true},
        {cmd::RoomAcoustics, "&Tools", "Room acoustics...", ""},

        {tools::tool::Box, "St&ructures", "&Box", ""},
        {tools::tool::Boxes, "St&ructures", "Bo&xes", ""},
        {tools::tool::Cylinder, "St&ructures", "&Cylinder", ""},
        {tools::tool::Sphere, "St&ructures", "&Sphere", ""},
        {tools::tool::Cone, "St&ructures", "&Cone", ""},
        {tools::tool::Pipe, "St&ructures", "&Pipe", ""},
        {tools::tool::Gradin, "St&ructures", "&Gradin", ""},

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

        {cmd::Help, "&Help", "&Help", ""},
        {cmd::About, "&Help", "&About", ""},
    };
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
        {cmd::ViewAuxiliary, "Au&xiliary", "AUXILIARY", 'X'}, {cmd::ViewAssonometry, "&Assonometry", "ASSONOMETRY", 'A'},
        {cmd::ViewPlant, "&Plant", "PLANT", 'P'},             {cmd::ViewFront, "&Front", "FRONT", 'F'},
        {cmd::ViewSide, "&Side", "SIDE", 'S'},                {cmd::View3D, "&3D", "3DView", '3'},
    };
    return slots;
}

}  // namespace app
