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
        writeValue(c, firstValueId + i, values[i]);
    }
    updating = false;
}

void GetValueBox::onCommand(DialogControls& c, int id)
{
    if (id == idOk) {
        for (int i = 0; i < count; ++i) {
            values[i] = readValue(c, firstValueId + i);
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
    using namespace ctl::quotas;
    updating = true;
    double ground = value(Ground);
    switch (id) {
    case AbsoluteMin:
        writeValue(c, RelativeMin, readValue(c, AbsoluteMin) - ground);
        writeValue(c, RelativeMax, readValue(c, AbsoluteMax) - ground);
        break;
    case AbsoluteMax:
        writeValue(c, RelativeMax, readValue(c, AbsoluteMax) - ground);
        break;
    case RelativeMin:
        writeValue(c, AbsoluteMin, readValue(c, RelativeMin) + ground);
        writeValue(c, AbsoluteMax, readValue(c, RelativeMax) + ground);
        break;
    case RelativeMax:
        writeValue(c, AbsoluteMax, readValue(c, RelativeMax) + ground);
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

void AboutBox::onInit(DialogControls& c)
{
    c.setText(ctl::about::Details, details);
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
            c.setText(ctl::value::Prompt, prompt.substr(0, 79));
            GetValueBox::onInit(c);
        }
        std::string prompt;
    } box(prompt);
    box.value(ctl::value::Value) = value;
    box.anchorX = anchorX;
    box.anchorY = anchorY;
    if (box.runModal() != DialogResult::Ok) {
        return false;
    }
    value = box.value(ctl::value::Value);
    return true;
}

bool askCoordinates(geometry::X3DPoint& point)
{
    using namespace ctl::coord;
    GetCoordBox box;
    box.value(X) = point.x;
    box.value(Y) = point.y;
    box.value(Z) = point.z;
    if (box.runModal() != DialogResult::Ok) {
        return false;
    }
    point = geometry::X3DPoint(box.value(X), box.value(Y), box.value(Z));
    return true;
}

bool askElevations(double& absoluteMin, double& absoluteMax, double ground)
{
    using namespace ctl::quotas;
    GetQuotasBox box;
    box.value(AbsoluteMin) = absoluteMin;
    box.value(AbsoluteMax) = absoluteMax;
    box.value(RelativeMin) = absoluteMin - ground;
    box.value(RelativeMax) = absoluteMax - ground;
    box.value(Ground) = ground;
    if (box.runModal() != DialogResult::Ok) {
        return false;
    }
    absoluteMin = box.value(AbsoluteMin);
    absoluteMax = box.value(AbsoluteMax);
    return true;
}

bool editText(std::string& text, const std::string& title, std::size_t capacity)
{
    std::string edited = text;
    InfoBox box(edited, title);
    if (box.runModal() != DialogResult::Ok) {
        return false;
    }
    if (capacity > 0 && edited.size() > capacity - 1) {
        edited.resize(capacity - 1);
    }
    text = edited;
    return true;
}

void showAbout(const std::string& details)
{
    AboutBox box;
    box.details = details;
    box.runModal();
}

}  // namespace ui
