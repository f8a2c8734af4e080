// Colours as 32-bit values with red in the lowest byte (0x00BBGGRR).
#pragma once

#include <cstdint>

namespace ui {

using Colour = std::uint32_t;

constexpr Colour rgb(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}

constexpr Colour black = rgb(0, 0, 0);
constexpr Colour lightGrey = rgb(192, 192, 192);
constexpr Colour cyan = rgb(0, 255, 255);

}  // namespace ui
