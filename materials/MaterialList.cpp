// Material database lookups, reload and output.
#include "materials/MaterialList.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "materials/BundledMaterials.h"
#include "textio/RealFormat.h"
#include "textio/TextWriter.h"
#include "textio/Utf8.h"

namespace materials {

namespace {

bool readWholeFile(const std::string& path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    out = buf.str();
    return true;
}

std::time_t modificationTime(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return 0;
    }
    return st.st_mtime;
}

std::unique_ptr<MaterialList>& programList()
{
    static std::unique_ptr<MaterialList> list;
    return list;
}

std::string& programDirectory()
{
    static std::string directory;
    return directory;
}

}  // namespace

MaterialList::MaterialList(std::string directory)
    : records_(materialCount), directory_(std::move(directory))
{
}

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
    if (readWholeFile(materialPath(), text)) {
        readMaterialText(text);
    } else if (directory_.empty()) {
        readMaterialText(bundledMaterialText());
    }
    if (readWholeFile(colourPath(), text)) {
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
    auto& list = programList();
    if (!list) {
        list = std::make_unique<MaterialList>(programDirectory());
        list->load();
    }
    return *list;
}

void setMaterialDirectory(const std::string& directory)
{
    programDirectory() = directory;
    programList().reset();
}

}  // namespace materials
