// Settings through the ini file in the current directory.
#include "app/Settings.h"

#include <fstream>
#include <sstream>

#include "app/IniFile.h"
#include "scene3d/SceneBuilder.h"
#include "storage/AtomicFile.h"

namespace app {

namespace {

std::string readFileText(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buf;
    if (in) {
        buf << in.rdbuf();
    }
    return buf.str();
}

}  // namespace

std::string readSetting(const std::string& key, const std::string& defaultText)
{
    std::optional<std::string> value = iniValue(readFileText(settingsFile), settingsSection, key);
    std::string result = value ? *value : defaultText;
    if (result.size() > 79) {
        result.resize(79);
    }
    return result;
}

bool writeSetting(const std::string& key, const std::string& text)
{
    std::string updated = iniWithValue(readFileText(settingsFile), settingsSection, key, text);
    return storage::writeFileAtomically(settingsFile, [&updated](std::FILE* f) {
        return std::fwrite(updated.data(), 1, updated.size(), f) == updated.size();
    });
}

bool readFlag(const std::string& key, bool defaultValue)
{
    std::string value = readSetting(key, defaultValue ? "1" : "0");
    if (value.empty()) {
        return false;
    }
    char c = value[0];
    return c == '1' || c == 't' || c == 'T' || c == 'y' || c == 'Y';
}

bool writeFlag(const std::string& key, bool value)
{
    return writeSetting(key, value ? "1" : "0");
}

void installMaterialColoursSetting()
{
    scene3d::setMaterialColoursSetting([] { return readFlag(MaterialColours, true); });
}

}  // namespace app
