// Drawing units: $INSUNITS and the --dxf-units option, as metres per unit.
#pragma once

#include <string>
#include <string_view>

namespace exchange {

// Metres per drawing unit for an $INSUNITS code (1 inch, 2 foot, 4 mm,
// 5 cm, 6 m and the others of the DXF reference); 0 for unitless (0) and
// codes the reference does not define.
double metresPerUnit(long long insunits);
// The unit's name for messages ("millimetres"); empty for undefined codes.
std::string unitName(long long insunits);
// The $INSUNITS code of an option value: mm, cm, m, in or ft; -1 otherwise.
long long unitsFromOption(std::string_view value);

}  // namespace exchange
