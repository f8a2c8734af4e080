// The faces a POLYLINE with VERTEX entities stands for: the faces of a
// polyface mesh, the quadrilaterals of a polygon mesh, or the outline of a
// closed 3-D polyline.
#pragma once

#include <functional>
#include <vector>

#include "exchange/DxfEntity.h"

namespace exchange {

enum class PolylineKind {
    Plain,        // none of the below: only the POLYLINE's own groups count
    Polyface,     // flag 64
    PolygonMesh,  // flag 16
    Closed3d,     // flag 8, closed by flag 1 or by its last vertex repeating the first
};

PolylineKind polylineKind(const DxfEntity& polyline);

// Calls face(corners) for every face of a mesh, or once with the outline of
// a closed 3-D polyline (its repeated last vertex dropped). Answers the
// number of face records left out because they name vertices the mesh does
// not have (or, for a polygon mesh, a vertex count short of M x N).
long long polylineFaces(const DxfEntity& polyline, const std::function<void(const std::vector<X3DPoint>&)>& face);

}  // namespace exchange
