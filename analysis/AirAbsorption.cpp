// Atmospheric absorption.
#include "analysis/AirAbsorption.h"

#include <cmath>

namespace analysis {

bool validAir(const AirCondition& air)
{
    return air.temperature >= -20.0 && air.temperature <= 50.0 && air.humidity >= 1.0 && air.humidity <= 100.0;
}

double airAttenuation(double f, const AirCondition& air)
{
    const double referenceTemperature = 293.15;  // K
    const double triplePoint = 273.16;           // K
    double t = air.temperature + 273.15;
    double tr = t / referenceTemperature;
    // Molar concentration of water vapour (per cent) from the relative humidity.
    double saturation = std::pow(10.0, -6.8346 * std::pow(triplePoint / t, 1.261) + 4.6151);
    double h = air.humidity * saturation;
    // Relaxation frequencies of oxygen and nitrogen.
    double frO = 24.0 + 4.04e4 * h * (0.02 + h) / (0.391 + h);
    double frN = std::pow(tr, -0.5) * (9.0 + 280.0 * h * std::exp(-4.170 * (std::pow(tr, -1.0 / 3.0) - 1.0)));
    double f2 = f * f;
    return 8.686 * f2 *
           (1.84e-11 * std::sqrt(tr) + std::pow(tr, -2.5) * (0.01275 * std::exp(-2239.1 / t) / (frO + f2 / frO) +
                                                             0.1068 * std::exp(-3352.0 / t) / (frN + f2 / frN)));
}

double airEnergyAttenuation(double f, const AirCondition& air)
{
    // Decibels to nepers of energy: 10 lg e dB each.
    return airAttenuation(f, air) / (10.0 * std::log10(std::exp(1.0)));
}

}  // namespace analysis
