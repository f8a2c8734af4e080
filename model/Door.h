// A panel with its own material set into a wall; a window is a door whose
// lower edge lies above the base of the wall.
#pragma once

#include "model/Opening.h"

namespace model {

class Door : public Opening {
public:
    Door() = default;
    Door(VertexArray points, const materials::Material& m) : Opening(std::move(points), m) {}
    Door(const X3DPoint* points, int count, const materials::Material& m) : Opening(points, count, m) {}

    int typeCode() const override { return type::Door; }
    const char* className() const override { return "Door"; }

    std::unique_ptr<Entity> clone() const override
    {
        auto copy = std::make_unique<Door>();
        copy->copyFaceFrom(*this);
        return copy;
    }
};

}  // namespace model
