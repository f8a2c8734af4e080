// The material and colour files shipped with the program, compiled in.
#pragma once

#include <string_view>

namespace materials {

std::string_view bundledMaterialText();
std::string_view bundledColourText();

}  // namespace materials
