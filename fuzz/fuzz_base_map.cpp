// Fuzz target: the base-map reader on any input, with an offset and a scale.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "exchange/BaseMapReader.h"
#include "model/EntityList.h"
#include "model/Segment.h"
#include "textio/TokenReader.h"
#include "ui/headless/HeadlessPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ui::headless::HeadlessPlatform platform;
    model::EntityList list;
    textio::TokenReader in(std::string_view(reinterpret_cast<const char*>(data), size));
    // Blocks may expand to little here: the fuzzer's memory is bounded.
    exchange::readBaseMap(list, in, geometry::X3DPoint(100, 50, 0), 0.001, "fuzz.dxf", 200000);
    for (const auto& e : list.children()) {
        const auto& s = static_cast<const model::Segment&>(*e);
        if (s.start.z != 0.0 || s.end.z != 0.0 || !std::isfinite(s.start.x) || !std::isfinite(s.end.y)) {
            std::abort();
        }
    }
    return 0;
}
