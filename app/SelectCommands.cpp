// The Select menu's selections, Resize, and the view options of the File
// and Options menus; each ends with every view repainted.
#include "app/Application.h"
#include "app/MaterialDialogs.h"
#include "tools/AdvancedBox.h"
#include "tools/OptionDialogs.h"
#include "tools/Selection.h"
#include "tools/Transformations.h"
#include "tools/analysis/FindObstructing.h"

namespace app {

void Application::selectCommand(int id)
{
    switch (id) {
    case cmd::Resize:
        if (!tools::resizeSelection(document, undo)) {
            return;
        }
        break;
    case cmd::SelectMaterial: {
        materials::Material chosen;
        if (chooseMaterial(chosen, false, editor.lastChosenMaterial) == 0) {
            return;
        }
        tools::selectMaterial(document, chosen.number);
        break;
    }
    case cmd::SelectMonopermeable:
        tools::selectMonopermeable(document);
        break;
    case cmd::SelectObstructing:
        if (!tools::analysis::findObstructing(document, undo)) {
            return;
        }
        break;
    case cmd::ToggleReceivers:
        tools::toggleAll(document, model::type::Receiver);
        break;
    case cmd::ToggleSources:
        tools::toggleAll(document, model::type::Source);
        break;
    case cmd::Advanced:
        tools::showMaterialAreas(document, currentFaceMaterial);
        break;
    case cmd::LockSelection:
        document.lockSelection();
        break;
    case cmd::UnlockAll:
        document.setLocked(false);
        break;
    case cmd::GridOptions:
        if (!tools::askGridOptions(document)) {
            return;
        }
        break;
    case cmd::ViewOptions:
        if (!tools::askViewOptions()) {
            return;
        }
        break;
    case cmd::BaseMap:
        if (!tools::askBaseMapOptions(document)) {
            return;
        }
        break;
    default:
        return;
    }
    redrawAll();
}

}  // namespace app
