// The room's acoustic figures per octave band: absorption area from the
// material areas, and the reverberation time by Sabine and by Eyring.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/AirAbsorption.h"
#include "materials/MaterialInfo.h"

namespace materials {
class MaterialList;
}
namespace model {
class EntityList;
}

namespace analysis {

using Bands = std::array<double, materials::bandCount>;
using MaybeBands = std::array<std::optional<double>, materials::bandCount>;

// Nominal centre frequencies of the ten octave bands, in Hz.
extern const Bands bandCentres;

struct MaterialArea {
    int number = 0;
    std::string name;
    double area = 0.0;
};

struct RoomAcoustics {
    std::optional<double> volume;  // m3, none unless the room is closed
    double area = 0.0;             // every face, m2
    double holeArea = 0.0;         // open holes, which absorb everything
    // Areas above zero, in number order, as the material-area summary adds
    // them (openings taken off the face before them).
    std::vector<MaterialArea> materials;
    Bands absorption{};  // m2: sum of area times absorption, holes at 1
    std::optional<AirCondition> air;
    Bands airAttenuation{};  // m, 1/m per band (0 without air)
    MaybeBands sabine;       // seconds; none without a volume or absorption
    MaybeBands eyring;       // also none where the mean absorption reaches 1
};

// Material areas through the material-area summary (with its scratch areas
// in `list`), then the times for the volume and total area the check found.
RoomAcoustics roomAcoustics(model::EntityList& model, materials::MaterialList& list, std::optional<double> volume,
                            double area, double holeArea, std::optional<AirCondition> air = std::nullopt);

}  // namespace analysis
