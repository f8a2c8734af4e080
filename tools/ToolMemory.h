// The values that several tools remember together while the program runs
// (a tool's own values live in the tool). None of them is saved.
#pragma once

#include "materials/Material.h"

namespace tools {

struct ToolMemory {
    // Floor and Wall: the last elevation given and the height above it.
    double surfaceElevation = 0.0;
    double surfaceHeight = 3.0;
    // Door and Window share their material.
    materials::Material openingMaterial;
    // Receiver, Source and the receiver and source grids.
    double receiverHeight = 1.7;
    // Cylinder, Sphere and Cone.
    double circleBase = 0.0;
    double circleTop = 0.0;
    // Boxes and Pipe: the section's width (the pipe's radius), border and
    // floor, and the depth of the last path point.
    double sectionWidth = 0.5;
    double sectionBorder = 0.0;
    bool sectionFloor = false;
    double pathDepth = 0.0;
    // Receivers in front of a wall.
    double wallDistance = 1.0;
    double firstReceiverHeight = 1.5;
    double receiverSpacing = 3.0;
};

}  // namespace tools
