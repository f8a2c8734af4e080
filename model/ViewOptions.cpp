// The program-wide view options.
#include "model/ViewOptions.h"

namespace model {

ViewOptions& viewOptions()
{
    static ViewOptions options;
    return options;
}

}  // namespace model
