// Duplicate finder.
#include "tools/DuplicateFinder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "model/Document.h"
#include "model/Face.h"
#include "model/Receiver.h"
#include "model/Segment.h"
#include "model/Wall.h"
#include "tools/CellTable.h"
#include "ui/Platform.h"

namespace tools {

namespace {

using geometry::X3DPoint;

// Centres already seen, found within 1e-5 on every axis.
class CentreIndex {
public:
    bool findNear(const X3DPoint& p) const
    {
        bool found = false;
        table_.near(p, [&](std::uint32_t i) {
            const X3DPoint& q = centres_[i];
            found = found ||
                    (std::fabs(q.x - p.x) < 1e-5 && std::fabs(q.y - p.y) < 1e-5 && std::fabs(q.z - p.z) < 1e-5);
        });
        return found;
    }
    void insert(const X3DPoint& p)
    {
        table_.add(p, static_cast<std::uint32_t>(centres_.size()));
        centres_.push_back(p);
    }

private:
    CellTable table_{1e-5};
    std::vector<X3DPoint> centres_;
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
    // Entities filed by a point of theirs and their kind: whatever equals an
    // entity has that point within 1 mm of one of the entity's own points.
    std::vector<CellTable> filed(Texts + 1, CellTable(0.001));
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
                filed[static_cast<std::size_t>(g)].near(p, [&](std::uint32_t j) { candidates.push_back(j); });
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
            filed[static_cast<std::size_t>(group)].add(p, i);
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
