// The program-wide view options: whether sources and receivers are shown,
// and their aim lines. Picking and rubber-band selection follow them too.
#pragma once

namespace model {

struct ViewOptions {
    bool showSources = true;
    bool showSourceDirections = true;
    bool showReceivers = true;
    bool showReceiverDirections = false;
};

// The installed model state's options (model/ModelState.h).
ViewOptions& viewOptions();

}  // namespace model
