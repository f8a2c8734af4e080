// When this program was built, for About.
#pragma once

#include <string>

namespace app {

// The build date as year-month-day ("2026-12-06").
std::string buildDate();

}  // namespace app
