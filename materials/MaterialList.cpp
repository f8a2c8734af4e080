// Material database lookups, reload and output.
#include "materials/MaterialList.h"

#include <sys/stat.h>

#include <iterator>

#include "materials/BundledMaterials.h"
#include "textio/InputFile.h"
#include "textio/RealFormat.h"
#include "textio/TextWriter.h"
#include "textio/Utf8.h"
#include "ui/Installed.h"
#include "ui/Platform.h"

namespace materials {

namespace {

// A table of 1024 records is a few hundred kilobytes; a bigger file is not
// a material table.
constexpr std::uint64_t maxMaterialFileBytes = 16 << 20;

// The file's text; a file that is there but cannot be read is reported (a
// missing one is not: the bundled tables stand in).
bool readTableFile(const std::string& path, std::string& out)
{
    textio::InputError why = textio::InputError::None;
    if (textio::readWholeFile(path, maxMaterialFileBytes, out, &why)) {
        return true;
    }
    if (why != textio::InputError::Missing) {
        ui::errorBox("%s", textio::describeInputError(path, why, maxMaterialFileBytes).c_str());
    }
    return false;
}

std::time_t modificationTime(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return 0;
    }
    return st.st_mtime;
}

}  // namespace

MaterialList::MaterialList(std::string directory) : records_(materialCount), directory_(std::move(directory)) {}

std::string MaterialList::materialPath() const
{
    return directory_.empty() ? std::string("tolvane.mat") : directory_ + "/tolvane.mat";
}

std::string MaterialList::colourPath() const
{
    return directory_.empty() ? std::string("tolcolor.mat") : directory_ + "/tolcolor.mat";
}

void MaterialList::load()
{
    std::string text;
    if (readTableFile(materialPath(), text)) {
        readMaterialText(text);
    } else if (directory_.empty()) {
        readMaterialText(bundledMaterialText());
    }
    if (readTableFile(colourPath(), text)) {
        readColourText(text);
    } else if (directory_.empty()) {
        readColourText(bundledColourText());
    }
    loadedTime_ = modificationTime(materialPath());
}

MaterialInfo& MaterialList::at(long long i)
{
    return records_[(i >= 0 && i < materialCount) ? static_cast<std::size_t>(i) : 0];
}

const MaterialInfo& MaterialList::at(long long i) const
{
    return records_[(i >= 0 && i < materialCount) ? static_cast<std::size_t>(i) : 0];
}

MaterialInfo& MaterialList::materialByNumber(long long n)
{
    if (n <= 0 || n >= materialCount) {
        std::time_t now = modificationTime(materialPath());
        if (now > loadedTime_) {
            load();
        }
        return records_[0];
    }
    return records_[static_cast<std::size_t>(n)];
}

MaterialInfo& MaterialList::materialByText(std::string_view text)
{
    long long value = 0;
    bool inRange = textio::leadingInt(text, value);
    bool startsWithDigit = !text.empty() && text[0] >= '0' && text[0] <= '9';
    if (startsWithDigit || (inRange && value > 0)) {
        return materialByNumber(inRange ? value : -1);
    }
    for (int i = 0; i < materialCount; ++i) {
        MaterialInfo& record = materialByNumber(i);
        if (textio::equalIgnoringCaseUtf8(record.name, text)) {
            return record;
        }
    }
    return records_[0];
}

ui::Colour MaterialList::colourOf(const MaterialInfo& record) const
{
    return materialColoursShown ? record.colour : 0xFFFF00;
}

void MaterialList::clearUsed()
{
    for (MaterialInfo& r : records_) {
        r.used = false;
    }
}

void MaterialList::markUsed(long long number)
{
    at(number).used = true;
}

void MaterialList::clearAreas()
{
    for (MaterialInfo& r : records_) {
        r.area = 0.0;
    }
}

void MaterialList::writeUsed(textio::TextWriter& out) const
{
    bool any = false;
    for (const MaterialInfo& r : records_) {
        any = any || r.used;
    }
    if (!any) {
        return;
    }
    out.put("MaterialList\n");
    for (int i = 0; i < materialCount; ++i) {
        const MaterialInfo& r = records_[static_cast<std::size_t>(i)];
        if (r.used) {
            // A slot no file defined still goes out under its own number, so
            // the simulator never meets a record numbered -1.
            r.writeAs(out, i);
        }
    }
    out.put("End\n");
}

MaterialList& materialList()
{
    MaterialState& state = ui::installed<MaterialState>();
    if (!state.list) {
        state.list = std::make_unique<MaterialList>(state.directory);
        state.list->load();
    }
    return *state.list;
}

void setMaterialDirectory(const std::string& directory)
{
    MaterialState& state = ui::installed<MaterialState>();
    state.directory = directory;
    state.list.reset();
}

}  // namespace materials
