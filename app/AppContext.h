// Everything the program keeps for the length of a run, in one object: the
// material database, the view options and the views' painters, the
// loudspeaker drawings read, the scene settings, how pictures are made and
// the folders the file chooser remembers, and the toolkit's application
// object where pictures need one. Made at the start of a run (or of a
// test) and installed for the layers below for its life, so that no run or
// test inherits another's leftovers.
#pragma once

#include <memory>
#include <string>

#include "materials/MaterialList.h"
#include "model/ModelState.h"
#include "scene3d/SceneBuilder.h"
#include "ui/Installed.h"
#include "ui/UiState.h"
#include "views/ShapeCache.h"

namespace app {

class AppContext {
public:
    // The material database comes from that folder (empty: the current
    // folder, with the bundled tables where it has none).
    explicit AppContext(const std::string& materialFolder = {});
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    ui::UiState ui;
    materials::MaterialState materials;
    model::ModelState model;
    views::ShapeCache shapes;
    scene3d::SceneSettings scene;
    // The toolkit's application object, when this run made one for pictures.
    std::shared_ptr<void> toolkit;

private:
    ui::Install<ui::UiState> installUi_{ui};
    ui::Install<materials::MaterialState> installMaterials_{materials};
    ui::Install<model::ModelState> installModel_{model};
    ui::Install<views::ShapeCache> installShapes_{shapes};
    ui::Install<scene3d::SceneSettings> installScene_{scene};
};

}  // namespace app
