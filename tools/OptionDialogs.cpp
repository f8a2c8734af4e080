// Grid, view and base-map options.
#include "tools/OptionDialogs.h"

#include <cstdio>
#include <cstdlib>

#include "exchange/BaseMapReader.h"
#include "model/ViewOptions.h"
#include "ui/FileChooser.h"
#include "ui/GetValueBox.h"
#include "ui/Platform.h"

namespace tools {

namespace {

class GridBox final : public ui::GetValueBox {
public:
    GridBox() : GetValueBox(0) {}
    const char* templateName() const override { return "GridBox"; }
    void onInit(ui::DialogControls& c) override
    {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.1lf", step);
        c.setText(120, buf);
        c.setChecked(160, shown);
        c.setChecked(161, axes);
    }
    void onCommand(ui::DialogControls& c, int id) override
    {
        if (id == ui::idOk) {
            std::string t = c.text(120).substr(0, 9);
            step = std::strtod(t.c_str(), nullptr);
            shown = c.isChecked(160);
            axes = c.isChecked(161);
        }
        Dialog::onCommand(c, id);
    }
    double step = 1.0;
    bool shown = true;
    bool axes = true;
};

class ViewBox final : public ui::Dialog {
public:
    const char* templateName() const override { return "ViewBox"; }
    void onInit(ui::DialogControls& c) override
    {
        const model::ViewOptions& o = model::viewOptions();
        c.setChecked(141, o.showSources);
        c.setChecked(142, o.showSourceDirections);
        c.setChecked(143, o.showReceivers);
        c.setChecked(144, o.showReceiverDirections);
    }
    void onCommand(ui::DialogControls& c, int id) override
    {
        if (id == ui::idOk) {
            model::ViewOptions& o = model::viewOptions();
            o.showSources = c.isChecked(141);
            o.showSourceDirections = c.isChecked(142);
            o.showReceivers = c.isChecked(143);
            o.showReceiverDirections = c.isChecked(144);
        }
        Dialog::onCommand(c, id);
    }
};

class BaseMapBox final : public ui::GetValueBox {
public:
    BaseMapBox() : GetValueBox(0) {}
    const char* templateName() const override { return "BaseMapBox"; }
    void onInit(ui::DialogControls& c) override
    {
        c.setText(120, file);
        writeValue(c, 121, offsetX);
        writeValue(c, 122, offsetY);
        writeValue(c, 123, scale);
        c.setChecked(141, visible);
    }
    void onCommand(ui::DialogControls& c, int id) override
    {
        if (id == 112) {
            if (auto chosen = ui::chooseFile("*.dxf", false)) {
                c.setText(120, *chosen);
            }
            return;
        }
        if (id == ui::idOk) {
            offsetX = readValue(c, 121);
            offsetY = readValue(c, 122);
            scale = readValue(c, 123);
            file = c.text(120).substr(0, 260);
            visible = c.isChecked(141);
        }
        Dialog::onCommand(c, id);
    }
    std::string file;
    double offsetX = 0.0;
    double offsetY = 0.0;
    double scale = 1.0;
    bool visible = true;
};

}  // namespace

bool askGridOptions(model::Document& doc)
{
    GridBox box;
    box.step = doc.gridStep();
    box.shown = doc.gridShown;
    box.axes = doc.axesShown;
    if (box.runModal() != ui::DialogResult::Ok) {
        return false;
    }
    doc.setGridStep(box.step > 0.001 ? box.step : 0.001);
    doc.gridShown = box.shown;
    doc.axesShown = box.axes;
    return true;
}

bool askViewOptions()
{
    ViewBox box;
    return box.runModal() == ui::DialogResult::Ok;
}

bool askBaseMapOptions(model::Document& doc)
{
    BaseMapBox box;
    box.file = doc.baseMapFile;
    box.offsetX = doc.baseMapOffset.x;
    box.offsetY = doc.baseMapOffset.y;
    box.scale = doc.baseMapScale;
    box.visible = doc.baseMapFile.empty() || doc.baseMap.selected;
    if (box.runModal() != ui::DialogResult::Ok) {
        return false;
    }
    doc.baseMapOffset = {box.offsetX, box.offsetY, 0.0};
    doc.baseMapScale = box.scale < 1e-6 ? 1.0 : box.scale;
    doc.baseMapFile = box.file;
    doc.baseMap.clear();
    if (!doc.baseMapFile.empty()) {
        textio::InputError why = textio::InputError::None;
        if (!exchange::readBaseMap(doc.baseMap, doc.baseMapFile, doc.baseMapOffset, doc.baseMapScale, &why)) {
            ui::errorBox("%s", textio::describeInputError(doc.baseMapFile, why).c_str());
        }
        doc.baseMap.selected = box.visible;
    }
    return true;
}

}  // namespace tools
