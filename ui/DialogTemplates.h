// The catalogue of dialog templates: every dialog's title and controls, with
// their numeric IDs, kinds and texts, as one table (like a resource file).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ui {

enum class ControlKind {
    Static,          // text; shows values too
    Edit,            // one line
    ReadOnlyEdit,    // one line the user cannot change
    MultiLineEdit,
    PushButton,
    CheckBox,
    RadioButton,     // one of the radio buttons that share a group
    ComboBox,        // drop-down list
    ListBox,         // rows of tab-separated columns
    MultiListBox,    // several rows can be chosen
    Picture,
};

// Control IDs every template shares.
constexpr int idOk = 1;
constexpr int idCancel = 2;

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
