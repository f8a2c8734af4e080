// Source parameters and general options.
#include "app/SourceDialog.h"

#include "app/Settings.h"
#include "model/Source.h"
#include "ui/Platform.h"
#include "ui/FileChooser.h"

namespace app {

using namespace ui::ctl::source;

void GetSourceBox::onInit(ui::DialogControls& c)
{
    c.setText(File, file);
    GetValueBox::onInit(c);
}

void GetSourceBox::onCommand(ui::DialogControls& c, int id)
{
    if (id == Browse) {
        std::string start = c.text(File).empty() ? std::string("*.spk") : c.text(File);
        if (start.find(".spk") == std::string::npos && start.find(".SPK") == std::string::npos) {
            start = "*.spk";
        }
        if (auto chosen = ui::chooseFile(start, false)) {
            c.setText(File, *chosen);
        }
        return;
    }
    if (id == ui::idOk) {
        file = c.text(File).substr(0, 255);
    }
    GetValueBox::onCommand(c, id);
}

int editSource(model::Source& source)
{
    GetSourceBox box;
    box.file = source.directivity;
    box.value(Elevation) = source.position.z;
    box.value(TargetX) = source.target.x;
    box.value(TargetY) = source.target.y;
    box.value(TargetZ) = source.target.z;
    box.value(Roll) = source.roll;
    if (box.runModal() != ui::DialogResult::Ok) {
        return 0;
    }
    source.setDirectivity(box.file);
    source.position.z = box.value(Elevation);
    source.target = geometry::X3DPoint(box.value(TargetX), box.value(TargetY), box.value(TargetZ));
    source.roll = box.value(Roll);
    return 1;
}

bool askGeneralOptions()
{
    struct OptionsBox final : ui::Dialog {
        const char* templateName() const override { return "OptionsBox"; }
        void onInit(ui::DialogControls& c) override
        {
            c.setChecked(141, readFlag(SaveDxfMaterialName, true));
            c.setChecked(142, readFlag(AutoCheckDuplicates, true));
            c.setChecked(143, readFlag(ZoomAtPointer, false));
        }
        void onCommand(ui::DialogControls& c, int id) override
        {
            if (id == ui::idOk) {
                std::string error;
                if (!writeFlag(SaveDxfMaterialName, c.isChecked(141), &error) ||
                    !writeFlag(AutoCheckDuplicates, c.isChecked(142), &error) ||
                    !writeFlag(ZoomAtPointer, c.isChecked(143), &error)) {
                    ui::errorBox("%s", error.c_str());
                }
            }
            Dialog::onCommand(c, id);
        }
    } box;
    return box.runModal() == ui::DialogResult::Ok;
}

}  // namespace app
