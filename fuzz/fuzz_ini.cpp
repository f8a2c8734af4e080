// Fuzz target: the ini reader and writer. Whatever the file holds, a value
// written for a key must be the value read back for it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    app::iniValue(text, "KCad", "AutoCheckDuplicates");
    std::string updated = app::iniWithValue(text, "KCad", "SaveDxfMaterialName", "0");
    auto back = app::iniValue(updated, "KCad", "SaveDxfMaterialName");
    if (!back || *back != "0") {
        std::abort();
    }
    std::string again = app::iniWithValue(updated, "KCad", "SaveDxfMaterialName", "1");
    auto flipped = app::iniValue(again, "KCad", "SaveDxfMaterialName");
    if (!flipped || *flipped != "1") {
        std::abort();
    }
    return 0;
}
