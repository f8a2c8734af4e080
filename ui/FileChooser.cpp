// File chooser requests and remembered folders.
#include "ui/FileChooser.h"

#include <filesystem>

#include "textio/RealFormat.h"
#include "ui/Installed.h"
#include "ui/Platform.h"
#include "ui/UiState.h"

namespace ui {

namespace {

bool isSourceName(const std::string& name)
{
    return name.find(".SPK") != std::string::npos || name.find(".spk") != std::string::npos;
}

}  // namespace

FileRequest fileRequestFor(const std::string& initialName, bool save)
{
    FileRequest r;
    r.save = save;
    r.initialName = initialName;
    bool source = isSourceName(initialName);
    if (source) {
        r.filters = {{"Noise/Sound Source File (*.spk)", "*.spk"}};
    } else if (textio::equalIgnoringCase(initialName, "*.dxf")) {
        r.filters = {{"Autocad File (*.dxf)", "*.dxf"}};
    } else {
        r.filters = {{"KCAD File (*.ray)", "*.ray"},
                     {"Autocad File (*.dxf)", "*.dxf"},
                     {"VRML 2.0 World (*.wrl)", "*.wrl"},
                     {"Pov-Ray Scene (*.pov)", "*.pov"}};
    }
    UiState& state = installed<UiState>();
    const std::string& remembered = source ? state.sourceFolder : state.projectFolder;
    std::error_code ec;
    r.folder = remembered.empty() ? std::filesystem::current_path(ec).string() : remembered;
    if (save) {
        r.defaultExtension = "ray";
    }
    return r;
}

std::optional<std::string> chooseFile(const std::string& initialName, bool save)
{
    FileRequest r = fileRequestFor(initialName, save);
    std::optional<std::string> chosen = platform().chooseFile(r);
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    std::filesystem::path path(*chosen);
    if (save && !path.has_extension() && !r.defaultExtension.empty()) {
        path += "." + r.defaultExtension;
    }
    std::string folder = path.parent_path().string();
    UiState& state = installed<UiState>();
    (isSourceName(initialName) ? state.sourceFolder : state.projectFolder) = folder;
    return path.string();
}

}  // namespace ui
