// Material reference input and output.
#include "materials/Material.h"

#include "textio/TextWriter.h"
#include "textio/TokenReader.h"

namespace materials {

void Material::write(textio::TextWriter& out) const
{
    out.putInt(flags());
    out.put(' ');
    out.putInt(number);
}

bool Material::read(textio::TokenReader& in)
{
    long long f = 0;
    long long n = 0;
    if (!in.readInt(f) || !in.readInt(n)) {
        return false;
    }
    setFlags(f >= 0 && f <= 3 ? f : 0);
    number = (n >= 0 && n < materialCount) ? static_cast<std::uint32_t>(n) : 0;
    return true;
}

}  // namespace materials
