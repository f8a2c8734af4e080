// A face's reference to a material: its number and the two acoustic flags.
#pragma once

#include <cstdint>

namespace textio {
class TextWriter;
class TokenReader;
}  // namespace textio

namespace materials {

constexpr int materialCount = 1024;

struct Material {
    std::uint32_t number = 0;
    bool obstructing = false;
    bool monopermeable = false;

    static constexpr int typeCode() { return 1003; }
    static const char* className() { return "Material"; }

    bool isEqual(const Material& o) const
    {
        return number == o.number && obstructing == o.obstructing && monopermeable == o.monopermeable;
    }
    // Packed as stored and exported: 2 if monopermeable + 1 if obstructing.
    int flags() const { return (monopermeable ? 2 : 0) + (obstructing ? 1 : 0); }
    void setFlags(long long f)
    {
        obstructing = (f & 1) != 0;
        monopermeable = (f & 2) != 0;
    }

    // Project-file form: flags, one blank, number.
    void write(textio::TextWriter& out) const;
    // Reads flags and number. A number outside the table, or negative flags,
    // would make every later lookup unsafe: such a reference keeps material 0
    // and no flags. False only when the stream failed.
    bool read(textio::TokenReader& in);
};

}  // namespace materials
