// What `kcad check` prints: the check's problems and the room's figures, as
// text for people or as one JSON object.
#pragma once

#include <string>

#include "analysis/ModelCheck.h"
#include "analysis/RoomAcoustics.h"

namespace app {

std::string checkJson(const std::string& file, const analysis::CheckReport& check, const analysis::RoomAcoustics& room);
std::string checkText(const std::string& file, const analysis::CheckReport& check, const analysis::RoomAcoustics& room);

// The band table rows shared by the text and the program's dialog:
// "A (m2)", "Sabine (s)", "Eyring (s)" with ten figures, "-" for none.
std::string formatSeconds(const std::optional<double>& t);

}  // namespace app
