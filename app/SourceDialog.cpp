// Source parameters and general options.
#include "app/SourceDialog.h"

#include "app/Settings.h"
#include "model/Source.h"
#include "ui/Platform.h"
#include "ui/FileChooser.h"

namespace app {

void GetSourceBox::onInit(ui::DialogControls& c)
{
    c.setText(110, file);
    GetValueBox::onInit(c);
}

void GetSourceBox::onCommand(ui::DialogControls& c, int id)
{
    if (id == 112) {
        std::string start = c.text(110).empty() ? std::string("*.spk") : c.text(110);
        if (start.find(".spk") == std::string::npos && start.find(".SPK") == std::string::npos) {
            start = "*.spk";
        }
        if (auto chosen = ui::chooseFile(start, false)) {
            c.setText(110, *chosen);
        }
        return;
    }
    if (id == ui::idOk) {
        file = c.text(110).substr(0, 255);
    }
    GetValueBox::onCommand(c, id);
}

int editSource(model::Source& source)
{
    GetSourceBox box;
    box.file = source.directivity;
    box.values[0] = source.position.z;
    box.values[1] = source.target.x;
    box.values[2] = source.target.y;
    box.values[3] = source.target.z;
    box.values[4] = source.roll;
    if (box.runModal() != 1) {
        return 0;
    }
    source.setDirectivity(box.file);
    source.position.z = box.values[0];
    source.target = geometry::X3DPoint(box.values[1], box.values[2], box.values[3]);
    source.roll = box.values[4];
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
        }
        void onCommand(ui::DialogControls& c, int id) override
        {
            if (id == ui::idOk) {
                std::string error;
                if (!writeFlag(SaveDxfMaterialName, c.isChecked(141), &error) ||
                    !writeFlag(AutoCheckDuplicates, c.isChecked(142), &error)) {
                    ui::errorBox("%s", error.c_str());
                }
            }
            Dialog::onCommand(c, id);
        }
    } box;
    return box.runModal() == 1;
}

}  // namespace app
