// Shell topology: welding, edge matching, shells, orientation and volume.
#include "analysis/ShellTopology.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

#include "analysis/BoxTree.h"
#include "analysis/RadixSort.h"
#include "analysis/VertexWelder.h"
#include "model/Face.h"
#include "model/HugePages.h"

namespace analysis {

namespace {

struct Edge {
    std::uint32_t a;  // welded vertex numbers, in the face's own direction
    std::uint32_t b;
    std::uint32_t face;
    std::uint32_t source;  // the face edge it is (a piece of)
};

class UnionFind {
public:
    explicit UnionFind(std::size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0u); }
    std::uint32_t find(std::uint32_t x)
    {
        while (parent_[x] != x) {
            parent_[x] = parent_[parent_[x]];
            x = parent_[x];
        }
        return x;
    }
    void unite(std::uint32_t a, std::uint32_t b)
    {
        a = find(a);
        b = find(b);
        if (a != b) {
            parent_[std::max(a, b)] = std::min(a, b);
        }
    }

private:
    std::vector<std::uint32_t> parent_;
};

std::vector<KeyedItem> sortedKeys(const std::vector<Edge>& edges, std::size_t vertexCount)
{
    int idBits = std::max(1, static_cast<int>(std::bit_width(vertexCount)));
    std::vector<KeyedItem> keys;
    model::reserveLarge(keys, edges.size());
    keys.resize(edges.size());
    for (std::uint32_t i = 0; i < edges.size(); ++i) {
        std::uint64_t lo = std::min(edges[i].a, edges[i].b);
        std::uint64_t hi = std::max(edges[i].a, edges[i].b);
        keys[i] = {(lo << idBits) | hi, i};
    }
    radixSort(keys, 2 * idBits);
    return keys;
}

// Calls run(first, last) for every range of equal keys.
template <typename Run>
void forEachRun(const std::vector<KeyedItem>& keys, Run run)
{
    std::size_t i = 0;
    while (i < keys.size()) {
        std::size_t j = i + 1;
        while (j < keys.size() && keys[j].key == keys[i].key) {
            ++j;
        }
        run(i, j);
        i = j;
    }
}

// Whether the edges of a run belong to one face only (so no other face covers them).
bool oneFace(const std::vector<KeyedItem>& keys, const std::vector<Edge>& edges, std::size_t i, std::size_t j)
{
    for (std::size_t k = i + 1; k < j; ++k) {
        if (edges[keys[k].value].face != edges[keys[i].value].face) {
            return false;
        }
    }
    return true;
}

// Breaks the uncovered edges at every welded vertex that lies on them, so
// that T-junctions and collinear overlaps match piece by piece.
bool splitAtVertices(std::vector<Edge>& edges, const std::vector<char>& uncovered, const std::vector<X3DPoint>& points,
                     double tolerance)
{
    std::vector<Box> boxes(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        boxes[i].extend(points[i]);
        boxes[i].grow(tolerance);
    }
    BoxTree tree(std::move(boxes));
    std::vector<Edge> out;
    model::reserveLarge(out, edges.size() + edges.size() / 4);
    bool split = false;
    std::vector<std::pair<double, std::uint32_t>> cuts;
    for (std::size_t e = 0; e < edges.size(); ++e) {
        const Edge& edge = edges[e];
        if (!uncovered[e]) {
            out.push_back(edge);
            continue;
        }
        const X3DPoint& a = points[edge.a];
        const X3DPoint& b = points[edge.b];
        X3DVector d = b - a;
        double len2 = d.squaredNorm();
        double len = std::sqrt(len2);
        cuts.clear();
        tree.alongSegment(a, b, [&](std::uint32_t q) {
            if (q == edge.a || q == edge.b) {
                return true;
            }
            double t = geometry::dot(points[q] - a, d) / len2;
            X3DPoint foot(a.x + d.x * t, a.y + d.y * t, a.z + d.z * t);
            if (t * len > tolerance && (1.0 - t) * len > tolerance &&
                (points[q] - foot).squaredNorm() <= tolerance * tolerance) {
                cuts.emplace_back(t, q);
            }
            return true;
        });
        if (cuts.empty()) {
            out.push_back(edge);
            continue;
        }
        split = true;
        std::sort(cuts.begin(), cuts.end());
        std::uint32_t from = edge.a;
        for (const auto& [t, q] : cuts) {
            if (q != from) {
                out.push_back({from, q, edge.face, edge.source});
                from = q;
            }
        }
        if (from != edge.b) {
            out.push_back({from, edge.b, edge.face, edge.source});
        }
    }
    edges.swap(out);
    return split;
}

double faceVolume(const model::Face& f, const X3DPoint& ref)
{
    const X3DPoint* v = f.vertices.data();
    std::size_t n = f.vertices.size();
    double sum = 0.0;
    X3DVector p0 = v[0] - ref;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        sum += geometry::dot(p0, geometry::cross(v[i] - ref, v[i + 1] - ref));
    }
    return sum / 6.0;
}

}  // namespace

ShellTopology analyseShells(const std::vector<FacePart>& faces, const std::vector<char>& include, double tolerance)
{
    ShellTopology topo;
    std::size_t faceCount = faces.size();
    topo.shell.assign(faceCount, -1);
    topo.inward.assign(faceCount, 0);

    std::size_t corners = 0;
    for (std::size_t f = 0; f < faceCount; ++f) {
        if (include[f]) {
            corners += faces[f].vertexCount();
        }
    }
    // Welded vertex numbers of every corner, face by face.
    VertexWelder welder(tolerance, corners / 3 + 16);
    std::vector<Edge> edges;
    model::reserveLarge(edges, corners);
    std::vector<std::uint32_t> ids;
    std::uint32_t source = 0;
    for (std::uint32_t f = 0; f < faceCount; ++f) {
        if (!include[f]) {
            continue;
        }
        ids.clear();
        const X3DPoint* v = faces[f].vertices();
        std::size_t n = faces[f].vertexCount();
        for (std::size_t i = 0; i < n; ++i) {
            ids.push_back(welder.add(v[i]));
        }
        for (std::size_t i = 0; i < n; ++i, ++source) {
            std::uint32_t a = ids[i];
            std::uint32_t b = ids[(i + 1) % n];
            if (a != b) {
                edges.push_back({a, b, f, source});
            }
        }
    }
    const std::vector<X3DPoint>& points = welder.points();

    std::vector<KeyedItem> keys = sortedKeys(edges, points.size());
    std::vector<char> uncovered(edges.size(), 0);
    bool anyUncovered = false;
    forEachRun(keys, [&](std::size_t i, std::size_t j) {
        if (oneFace(keys, edges, i, j)) {
            for (std::size_t k = i; k < j; ++k) {
                uncovered[keys[k].value] = 1;
            }
            anyUncovered = true;
        }
    });
    if (anyUncovered && splitAtVertices(edges, uncovered, points, tolerance)) {
        keys = sortedKeys(edges, points.size());
    }

    // Shells, uncovered pieces, and which neighbours must turn the same way.
    UnionFind sets(faceCount);
    struct Neighbours {
        std::uint32_t f;
        std::uint32_t g;
        bool sameWay;  // both run along the shared edge in the same direction
    };
    std::vector<Neighbours> pairs;
    std::vector<std::uint32_t> openEdges;
    forEachRun(keys, [&](std::size_t i, std::size_t j) {
        if (oneFace(keys, edges, i, j)) {
            for (std::size_t k = i; k < j; ++k) {
                openEdges.push_back(keys[k].value);
            }
            return;
        }
        for (std::size_t k = i + 1; k < j; ++k) {
            sets.unite(edges[keys[i].value].face, edges[keys[k].value].face);
        }
        if (j - i == 2) {
            const Edge& p = edges[keys[i].value];
            const Edge& q = edges[keys[i + 1].value];
            pairs.push_back({p.face, q.face, p.a == q.a});
        }
    });

    // Shell numbers in the order of their first face.
    std::vector<int> number(faceCount, -1);
    for (std::uint32_t f = 0; f < faceCount; ++f) {
        if (!include[f]) {
            continue;
        }
        std::uint32_t root = sets.find(f);
        if (number[root] < 0) {
            number[root] = topo.shells++;
            topo.largestFace.push_back(f);
        }
        int s = number[root];
        topo.shell[f] = s;
        if (faces[f].area > faces[topo.largestFace[s]].area) {
            topo.largestFace[s] = f;
        }
    }
    topo.closed.assign(topo.shells, 1);
    topo.volume.assign(topo.shells, 0.0);

    // Uncovered pieces, joined again along the face edge they came from.
    std::sort(openEdges.begin(), openEdges.end());  // pieces of one edge were made in order
    for (std::size_t k = 0; k < openEdges.size(); ++k) {
        const Edge& e = edges[openEdges[k]];
        topo.closed[topo.shell[e.face]] = 0;
        if (!topo.open.empty() && k > 0) {
            const Edge& prev = edges[openEdges[k - 1]];
            if (prev.source == e.source && prev.b == e.a) {
                topo.open.back().to = points[e.b];
                continue;
            }
        }
        topo.open.push_back({e.face, points[e.a], points[e.b]});
    }

    // A consistent orientation of each closed shell, spreading from its first
    // face across edges that exactly two faces share.
    std::vector<std::uint32_t> start(faceCount + 1, 0);
    for (const Neighbours& p : pairs) {
        ++start[p.f + 1];
        ++start[p.g + 1];
    }
    for (std::size_t f = 0; f < faceCount; ++f) {
        start[f + 1] += start[f];
    }
    std::vector<std::pair<std::uint32_t, bool>> links(start[faceCount]);
    {
        std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
        for (const Neighbours& p : pairs) {
            links[fill[p.f]++] = {p.g, p.sameWay};
            links[fill[p.g]++] = {p.f, p.sameWay};
        }
    }
    std::vector<signed char> flip(faceCount, -1);
    std::vector<std::uint32_t> queue;
    std::vector<double> signedVolume(topo.shells, 0.0);
    std::vector<X3DPoint> reference(topo.shells);
    std::vector<char> hasReference(topo.shells, 0);
    for (std::uint32_t f = 0; f < faceCount; ++f) {
        int s = topo.shell[f];
        if (s < 0 || !topo.closed[s] || flip[f] >= 0) {
            continue;
        }
        flip[f] = 0;
        queue.assign(1, f);
        for (std::size_t q = 0; q < queue.size(); ++q) {
            std::uint32_t g = queue[q];
            for (std::uint32_t k = start[g]; k < start[g + 1]; ++k) {
                auto [h, sameWay] = links[k];
                if (flip[h] < 0) {
                    flip[h] = static_cast<signed char>(flip[g] ^ (sameWay ? 1 : 0));
                    queue.push_back(h);
                }
            }
        }
    }
    for (std::uint32_t f = 0; f < faceCount; ++f) {
        int s = topo.shell[f];
        if (s < 0 || !topo.closed[s]) {
            continue;
        }
        if (!hasReference[s]) {
            reference[s] = faces[f].vertices()[0];
            hasReference[s] = 1;
        }
        double v = faceVolume(*faces[f].face, reference[s]);
        signedVolume[s] += flip[f] ? -v : v;
    }
    for (std::uint32_t f = 0; f < faceCount; ++f) {
        int s = topo.shell[f];
        if (s >= 0 && topo.closed[s]) {
            topo.inward[f] = static_cast<char>(flip[f] ^ (signedVolume[s] < 0.0 ? 1 : 0));
        }
    }
    for (int s = 0; s < topo.shells; ++s) {
        topo.volume[s] = topo.closed[s] ? std::fabs(signedVolume[s]) : 0.0;
    }
    return topo;
}

}  // namespace analysis
