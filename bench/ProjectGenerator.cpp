// Project generator.
#include "bench/ProjectGenerator.h"

#include <cmath>
#include <random>
#include <vector>

#include "model/Document.h"
#include "model/Door.h"
#include "model/Hole.h"
#include "model/Info.h"
#include "model/Source.h"
#include "model/Text.h"
#include "model/Wall.h"

namespace bench {

namespace {

using geometry::X3DPoint;

materials::Material materialNumber(unsigned n)
{
    materials::Material m;
    m.number = n;
    m.obstructing = (n % 5) == 0;
    return m;
}

// A point along a wall from a to b at fraction t and height z.
X3DPoint along(const X3DPoint& a, const X3DPoint& b, double t, double z)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, z};
}

}  // namespace

GeneratedCounts generateProject(model::Document& doc, long faces, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto snap = [](double v, double step) { return std::round(v / step) * step; };
    GeneratedCounts counts;
    const int roomsPerRow = 200;
    bool autoDraw = doc.autoDraw;
    doc.autoDraw = false;
    while (counts.faces < faces) {
        long r = counts.rooms++;
        double ox = static_cast<double>(r % roomsPerRow) * 14.0;
        double oy = static_cast<double>(r / roomsPerRow) * 12.0;
        double w = snap(4.0 + unit(rng) * 8.0, 0.05);
        double d = snap(3.0 + unit(rng) * 7.0, 0.05);
        double h = snap(2.6 + unit(rng) * 1.4, 0.01);
        X3DPoint c[4] = {{ox, oy, 0}, {ox + w, oy, 0}, {ox + w, oy + d, 0}, {ox, oy + d, 0}};
        // Some buildings stand askew, as surveyed or imported models do: their
        // coordinates carry all twelve digits.
        if (r % 3 == 0) {
            double a = unit(rng) * 0.5;
            for (X3DPoint& p : c) {
                double x = p.x - ox;
                double y = p.y - oy;
                p.x = ox + x * std::cos(a) - y * std::sin(a);
                p.y = oy + x * std::sin(a) + y * std::cos(a);
            }
        }
        doc.append(
            std::make_unique<model::Face>(std::vector<X3DPoint>{c[0], c[1], c[2], c[3]}, materialNumber(12 + r % 8)));
        for (int side = 0; side < 4; ++side) {
            const X3DPoint& a = c[side];
            const X3DPoint& b = c[(side + 1) % 4];
            X3DPoint corners[4] = {{a.x, a.y, 0}, {b.x, b.y, 0}, {b.x, b.y, h}, {a.x, a.y, h}};
            auto wall = std::make_unique<model::Wall>(corners, materialNumber(1 + (r + side) % 10));
            ++counts.faces;
            if (side == 0) {
                wall->append(
                    std::make_unique<model::Door>(std::vector<X3DPoint>{along(a, b, 0.2, 0), along(a, b, 0.3, 0),
                                                                        along(a, b, 0.3, 2.1), along(a, b, 0.2, 2.1)},
                                                  materialNumber(16)));
                ++counts.faces;
            } else if (side == 1 && r % 2 == 0) {
                wall->append(
                    std::make_unique<model::Door>(std::vector<X3DPoint>{along(a, b, 0.3, 1.0), along(a, b, 0.7, 1.0),
                                                                        along(a, b, 0.7, 2.2), along(a, b, 0.3, 2.2)},
                                                  materialNumber(11)));
                ++counts.faces;
            } else if (side == 2 && r % 3 == 1) {
                wall->append(std::make_unique<model::Hole>(std::vector<X3DPoint>{
                    along(a, b, 0.4, 0), along(a, b, 0.6, 0), along(a, b, 0.6, 2.4), along(a, b, 0.4, 2.4)}));
                ++counts.faces;
            }
            doc.append(std::move(wall));
            ++counts.walls;
        }
        doc.append(std::make_unique<model::Face>(
            std::vector<X3DPoint>{{c[0].x, c[0].y, h}, {c[3].x, c[3].y, h}, {c[2].x, c[2].y, h}, {c[1].x, c[1].y, h}},
            materialNumber(24)));
        counts.faces += 2;
        X3DPoint centre((c[0].x + c[2].x) / 2, (c[0].y + c[2].y) / 2, 1.2);
        doc.append(std::make_unique<model::Receiver>(centre, X3DPoint(centre.x, centre.y + 1, 1.2)));
        if (r % 10 == 0) {
            doc.append(std::make_unique<model::Source>(X3DPoint(c[0].x + 1, c[0].y + 1, 1.8), centre, 0.0, "omni.spk"));
        }
        if (r % 50 == 0) {
            doc.append(std::make_unique<model::Text>(X3DPoint(c[0].x, c[0].y, 0), X3DPoint(c[0].x + 3, c[0].y + 1, 0),
                                                     "Room " + std::to_string(r)));
        }
    }
    doc.notes.projectNotes().setText("Generated model: " + std::to_string(counts.rooms) +
                                     " rooms\n"
                                     "Floors, roofs and walls with doors, windows and openings.");
    doc.autoDraw = autoDraw;
    return counts;
}

}  // namespace bench
