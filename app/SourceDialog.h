// "Source parameters": the directivity file, the source's elevation, its
// aim point and its roll angle.
#pragma once

#include <string>

#include "ui/GetValueBox.h"

namespace model {
class Source;
}

namespace app {

class GetSourceBox final : public ui::GetValueBox {
public:
    GetSourceBox() : GetValueBox(5) {}

    const char* templateName() const override { return "GetSourceBox"; }
    void onInit(ui::DialogControls& c) override;
    void onCommand(ui::DialogControls& c, int id) override;

    std::string file;
};

// 1 with the five values stored back on OK, 0 on Cancel.
int editSource(model::Source& source);

// "General options": the two settings as check boxes; true on OK, when both
// are written.
bool askGeneralOptions();

}  // namespace app
