// One slot of the material database: name, colour and ten octave bands of
// absorption, sound reduction and diffusion.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ui/Colour.h"

namespace textio {
class TextWriter;
}

namespace materials {

constexpr int bandCount = 10;
// Column labels of the ten octave bands, 31 Hz to 16 kHz.
extern const char* const bandLabels[bandCount];

// A reduction index above this means the material has no transmission data.
constexpr float noReductionData = 999.0f;

struct MaterialInfo {
    int number = -1;  // -1: no file line defined this slot
    std::string name = "Unknown";
    double area = 0.0;  // scratch total for the material-area summary
    ui::Colour colour = 0xFFFF00;
    std::array<float, bandCount> absorption{};
    std::array<float, bandCount> reduction{};
    std::array<float, bandCount> diffusion{};
    bool used = false;

    MaterialInfo() { resetBands(); }

    static constexpr int typeCode() { return 1061; }
    static const char* className() { return "MaterialInfo"; }
    bool isEqual(const MaterialInfo& o) const { return number == o.number; }

    // Absorption 0, reduction 999.9 (no data), diffusion 0.1 in every band.
    void resetBands();
    bool hasReductionData() const { return reduction[0] <= noReductionData; }

    // The record line: "%3d  %s " and three comma-led groups of ten values.
    void write(textio::TextWriter& out) const;
    // As write, with another number in front (for slots no file defined).
    void writeAs(textio::TextWriter& out, int shownNumber) const;
};

}  // namespace materials
