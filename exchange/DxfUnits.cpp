// The DXF reference's table of units.
#include "exchange/DxfUnits.h"

namespace exchange {

namespace {

struct Unit {
    double metres;
    const char* name;
};

// Indexed by $INSUNITS.
constexpr Unit units[] = {
    {0, ""},
    {0.0254, "inches"},
    {0.3048, "feet"},
    {1609.344, "miles"},
    {0.001, "millimetres"},
    {0.01, "centimetres"},
    {1.0, "metres"},
    {1000.0, "kilometres"},
    {2.54e-8, "microinches"},
    {2.54e-5, "mils"},
    {0.9144, "yards"},
    {1e-10, "angstroms"},
    {1e-9, "nanometres"},
    {1e-6, "microns"},
    {0.1, "decimetres"},
    {10.0, "decametres"},
    {100.0, "hectometres"},
    {1e9, "gigametres"},
    {1.495978707e11, "astronomical units"},
    {9.4607304725808e15, "light years"},
    {3.0856775814913673e16, "parsecs"},
    {1200.0 / 3937.0, "US survey feet"},
    {0.0254000508, "US survey inches"},
    {3600.0 / 3937.0, "US survey yards"},
    {6336000.0 / 3937.0, "US survey miles"},
};
constexpr long long unitCount = static_cast<long long>(sizeof units / sizeof units[0]);

}  // namespace

double metresPerUnit(long long insunits)
{
    return insunits > 0 && insunits < unitCount ? units[insunits].metres : 0.0;
}

std::string unitName(long long insunits)
{
    return insunits > 0 && insunits < unitCount ? units[insunits].name : "";
}

long long unitsFromOption(std::string_view value)
{
    if (value == "mm") {
        return 4;
    }
    if (value == "cm") {
        return 5;
    }
    if (value == "m") {
        return 6;
    }
    if (value == "in") {
        return 1;
    }
    if (value == "ft") {
        return 2;
    }
    return -1;
}

}  // namespace exchange
