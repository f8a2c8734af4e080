// The material-area summary.
#include "tools/AdvancedBox.h"

#include <cstdio>
#include <cstdlib>
#include <set>

#include "materials/MaterialList.h"
#include "model/Face.h"
#include "analysis/MaterialAreas.h"

namespace tools {

namespace {
constexpr int listId = 112;
}

std::vector<std::string> AdvancedBox::lines()
{
    std::vector<std::string> out{" N.       Area     Name"};
    materials::MaterialList& list = materials::materialList();
    for (int n = 0; n < materials::materialCount; ++n) {
        const materials::MaterialInfo& m = list.at(n);
        if (m.area > 0.0) {
            char buf[160];
            std::snprintf(buf, sizeof buf, "%3d %12.1lf - %s", n, m.area, m.name.c_str());
            out.emplace_back(buf);
        }
    }
    return out;
}

void AdvancedBox::onInit(ui::DialogControls& c)
{
    c.setItems(listId, lines());
}

void AdvancedBox::onChange(ui::DialogControls& c, int id)
{
    if (id != listId) {
        return;
    }
    std::vector<std::string> rows = c.items(listId);
    std::set<long> chosen;
    for (int row : c.selectedIndices(listId)) {
        if (row >= 0 && row < static_cast<int>(rows.size())) {
            chosen.insert(std::strtol(rows[row].c_str(), nullptr, 10));  // the heading reads as 0
        }
    }
    doc_.forEach([&chosen](model::Entity& e) {
        if (e.typeCode() != model::type::Face && e.typeCode() != model::type::Door) {
            return 0;
        }
        bool wanted = chosen.count(static_cast<const model::Face&>(e).material.number) > 0;
        if (e.selected != wanted) {
            e.setSelected(wanted);
            e.redraw();
        }
        return 0;
    });
}

void showMaterialAreas(model::Document& doc, std::uint32_t& currentFaceMaterial)
{
    materials::MaterialList& list = materials::materialList();
    list.materialColoursShown = true;
    analysis::computeMaterialAreas(doc, list, currentFaceMaterial);
    AdvancedBox box(doc);
    box.runModal();
    list.materialColoursShown = false;
}

}  // namespace tools
