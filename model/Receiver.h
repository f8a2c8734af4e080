// A listening point facing a target point.
#pragma once

#include "model/Entity.h"

namespace model {

class Receiver : public Entity {
public:
    X3DPoint position;
    X3DPoint target;
    // Display number given by the model's numbering; 0 in fresh copies.
    unsigned number = 0;

    Receiver() = default;
    Receiver(const X3DPoint& p, const X3DPoint& t) : position(p), target(t) {}

    // Receivers at the same position are the same, whatever they face.
    bool isEqual(const Entity& other) const override;
    int typeCode() const override { return type::Receiver; }
    const char* className() const override { return "Receiver"; }

    void write(textio::TextWriter& out) const override;
    bool read(textio::TokenReader& in) override;
    // The position alone spans a receiver.
    bool extendBounds(X3DPoint& min, X3DPoint& max) const override;
    // The position alone; receivers, sources and rays are picked and
    // rubber-band selected only while receivers are shown.
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
