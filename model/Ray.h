// A straight ray kept in project files for display: start and end point.
#pragma once

#include "model/Receiver.h"

namespace model {

class Ray : public Receiver {
public:
    Ray() = default;
    Ray(const X3DPoint& from, const X3DPoint& to) : Receiver(from, to) {}

    int typeCode() const override { return type::Ray; }
    const char* className() const override { return "Ray"; }

    std::unique_ptr<Entity> clone() const override { return std::make_unique<Ray>(position, target); }
};

}  // namespace model
