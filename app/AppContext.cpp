// The run's context.
#include "app/AppContext.h"

#include "app/Settings.h"

namespace app {

namespace {

// Pictures are made by the toolkit, one for the whole process: a new run
// draws them as the run around it does; its folders start afresh.
ui::UiState outerPictures()
{
    ui::UiState state;
    state.canvases = ui::installed<ui::UiState>().canvases;
    return state;
}

}  // namespace

AppContext::AppContext(const std::string& materialFolder) : ui(outerPictures())
{
    materials.directory = materialFolder;
    // Scenes ask the settings file at every build.
    scene.materialColours = [] { return readFlag(MaterialColours, true); };
}

AppContext::~AppContext() = default;

}  // namespace app
