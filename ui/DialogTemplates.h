// The catalogue of dialog templates: every dialog's title and controls, with
// their numeric IDs, kinds and texts, as one table (like a resource file).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ui {

enum class ControlKind {
    Static,        // text; shows values too
    Edit,          // one line
    ReadOnlyEdit,  // one line the user cannot change
    MultiLineEdit,
    PushButton,
    CheckBox,
    RadioButton,   // one of the radio buttons that share a group
    ComboBox,      // drop-down list
    ListBox,       // rows of tab-separated columns
    MultiListBox,  // several rows can be chosen
    Picture,
};

// Control IDs every template shares.
constexpr int idOk = 1;
constexpr int idCancel = 2;

// The controls of the dialogs that drawing tools, generators and analysis
// tools open, by name: the catalogue and the code that reads the dialogs
// both use these.
namespace ctl {
namespace about {  // ABOUTBOX
constexpr int Title = 115;
constexpr int Details = 116;
}  // namespace about
namespace value {  // GETVALUEBOX: one value under a prompt
constexpr int Prompt = 115;
constexpr int Value = 120;
}  // namespace value
namespace coord {  // GETCOORDBOX
constexpr int X = 120;
constexpr int Y = 121;
constexpr int Z = 122;
}  // namespace coord
namespace quotas {  // GETQUOTASBOX
constexpr int AbsoluteMin = 120;
constexpr int AbsoluteMax = 121;
constexpr int RelativeMin = 122;
constexpr int RelativeMax = 123;
constexpr int Ground = 124;
}  // namespace quotas
namespace door {  // GETDOORBOX
constexpr int Width = 120;
constexpr int Height = 121;
}  // namespace door
namespace window {  // GETWINDOWBOX
constexpr int Width = 120;
constexpr int Height = 121;
constexpr int Elevation = 122;
}  // namespace window
namespace source {  // GETSOURCEBOX
constexpr int File = 110;
constexpr int Browse = 112;
constexpr int Elevation = 120;
constexpr int TargetX = 121;
constexpr int TargetY = 122;
constexpr int TargetZ = 123;
constexpr int Roll = 124;
}  // namespace source
namespace circle {  // CIRCLEBOX
constexpr int Base = 120;
constexpr int Top = 121;
constexpr int Degrees = 122;
constexpr int Steps = 123;
constexpr int Closed = 124;
}  // namespace circle
namespace box {  // BOXBOX
constexpr int Min = 120;
constexpr int Max = 121;
constexpr int Floor = 122;
constexpr int Roof = 123;
}  // namespace box
namespace pipe {  // PIPEBOX
constexpr int Width = 120;
constexpr int Height = 121;
constexpr int Border = 122;
constexpr int Floor = 123;
}  // namespace pipe
namespace theater {  // THEATERBOX
constexpr int Base = 120;
constexpr int StepHeight = 121;
constexpr int StepDepth = 122;
constexpr int Steps = 123;
constexpr int Degrees = 124;
}  // namespace theater
namespace palace {  // PALACEBOX
constexpr int WallDistance = 120;
constexpr int FirstHeight = 121;
constexpr int Spacing = 122;
}  // namespace palace
namespace obstructing {  // OBSTRUCTINGBOX: the three modes
constexpr int SelectFlagged = 131;
constexpr int SelectUnflagged = 132;
constexpr int AssignFlag = 133;
}  // namespace obstructing
}  // namespace ctl

struct ControlTemplate {
    int id = -1;  // -1 for plain labels and pictures
    ControlKind kind = ControlKind::Static;
    // The control's own text (buttons, static texts), or the label shown
    // beside an edit field, combo box or list.
    std::string text;
    // The title of the box the control sits in, empty for none.
    std::string group;
};

struct DialogTemplate {
    std::string name;  // the dialog class's name in capitals, e.g. GETVALUEBOX
    std::string title;
    std::vector<ControlTemplate> controls;

    const ControlTemplate* control(int id) const;
};

const std::vector<DialogTemplate>& dialogCatalogue();
// The template of that name, compared ignoring case; null when none.
const DialogTemplate* findTemplate(std::string_view name);

}  // namespace ui
