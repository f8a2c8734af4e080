// The model check.
#include "analysis/ModelCheck.h"

#include <array>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

#include "analysis/FaceOverlaps.h"
#include "analysis/ModelGeometry.h"
#include "analysis/ShellRays.h"
#include "analysis/ShellTopology.h"
#include "materials/MaterialList.h"
#include "model/EntityList.h"
#include "model/Face.h"

namespace analysis {

const char* kindName(ProblemKind kind)
{
    switch (kind) {
    case ProblemKind::OpenEdge:
        return "open-edge";
    case ProblemKind::NonPlanar:
        return "non-planar";
    case ProblemKind::Degenerate:
        return "degenerate";
    case ProblemKind::Overlap:
        return "overlap";
    case ProblemKind::OpeningOffWall:
        return "opening-off-wall";
    case ProblemKind::Outside:
        return "outside";
    case ProblemKind::NearSurface:
        return "near-surface";
    case ProblemKind::Orientation:
        return "orientation";
    case ProblemKind::UnknownMaterial:
        return "unknown-material";
    }
    return "";
}

namespace {

constexpr int kindCount = static_cast<int>(ProblemKind::UnknownMaterial) + 1;

}  // namespace

bool isError(ProblemKind kind)
{
    return kind == ProblemKind::OpenEdge || kind == ProblemKind::Degenerate || kind == ProblemKind::OpeningOffWall ||
           kind == ProblemKind::Outside;
}

bool validOptions(const CheckOptions& options, std::string& message)
{
    // Welding works in cells of a few tolerances: far below a micrometre the
    // cell numbers of far-off points would overflow.
    if (!(options.tolerance >= 1e-6 && options.tolerance <= 1.0)) {
        message = "the tolerance must lie between 0.000001 and 1 m";
        return false;
    }
    if (!(options.nearDistance >= 0.0 && options.nearDistance <= 1000.0)) {
        message = "the distance from faces must lie between 0 and 1000 m";
        return false;
    }
    return true;
}

int CheckReport::errors() const
{
    auto isErrorLevel = [](const Problem& p) { return p.error(); };
    return static_cast<int>(std::count_if(problems.begin(), problems.end(), isErrorLevel) + unlistedErrors);
}

int CheckReport::warnings() const
{
    auto isErrorLevel = [](const Problem& p) { return p.error(); };
    auto listedErrors = std::count_if(problems.begin(), problems.end(), isErrorLevel);
    return static_cast<int>(static_cast<long>(problems.size()) - listedErrors + unlistedWarnings);
}

namespace {

// Lengths and coordinates in messages: millimetres at most, no trailing zeros.
std::string metres(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    std::string s = buf;
    while (!s.empty() && s.back() == '0') {
        s.pop_back();
    }
    if (!s.empty() && s.back() == '.') {
        s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

std::string point(const X3DPoint& p)
{
    return "(" + metres(p.x) + ", " + metres(p.y) + ", " + metres(p.z) + ")";
}

std::string area(double a)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, a >= 0.01 ? "%.2f m2" : "%.2g m2", a);
    return buf;
}

std::string nameOf(const FacePart& part)
{
    return part.kind == model::type::Door ? "Door" : part.kind == model::type::Hole ? "Hole" : "Face";
}

std::string nameOf(const PointPart& p)
{
    std::string kind = p.kind == model::type::Source ? "Source" : "Receiver";
    return p.number > 0 ? kind + " " + std::to_string(p.number) : kind;
}

// Two vertices of one outline within the tolerance, if any.
bool repeatedVertex(const FacePart& part, double tolerance, std::size_t& first, std::size_t& second)
{
    const X3DPoint* v = part.vertices();
    std::size_t n = part.vertexCount();
    double tol2 = tolerance * tolerance;
    if (n <= 64) {
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = i + 1; j < n; ++j) {
                if ((v[i] - v[j]).squaredNorm() <= tol2) {
                    first = i;
                    second = j;
                    return true;
                }
            }
        }
        return false;
    }
    // Long outlines: sorted along x, only neighbours within the tolerance in x are compared.
    std::vector<std::size_t> order(n);
    for (std::size_t i = 0; i < n; ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.end(), [v](std::size_t a, std::size_t b) { return v[a].x < v[b].x; });
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 1; j < n && v[order[j]].x - v[order[i]].x <= tolerance; ++j) {
            if ((v[order[i]] - v[order[j]]).squaredNorm() <= tol2) {
                first = std::min(order[i], order[j]);
                second = std::max(order[i], order[j]);
                return true;
            }
        }
    }
    return false;
}

class Checker {
public:
    Checker(const model::EntityList& model, const materials::MaterialList& list, const CheckOptions& options)
        : list_(list), tolerance_(options.tolerance), near_(options.nearDistance), g_(gatherGeometry(model))
    {
    }

    CheckReport run();

private:
    // Problems of one kind beyond this are counted, not listed: a drawing of
    // millions of loose faces must not give a report of gigabytes.
    static constexpr long maxListed = 10000;

    void add(ProblemKind kind, std::string message, std::vector<long> entities, const X3DPoint& at, double value = 0.0)
    {
        if (++found_[static_cast<int>(kind)] > maxListed) {
            return;
        }
        Problem p;
        p.kind = kind;
        p.message = std::move(message);
        p.entities = std::move(entities);
        p.at = at;
        p.value = value;
        report_.problems.push_back(std::move(p));
    }
    // A note that a check stopped short: a warning whatever its kind, always listed.
    void addNote(ProblemKind kind, std::string message, const X3DPoint& at)
    {
        Problem p;
        p.kind = kind;
        p.message = std::move(message);
        p.at = at;
        p.note = true;
        report_.problems.push_back(std::move(p));
    }
    // Says how many problems of each kind were left off the list.
    void noteUnlisted();
    // Degenerate and warped faces and openings; answers which have an area.
    std::vector<char> checkShapes(const std::vector<FacePart>& parts);
    void checkShells(const std::vector<char>& include);
    void checkOpenings(const std::vector<char>& faceHasArea, const std::vector<char>& openingHasArea);
    void checkOverlaps(const std::vector<FacePart>& parts, const BoxTree& tree);
    void checkPoints();
    void checkMaterials();

    const materials::MaterialList& list_;
    double tolerance_;
    double near_;
    ModelGeometry g_;
    CheckReport report_;
    ShellTopology topo_;
    BoxTree faceTree_;  // the faces that have an area, grown by the tolerance
    std::unique_ptr<ShellRays> rays_;
    std::array<long, kindCount> found_{};
};

std::vector<char> Checker::checkShapes(const std::vector<FacePart>& parts)
{
    std::vector<char> hasArea(parts.size(), 0);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const FacePart& f = parts[i];
        std::size_t a = 0;
        std::size_t b = 0;
        // Narrower on average than the tolerance: a sliver, or all in a line.
        if (f.area <= 0.5 * tolerance_ * f.perimeter()) {
            add(ProblemKind::Degenerate, nameOf(f) + " has (almost) no area: " + area(f.area), {f.index}, f.centroid,
                f.area);
            continue;
        }
        hasArea[i] = 1;
        if (repeatedVertex(f, tolerance_, a, b)) {
            add(ProblemKind::Degenerate,
                nameOf(f) + " repeats a vertex: " + point(f.vertices()[a]) + " and " + point(f.vertices()[b]) +
                    " are within the tolerance",
                {f.index}, f.vertices()[a]);
        }
        double worst = 0.0;
        std::size_t at = 0;
        for (std::size_t k = 0; k < f.vertexCount(); ++k) {
            double d = std::fabs(f.distanceToPlane(f.vertices()[k]));
            if (d > worst) {
                worst = d;
                at = k;
            }
        }
        if (worst > tolerance_) {
            add(ProblemKind::NonPlanar,
                nameOf(f) + " is not flat: its vertex " + point(f.vertices()[at]) + " lies " + metres(worst) +
                    " m from its plane",
                {f.index}, f.vertices()[at], worst);
        }
    }
    return hasArea;
}

void Checker::checkShells(const std::vector<char>& include)
{
    topo_ = analyseShells(g_.faces, include, tolerance_);
    report_.shells = topo_.shells;
    rays_ = std::make_unique<ShellRays>(g_.faces, topo_.shell, topo_.closed, faceTree_);

    // What the closed shells enclose: a shell inside an odd number of others
    // (a column in a hall) is taken away.
    double volume = 0.0;
    for (int s = 0; s < topo_.shells; ++s) {
        if (!topo_.closed[s]) {
            continue;
        }
        ++report_.closedShells;
        const FacePart& f = g_.faces[topo_.largestFace[s]];
        double outward = topo_.inward[topo_.largestFace[s]] ? -1.0 : 1.0;
        X3DPoint p = interiorPoint(f);
        X3DPoint within(p.x - f.normal.x * outward * tolerance_, p.y - f.normal.y * outward * tolerance_,
                        p.z - f.normal.z * outward * tolerance_);
        // Where the rays ran out of budget the shell counts as standing alone.
        bool nested = rays_->mayBeInsideAnother(s) && rays_->inside(within, s).value_or(false);
        volume += nested ? -topo_.volume[s] : topo_.volume[s];
    }

    // Open shells inside the room (a stage, an audience plane, a reflector)
    // are furniture, not leaks; those outside every closed shell leak.
    std::vector<char> leaking(topo_.shells, 0);
    for (int s = 0; s < topo_.shells; ++s) {
        if (topo_.closed[s]) {
            continue;
        }
        const FacePart& f = g_.faces[topo_.largestFace[s]];
        X3DPoint p = interiorPoint(f);
        X3DVector step = f.normal * tolerance_;
        X3DPoint above(p.x + step.x, p.y + step.y, p.z + step.z);
        X3DPoint below(p.x - step.x, p.y - step.y, p.z - step.z);
        // Unknown (rays out of budget) counts as a leak: better reported than hidden.
        bool furniture = rays_->any() && (rays_->inside(above).value_or(false) || rays_->inside(below).value_or(false));
        leaking[s] = furniture ? 0 : 1;
    }
    bool leaks = false;
    for (const OpenStretch& o : topo_.open) {
        if (!leaking[topo_.shell[o.face]]) {
            continue;
        }
        leaks = true;
        X3DPoint middle((o.from.x + o.to.x) / 2, (o.from.y + o.to.y) / 2, (o.from.z + o.to.z) / 2);
        add(ProblemKind::OpenEdge,
            "Open edge from " + point(o.from) + " to " + point(o.to) + ": no other face meets it there",
            {g_.faces[o.face].index}, middle, geometry::distance(o.from, o.to));
        report_.problems.back().from = o.from;
        report_.problems.back().to = o.to;
    }
    report_.closed = report_.closedShells > 0 && !leaks;
    if (report_.closed && volume > 0.0) {
        report_.volume = volume;
    }

    // Faces turned against their neighbours: the fewer of the two ways in
    // each closed shell (on a tie, those facing into the shell).
    std::vector<std::vector<long>> inward(topo_.shells);
    std::vector<std::vector<long>> outward(topo_.shells);
    std::vector<std::uint32_t> firstInward(topo_.shells, 0);
    std::vector<std::uint32_t> firstOutward(topo_.shells, 0);
    for (std::uint32_t f = 0; f < g_.faces.size(); ++f) {
        int s = topo_.shell[f];
        if (s < 0 || !topo_.closed[s]) {
            continue;
        }
        auto& side = topo_.inward[f] ? inward[s] : outward[s];
        auto& first = topo_.inward[f] ? firstInward[s] : firstOutward[s];
        if (side.empty()) {
            first = f;
        }
        side.push_back(g_.faces[f].index);
    }
    for (int s = 0; s < topo_.shells; ++s) {
        if (!topo_.closed[s] || inward[s].empty() || outward[s].empty()) {
            continue;
        }
        bool fewerOut = outward[s].size() < inward[s].size();
        std::vector<long>& turned = fewerOut ? outward[s] : inward[s];
        std::size_t total = inward[s].size() + outward[s].size();
        const FacePart& at = g_.faces[fewerOut ? firstOutward[s] : firstInward[s]];
        std::string count = std::to_string(turned.size()) + " of the " + std::to_string(total) + " faces";
        add(ProblemKind::Orientation,
            count + " of a closed shell face " + (fewerOut ? "outwards" : "inwards") +
                ", against their neighbours; turning them round makes the shell consistent",
            turned, at.centroid);
    }
}

void Checker::checkOpenings(const std::vector<char>& faceHasArea, const std::vector<char>& openingHasArea)
{
    for (std::size_t i = 0; i < g_.openings.size(); ++i) {
        const FacePart& o = g_.openings[i];
        if (!openingHasArea[i]) {
            continue;
        }
        if (o.wall < 0) {
            add(ProblemKind::OpeningOffWall, nameOf(o) + " is not in a wall", {o.index}, o.centroid);
            continue;
        }
        const FacePart& base = g_.faces[o.wall];
        if (!faceHasArea[o.wall]) {
            continue;  // the wall itself is reported
        }
        const X3DPoint* v = o.vertices();
        std::size_t n = o.vertexCount();
        double worst = 0.0;
        std::size_t at = 0;
        for (std::size_t k = 0; k < n; ++k) {
            double d = std::fabs(base.distanceToPlane(v[k]));
            if (d > worst) {
                worst = d;
                at = k;
            }
        }
        if (worst > tolerance_) {
            add(ProblemKind::OpeningOffWall,
                nameOf(o) + " is not in its wall's plane: its vertex " + point(v[at]) + " lies " + metres(worst) +
                    " m from it",
                {o.index, base.index}, v[at], worst);
            continue;
        }
        PlaneFrame frame(base.centroid, base.normal);
        std::vector<Point2> outline = projectOutline(frame, base.vertices(), base.vertexCount());
        bool convex = isConvex(outline);
        for (std::size_t k = 0; k < n; ++k) {
            const X3DPoint& a = v[k];
            const X3DPoint& b = v[(k + 1) % n];
            X3DPoint mid((a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2);
            const X3DPoint* outside = nullptr;
            if (!insideOrNear(frame.to2D(a), outline, tolerance_)) {
                outside = &a;
            } else if (!convex && !insideOrNear(frame.to2D(mid), outline, tolerance_)) {
                outside = &mid;
            }
            if (outside) {
                add(ProblemKind::OpeningOffWall, nameOf(o) + " reaches outside its wall at " + point(*outside),
                    {o.index, base.index}, *outside);
                break;
            }
        }
    }
}

void Checker::checkOverlaps(const std::vector<FacePart>& parts, const BoxTree& tree)
{
    OverlapSearch search = findOverlaps(parts, tree, tolerance_);
    for (const FaceOverlap& o : search.pairs) {
        const FacePart& a = parts[o.a];
        const FacePart& b = parts[o.b];
        add(ProblemKind::Overlap,
            nameOf(a) + " and " + nameOf(b) + " lie in one plane and overlap by " + area(o.area) +
                (a.face->material.number != b.face->material.number ? " (with different materials)" : ""),
            {a.index, b.index}, o.at, o.area);
    }
    if (search.stopped) {
        add(ProblemKind::Overlap, "Too many faces crowd together here to look for all their overlaps", {},
            search.crowdAt);
    }
}

void Checker::checkPoints()
{
    long unknown = 0;
    for (const PointPart& p : g_.points) {
        std::optional<bool> in = report_.closedShells > 0 ? rays_->inside(p.position) : std::optional<bool>(true);
        if (!in) {
            ++unknown;
        } else if (!*in) {
            add(ProblemKind::Outside, nameOf(p) + " is outside the room", {p.index}, p.position);
            continue;
        }
        if (near_ <= 0.0) {
            continue;
        }
        Box around;
        around.extend(p.position);
        around.grow(near_);
        double best = near_;
        long nearest = -1;
        faceTree_.overlapping(around, [&](std::uint32_t f) {
            const FacePart& face = g_.faces[f];
            double d = distanceToPolygon(p.position, face.vertices(), face.vertexCount(), face.normal);
            if (d < best) {
                best = d;
                nearest = face.index;
            }
            return true;
        });
        if (nearest >= 0) {
            add(ProblemKind::NearSurface,
                nameOf(p) + " is " + metres(best) + " m from a face (nearer than " + metres(near_) + " m)",
                {p.index, nearest}, p.position, best);
        }
    }
    if (rays_->exhausted()) {
        addNote(ProblemKind::Outside,
                "So many closed shells lie inside one another that inside and outside could not be told everywhere: " +
                    std::to_string(unknown) +
                    " sources and receivers were not checked, and nested shells may count "
                    "in the volume as if they stood alone",
                g_.points.empty() ? X3DPoint() : g_.points.front().position);
    }
}

void Checker::checkMaterials()
{
    std::map<std::uint32_t, std::vector<const FacePart*>> unknown;
    for (const FacePart& f : g_.faces) {
        if (list_.at(f.face->material.number).number < 0) {
            unknown[f.face->material.number].push_back(&f);
        }
    }
    for (const FacePart& f : g_.openings) {
        if (f.kind == model::type::Door && list_.at(f.face->material.number).number < 0) {
            unknown[f.face->material.number].push_back(&f);
        }
    }
    for (const auto& [number, parts] : unknown) {
        std::vector<long> entities;
        for (const FacePart* f : parts) {
            entities.push_back(f->index);
        }
        std::sort(entities.begin(), entities.end());
        std::string count = parts.size() == 1 ? "1 face" : std::to_string(parts.size()) + " faces";
        add(ProblemKind::UnknownMaterial,
            "Material " + std::to_string(number) + " is not in the material database (" + count + ")",
            std::move(entities), parts.front()->centroid);
    }
}

void Checker::noteUnlisted()
{
    for (int k = 0; k < kindCount; ++k) {
        if (found_[k] > maxListed) {
            auto kind = static_cast<ProblemKind>(k);
            (isError(kind) ? report_.unlistedErrors : report_.unlistedWarnings) += found_[k] - maxListed;
            addNote(kind,
                    std::to_string(found_[k] - maxListed) + " more problems of the kind " + kindName(kind) +
                        " were found: only the first " + std::to_string(maxListed) + " are listed",
                    X3DPoint());
        }
    }
}

CheckReport Checker::run()
{
    report_.faces = static_cast<long>(g_.faces.size());
    for (const FacePart& f : g_.faces) {
        report_.area += f.face->area();
    }
    for (const FacePart& o : g_.openings) {
        if (o.kind == model::type::Hole) {
            report_.holeArea += o.face->area();
        }
    }
    std::vector<char> faceHasArea = checkShapes(g_.faces);
    std::vector<char> openingHasArea = checkShapes(g_.openings);
    faceTree_ = partTree(g_.faces, faceHasArea, tolerance_);
    checkShells(faceHasArea);
    checkOpenings(faceHasArea, openingHasArea);
    checkOverlaps(g_.faces, faceTree_);
    checkOverlaps(g_.openings, partTree(g_.openings, openingHasArea, tolerance_));
    checkPoints();
    checkMaterials();
    noteUnlisted();
    std::stable_sort(report_.problems.begin(), report_.problems.end(),
                     [](const Problem& a, const Problem& b) { return a.kind < b.kind; });
    return std::move(report_);
}

}  // namespace

CheckReport checkModel(const model::EntityList& model, const materials::MaterialList& list, const CheckOptions& options)
{
    Checker checker(model, list, options);
    return checker.run();
}

}  // namespace analysis
