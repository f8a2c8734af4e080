// Fuzz target: the OBJ import on any input. Nothing that is not finite and
// within the model's range may reach the model.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "exchange/ObjImport.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "textio/TokenReader.h"
#include "ui/headless/HeadlessPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static bool once = [] {
        materials::setMaterialDirectory("/nonexistent");
        return true;
    }();
    (void)once;
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    doc.autoDraw = false;
    textio::TokenReader in(std::string_view(reinterpret_cast<const char*>(data), size));
    exchange::importObj(doc, in, size);
    geometry::X3DPoint min;
    geometry::X3DPoint max;
    if (doc.bounds(min, max)) {
        for (double v : {min.x, min.y, min.z, max.x, max.y, max.z}) {
            if (!std::isfinite(v) || std::fabs(v) >= 1e9) {
                std::abort();
            }
        }
    }
    return 0;
}
