// The file chooser: filters by what is asked for, and the folder of the last
// choice of each kind remembered for the rest of the run.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ui {

struct FileFilter {
    std::string label;    // "KCAD File (*.ray)"
    std::string pattern;  // "*.ray"
};

// What a back end's file dialog is asked to show.
struct FileRequest {
    bool save = false;
    std::string initialName;
    std::string folder;
    std::vector<FileFilter> filters;  // the first is preselected
    std::string defaultExtension;     // added in save mode to a name without one
};

// The request chooseFile makes for an initial name (a pattern such as
// "*.dxf", a source file name, or the project's name).
FileRequest fileRequestFor(const std::string& initialName, bool save);

// Asks for a file; the chosen full path, or nothing when cancelled.
std::optional<std::string> chooseFile(const std::string& initialName, bool save);

}  // namespace ui
