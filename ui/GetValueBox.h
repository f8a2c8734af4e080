// The generic value dialog and the small dialogs built on it: one value with
// a prompt, coordinates, linked elevations, notes text and About.
#pragma once

#include <string>

#include "geometry/X3DPoint.h"
#include "ui/Dialog.h"

namespace ui {

// Up to eight values; value i belongs to control 120 + i. Edit and static
// fields show "%lg" text and read as the text's leading number (0 when
// none); check boxes and radio buttons are checked when not 0.
class GetValueBox : public Dialog {
public:
    explicit GetValueBox(int valueCount) : count(valueCount) {}

    const char* templateName() const override { return "GetValueBox"; }
    void onInit(DialogControls& c) override;
    void onCommand(DialogControls& c, int id) override;

    int count;
    double values[8] = {};
    // The value of a field by its control ID.
    static constexpr int firstValueId = 120;
    double& value(int controlId) { return values[controlId - firstValueId]; }
    double value(int controlId) const { return values[controlId - firstValueId]; }

    // The data exchange of one value with its control.
    static void writeValue(DialogControls& c, int id, double v);
    static double readValue(const DialogControls& c, int id);
};

class GetCoordBox : public GetValueBox {
public:
    GetCoordBox() : GetValueBox(3) {}
    const char* templateName() const override { return "GetCoordBox"; }
};

// Absolute and ground-relative elevations, kept in step while typing.
class GetQuotasBox : public GetValueBox {
public:
    GetQuotasBox() : GetValueBox(5) {}
    const char* templateName() const override { return "GetQuotasBox"; }
    void onInit(DialogControls& c) override;
    void onChange(DialogControls& c, int id) override;
};

class InfoBox : public Dialog {
public:
    InfoBox(std::string& textRef, std::string titleText) : text(textRef), title(std::move(titleText)) {}
    const char* templateName() const override { return "InfoBox"; }
    void onInit(DialogControls& c) override;
    void onCommand(DialogControls& c, int id) override;

    std::string& text;
    std::string title;
};

class AboutBox : public Dialog {
public:
    const char* templateName() const override { return "AboutBox"; }
    void onInit(DialogControls& c) override;
    void onCommand(DialogControls& c, int id) override;

    // Lines under the program's name: its version, the toolkit's, the build.
    std::string details;
};

// One value under a prompt ("Input"); true and the value replaced on OK.
bool askValue(const std::string& prompt, double& value, int anchorX = -1, int anchorY = -1);
bool askCoordinates(geometry::X3DPoint& point);
// Shows absolute and ground-relative elevations; true on OK with the two
// absolute values replaced.
bool askElevations(double& absoluteMin, double& absoluteMax, double ground);
// The notes dialog over a text; true when OK replaced it.
bool editText(std::string& text, const std::string& title, std::size_t capacity = 1024);
void showAbout(const std::string& details);

// "%lg" of a value, as dialogs show numbers.
std::string formatValue(double v);

}  // namespace ui
