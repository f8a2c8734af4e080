// Small rooms for the model check: a shoebox with its faces turned outwards,
// doors and windows, and the material database they use.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Door.h"
#include "model/Face.h"
#include "model/Hole.h"
#include "model/Receiver.h"
#include "model/Source.h"
#include "model/Wall.h"

namespace rooms {

using geometry::X3DPoint;

inline materials::Material material(unsigned n)
{
    materials::Material m;
    m.number = n;
    return m;
}

inline std::unique_ptr<model::Face> face(std::vector<X3DPoint> points, unsigned m)
{
    return std::make_unique<model::Face>(points, material(m));
}

inline std::unique_ptr<model::Wall> wall(X3DPoint a, X3DPoint b, X3DPoint c, X3DPoint d, unsigned m)
{
    X3DPoint corners[4] = {a, b, c, d};
    return std::make_unique<model::Wall>(corners, material(m));
}

// Materials 1 floor, 2 ceiling, 3 walls, 4 door, 5 glass: absorption 0.10,
// 0.60, 0.05, 0.15, 0.04 in every band but 125 Hz, where the floor has
// 0.05 and the ceiling 0.30.
inline const char* databaseText()
{
    return "  1  Floor , 0.10 0.10 0.05 0.10 0.10 0.10 0.10 0.10 0.10 0.10\n"
           "  2  Ceiling , 0.60 0.60 0.30 0.60 0.60 0.60 0.60 0.60 0.60 0.60\n"
           "  3  Walls , 0.05 0.05 0.05 0.05 0.05 0.05 0.05 0.05 0.05 0.05\n"
           "  4  Door , 0.15 0.15 0.15 0.15 0.15 0.15 0.15 0.15 0.15 0.15\n"
           "  5  Glass , 0.04 0.04 0.04 0.04 0.04 0.04 0.04 0.04 0.04 0.04\n"
           " 44  Opening , 1 1 1 1 1 1 1 1 1 1\n";
}

inline std::unique_ptr<materials::MaterialList> database()
{
    auto list = std::make_unique<materials::MaterialList>("/nonexistent");
    list->readMaterialText(databaseText());
    return list;
}

// Which of the six sides a shoebox leaves out or turns round.
struct Shoebox {
    double length = 10.0;  // x
    double width = 6.0;    // y
    double height = 3.0;   // z
    bool door = true;      // 1 m x 2.1 m in the wall y = 0, at x 1..2
    bool window = true;    // 2 m x 1.2 m in the wall x = L, at y 2..4, z 1..2.2
    bool withoutWallX0 = false;
    bool roofTurned = false;
};

// Floor, roof and four walls, every normal pointing out of the room, in
// this order: floor (entity 0), roof (1), wall y = 0 (2, its face 3, its
// door 4), wall x = L (5 or 4, face, window), wall y = W, wall x = 0.
inline void build(model::Document& doc, const Shoebox& s = {})
{
    doc.autoDraw = false;
    double L = s.length, W = s.width, H = s.height;
    doc.append(face({{0, 0, 0}, {0, W, 0}, {L, W, 0}, {L, 0, 0}}, 1));
    if (s.roofTurned) {
        doc.append(face({{0, W, H}, {L, W, H}, {L, 0, H}, {0, 0, H}}, 2));
    } else {
        doc.append(face({{0, 0, H}, {L, 0, H}, {L, W, H}, {0, W, H}}, 2));
    }
    auto south = wall({0, 0, 0}, {L, 0, 0}, {L, 0, H}, {0, 0, H}, 3);
    if (s.door) {
        south->append(std::make_unique<model::Door>(
            std::vector<X3DPoint>{{1, 0, 0}, {2, 0, 0}, {2, 0, 2.1}, {1, 0, 2.1}}, material(4)));
    }
    doc.append(std::move(south));
    auto east = wall({L, 0, 0}, {L, W, 0}, {L, W, H}, {L, 0, H}, 3);
    if (s.window) {
        east->append(std::make_unique<model::Door>(
            std::vector<X3DPoint>{{L, 2, 1}, {L, 4, 1}, {L, 4, 2.2}, {L, 2, 2.2}}, material(5)));
    }
    doc.append(std::move(east));
    doc.append(wall({L, W, 0}, {0, W, 0}, {0, W, H}, {L, W, H}, 3));
    if (!s.withoutWallX0) {
        doc.append(wall({0, W, 0}, {0, 0, 0}, {0, 0, H}, {0, W, H}, 3));
    }
}

}  // namespace rooms
