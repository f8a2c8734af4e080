// A planar polygon of the acoustic model with its material reference.
#pragma once

#include <vector>

#include "materials/Material.h"
#include "model/Entity.h"
#include "model/VertexArray.h"

namespace model {

class Face : public Entity {
public:
    materials::Material material;
    // Drawing order; the polygon closes from the last vertex to the first.
    // Empty for an invalid face; otherwise at least three, none repeating an
    // earlier one within EPS.
    VertexArray vertices;

    Face() = default;
    Face(const X3DPoint* points, int count, const materials::Material& m);
    Face(VertexArray points, const materials::Material& m);

    int vertexCount() const { return static_cast<int>(vertices.size()); }

    // Drops every vertex equal to an earlier one (not only neighbours),
    // keeping the order; true when more than two remain.
    bool removeRepeatedVertices();
    // Through vertices 0, 1 and 2, normal by the right-hand rule.
    X3DPlane plane() const;
    X3DPoint centroid() const;
    // Sum of the triangles from the centroid: exact for polygons that are
    // star-shaped around it.
    double area() const;
    void projectOnto(const X3DPlane& p);
    // Inside the bounding box (bounds included) and on the plane; the outline
    // itself is not tested.
    bool containsPoint(const X3DPoint& p) const;
    void freeVertices()
    {
        vertices.clear();
        vertices.shrink_to_fit();
    }

    // Faces are equal with the same kind and vertex count when every vertex
    // has a partner closer than 1 mm, in any order; materials do not count.
    bool isEqual(const Entity& other) const override;
    int typeCode() const override { return type::Face; }
    const char* className() const override { return "Face"; }

    void write(textio::TextWriter& out) const override;
    bool read(textio::TokenReader& in) override;

    bool extendBounds(X3DPoint& min, X3DPoint& max) const override;
    bool snapToVertex(const ViewMapping& view, const ViewPoint& q, X3DPoint& out, double& distance) const override;
    bool pierce(const ViewMapping& view, const ViewPoint& q, double& depth) const override;
    Entity* pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter) override;
    bool selectInside(const Region& region) override;

    void mirrorThroughPoint(const X3DPoint& centre) override;
    void mirrorAcrossPlane(const X3DPlane& p) override;
    void translate(const X3DVector& v) override;
    void scale(double factor) override;
    void rotate(const X3DLine& axis, const X3DAngle& angle) override;

    // Selected faces show their material's display colour.
    ui::Colour drawColour() const override;
    std::unique_ptr<Entity> clone() const override;

    bool isValid() const override { return !vertices.empty(); }
    int editProperties(EntityEditor& editor, bool moreFollow) override;
    int editGeometry(EntityEditor& editor, bool moreFollow) override;

protected:
    // A copy of the geometry and material, unselected and unlocked.
    void copyFaceFrom(const Face& other);
};

}  // namespace model
