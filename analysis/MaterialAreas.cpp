// Material-area totals.
#include "analysis/MaterialAreas.h"

#include "materials/MaterialList.h"
#include "model/EntityList.h"
#include "model/Face.h"

namespace analysis {

void computeMaterialAreas(model::EntityList& model, materials::MaterialList& list, std::uint32_t& current)
{
    list.clearAreas();
    model.forEach([&list, &current](model::Entity& e) {
        switch (e.typeCode()) {
        case model::type::Face: {
            const auto& face = static_cast<const model::Face&>(e);
            list.at(face.material.number).area += face.area();
            current = face.material.number;
            break;
        }
        case model::type::Door: {
            const auto& door = static_cast<const model::Face&>(e);
            double a = door.area();
            list.at(door.material.number).area += a;
            list.at(current).area -= a;
            break;
        }
        case model::type::Hole:
            list.at(current).area -= static_cast<const model::Face&>(e).area();
            break;
        default:
            break;
        }
        return 0;
    });
}

}  // namespace analysis
