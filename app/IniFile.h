// Plain ini text: "[Section]" headers and "key=value" lines, looked up and
// rewritten as the Windows profile functions do (names ignore case, blanks
// around names and values are dropped, a value in double quotes loses them).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace app {

std::optional<std::string> iniValue(std::string_view text, std::string_view section, std::string_view key);

// The text with key set to value in section: an existing line is replaced, a
// missing key is added at the end of its section, a missing section at the end.
std::string iniWithValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value);

}  // namespace app
