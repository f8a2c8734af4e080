// Settings through the ini file in the current directory.
#include "app/Settings.h"

#include "app/IniFile.h"
#include "scene3d/SceneBuilder.h"
#include "storage/AtomicFile.h"
#include "textio/InputFile.h"

namespace app {

namespace {

// Far more than any settings file holds; a bigger one is not ours.
constexpr std::uint64_t maxSettingsBytes = 1 << 20;

}  // namespace

std::string readSetting(const std::string& key, const std::string& defaultText)
{
    std::string text;
    textio::readWholeFile(settingsFile, maxSettingsBytes, text);
    std::optional<std::string> value = iniValue(text, settingsSection, key);
    std::string result = value ? *value : defaultText;
    if (result.size() > 79) {
        result.resize(79);
    }
    return result;
}

bool writeSetting(const std::string& key, const std::string& text, std::string* error)
{
    std::string current;
    textio::InputError why = textio::InputError::None;
    if (!textio::readWholeFile(settingsFile, maxSettingsBytes, current, &why) && why != textio::InputError::Missing) {
        // Rewriting a file we could not read would keep only our own keys
        // and drop everything else in it.
        if (error) {
            *error = textio::describeInputError(settingsFile, why, maxSettingsBytes) + ": the settings are not saved";
        }
        return false;
    }
    std::string updated = iniWithValue(current, settingsSection, key, text);
    bool ok = storage::writeFileAtomically(settingsFile, [&updated](std::FILE* f) {
        return std::fwrite(updated.data(), 1, updated.size(), f) == updated.size();
    });
    if (!ok && error) {
        *error = std::string("Can't write the file ") + settingsFile + ": the settings are not saved";
    }
    return ok;
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

bool writeFlag(const std::string& key, bool value, std::string* error)
{
    return writeSetting(key, value ? "1" : "0", error);
}

scene3d::ExportOptions exportOptions()
{
    scene3d::ExportOptions options;
    options.materialNames = readFlag(SaveDxfMaterialName, true);
    return options;
}

}  // namespace app
