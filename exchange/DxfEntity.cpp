// Entity records and placements.
#include "exchange/DxfEntity.h"

#include <cmath>

#include "textio/RealFormat.h"

namespace exchange {

void DxfEntity::reset(std::string_view t, std::uint64_t atLine)
{
    type.assign(t.substr(0, 79));
    lightweight = is("LWPOLYLINE");
    layer.clear();
    text.clear();
    name.clear();
    corners.clear();
    points.clear();
    bulges.clear();
    vertices.clear();
    angle = rotation = radius = elevation = 0.0;
    scale[0] = scale[1] = scale[2] = 1.0;
    spacing[0] = spacing[1] = 0.0;
    flags = 0;
    counts[0] = counts[1] = counts[2] = counts[3] = 0;
    hasFlags = hasRowCount = hasColour = false;
    colour = 0;
    extrusion = X3DPoint(0.0, 0.0, 1.0);
    damaged = false;
    line = atLine;
}

bool DxfEntity::is(std::string_view kind) const
{
    return textio::equalIgnoringCase(type, kind);
}

bool Affine::isIdentity() const
{
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            if (m[i][j] != (i == j ? 1.0 : 0.0)) {
                return false;
            }
        }
    }
    return t.x == 0.0 && t.y == 0.0 && t.z == 0.0;
}

Affine Affine::after(const Affine& inner) const
{
    Affine r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r.m[i][j] = m[i][0] * inner.m[0][j] + m[i][1] * inner.m[1][j] + m[i][2] * inner.m[2][j];
        }
    }
    r.t = apply(inner.t);
    return r;
}

Affine Affine::scaling(double s)
{
    Affine a;
    a.m[0][0] = a.m[1][1] = a.m[2][2] = s;
    return a;
}

Affine Affine::ocs(const X3DPoint& extrusion)
{
    double len = std::sqrt(extrusion.x * extrusion.x + extrusion.y * extrusion.y + extrusion.z * extrusion.z);
    Affine a;
    if (!(len > 1e-12) || (extrusion.x == 0.0 && extrusion.y == 0.0 && extrusion.z > 0.0)) {
        return a;
    }
    X3DPoint az(extrusion.x / len, extrusion.y / len, extrusion.z / len);
    auto cross = [](const X3DPoint& u, const X3DPoint& v) {
        return X3DPoint(u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x);
    };
    X3DPoint ax = (std::fabs(az.x) < 1.0 / 64 && std::fabs(az.y) < 1.0 / 64) ? cross(X3DPoint(0, 1, 0), az)
                                                                             : cross(X3DPoint(0, 0, 1), az);
    double lx = std::sqrt(ax.x * ax.x + ax.y * ax.y + ax.z * ax.z);
    ax = X3DPoint(ax.x / lx, ax.y / lx, ax.z / lx);
    X3DPoint ay = cross(az, ax);
    const X3DPoint* axes[3] = {&ax, &ay, &az};
    for (int j = 0; j < 3; ++j) {
        a.m[0][j] = axes[j]->x;
        a.m[1][j] = axes[j]->y;
        a.m[2][j] = axes[j]->z;
    }
    return a;
}

}  // namespace exchange
