// Material record and its line format.
#include "materials/MaterialInfo.h"

#include <cstdio>

#include "textio/TextWriter.h"

namespace materials {

const char* const bandLabels[bandCount] = {"31Hz", "63Hz", "125Hz", "250Hz", "500Hz",
                                           "1KHz", "2KHz", "4KHz",  "8KHz",  "16KHz"};

void MaterialInfo::resetBands()
{
    absorption.fill(0.0f);
    reduction.fill(999.9f);
    diffusion.fill(0.1f);
}

void MaterialInfo::write(textio::TextWriter& out) const
{
    writeAs(out, number);
}

void MaterialInfo::writeAs(textio::TextWriter& out, int shownNumber) const
{
    char buf[128];
    std::snprintf(buf, sizeof buf, "%3d  ", shownNumber);
    out.put(buf);
    out.put(name);
    out.put(' ');
    auto group = [&](const std::array<float, bandCount>& values, int decimals) {
        out.put(',');
        for (float v : values) {
            std::snprintf(buf, sizeof buf, " %.*f", decimals, static_cast<double>(v));
            out.put(buf);
        }
    };
    group(absorption, 3);
    group(reduction, 1);
    group(diffusion, 3);
    out.put('\n');
}

}  // namespace materials
