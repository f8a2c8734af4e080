// The value dialogs.
#include "ui/GetValueBox.h"

#include <cstdio>
#include <cstdlib>

namespace ui {

std::string formatValue(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%lg", v);
    return buf;
}

void GetValueBox::writeValue(DialogControls& c, int id, double v)
{
    switch (c.kind(id)) {
    case ControlKind::Edit:
    case ControlKind::ReadOnlyEdit:
    case ControlKind::MultiLineEdit:
    case ControlKind::Static:
        c.setText(id, formatValue(v));
        break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::PushButton:
        c.setChecked(id, v != 0.0);
        break;
    default:
        break;
    }
}

double GetValueBox::readValue(const DialogControls& c, int id)
{
    switch (c.kind(id)) {
    case ControlKind::Edit:
    case ControlKind::ReadOnlyEdit:
    case ControlKind::MultiLineEdit:
    case ControlKind::Static: {
        std::string t = c.text(id).substr(0, 31);
        double v = std::strtod(t.c_str(), nullptr);
        // A number beyond any model is not a value the user meant.
        return (v == v && v > -1e15 && v < 1e15) ? v : 0.0;
    }
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::PushButton:
        return c.isChecked(id) ? 1.0 : 0.0;
    default:
        return 0.0;
    }
}

void GetValueBox::onInit(DialogControls& c)
{
    updating = true;
    for (int i = 0; i < count; ++i) {
        writeValue(c, 120 + i, values[i]);
    }
    updating = false;
}

void GetValueBox::onCommand(DialogControls& c, int id)
{
    if (id == idOk) {
        for (int i = 0; i < count; ++i) {
            values[i] = readValue(c, 120 + i);
        }
    }
    Dialog::onCommand(c, id);
}

void GetQuotasBox::onInit(DialogControls& c)
{
    GetValueBox::onInit(c);
}

void GetQuotasBox::onChange(DialogControls& c, int id)
{
    if (updating) {
        return;
    }
    updating = true;
    double ground = values[4];
    switch (id) {
    case 120:
        writeValue(c, 122, readValue(c, 120) - ground);
        writeValue(c, 123, readValue(c, 121) - ground);
        break;
    case 121:
        writeValue(c, 123, readValue(c, 121) - ground);
        break;
    case 122:
        writeValue(c, 120, readValue(c, 122) + ground);
        writeValue(c, 121, readValue(c, 123) + ground);
        break;
    case 123:
        writeValue(c, 121, readValue(c, 123) + ground);
        break;
    default:
        break;
    }
    updating = false;
}

void InfoBox::onInit(DialogControls& c)
{
    if (!title.empty()) {
        c.setTitle(title);
    }
    c.setText(120, text);
}

void InfoBox::onCommand(DialogControls& c, int id)
{
    if (id == idOk) {
        text = c.text(120);
    }
    Dialog::onCommand(c, id);
}

void AboutBox::onCommand(DialogControls& c, int id)
{
    if (id == idOk || id == idCancel) {
        result = 1;
        c.end(1);
    }
}

bool askValue(const std::string& prompt, double& value, int anchorX, int anchorY)
{
    struct PromptBox : GetValueBox {
        explicit PromptBox(std::string p) : GetValueBox(1), prompt(std::move(p)) {}
        void onInit(DialogControls& c) override
        {
            c.setText(115, prompt.substr(0, 79));
            GetValueBox::onInit(c);
        }
        std::string prompt;
    } box(prompt);
    box.values[0] = value;
    box.anchorX = anchorX;
    box.anchorY = anchorY;
    if (box.runModal() != 1) {
        return false;
    }
    value = box.values[0];
    return true;
}

bool askCoordinates(geometry::X3DPoint& point)
{
    GetCoordBox box;
    box.values[0] = point.x;
    box.values[1] = point.y;
    box.values[2] = point.z;
    if (box.runModal() != 1) {
        return false;
    }
    point = geometry::X3DPoint(box.values[0], box.values[1], box.values[2]);
    return true;
}

bool askElevations(double& absoluteMin, double& absoluteMax, double ground)
{
    GetQuotasBox box;
    box.values[0] = absoluteMin;
    box.values[1] = absoluteMax;
    box.values[2] = absoluteMin - ground;
    box.values[3] = absoluteMax - ground;
    box.values[4] = ground;
    if (box.runModal() != 1) {
        return false;
    }
    absoluteMin = box.values[0];
    absoluteMax = box.values[1];
    return true;
}

bool editText(std::string& text, const std::string& title, std::size_t capacity)
{
    std::string edited = text;
    InfoBox box(edited, title);
    if (box.runModal() != 1) {
        return false;
    }
    if (capacity > 0 && edited.size() > capacity - 1) {
        edited.resize(capacity - 1);
    }
    text = edited;
    return true;
}

void showAbout()
{
    AboutBox box;
    box.runModal();
}

}  // namespace ui
