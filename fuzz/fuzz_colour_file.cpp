// Fuzz target: the tolcolor.mat grammar.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "materials/MaterialList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    materials::MaterialList list("/nonexistent");
    list.readColourText(std::string_view(reinterpret_cast<const char*>(data), size));
    for (int i = 0; i < materials::materialCount; ++i) {
        if (list.at(i).colour > 0xFFFFFFu) {
            std::abort();
        }
    }
    return 0;
}
