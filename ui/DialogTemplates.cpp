// The dialog catalogue.
#include "ui/DialogTemplates.h"

#include "textio/RealFormat.h"

namespace ui {

namespace {

using K = ControlKind;

ControlTemplate c(int id, K kind, std::string text, std::string group = {})
{
    return ControlTemplate{id, kind, std::move(text), std::move(group)};
}

const ControlTemplate ok = c(idOk, K::PushButton, "OK");
const ControlTemplate cancel = c(idCancel, K::PushButton, "Cancel");

std::vector<DialogTemplate> makeCatalogue()
{
    return {
        {"ABOUTBOX",
         "About",
         {c(ctl::about::Title, K::Static, "Tolvane CAD"), c(ctl::about::Details, K::Static, ""), ok}},
        {"ADVANCEDBOX", "Compute", {c(112, K::MultiListBox, ""), c(idCancel, K::PushButton, "&Close")}},
        {"ASSONOMETRYBOX",
         "Assonometry Options",
         {c(150, K::RadioButton, "Cavalier", "Standard:"), c(151, K::RadioButton, "Monometric", "Standard:"),
          c(152, K::RadioButton, "Isometric", "Standard:"), c(153, K::RadioButton, "Dimetric", "Standard:"),
          c(154, K::RadioButton, "Trimetric", "Standard:"), c(120, K::Edit, "X angle:"), c(121, K::Edit, "Y angle:"),
          ok, cancel}},
        {"BASEMAPBOX",
         "Base map options",
         {c(120, K::Edit, "File name:"), c(112, K::PushButton, "..."), c(121, K::Edit, "X", "Offset"),
          c(122, K::Edit, "Y", "Offset"), c(123, K::Edit, "Scaling factor"), c(141, K::CheckBox, "Visible"), ok,
          cancel}},
        {"BOXBOX",
         "Box parameters",
         {c(ctl::box::Min, K::Edit, "&Min (m):"), c(ctl::box::Max, K::Edit, "Ma&x (m):"),
          c(ctl::box::Floor, K::CheckBox, "&Floor"), c(ctl::box::Roof, K::CheckBox, "&Roof"), ok, cancel}},
        {"CHECKMODELBOX",
         "Check model",
         {c(115, K::Static, ""), c(120, K::Edit, "Tolerance (m):"), c(121, K::Edit, "Near a face (m):"),
          c(113, K::PushButton, "&Check again"), c(112, K::MultiListBox, ""), c(idCancel, K::PushButton, "&Close")}},
        {"CIRCLEBOX",
         "Parameters",
         {c(ctl::circle::Base, K::Edit, "Base elevation"), c(ctl::circle::Top, K::Edit, "Top elevation"),
          c(ctl::circle::Degrees, K::Edit, "Degrees"), c(ctl::circle::Steps, K::Edit, "Number of steps"),
          c(ctl::circle::Closed, K::CheckBox, "&Closed"), ok, cancel}},
        {"FACEBOX",
         "Face Properties",
         {c(120, K::ReadOnlyEdit, "1"), c(121, K::ReadOnlyEdit, "2"), c(122, K::ReadOnlyEdit, "4"),
          c(123, K::ReadOnlyEdit, "3"), c(170, K::PushButton, "Material"), ok, cancel}},
        {"GETCOORDBOX",
         "Coordinates",
         {c(ctl::coord::X, K::Edit, "X coordinate"), c(ctl::coord::Y, K::Edit, "Y coordinate"),
          c(ctl::coord::Z, K::Edit, "Z coordinate"), ok, cancel}},
        {"GETDOORBOX",
         "Door size",
         {c(ctl::door::Width, K::Edit, "Width (m):"), c(ctl::door::Height, K::Edit, "Heigth (m):"),
          c(-1, K::Picture, "door"), ok, cancel}},
        {"GETMATERIAL",
         "Input Material",
         {c(120, K::Edit, "Number:"), c(170, K::ComboBox, "Material:"), c(112, K::ListBox, ""),
          c(171, K::CheckBox, "&Obstructing"), c(151, K::CheckBox, "Monopermeable"),
          c(172, K::CheckBox, "Same for &all faces"), ok, cancel}},
        {"GETQUOTASBOX",
         "Input Elevations",
         {c(ctl::quotas::Ground, K::ReadOnlyEdit, "Ground level (m):"),
          c(ctl::quotas::AbsoluteMin, K::Edit, "Min (m):", "Absolute"),
          c(ctl::quotas::AbsoluteMax, K::Edit, "Max (m):", "Absolute"),
          c(ctl::quotas::RelativeMin, K::Edit, "Min (m):", "Relative to ground"),
          c(ctl::quotas::RelativeMax, K::Edit, "Max (m):", "Relative to ground"), ok, cancel}},
        {"GETSOURCEBOX",
         "Source parameters",
         {c(ctl::source::File, K::Edit, "File name:"), c(ctl::source::Browse, K::PushButton, "..."),
          c(ctl::source::Elevation, K::Edit, "Source elevation:"),
          c(ctl::source::TargetX, K::Edit, "X", "Target position:"),
          c(ctl::source::TargetY, K::Edit, "Y", "Target position:"),
          c(ctl::source::TargetZ, K::Edit, "Z", "Target position:"), c(ctl::source::Roll, K::Edit, "Roll angle:"), ok,
          cancel}},
        {"GETVALUEBOX",
         "Input",
         {c(ctl::value::Prompt, K::Static, "Value:"), c(ctl::value::Value, K::Edit, ""), ok, cancel}},
        {"GETWINDOWBOX",
         "Window size",
         {c(ctl::window::Width, K::Edit, "Width (m):"), c(ctl::window::Height, K::Edit, "Heigth (m):"),
          c(ctl::window::Elevation, K::Edit, "Elevation (m):"), c(-1, K::Picture, "window"), ok, cancel}},
        {"GRIDBOX",
         "Grid options",
         {c(120, K::Edit, "Grid step (m):"), c(160, K::CheckBox, "Enabled"), c(161, K::CheckBox, "Axes"), ok, cancel}},
        {"INFOBOX", "Notes", {c(120, K::MultiLineEdit, ""), ok, cancel}},
        {"OBSTRUCTINGBOX",
         "Find obstructing faces",
         {c(ctl::obstructing::SelectFlagged, K::RadioButton, "Select all obstructing faces"),
          c(ctl::obstructing::SelectUnflagged, K::RadioButton, "Select faces that should be obstructing"),
          c(ctl::obstructing::AssignFlag, K::RadioButton, "Assign automatically the obstructing flag"), ok, cancel}},
        {"OPTIONSBOX",
         "General options",
         {c(142, K::CheckBox, "Always check for &duplicates entities", "Save"),
          c(141, K::CheckBox, "Save material &name in layer (instead of material number)", "DXF output"),
          c(143, K::CheckBox, "&Zoom at the pointer", "Mouse wheel"), ok, cancel}},
        {"PALACEBOX",
         "Receivers",
         {c(ctl::palace::WallDistance, K::Edit, "Distance from wall"),
          c(ctl::palace::FirstHeight, K::Edit, "Height of first receiver "),
          c(ctl::palace::Spacing, K::Edit, "Distance between receivers"), ok, cancel}},
        {"PIPEBOX",
         "Parameters",
         {c(ctl::pipe::Width, K::Edit, "&Width (m):"), c(ctl::pipe::Height, K::Edit, "&Heigth (m):"),
          c(ctl::pipe::Border, K::Edit, "&Border (m):"), c(ctl::pipe::Floor, K::CheckBox, "&Floor"), ok, cancel}},
        {"ROOMACOUSTICSBOX",
         "Room acoustics",
         {c(115, K::Static, ""), c(112, K::ListBox, ""), c(130, K::Picture, "plot"),
          c(141, K::CheckBox, "&Air absorption (ISO 9613-1)", "Air"), c(120, K::Edit, "Temperature (C):", "Air"),
          c(121, K::Edit, "Relative humidity (%):", "Air"), c(idCancel, K::PushButton, "&Close")}},
        {"THEATERBOX",
         "Parameters",
         {c(ctl::theater::Base, K::Edit, "Base elevation"), c(ctl::theater::StepHeight, K::Edit, "Step height"),
          c(ctl::theater::StepDepth, K::Edit, "Step depth"), c(ctl::theater::Steps, K::Edit, "Number of steps"),
          c(ctl::theater::Degrees, K::Edit, "Degrees"), ok, cancel}},
        {"VIEWBOX",
         "View options",
         {c(141, K::CheckBox, "Show source", "Sources"), c(142, K::CheckBox, "Show direction", "Sources"),
          c(143, K::CheckBox, "Show receiver", "Receivers"), c(144, K::CheckBox, "Show direction", "Receivers"), ok,
          cancel}},
    };
}

}  // namespace

const ControlTemplate* DialogTemplate::control(int id) const
{
    for (const ControlTemplate& ct : controls) {
        if (ct.id == id) {
            return &ct;
        }
    }
    return nullptr;
}

const std::vector<DialogTemplate>& dialogCatalogue()
{
    static const std::vector<DialogTemplate> catalogue = makeCatalogue();
    return catalogue;
}

const DialogTemplate* findTemplate(std::string_view name)
{
    for (const DialogTemplate& t : dialogCatalogue()) {
        if (textio::equalIgnoringCase(t.name, name)) {
            return &t;
        }
    }
    return nullptr;
}

}  // namespace ui
