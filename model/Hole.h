// An opening in a wall with no material: sound passes through it.
#pragma once

#include "model/Opening.h"

namespace model {

class Hole : public Opening {
public:
    Hole() = default;
    // Holes made by the program carry no material.
    explicit Hole(VertexArray points) : Opening(std::move(points), materials::Material{}) {}
    Hole(const X3DPoint* points, int count) : Opening(points, count, materials::Material{}) {}

    int typeCode() const override { return type::Hole; }
    const char* className() const override { return "Hole"; }

    std::unique_ptr<Entity> clone() const override
    {
        auto copy = std::make_unique<Hole>();
        copy->copyFaceFrom(*this);
        return copy;
    }
    // No dialog: a hole has nothing to choose.
    int editProperties(EntityEditor&, bool) override { return 1; }
};

}  // namespace model
