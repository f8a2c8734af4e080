// Fuzz target: the model check and the room acoustics on whatever model the
// project reader makes of any input. Every figure must be finite or absent.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "analysis/ModelCheck.h"
#include "analysis/RoomAcoustics.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "storage/ProjectFile.h"
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
    storage::readProject(in, doc);
    materials::MaterialList& list = materials::materialList();
    analysis::CheckOptions options;
    // The last byte picks a tolerance from 1 micrometre to 1 m.
    if (size > 0) {
        options.tolerance = std::pow(10.0, -6.0 + 6.0 * (data[size - 1] / 255.0));
    }
    analysis::CheckReport check = analysis::checkModel(doc, list, options);
    analysis::RoomAcoustics room = analysis::roomAcoustics(doc, list, check.volume, check.area, check.holeArea,
                                                           analysis::AirCondition{20.0, 50.0});
    bool finite = std::isfinite(check.area) && (!check.volume || std::isfinite(*check.volume));
    for (int b = 0; b < materials::bandCount; ++b) {
        finite = finite && std::isfinite(room.absorption[b]) && (!room.sabine[b] || std::isfinite(*room.sabine[b])) &&
                 (!room.eyring[b] || std::isfinite(*room.eyring[b]));
    }
    for (const analysis::Problem& p : check.problems) {
        finite = finite && std::isfinite(p.at.x) && std::isfinite(p.at.y) && std::isfinite(p.at.z);
    }
    if (!finite) {
        std::abort();
    }
    return 0;
}
