// Base-map reader.
#include "exchange/BaseMapReader.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "exchange/DxfBlocks.h"
#include "exchange/DxfReader.h"
#include "exchange/DxfUnits.h"
#include "model/EntityList.h"
#include "model/Segment.h"
#include "ui/Platform.h"

namespace exchange {

namespace {

class Drawing {
public:
    Drawing(const X3DPoint& offset, double scale, double metresPerUnit)
        : offset_(offset), scale_(scale), units_(metresPerUnit)
    {
    }

    void build(const PlacedEntity& pe);
    std::vector<std::unique_ptr<model::Entity>>& segments() { return segments_; }

private:
    // A drawing point into the plan: placed, in metres, scaled and offset.
    bool toPlan(const Affine& where, const X3DPoint& p, X3DPoint& out) const;
    void segment(const X3DPoint& a, const X3DPoint& b) { segments_.push_back(std::make_unique<model::Segment>(a, b)); }
    // A chain of drawing points, with bulges (arcs) between them when given.
    void chain(const Affine& where, const std::vector<X3DPoint>& points, const std::vector<double>* bulges,
               bool closed);
    void arc(const Affine& where, const X3DPoint& centre, double radius, double startDegrees, double sweepDegrees);

    X3DPoint offset_;
    double scale_;
    double units_;
    std::vector<std::unique_ptr<model::Entity>> segments_;  // file order
};

bool Drawing::toPlan(const Affine& where, const X3DPoint& p, X3DPoint& out) const
{
    X3DPoint q = where.apply(p);
    out = X3DPoint(q.x * units_ * scale_ + offset_.x, q.y * units_ * scale_ + offset_.y, 0.0);
    return model::isSaneCoordinate(out.x) && model::isSaneCoordinate(out.y);
}

void Drawing::arc(const Affine& where, const X3DPoint& centre, double radius, double startDegrees, double sweepDegrees)
{
    if (!(radius > 0.0) || !(std::fabs(sweepDegrees) > 0.0)) {
        return;
    }
    auto steps = static_cast<int>(std::ceil(std::fabs(sweepDegrees) / baseMapArcStep - 1e-9));
    steps = std::clamp(steps, 1, 36);
    X3DPoint last;
    bool haveLast = false;
    for (int k = 0; k <= steps; ++k) {
        double a = (startDegrees + sweepDegrees * k / steps) * M_PI / 180.0;
        X3DPoint p;
        if (!toPlan(where, X3DPoint(centre.x + radius * std::cos(a), centre.y + radius * std::sin(a), centre.z), p)) {
            return;
        }
        if (haveLast) {
            segment(last, p);
        }
        last = p;
        haveLast = true;
    }
}

void Drawing::chain(const Affine& where, const std::vector<X3DPoint>& points, const std::vector<double>* bulges,
                    bool closed)
{
    std::size_t n = points.size();
    std::size_t edges = closed ? n : (n > 0 ? n - 1 : 0);
    for (std::size_t i = 0; i < edges; ++i) {
        const X3DPoint& a = points[i];
        const X3DPoint& b = points[(i + 1) % n];
        double bulge = bulges && i < bulges->size() ? (*bulges)[i] : 0.0;
        if (bulge != 0.0) {
            // The bulge is the tangent of a quarter of the arc's angle,
            // positive anticlockwise; the centre lies off the chord's middle.
            double theta = 4.0 * std::atan(bulge);
            double dx = b.x - a.x;
            double dy = b.y - a.y;
            double chord = std::hypot(dx, dy);
            if (chord > 0.0) {
                double h = chord / 2.0 / std::tan(theta / 2.0);
                X3DPoint centre((a.x + b.x) / 2.0 - dy / chord * h, (a.y + b.y) / 2.0 + dx / chord * h, a.z);
                double radius = std::hypot(a.x - centre.x, a.y - centre.y);
                double start = std::atan2(a.y - centre.y, a.x - centre.x) * 180.0 / M_PI;
                arc(where, centre, radius, start, theta * 180.0 / M_PI);
                continue;
            }
        }
        X3DPoint p;
        X3DPoint q;
        if (toPlan(where, a, p) && toPlan(where, b, q)) {
            segment(p, q);
        }
    }
}

void Drawing::build(const PlacedEntity& pe)
{
    const DxfEntity& e = pe.entity;
    if (e.damaged) {
        return;
    }
    const Affine& where = pe.place;
    // Kinds are compared exactly here.
    if (e.type == "LINE") {
        X3DPoint a;
        X3DPoint b;
        if (toPlan(where, e.corner(0), a) && toPlan(where, e.corner(1), b)) {
            segment(a, b);
        }
    } else if (e.type == "POLYLINE") {
        // Chains of VERTEX points, never closed; face records of a polyface
        // mesh have no point of their own.
        std::vector<X3DPoint> points;
        for (const DxfVertex& v : e.vertices) {
            if ((v.flags & 128) == 0 || (v.flags & 64) != 0) {
                points.push_back(v.point);
            }
        }
        chain(where, points, nullptr, false);
    } else if (e.type == "LWPOLYLINE") {
        // Points in the entity's object coordinates, at its elevation.
        Affine ocs = where.after(Affine::ocs(e.extrusion));
        std::vector<X3DPoint> points = e.points;
        for (X3DPoint& p : points) {
            p.z = e.elevation;
        }
        chain(ocs, points, &e.bulges, (e.flags & 1) != 0);
    } else if (e.type == "ARC" || e.type == "CIRCLE") {
        Affine ocs = where.after(Affine::ocs(e.extrusion));
        double sweep = 360.0;
        if (e.type == "ARC") {
            sweep = std::fmod(e.angle - e.rotation, 360.0);
            if (sweep <= 0.0) {
                sweep += 360.0;
            }
        }
        arc(ocs, e.corner(0), e.radius, e.type == "ARC" ? e.rotation : 0.0, sweep);
    }
}

}  // namespace

void readBaseMap(model::EntityList& list, textio::TokenReader& in, const X3DPoint& offset, double scale,
                 const std::string& fileName, std::uint64_t maxBlockEntities)
{
    DxfReader reader(in, true);
    DxfReader::Start start = reader.start();
    if (start == DxfReader::Start::NotDxf) {
        ui::errorBox("The file %s is not a DXF drawing", fileName.c_str());
        return;
    }
    double units = metresPerUnit(reader.header().insunits);
    Drawing drawing(offset, scale, units > 0.0 ? units : 1.0);
    if (start == DxfReader::Start::Entities) {
        BlockExpander blocks(reader, maxBlockEntities);
        BlockExpander::Sink sink = [&drawing](const PlacedEntity& pe) { drawing.build(pe); };
        DxfEntity entity;
        while (reader.next(entity) && entity.type != "ENDBLK") {
            blocks.expand(entity, sink);
        }
        for (const std::string& problem : blocks.problems()) {
            ui::errorBox("%s", problem.c_str());
        }
    }
    if (reader.cut()) {
        ui::errorBox("%s", reader.cutMessage().c_str());
    }
    std::vector<std::unique_ptr<model::Entity>>& segments = drawing.segments();
    std::reverse(segments.begin(), segments.end());
    list.prependAll(std::move(segments));
}

bool readBaseMap(model::EntityList& list, const std::string& fileName, const X3DPoint& offset, double scale,
                 textio::InputError* why)
{
    std::uint64_t size = 0;
    std::FILE* file = openDxf(fileName, size, why);
    if (!file) {
        return false;
    }
    {
        textio::TokenReader in(file);
        readBaseMap(list, in, offset, scale, fileName);
    }
    std::fclose(file);
    return true;
}

}  // namespace exchange
