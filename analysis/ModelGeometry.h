// The parts of a model that the check looks at, gathered in one walk in file
// order: faces with their plane, area and box, openings with the wall that
// holds them, and the sources and receivers.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/Box.h"
#include "analysis/PolygonMath.h"

namespace model {
class Entity;
class EntityList;
class Face;
}  // namespace model

namespace analysis {

struct FacePart {
    const model::Face* face = nullptr;
    const X3DPoint* v = nullptr;  // the face's vertices
    std::size_t n = 0;
    long index = 0;  // the entity's number in file order
    int kind = 0;    // type code: Face, Door or Hole
    // Openings: the base face of the wall holding them (an index into the
    // faces), or -1 when they are not in a wall.
    long wall = -1;
    X3DVector normal;     // unit, by the right-hand rule; zero for a face with no area
    double offset = 0.0;  // plane: normal . p + offset = 0, through the centroid
    double area = 0.0;    // of the vector area (exact for plane outlines)
    X3DPoint centroid;    // vertex average

    Box box() const;
    double perimeter() const;

    const X3DPoint* vertices() const { return v; }
    std::size_t vertexCount() const { return n; }
    double distanceToPlane(const X3DPoint& p) const { return geometry::dot(normal, p) + offset; }
};

struct PointPart {
    long index = 0;
    int kind = 0;         // Source or Receiver
    unsigned number = 0;  // its number in the views (1, 2, ... of its kind)
    X3DPoint position;
};

struct ModelGeometry {
    std::vector<FacePart> faces;     // every Face: floors, walls' base faces, roofs
    std::vector<FacePart> openings;  // doors (windows) and holes
    std::vector<PointPart> points;   // sources and receivers
    long entities = 0;               // entities counted at every depth
};

// One walk over the list at every depth; lists (walls included) count as
// entities of their own before their members.
ModelGeometry gatherGeometry(const model::EntityList& list);

// Every entity at every depth in file order: the numbering problems use.
std::vector<model::Entity*> entitiesInFileOrder(const model::EntityList& list);

}  // namespace analysis
