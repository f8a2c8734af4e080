// A set of planar polygons with a normal at every vertex; shared corners of
// nearly coplanar polygons get one smoothed normal.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "scene3d/X3DPointIndex.h"
#include "scene3d/X3DShape.h"

namespace scene3d {

struct X3DVertex : geometry::X3DPoint {
    geometry::X3DVersor normal;

    X3DVertex() = default;
    X3DVertex(const geometry::X3DPoint& p, const geometry::X3DVersor& n) : X3DPoint(p), normal(n) {}
};

class X3DIndexedFaceSet : public X3DGeometry {
public:
    explicit X3DIndexedFaceSet(bool isSolid) : solid(isSolid) {}

    bool solid;
    bool smooth = false;  // set by smoothNormals when some corner is shared

    const char* className() const override { return "X3DIndexedFaceSet"; }
    void write(X3DStream& out) const override;

    // A polygon of the points in order, every vertex carrying the face normal
    // normalise((p1 - p0) x (pLast - p1)); fewer than three points add nothing.
    // An opening (a door, a hole) lies in the plane of its wall: the 3-D
    // view draws it a hair in front, so that it shows whole, not striped.
    void addPolygon(const geometry::X3DPoint* points, std::size_t count, bool opening = false);
    bool isOpening(std::size_t i) const { return i < openings_.size() && openings_[i]; }
    std::size_t polygonCount() const { return starts_.size() - 1; }
    std::span<const X3DVertex> polygon(std::size_t i) const
    {
        return {vertices_.data() + starts_[i], starts_[i + 1] - starts_[i]};
    }
    std::size_t vertexCount() const { return vertices_.size(); }
    void reserve(std::size_t polygons, std::size_t vertices);

    // At every welded corner, vertices whose normals lie within 60 degrees of
    // a seed's share the normalised sum of their normals.
    void smoothNormals();

private:
    // Welds the vertex positions in polygon order (once: smoothing and the
    // VRML writer weld the very same points in the same order).
    void weldPositions() const;
    void writeVrml(X3DStream& out) const;
    void writePov(X3DStream& out) const;

    std::vector<X3DVertex> vertices_;
    std::vector<std::uint32_t> starts_{0};
    std::vector<bool> openings_;  // by polygon; empty while there is none
    mutable bool welded_ = false;
    mutable std::vector<std::uint32_t> positionOf_;
    mutable X3DPointIndex positions_;
};

}  // namespace scene3d
