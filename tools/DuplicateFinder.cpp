// Duplicate finder.
#include "tools/DuplicateFinder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "model/Document.h"
#include "model/Face.h"
#include "model/Receiver.h"
#include "model/Segment.h"
#include "model/Wall.h"
#include "ui/Platform.h"

namespace tools {

namespace {

using geometry::X3DPoint;

// Buckets of entities by a point of theirs, in cells of 1 mm: whatever equals
// an entity has its point within 1 mm of one of the entity's own points.
class PointGrid {
public:
    void add(int group, const X3DPoint& p, std::uint32_t index) { cells_[key(group, cell(p.x), cell(p.y), cell(p.z))].push_back(index); }

    template <typename F>
    void near(int group, const X3DPoint& p, F visit) const
    {
        long long x = cell(p.x);
        long long y = cell(p.y);
        long long z = cell(p.z);
        for (long long dx = -1; dx <= 1; ++dx) {
            for (long long dy = -1; dy <= 1; ++dy) {
                for (long long dz = -1; dz <= 1; ++dz) {
                    auto it = cells_.find(key(group, x + dx, y + dy, z + dz));
                    if (it != cells_.end()) {
                        for (std::uint32_t i : it->second) {
                            visit(i);
                        }
                    }
                }
            }
        }
    }

private:
    static long long cell(double v) { return static_cast<long long>(std::floor(v / 0.001)); }
    static std::uint64_t key(int group, long long x, long long y, long long z)
    {
        std::uint64_t h = static_cast<std::uint64_t>(group) * 0x9E3779B97F4A7C15ULL;
        h ^= static_cast<std::uint64_t>(x) * 0xC2B2AE3D27D4EB4FULL + (h << 6) + (h >> 2);
        h ^= static_cast<std::uint64_t>(y) * 0x165667B19E3779F9ULL + (h << 6) + (h >> 2);
        h ^= static_cast<std::uint64_t>(z) * 0x27D4EB2F165667C5ULL + (h << 6) + (h >> 2);
        return h;
    }
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> cells_;
};

// Centres already seen, found within 1e-5 on every axis.
class CentreIndex {
public:
    bool findNear(const X3DPoint& p) const
    {
        long long x = cell(p.x);
        long long y = cell(p.y);
        long long z = cell(p.z);
        for (long long dx = -1; dx <= 1; ++dx) {
            for (long long dy = -1; dy <= 1; ++dy) {
                for (long long dz = -1; dz <= 1; ++dz) {
                    auto it = cells_.find(key(x + dx, y + dy, z + dz));
                    if (it == cells_.end()) {
                        continue;
                    }
                    for (const X3DPoint& q : it->second) {
                        if (std::fabs(q.x - p.x) < 1e-5 && std::fabs(q.y - p.y) < 1e-5 && std::fabs(q.z - p.z) < 1e-5) {
                            return true;
                        }
                    }
                }
            }
        }
        return false;
    }
    void insert(const X3DPoint& p) { cells_[key(cell(p.x), cell(p.y), cell(p.z))].push_back(p); }

private:
    static long long cell(double v) { return static_cast<long long>(std::floor(v / 1e-5)); }
    static std::uint64_t key(long long x, long long y, long long z)
    {
        std::uint64_t h = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ULL;
        h ^= static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4FULL + (h << 6) + (h >> 2);
        h ^= static_cast<std::uint64_t>(z) * 0x165667B19E3779F9ULL + (h << 6) + (h >> 2);
        return h;
    }
    std::unordered_map<std::uint64_t, std::vector<X3DPoint>> cells_;
};

// Which kinds can equal which: a face equals faces and walls of equal base
// face; holes, doors, receivers, sources, rays, segments and notes equal
// their own kind; walls equal walls; plain lists equal any list.
enum Group { Faces = 1, Holes, Doors, Walls, Receivers, Sources, Rays, Segments, Texts };

int groupOf(int typeCode)
{
    switch (typeCode) {
    case model::type::Face:
        return Faces;
    case model::type::Hole:
        return Holes;
    case model::type::Door:
        return Doors;
    case model::type::Wall:
        return Walls;
    case model::type::Receiver:
        return Receivers;
    case model::type::Source:
        return Sources;
    case model::type::Ray:
        return Rays;
    case model::type::Segment:
        return Segments;
    case model::type::Text:
        return Texts;
    default:
        return 0;
    }
}

// The points an entity is found by, and the point it is filed under.
const model::Face* faceOf(const model::Entity& e)
{
    switch (e.typeCode()) {
    case model::type::Face:
    case model::type::Hole:
    case model::type::Door:
        return &static_cast<const model::Face&>(e);
    case model::type::Wall:
        return static_cast<const model::Wall&>(e).baseFace;
    default:
        return nullptr;
    }
}

bool referencePoint(const model::Entity& e, X3DPoint& p)
{
    if (const model::Face* f = faceOf(e)) {
        if (f->vertices.empty()) {
            return false;
        }
        p = f->vertices[0];
        return true;
    }
    switch (e.typeCode()) {
    case model::type::Receiver:
    case model::type::Source:
    case model::type::Ray:
        p = static_cast<const model::Receiver&>(e).position;
        return true;
    case model::type::Segment:
    case model::type::Text:
        p = static_cast<const model::Segment&>(e).start;
        return true;
    default:
        return false;
    }
}

}  // namespace

unsigned selectDuplicates(model::Document& doc)
{
    ui::showStatus("Checking duplicate entities...");
    ui::WaitCursor wait;
    const auto& children = doc.children();
    ui::ProgressBar progress(children.size());
    doc.setSelected(false);

    CentreIndex centres;
    PointGrid filed;
    std::vector<std::uint32_t> lists;  // plain lists, compared with any list
    std::vector<std::uint32_t> candidates;
    unsigned count = 0;
    for (std::uint32_t i = 0; i < children.size(); ++i) {
        const model::Entity& e = *children[i];
        X3DPoint min(1e9, 1e9, 1e9);
        X3DPoint max(-1e9, -1e9, -1e9);
        e.extendBounds(min, max);
        X3DPoint centre((min.x + max.x) / 2, (min.y + max.y) / 2, (min.z + max.z) / 2);
        if (!centres.findNear(centre)) {
            centres.insert(centre);
        } else {
            // The first earlier entity equal to this one, in list order.
            candidates.clear();
            int group = groupOf(e.typeCode());
            auto gather = [&](int g, const X3DPoint& p) {
                filed.near(g, p, [&](std::uint32_t j) { candidates.push_back(j); });
            };
            if (const model::Face* f = faceOf(e)) {
                for (const X3DPoint& v : f->vertices) {
                    gather(group, v);
                    if (group == Faces) {
                        gather(Walls, v);
                    }
                }
            } else if (X3DPoint p; group != 0 && referencePoint(e, p)) {
                gather(group, p);
            }
            if (dynamic_cast<const model::EntityList*>(&e)) {
                candidates.insert(candidates.end(), lists.begin(), lists.end());
            }
            std::sort(candidates.begin(), candidates.end());
            candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
            for (std::uint32_t j : candidates) {
                if (children[j]->isEqual(e)) {
                    children[j]->setSelected(true);
                    ++count;
                    break;
                }
            }
        }
        // File this entity for the ones after it.
        X3DPoint p;
        int group = groupOf(e.typeCode());
        if (group != 0 && referencePoint(e, p)) {
            filed.add(group, p, i);
        } else if (e.typeCode() == model::type::EntityList) {
            lists.push_back(i);
        }
        if ((i & 1023) == 0) {
            progress.setPosition(i);
        }
    }
    progress.setPosition(children.size());
    char text[64];
    if (count == 0) {
        ui::showStatus("No duplicate entities");
    } else {
        std::snprintf(text, sizeof text, "%u duplicate entities found", count);
        ui::showStatus(text);
    }
    return count;
}

}  // namespace tools
