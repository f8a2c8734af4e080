// Absorption and reverberation per band.
#include "analysis/RoomAcoustics.h"

#include <cmath>

#include "analysis/MaterialAreas.h"
#include "materials/MaterialList.h"

namespace analysis {

const Bands bandCentres = {31.5, 63.0, 125.0, 250.0, 500.0, 1000.0, 2000.0, 4000.0, 8000.0, 16000.0};

namespace {

// Exact octave centres (base ten), which the air formula wants.
double exactCentre(int band)
{
    return 1000.0 * std::pow(10.0, 0.3 * (band - 5));
}

}  // namespace

RoomAcoustics roomAcoustics(model::EntityList& model, materials::MaterialList& list, std::optional<double> volume,
                            double area, double holeArea, std::optional<AirCondition> air)
{
    RoomAcoustics r;
    r.volume = volume;
    r.area = area;
    r.holeArea = holeArea;
    r.air = air;
    std::uint32_t current = 0;
    computeMaterialAreas(model, list, current);
    for (int n = 0; n < materials::materialCount; ++n) {
        const materials::MaterialInfo& m = list.at(n);
        if (m.area > 0.0) {
            r.materials.push_back({n, m.name, m.area});
            for (int b = 0; b < materials::bandCount; ++b) {
                r.absorption[b] += m.area * m.absorption[b];
            }
        }
    }
    for (int b = 0; b < materials::bandCount; ++b) {
        // A hole lets all sound out: it absorbs everything that reaches it.
        r.absorption[b] += holeArea;
        if (air) {
            r.airAttenuation[b] = airEnergyAttenuation(exactCentre(b), *air);
        }
    }
    if (!volume || !(*volume > 0.0) || !(area > 0.0)) {
        return r;
    }
    double v = *volume;
    for (int b = 0; b < materials::bandCount; ++b) {
        double a = r.absorption[b];
        if (!(a > 0.0)) {
            continue;
        }
        double airArea = 4.0 * r.airAttenuation[b] * v;
        r.sabine[b] = 0.161 * v / (a + airArea);
        double mean = a / area;
        if (mean < 1.0) {
            r.eyring[b] = 0.161 * v / (-area * std::log(1.0 - mean) + airArea);
        }
    }
    return r;
}

}  // namespace analysis
