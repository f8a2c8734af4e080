// A plain line, used for background geometry (the base map).
#pragma once

#include "model/Entity.h"

namespace model {

class Segment : public Entity {
public:
    X3DPoint start;
    X3DPoint end;

    Segment() = default;
    Segment(const X3DPoint& s, const X3DPoint& e) : start(s), end(e) {}

    bool isEqual(const Entity& other) const override;
    int typeCode() const override { return type::Segment; }
    const char* className() const override { return "Segment"; }

    void write(textio::TextWriter& out) const override;
    bool read(textio::TokenReader& in) override;
    bool extendBounds(X3DPoint& min, X3DPoint& max) const override;
    bool snapToVertex(const ViewMapping& view, const ViewPoint& q, X3DPoint& out, double& distance) const override;
    Entity* pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter) override;
    bool selectInside(const Region& region) override;

    void mirrorThroughPoint(const X3DPoint& centre) override;
    void mirrorAcrossPlane(const X3DPlane& plane) override;
    void translate(const X3DVector& v) override;
    void scale(double factor) override;
    void rotate(const X3DLine& axis, const X3DAngle& angle) override;

    std::unique_ptr<Entity> clone() const override;
    bool isValid() const override { return true; }
    int editProperties(EntityEditor&, bool) override { return 1; }

protected:
    void writePoints(textio::TextWriter& out) const;
};

}  // namespace model
