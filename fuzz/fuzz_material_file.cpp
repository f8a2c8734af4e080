// Fuzz target: the tolvane.mat grammar, and the record writer on what it read.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "materials/MaterialList.h"
#include "textio/TextWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    materials::MaterialList list("/nonexistent");
    list.readMaterialText(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string out;
    {
        textio::TextWriter w(out);
        for (int i = 0; i < materials::materialCount; ++i) {
            const materials::MaterialInfo& r = list.at(i);
            if (r.number != -1 && r.number != i) {
                std::abort();
            }
            if (r.name.size() > 79) {
                std::abort();
            }
            if (r.number == i) {
                list.markUsed(i);
            }
        }
        list.writeUsed(w);
    }
    list.readMaterialText(out);
    list.materialByText(std::string_view(reinterpret_cast<const char*>(data), size < 40 ? size : 40));
    return 0;
}
