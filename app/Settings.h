// The program's two persistent yes/no settings, in section KCad of
// ./tolvane.ini; read at every use, never cached, so a hand edit of the file
// takes effect at once.
#pragma once

#include <string>

#include "scene3d/ExportFile.h"

namespace app {

constexpr const char* settingsFile = "tolvane.ini";
constexpr const char* settingsSection = "KCad";

// Before saving a modified project, offer to look for duplicate entities.
constexpr const char* AutoCheckDuplicates = "AutoCheckDuplicates";
// In DXF output, name a face's layer after its material's name, not its number.
constexpr const char* SaveDxfMaterialName = "SaveDxfMaterialName";
// The mouse wheel zooms about the point under the pointer (off: about the
// view's centre).
constexpr const char* ZoomAtPointer = "ZoomAtPointer";
// In the 3-D view and in VRML and POV-Ray files, faces take their material's
// colour from tolcolor.mat; 0 draws every face in the one colour of the views.
constexpr const char* MaterialColours = "MaterialColours";

// The value (at most 79 characters), or the default when the file or key is missing.
std::string readSetting(const std::string& key, const std::string& defaultText);
// Answers whether it worked; when not, error (if given) says why. A file that
// exists but cannot be read is never rewritten.
bool writeSetting(const std::string& key, const std::string& text, std::string* error = nullptr);

// Yes when the value starts with 1, t, T, y or Y.
bool readFlag(const std::string& key, bool defaultValue);
bool writeFlag(const std::string& key, bool value, std::string* error = nullptr);

// How files written from the document look, as the settings say now (DXF
// layers by material name or number). Every export reads it afresh.
scene3d::ExportOptions exportOptions();

}  // namespace app
