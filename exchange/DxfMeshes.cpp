// Polyface meshes, polygon meshes and closed 3-D polylines.
#include "exchange/DxfMeshes.h"

namespace exchange {

namespace {

constexpr long long closedFlag = 1;
constexpr long long polyline3dFlag = 8;
constexpr long long polygonMeshFlag = 16;
constexpr long long closedNFlag = 32;
constexpr long long polyfaceFlag = 64;
// VERTEX flags.
constexpr long long splineFrameVertex = 16;
constexpr long long meshVertex = 64;
constexpr long long faceRecordVertex = 128;

bool samePoint(const X3DPoint& a, const X3DPoint& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

long long polyfaceFaces(const DxfEntity& p, const std::function<void(const std::vector<X3DPoint>&)>& face)
{
    std::vector<X3DPoint> locations;
    for (const DxfVertex& v : p.vertices) {
        if ((v.flags & faceRecordVertex) == 0 || (v.flags & meshVertex) != 0) {
            locations.push_back(v.point);
        }
    }
    long long bad = 0;
    std::vector<X3DPoint> corners;
    for (const DxfVertex& v : p.vertices) {
        if ((v.flags & faceRecordVertex) == 0 || (v.flags & meshVertex) != 0) {
            continue;
        }
        corners.clear();
        bool inRange = true;
        for (long long index : v.index) {
            // Negative numbers mark an invisible edge; the vertex still counts.
            long long k = index < 0 ? -index : index;
            if (k == 0) {
                continue;
            }
            if (k > static_cast<long long>(locations.size())) {
                inRange = false;
                break;
            }
            corners.push_back(locations[static_cast<std::size_t>(k - 1)]);
        }
        if (!inRange) {
            ++bad;
        } else if (corners.size() >= 3) {
            face(corners);
        }
    }
    return bad;
}

long long polygonMeshFaces(const DxfEntity& p, const std::function<void(const std::vector<X3DPoint>&)>& face)
{
    long long m = p.counts[0];
    long long n = p.counts[1];
    if (m < 2 || n < 2) {
        return 0;
    }
    if (static_cast<double>(m) * static_cast<double>(n) > static_cast<double>(p.vertices.size())) {
        return 1;
    }
    bool closedM = (p.flags & closedFlag) != 0;
    bool closedN = (p.flags & closedNFlag) != 0;
    auto at = [&p, n](long long i, long long j) { return p.vertices[static_cast<std::size_t>(i * n + j)].point; };
    std::vector<X3DPoint> quad(4);
    long long rows = closedM ? m : m - 1;
    long long columns = closedN ? n : n - 1;
    for (long long i = 0; i < rows; ++i) {
        long long i1 = (i + 1) % m;
        for (long long j = 0; j < columns; ++j) {
            long long j1 = (j + 1) % n;
            quad[0] = at(i, j);
            quad[1] = at(i, j1);
            quad[2] = at(i1, j1);
            quad[3] = at(i1, j);
            face(quad);
        }
    }
    return 0;
}

}  // namespace

PolylineKind polylineKind(const DxfEntity& p)
{
    if (p.vertices.empty()) {
        return PolylineKind::Plain;
    }
    if (p.flags & polyfaceFlag) {
        return PolylineKind::Polyface;
    }
    if (p.flags & polygonMeshFlag) {
        return PolylineKind::PolygonMesh;
    }
    if (p.flags & polyline3dFlag) {
        if ((p.flags & closedFlag) ||
            (p.vertices.size() > 1 && samePoint(p.vertices.front().point, p.vertices.back().point))) {
            return PolylineKind::Closed3d;
        }
    }
    return PolylineKind::Plain;
}

long long polylineFaces(const DxfEntity& p, const std::function<void(const std::vector<X3DPoint>&)>& face)
{
    switch (polylineKind(p)) {
    case PolylineKind::Polyface:
        return polyfaceFaces(p, face);
    case PolylineKind::PolygonMesh:
        return polygonMeshFaces(p, face);
    case PolylineKind::Closed3d: {
        std::vector<X3DPoint> outline;
        for (const DxfVertex& v : p.vertices) {
            if ((v.flags & splineFrameVertex) == 0) {
                outline.push_back(v.point);
            }
        }
        if (outline.size() > 1 && samePoint(outline.front(), outline.back())) {
            outline.pop_back();
        }
        face(outline);
        return 0;
    }
    case PolylineKind::Plain:
        break;
    }
    return 0;
}

}  // namespace exchange
