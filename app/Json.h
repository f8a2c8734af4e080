// Small helpers for writing JSON text.
#pragma once

#include <string>
#include <string_view>

namespace app {

// A JSON string literal. Valid UTF-8 passes through; other bytes (old 8-bit
// material names) are taken as Latin-1, so the output is always valid.
std::string jsonString(std::string_view text);
// A JSON number with 12 significant digits.
std::string jsonNumber(double v);

}  // namespace app
