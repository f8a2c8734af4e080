// The program's two persistent yes/no settings, in section KCad of
// ./tolvane.ini; read at every use, never cached, so a hand edit of the file
// takes effect at once.
#pragma once

#include <string>

namespace app {

constexpr const char* settingsFile = "tolvane.ini";
constexpr const char* settingsSection = "KCad";

// Before saving a modified project, offer to look for duplicate entities.
constexpr const char* AutoCheckDuplicates = "AutoCheckDuplicates";
// In DXF output, name a face's layer after its material's name, not its number.
constexpr const char* SaveDxfMaterialName = "SaveDxfMaterialName";
// In the 3-D view and in VRML and POV-Ray files, faces take their material's
// colour from tolcolor.mat; 0 draws every face in the one colour of the views.
constexpr const char* MaterialColours = "MaterialColours";

// The value (at most 79 characters), or the default when the file or key is missing.
std::string readSetting(const std::string& key, const std::string& defaultText);
// A failed write is ignored, as the profile functions do; answers whether it worked.
bool writeSetting(const std::string& key, const std::string& text);

// Yes when the value starts with 1, t, T, y or Y.
bool readFlag(const std::string& key, bool defaultValue);
bool writeFlag(const std::string& key, bool value);

// Lets the 3-D scene read MaterialColours whenever it is built.
void installMaterialColoursSetting();

}  // namespace app
