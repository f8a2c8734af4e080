// Face sets: polygons, normal smoothing and both output formats.
#include "scene3d/X3DIndexedFaceSet.h"

#include "model/HugePages.h"
#include "scene3d/X3DStream.h"

namespace scene3d {

using geometry::X3DPoint;
using geometry::X3DVector;
using geometry::X3DVersor;

void X3DIndexedFaceSet::addPolygon(const X3DPoint* p, std::size_t n, bool opening)
{
    if (n < 3) {
        return;
    }
    if (opening || !openings_.empty()) {
        openings_.resize(polygonCount(), false);
        openings_.push_back(opening);
    }
    X3DVector normal = geometry::cross(p[1] - p[0], p[n - 1] - p[1]);
    normal.normalise();
    X3DVersor unit;
    static_cast<X3DPoint&>(unit) = normal;  // a zero normal stays zero
    for (std::size_t i = 0; i < n; ++i) {
        vertices_.emplace_back(p[i], unit);
    }
    starts_.push_back(static_cast<std::uint32_t>(vertices_.size()));
    welded_ = false;
}

void X3DIndexedFaceSet::reserve(std::size_t polygons, std::size_t vertices)
{
    model::reserveLarge(starts_, polygons + 1);
    model::reserveLarge(vertices_, vertices);
}

void X3DIndexedFaceSet::weldPositions() const
{
    if (welded_) {
        return;
    }
    positions_ = X3DPointIndex();
    positions_.reserve(vertices_.size() / 2);
    model::reserveLarge(positionOf_, vertices_.size());
    positionOf_.resize(vertices_.size());
    for (std::size_t v = 0; v < vertices_.size(); ++v) {
        positionOf_[v] = static_cast<std::uint32_t>(positions_.add(vertices_[v]));
    }
    welded_ = true;
}

void X3DIndexedFaceSet::smoothNormals()
{
    weldPositions();
    // The vertices at each welded position, in vertex order.
    std::size_t positions = positions_.size();
    std::vector<std::uint32_t> first(positions + 1, 0);
    for (std::uint32_t p : positionOf_) {
        ++first[p + 1];
    }
    for (std::size_t i = 0; i < positions; ++i) {
        first[i + 1] += first[i];
    }
    std::vector<std::uint32_t> members;
    model::reserveLarge(members, vertices_.size());
    members.resize(vertices_.size());
    std::vector<std::uint32_t> fill(first.begin(), first.end() - 1);
    for (std::uint32_t v = 0; v < vertices_.size(); ++v) {
        members[fill[positionOf_[v]]++] = v;
    }

    std::vector<std::uint32_t> cluster;
    std::vector<char> taken;
    std::vector<X3DVersor> original;
    for (std::size_t p = 0; p < positions; ++p) {
        std::size_t begin = first[p];
        std::size_t count = first[p + 1] - begin;
        if (count < 2) {
            continue;
        }
        smooth = true;
        original.clear();
        for (std::size_t i = 0; i < count; ++i) {
            original.push_back(vertices_[members[begin + i]].normal);
        }
        taken.assign(count, 0);
        for (std::size_t seed = 0; seed < count; ++seed) {
            if (taken[seed]) {
                continue;
            }
            taken[seed] = 1;
            cluster.assign(1, static_cast<std::uint32_t>(seed));
            X3DVector sum(original[seed]);
            for (std::size_t j = seed + 1; j < count; ++j) {
                if (!taken[j] && geometry::dot(original[j], original[seed]) > 0.5) {
                    taken[j] = 1;
                    cluster.push_back(static_cast<std::uint32_t>(j));
                    sum += original[j];
                }
            }
            X3DVersor shared(sum);
            for (std::uint32_t j : cluster) {
                vertices_[members[begin + j]].normal = shared;
            }
        }
    }
}

namespace {

// Points four to a line, each followed by ", ", starting on a new line.
void writePointList(X3DStream& out, const std::vector<X3DPoint>& points)
{
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i % 4 == 0) {
            out.newline();
            out.writeIndent();
        }
        out.putPoint(points[i]);
        out.put(", ");
    }
    out.newline();
}

}  // namespace

void X3DIndexedFaceSet::writeVrml(X3DStream& out) const
{
    out.line("IndexedFaceSet {");
    ++out.indent;
    std::size_t polygons = polygonCount();
    // Indices six polygons to a line, each polygon ended by -1.
    auto writeIndices = [&](const std::vector<std::uint32_t>& indexOf) {
        ++out.indent;
        for (std::size_t j = 0; j < polygons; ++j) {
            if (j % 6 == 0) {
                out.newline();
                out.writeIndent();
            }
            for (std::uint32_t v = starts_[j]; v < starts_[j + 1]; ++v) {
                out.putInt(indexOf[v]);
                out.put(' ');
            }
            out.put("-1 ");
        }
        out.newline();
        --out.indent;
    };
    if (polygons > 0) {
        weldPositions();
        out.line("coord Coordinate {");
        ++out.indent;
        out.writeIndent();
        out.put("point [");
        ++out.indent;
        writePointList(out, positions_.points());
        --out.indent;
        out.line("]");
        --out.indent;
        out.line("}");
        out.writeIndent();
        out.put("coordIndex [");
        writeIndices(positionOf_);
        out.line("]");
    }
    if (polygons > 0 && smooth) {
        X3DPointIndex normals;
        std::vector<std::uint32_t> normalOf(vertices_.size());
        for (std::size_t v = 0; v < vertices_.size(); ++v) {
            normalOf[v] = static_cast<std::uint32_t>(normals.add(vertices_[v].normal));
        }
        out.line("normal Normal {");
        ++out.indent;
        out.writeIndent();
        out.put("vector [");
        ++out.indent;
        writePointList(out, normals.points());
        --out.indent;
        out.line("]");
        --out.indent;
        out.line("}");
        // With one normal only, VRML would index it by the coordinate indices
        // and run past it: the index list then goes out too, all zeros.
        out.writeIndent();
        out.put("normalIndex [");
        writeIndices(normalOf);
        out.line("]");
    }
    out.line(solid ? "solid TRUE" : "solid FALSE");
    --out.indent;
    out.line("}");
}

void X3DIndexedFaceSet::writePov(X3DStream& out) const
{
    out.line("mesh {");
    ++out.indent;
    for (std::size_t j = 0; j < polygonCount(); ++j) {
        std::span<const X3DVertex> poly = polygon(j);
        for (std::size_t k = 0; k + 2 < poly.size(); ++k) {
            out.writeIndent();
            out.put("smooth_triangle {");
            for (std::size_t v : {std::size_t(0), k + 1, k + 2}) {
                out.put(' ');
                out.putPoint(poly[v]);
                out.put(' ');
                out.putPoint(poly[v].normal);
            }
            out.put(" }");
            out.newline();
        }
    }
    --out.indent;
    out.line("}");
}

void X3DIndexedFaceSet::write(X3DStream& out) const
{
    if (out.pov()) {
        writePov(out);
    } else {
        writeVrml(out);
    }
}

}  // namespace scene3d
