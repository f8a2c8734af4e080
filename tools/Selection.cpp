// Selections of the Select menu.
#include "tools/Selection.h"

#include "model/Face.h"

namespace tools {

int selectMaterial(model::Document& doc, unsigned number)
{
    return doc.forEach([number](model::Entity& e) {
        int t = e.typeCode();
        if ((t != model::type::Face && t != model::type::Door) || e.selected) {
            return 0;
        }
        if (static_cast<const model::Face&>(e).material.number != number) {
            return 0;
        }
        e.setSelected(true);
        return e.selected ? 1 : 0;
    });
}

int selectMonopermeable(model::Document& doc)
{
    return doc.forEach([](model::Entity& e) {
        if (e.typeCode() != model::type::Face || e.selected ||
            !static_cast<const model::Face&>(e).material.monopermeable) {
            return 0;
        }
        e.setSelected(true);
        return e.selected ? 1 : 0;
    });
}

int toggleAll(model::Document& doc, int typeCode)
{
    return doc.forEach([typeCode](model::Entity& e) {
        if (e.typeCode() != typeCode) {
            return 0;
        }
        e.setSelected(!e.selected);
        return 1;
    });
}

}  // namespace tools
