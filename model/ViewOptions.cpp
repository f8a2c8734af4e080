// The program-wide view options.
#include "model/ViewOptions.h"

#include "model/ModelState.h"
#include "ui/Installed.h"

namespace model {

ViewOptions& viewOptions()
{
    return ui::installed<ModelState>().viewOptions;
}

}  // namespace model
