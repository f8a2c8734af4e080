// Face geometry, comparison and record.
#include "model/Face.h"

#include <cmath>
#include <unordered_map>

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

// Cells of EPS: two points equal within EPS lie in the same or neighbouring cells.
struct CellKey {
    long long x, y, z;
    bool operator==(const CellKey&) const = default;
};

struct CellHash {
    std::size_t operator()(const CellKey& k) const
    {
        std::size_t h = static_cast<std::size_t>(k.x) * 73856093u;
        h ^= static_cast<std::size_t>(k.y) * 19349663u;
        h ^= static_cast<std::size_t>(k.z) * 83492791u;
        return h;
    }
};

CellKey cellOf(const X3DPoint& p)
{
    return {static_cast<long long>(std::floor(p.x / geometry::EPS)),
            static_cast<long long>(std::floor(p.y / geometry::EPS)),
            static_cast<long long>(std::floor(p.z / geometry::EPS))};
}

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
    std::vector<char> keep(n, 1);
    {
        // Long outlines (imported terrain, fine curves): a grid of EPS cells
        // keeps this linear instead of comparing every pair.
        std::unordered_map<CellKey, std::vector<std::size_t>, CellHash> grid;
        grid.reserve(n * 2);
        for (std::size_t i = 0; i < n; ++i) {
            CellKey c = cellOf(vertices[i]);
            bool repeated = false;
            for (long long dx = -1; dx <= 1 && !repeated; ++dx) {
                for (long long dy = -1; dy <= 1 && !repeated; ++dy) {
                    for (long long dz = -1; dz <= 1 && !repeated; ++dz) {
                        auto it = grid.find({c.x + dx, c.y + dy, c.z + dz});
                        if (it == grid.end()) {
                            continue;
                        }
                        for (std::size_t j : it->second) {
                            if (vertices[i] == vertices[j]) {
                                repeated = true;
                                break;
                            }
                        }
                    }
                }
            }
            keep[i] = repeated ? 0 : 1;
            grid[c].push_back(i);
        }
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (keep[i]) {
            vertices[kept++] = vertices[i];
        }
    }
    vertices.resize(kept);
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
