// Gathering the model's faces, openings and points.
#include "analysis/ModelGeometry.h"

#include <cmath>
#include <utility>

#include "model/EntityList.h"
#include "model/HugePages.h"
#include "model/Face.h"
#include "model/Receiver.h"
#include "model/Wall.h"

namespace analysis {

Box FacePart::box() const
{
    Box b;
    for (std::size_t i = 0; i < n; ++i) {
        b.extend(v[i]);
    }
    return b;
}

double FacePart::perimeter() const
{
    double sum = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        sum += geometry::distance(v[i], v[(i + 1) % n]);
    }
    return sum;
}

namespace {

FacePart describe(const model::Face& f, long index)
{
    FacePart part;
    part.face = &f;
    part.index = index;
    part.kind = f.typeCode();
    const X3DPoint* v = f.vertices.data();
    std::size_t n = f.vertices.size();
    part.v = v;
    part.n = n;
    X3DVector sum;
    for (std::size_t i = 0; i < n; ++i) {
        sum += v[i];
    }
    if (n > 0) {
        sum /= static_cast<double>(n);
    }
    part.centroid = sum;
    X3DVector a = vectorArea(v, n);
    part.area = a.norm();
    if (part.area > 0.0) {
        part.normal = a * (1.0 / part.area);
    }
    part.offset = -geometry::dot(part.normal, part.centroid);
    return part;
}

// Visits every entity at every depth in file order with its owning list;
// an explicit stack, so that deeply nested lists cannot exhaust the call stack.
template <typename Visit>
void walk(const model::EntityList& root, Visit visit)
{
    struct Level {
        const model::EntityList* list;
        std::size_t next;
    };
    std::vector<Level> stack{{&root, 0}};
    while (!stack.empty()) {
        Level& top = stack.back();
        if (top.next >= top.list->children().size()) {
            stack.pop_back();
            continue;
        }
        model::Entity* e = top.list->children()[top.next++].get();
        const model::EntityList* owner = top.list;
        visit(*e, *owner);
        int code = e->typeCode();
        if (code == model::type::Wall || code == model::type::EntityList || code == model::type::InfoList) {
            stack.push_back({static_cast<const model::EntityList*>(e), 0});
        }
    }
}

}  // namespace

ModelGeometry gatherGeometry(const model::EntityList& list)
{
    ModelGeometry g;
    // The faces that are walls' base faces, to find for their openings.
    std::vector<std::pair<const model::Face*, long>> bases;
    long index = 0;
    walk(list, [&](model::Entity& e, const model::EntityList& owner) {
        long here = index++;
        switch (e.typeCode()) {
        case model::type::Face: {
            const auto& f = static_cast<const model::Face&>(e);
            if (f.isValid()) {
                model::pushBackLarge(g.faces, describe(f, here));
            }
            break;
        }
        case model::type::Door:
        case model::type::Hole: {
            const auto& f = static_cast<const model::Face&>(e);
            if (!f.isValid()) {
                break;
            }
            FacePart part = describe(f, here);
            if (owner.typeCode() == model::type::Wall) {
                const model::Face* base = static_cast<const model::Wall&>(owner).baseFace;
                for (auto it = bases.rbegin(); it != bases.rend(); ++it) {
                    if (it->first == base) {
                        part.wall = it->second;
                        break;
                    }
                }
            }
            model::pushBackLarge(g.openings, part);
            break;
        }
        case model::type::Receiver:
        case model::type::Source: {
            const auto& r = static_cast<const model::Receiver&>(e);
            g.points.push_back({here, e.typeCode(), r.number, r.position});
            break;
        }
        default:
            break;
        }
        if (e.typeCode() == model::type::Face && owner.typeCode() == model::type::Wall &&
            static_cast<const model::Wall&>(owner).baseFace == &e && !g.faces.empty() && g.faces.back().face == &e) {
            auto base = std::make_pair(static_cast<const model::Face*>(&e), static_cast<long>(g.faces.size()) - 1);
            model::pushBackLarge(bases, base);
        }
    });
    g.entities = index;
    return g;
}

std::vector<model::Entity*> entitiesInFileOrder(const model::EntityList& list)
{
    std::vector<model::Entity*> out;
    walk(list, [&out](model::Entity& e, const model::EntityList&) { out.push_back(&e); });
    return out;
}

}  // namespace analysis
