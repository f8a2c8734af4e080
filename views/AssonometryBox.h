// The axonometric view's options: its two angles, typed or taken from the
// standard presets.
#pragma once

#include "ui/GetValueBox.h"

namespace views {

class AssonometryBox final : public ui::GetValueBox {
public:
    AssonometryBox(double xAngle, double yAngle) : GetValueBox(2)
    {
        values[0] = xAngle;
        values[1] = yAngle;
    }
    const char* templateName() const override { return "AssonometryBox"; }
    // A preset's radio button puts its angles into the fields.
    void onCommand(ui::DialogControls& c, int id) override;
};

}  // namespace views
