// "Input Material" (the material chooser with its band table) and "Face
// Properties".
#pragma once

#include <string>
#include <vector>

#include "materials/Material.h"
#include "ui/Dialog.h"

namespace model {
class Face;
}

namespace app {

class GetMaterial final : public ui::Dialog {
public:
    GetMaterial(const materials::Material& start, bool offerSameForAll);

    const char* templateName() const override { return "GetMaterial"; }
    void onInit(ui::DialogControls& c) override;
    void onCommand(ui::DialogControls& c, int id) override;
    void onChange(ui::DialogControls& c, int id) override;
    void onFocusLost(ui::DialogControls& c, int id) override;

    long long number = 0;
    bool obstructing = false;
    bool monopermeable = false;
    bool sameForAll = false;

private:
    void fillBandTable(ui::DialogControls& c) const;
    // The combo entry of a material number, or -1.
    int entryOf(long long n) const;
    static long long typedNumber(const ui::DialogControls& c);

    bool offer_;
    std::vector<int> numberOfEntry_;
};

// The four rows of the band table: header, absorption, reduction (values
// only when the material has transmission data) and diffusion.
std::vector<std::string> bandTableRows(long long materialNumber);

// 0 cancelled, 1 OK, 2 OK with "Same for all faces" ticked. Starts from the
// reference's number, or from the last chosen one when that is 0.
int chooseMaterial(materials::Material& material, bool offerSameForAll, unsigned& lastChosen);

class FaceBox final : public ui::Dialog {
public:
    FaceBox(model::Face& face, unsigned& lastChosen) : face_(face), lastChosen_(lastChosen) {}

    const char* templateName() const override { return "FaceBox"; }
    void onInit(ui::DialogControls& c) override;
    void onCommand(ui::DialogControls& c, int id) override;

private:
    model::Face& face_;
    unsigned& lastChosen_;
    materials::Material chosen_;
};

}  // namespace app
