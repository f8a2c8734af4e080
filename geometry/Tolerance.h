// The one tolerance of geometric equality, zero and parallelism tests.
#pragma once

#include <cmath>

namespace geometry {

constexpr double EPS = 1e-5;

// Strict: a difference counts as zero only when -EPS < d < EPS.
constexpr bool isZero(double d)
{
    return -EPS < d && d < EPS;
}

// Computed rather than written out, so that angles convert exactly as the
// model's stored values expect.
inline const double PI = 2.0 * std::asin(1.0);

}  // namespace geometry
