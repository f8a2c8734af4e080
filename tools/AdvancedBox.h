// The material-area summary ("Compute"): square metres of every material in
// the model, and selection by material while it is open. Selected faces show
// their material colours meanwhile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Document.h"
#include "ui/Dialog.h"

namespace tools {

class AdvancedBox final : public ui::Dialog {
public:
    explicit AdvancedBox(model::Document& doc) : doc_(doc) {}
    const char* templateName() const override { return "AdvancedBox"; }
    void onInit(ui::DialogControls& c) override;
    // Every face and door is selected exactly when its material is among
    // the chosen lines; those that change are redrawn at once.
    void onChange(ui::DialogControls& c, int id) override;

    // The heading, then "%3d %12.1lf - %s" for each material with an area.
    static std::vector<std::string> lines();

private:
    model::Document& doc_;
};

// Computes the areas, shows the summary, and repaints when it closes.
// currentFaceMaterial is kept from one use to the next, as openings are
// charged to the face before them.
void showMaterialAreas(model::Document& doc, std::uint32_t& currentFaceMaterial);

}  // namespace tools
