// Face geometry, comparison and record.
#include "model/Face.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "materials/MaterialList.h"
#include "model/EntityEditor.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"

namespace model {

Face::Face(const X3DPoint* points, int count, const materials::Material& m)
    : Face(VertexArray(points, points + (count > 0 ? count : 0)), m)
{
}

Face::Face(VertexArray points, const materials::Material& m) : material(m), vertices(std::move(points))
{
    if (!removeRepeatedVertices()) {
        freeVertices();
    }
}

namespace {

// Cells twice EPS wide: a point equal to another (within EPS on every axis)
// lies in the same cell or, on each axis, in the neighbour on the side of
// the cell the point is nearer to, so 8 cells hold every candidate. Cells
// are found through an open-addressing table of chain heads and one link
// per vertex (12 bytes a vertex), so even an outline of millions of
// vertices costs little more than its own storage.
struct CellKey {
    long long x, y, z;
    bool operator==(const CellKey&) const = default;
};

constexpr double cellsPerMetre = 1.0 / (2.0 * geometry::EPS);

long long cellIndex(double c)
{
    return static_cast<long long>(std::floor(c * cellsPerMetre));
}

CellKey cellOf(const X3DPoint& p)
{
    return {cellIndex(p.x), cellIndex(p.y), cellIndex(p.z)};
}

// -1 or +1: the neighbouring cell on the side the coordinate is nearer to;
// 0 when it sits so close to the middle that rounding could put it on
// either side (then both neighbours are asked).
int nearerSide(double c)
{
    double t = c * cellsPerMetre;
    double fraction = t - std::floor(t);
    if (fraction < 0.499) {
        return -1;
    }
    return fraction > 0.501 ? 1 : 0;
}

std::uint64_t hashOf(const CellKey& k)
{
    std::uint64_t h = static_cast<std::uint64_t>(k.x) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<std::uint64_t>(k.y) * 0xC2B2AE3D27D4EB4Full + (h << 6) + (h >> 2);
    h ^= static_cast<std::uint64_t>(k.z) * 0x165667B19E3779F9ull + (h << 6) + (h >> 2);
    return h ^ (h >> 29);
}

class CellChains {
public:
    static constexpr std::uint32_t none = 0xffffffffu;

    CellChains(const VertexArray& points) : points_(points), next_(points.size(), none)
    {
        std::size_t slots = 16;
        while (slots < points.size() * 2) {
            slots *= 2;
        }
        heads_.assign(slots, none);
    }

    // The slot whose chain holds the cell, or the empty slot where it goes.
    std::size_t slotOf(const CellKey& cell) const
    {
        std::size_t mask = heads_.size() - 1;
        for (std::size_t s = hashOf(cell) & mask;; s = (s + 1) & mask) {
            if (heads_[s] == none || cellOf(points_[heads_[s]]) == cell) {
                return s;
            }
        }
    }
    bool equalsEarlier(std::size_t i, const CellKey& cell) const
    {
        const X3DPoint& p = points_[i];
        int sx = nearerSide(p.x);
        int sy = nearerSide(p.y);
        int sz = nearerSide(p.z);
        for (long long dx = -1; dx <= 1; ++dx) {
            if (dx != 0 && dx != sx && sx != 0) {
                continue;
            }
            for (long long dy = -1; dy <= 1; ++dy) {
                if (dy != 0 && dy != sy && sy != 0) {
                    continue;
                }
                for (long long dz = -1; dz <= 1; ++dz) {
                    if (dz != 0 && dz != sz && sz != 0) {
                        continue;
                    }
                    std::uint32_t j = heads_[slotOf({cell.x + dx, cell.y + dy, cell.z + dz})];
                    for (; j != none; j = next_[j]) {
                        if (p == points_[j]) {
                            return true;
                        }
                    }
                }
            }
        }
        return false;
    }
    void add(std::size_t i, const CellKey& cell)
    {
        std::size_t s = slotOf(cell);
        next_[i] = heads_[s];
        heads_[s] = static_cast<std::uint32_t>(i);
    }

private:
    const VertexArray& points_;
    std::vector<std::uint32_t> next_;
    std::vector<std::uint32_t> heads_;
};

}  // namespace

bool Face::removeRepeatedVertices()
{
    std::size_t n = vertices.size();
    if (n < 2) {
        return false;
    }
    if (n <= 64) {
        // Short outlines (nearly all): most have no repeat at all, which a
        // pairwise test in place shows without copying anything.
        std::size_t first = 0;
        for (std::size_t i = 1; i < n && first == 0; ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                if (vertices[i] == vertices[j]) {
                    first = i;
                    break;
                }
            }
        }
        if (first == 0) {
            return n > 2;
        }
        // Some vertex repeats: compact in place, comparing against a copy of
        // the original outline. Vertices before the first repeat all stay.
        X3DPoint* v = vertices.data();
        geometry::X3DPoint original[64];
        std::copy(v, v + n, original);
        std::size_t kept = first;
        for (std::size_t i = first + 1; i < n; ++i) {
            bool repeated = false;
            for (std::size_t j = 0; j < i && !repeated; ++j) {
                repeated = original[i] == original[j];
            }
            if (!repeated) {
                v[kept++] = original[i];
            }
        }
        vertices.resize(kept);
        return kept > 2;
    }
    // Long outlines (imported terrain, fine curves): cells keep this linear
    // instead of comparing every pair. Every vertex goes into its cell, kept
    // or not, since a later one is compared with all earlier ones.
    std::vector<bool> keep(n);
    {
        CellChains cells(vertices);
        for (std::size_t i = 0; i < n; ++i) {
            CellKey c = cellOf(vertices[i]);
            keep[i] = !cells.equalsEarlier(i, c);
            cells.add(i, c);
        }
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (keep[i]) {
            vertices[kept++] = vertices[i];
        }
    }
    vertices.resize(kept);
    vertices.shrink_to_fit();
    return kept > 2;
}

X3DPlane Face::plane() const
{
    if (vertices.size() < 3) {
        return {};
    }
    return X3DPlane(vertices[0], vertices[1], vertices[2]);
}

X3DPoint Face::centroid() const
{
    X3DVector sum;
    for (const X3DPoint& v : vertices) {
        sum += v;
    }
    if (!vertices.empty()) {
        sum /= static_cast<double>(vertices.size());
    }
    return sum;
}

double Face::area() const
{
    if (vertices.empty()) {
        return 0.0;
    }
    X3DPoint c = centroid();
    double total = 0.0;
    std::size_t n = vertices.size();
    for (std::size_t i = 0; i < n; ++i) {
        total += geometry::triangleArea(c, vertices[i], vertices[(i + 1) % n]);
    }
    return total;
}

void Face::projectOnto(const X3DPlane& p)
{
    for (X3DPoint& v : vertices) {
        v = p.project(v);
    }
}

bool Face::containsPoint(const X3DPoint& p) const
{
    if (vertices.empty()) {
        return false;
    }
    X3DPoint min(1e9, 1e9, 1e9);
    X3DPoint max(-1e9, -1e9, -1e9);
    extendBounds(min, max);
    if (p.x < min.x || p.y < min.y || p.z < min.z || p.x > max.x || p.y > max.y || p.z > max.z) {
        return false;
    }
    return plane().contains(p);
}

bool Face::isEqual(const Entity& other) const
{
    if (other.typeCode() != typeCode()) {
        return false;
    }
    const auto& o = static_cast<const Face&>(other);
    if (o.vertices.size() != vertices.size()) {
        return false;
    }
    for (const X3DPoint& v : vertices) {
        bool found = false;
        for (const X3DPoint& w : o.vertices) {
            if (geometry::distance(v, w) < 0.001) {
                found = true;
                break;
            }
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

void Face::write(textio::TextWriter& out) const
{
    if (vertices.size() < 3) {
        return;
    }
    out.put(className());
    out.put(' ');
    material.write(out);
    out.put(' ');
    out.putInt(static_cast<long long>(vertices.size()));
    for (const X3DPoint& v : vertices) {
        out.put("  ");
        writePoint(out, v);
    }
}

bool Face::read(textio::TokenReader& in)
{
    long long count = 0;
    if (!material.read(in) || !in.readInt(count)) {
        return false;
    }
    if (count < 0 || count > 0x7fffffff) {
        in.setFailed();
        return false;
    }
    // The count only bounds the first reservation: a damaged count cannot
    // allocate beyond what the points actually present fill.
    vertices.clear();
    vertices.reserve(static_cast<std::size_t>(std::min<long long>(count, 4096)));
    for (long long i = 0; i < count; ++i) {
        X3DPoint p;
        if (!readPoint(in, p)) {
            vertices.clear();
            return false;
        }
        vertices.push_back(p);
    }
    if (!removeRepeatedVertices()) {
        freeVertices();
    }
    return true;
}

bool Face::extendBounds(X3DPoint& min, X3DPoint& max) const
{
    for (const X3DPoint& v : vertices) {
        v.extendBox(min, max);
    }
    return !vertices.empty();
}

void Face::mirrorThroughPoint(const X3DPoint& centre)
{
    for (X3DPoint& v : vertices) {
        v = v.mirrorThrough(centre);
    }
}

void Face::mirrorAcrossPlane(const X3DPlane& p)
{
    for (X3DPoint& v : vertices) {
        v = v.mirrorAcross(p);
    }
}

void Face::translate(const X3DVector& d)
{
    for (X3DPoint& v : vertices) {
        v = v + d;
    }
}

void Face::scale(double factor)
{
    for (X3DPoint& v : vertices) {
        v.x *= factor;
        v.y *= factor;
        v.z *= factor;
    }
}

void Face::rotate(const X3DLine& axis, const X3DAngle& angle)
{
    for (X3DPoint& v : vertices) {
        v = v.rotate(axis, angle);
    }
}

ui::Colour Face::drawColour() const
{
    if (!selected) {
        return Entity::drawColour();
    }
    materials::MaterialList& list = materials::materialList();
    return list.colourOf(list.at(material.number));
}

void Face::copyFaceFrom(const Face& other)
{
    material = other.material;
    vertices = other.vertices;
}

std::unique_ptr<Entity> Face::clone() const
{
    auto copy = std::make_unique<Face>();
    copy->copyFaceFrom(*this);
    return copy;
}

int Face::editProperties(EntityEditor& editor, bool moreFollow)
{
    return editor.chooseMaterial(material, moreFollow);
}

int Face::editGeometry(EntityEditor& editor, bool)
{
    return editor.faceProperties(*this);
}

}  // namespace model
