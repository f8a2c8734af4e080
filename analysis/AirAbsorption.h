// Sound absorbed by the air itself, after ISO 9613-1, at the standard
// atmospheric pressure.
#pragma once

namespace analysis {

struct AirCondition {
    double temperature = 20.0;  // degrees Celsius
    double humidity = 50.0;     // relative, per cent
};

// Whether the formula holds for the condition (-20..50 degrees and
// 1..100 % are what it was made for; wider ranges are refused).
bool validAir(const AirCondition& air);

// Attenuation of a pure tone at `frequency` (Hz): decibels per metre.
double airAttenuation(double frequency, const AirCondition& air);

// The energy attenuation coefficient m (1/m) of a room's air at `frequency`,
// as the reverberation formulas take it (4mV adds to the absorption area).
double airEnergyAttenuation(double frequency, const AirCondition& air);

}  // namespace analysis
