// The right button in the plan view (the auxiliary view is set square to the
// wall clicked) and in the axonometric view (its options).
#include "model/Wall.h"
#include "ui/Platform.h"
#include "views/AssonometryBox.h"
#include "views/ViewSet.h"

namespace views {

namespace {

struct Preset {
    int radio;
    double xAngle;
    double yAngle;
};

constexpr Preset presets[] = {
    {150, 45, 0},   // Cavalier
    {151, 60, 30},  // Monometric
    {152, 30, 30},  // Isometric
    {153, 8, 41},   // Dimetric
    {154, 18, 42},  // Trimetric
};

}  // namespace

void AssonometryBox::onCommand(ui::DialogControls& c, int id)
{
    for (const Preset& p : presets) {
        if (p.radio == id) {
            updating = true;
            writeValue(c, 120, p.xAngle);
            writeValue(c, 121, p.yAngle);
            updating = false;
            for (const Preset& other : presets) {
                c.setChecked(other.radio, other.radio == id);
            }
            return;
        }
    }
    GetValueBox::onCommand(c, id);
}

bool ASSONOMETRY::onRightClick(ViewWindow& window, ui::PixelPoint)
{
    AssonometryBox box(xAngle_, yAngle_);
    if (box.runModal() != ui::DialogResult::Ok) {
        return false;
    }
    setAngles(box.values[0], box.values[1]);
    window.repaint();
    return true;
}

bool PLANT::onRightClick(ViewWindow& window, ui::PixelPoint pixel)
{
    ViewSet& views = window.views();
    model::Entity* picked = views.document.pickToggle(window, pixel, model::type::Wall);
    if (!picked) {
        ui::errorBox("You should click on a Wall");
        return false;
    }
    auto& wall = static_cast<model::Wall&>(*picked);
    // The pick only chose the wall: it goes back to unselected.
    wall.setSelected(false);
    wall.redraw();
    const auto& base = wall.baseFace->vertices;
    Point2D p1{base[0].x, base[0].y};
    Point2D p2{base[2].x, base[2].y};
    if (!views.auxiliary().setBaseLine(p1, p2)) {
        ui::errorBox("The wall has no length in plan: the auxiliary view is unchanged");
        return false;
    }
    views.byId(viewId::Auxiliary).repaint();
    return true;
}

}  // namespace views
