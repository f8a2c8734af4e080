// The scene library's own field types: colours and rotations.
#pragma once

#include "geometry/X3DAngle.h"
#include "geometry/X3DPoint.h"
#include "ui/Colour.h"

namespace scene3d {

struct X3DColor {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;

    X3DColor() = default;
    X3DColor(double red, double green, double blue, double alpha)
        : r(static_cast<float>(red)),
          g(static_cast<float>(green)),
          b(static_cast<float>(blue)),
          a(static_cast<float>(alpha))
    {
    }
    // From a colour with red in the low byte and an alpha byte.
    X3DColor(ui::Colour c, unsigned alpha8)
        : X3DColor((c & 255) * 0.00392156862745098, ((c >> 8) & 255) * 0.00392156862745098,
                   ((c >> 16) & 255) * 0.00392156862745098, (alpha8 & 255) * 0.00392156862745098)
    {
    }

    static const char* className() { return "X3DColor"; }

    // r, g and b times the factor; alpha kept.
    X3DColor scaled(double f) const { return X3DColor(r * f, g * f, b * f, a); }
};

inline const X3DColor black(0, 0, 0, 1);
inline const X3DColor white(1, 1, 1, 1);

struct X3DRotation {
    geometry::X3DVersor axis{0, 0, 1};
    geometry::X3DAngle angle;

    static const char* className() { return "X3DRotation"; }
};

}  // namespace scene3d
