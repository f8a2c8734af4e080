// OBJ import.
#include "exchange/ObjImport.h"

#include <charconv>
#include <cmath>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "exchange/DxfLines.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Face.h"
#include "textio/RealFormat.h"
#include "textio/TokenReader.h"
#include "textio/Utf8.h"
#include "ui/Platform.h"

namespace exchange {

namespace {

using geometry::X3DPoint;

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && textio::isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && textio::isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// The next blank-separated word of s, taken off its front.
std::string_view word(std::string_view& s)
{
    s = trimmed(s);
    std::size_t end = 0;
    while (end < s.size() && !textio::isBlank(s[end])) {
        ++end;
    }
    std::string_view w = s.substr(0, end);
    s.remove_prefix(end);
    return w;
}

bool number(std::string_view w, double& out)
{
    if (!w.empty() && w.front() == '+') {
        w.remove_prefix(1);
    }
    auto r = std::from_chars(w.data(), w.data() + w.size(), out);
    return r.ec == std::errc() && r.ptr == w.data() + w.size() && model::isSaneCoordinate(out);
}

class ObjReader {
public:
    explicit ObjReader(model::Document& doc) : doc_(doc) {}

    void line(std::string_view text);
    ObjImportReport& report() { return report_; }

private:
    void face(std::string_view rest);
    std::uint32_t material();

    model::Document& doc_;
    ObjImportReport report_;
    std::vector<X3DPoint> vertices_;
    std::vector<bool> saneVertex_;
    std::string usemtl_;
    std::string group_;
    std::unordered_map<std::string, std::uint32_t> materials_;
    std::vector<X3DPoint> corners_;
};

std::uint32_t ObjReader::material()
{
    const std::string& name = usemtl_.empty() ? group_ : usemtl_;
    auto known = materials_.find(name);
    if (known != materials_.end()) {
        return known->second;
    }
    materials::MaterialList& list = materials::materialList();
    auto number = static_cast<std::uint32_t>(list.indexOf(list.materialByText(name)));
    materials_.emplace(name, number);
    return number;
}

void ObjReader::face(std::string_view rest)
{
    corners_.clear();
    bool bad = false;
    auto count = static_cast<long long>(vertices_.size());
    for (std::string_view w = word(rest); !w.empty(); w = word(rest)) {
        // v, v/vt, v//vn or v/vt/vn: only the vertex counts.
        std::string_view v = w.substr(0, w.find('/'));
        long long index = 0;
        auto r = std::from_chars(v.data(), v.data() + v.size(), index);
        if (r.ec != std::errc() || r.ptr != v.data() + v.size() || index == 0) {
            bad = true;
            continue;
        }
        long long k = index > 0 ? index - 1 : count + index;  // negative: counted back from the last
        if (k < 0 || k >= count || !saneVertex_[static_cast<std::size_t>(k)]) {
            bad = true;
            continue;
        }
        corners_.push_back(vertices_[static_cast<std::size_t>(k)]);
    }
    if (bad) {
        ++report_.damaged;
        return;
    }
    materials::Material m;
    m.number = material();
    auto f = std::make_unique<model::Face>(corners_, m);
    if (!f->isValid()) {
        ++report_.degenerate;
        return;
    }
    doc_.append(std::move(f));
    ++report_.added;
}

void ObjReader::line(std::string_view text)
{
    std::string_view rest = text;
    std::string_view keyword = word(rest);
    if (keyword == "v") {
        X3DPoint p;
        bool ok = number(word(rest), p.x) && number(word(rest), p.y) && number(word(rest), p.z);
        vertices_.push_back(ok ? p : X3DPoint());
        saneVertex_.push_back(ok);
    } else if (keyword == "f") {
        face(rest);
    } else if (keyword == "usemtl") {
        usemtl_ = textio::utf8OrLatin1(trimmed(rest).substr(0, 255));
    } else if (keyword == "g" || keyword == "o") {
        // A group of several names takes its first for a material.
        usemtl_.clear();
        group_ = textio::utf8OrLatin1(word(rest).substr(0, 255));
    }
}

}  // namespace

bool isObjName(const std::string& fileName)
{
    return fileName.size() >= 4 &&
           textio::equalIgnoringCase(std::string_view(fileName).substr(fileName.size() - 4), ".obj");
}

ObjImportReport importObj(model::Document& doc, textio::TokenReader& in, std::uint64_t fileSize,
                          const std::string& fileName)
{
    ui::ProgressBar progress(fileSize);
    bool autoDraw = doc.autoDraw;
    doc.autoDraw = false;
    ObjReader reader(doc);
    std::string_view text;
    std::uint64_t lines = 0;
    while (in.readLine(text)) {
        reader.line(text);
        if ((++lines & 0xFFFF) == 0) {
            progress.setPosition(in.position());
        }
    }
    doc.autoDraw = autoDraw;
    ObjImportReport report = reader.report();
    report.opened = true;
    if (autoDraw && report.added > 0) {
        doc.setModified(true);
    }
    if (report.damaged > 0) {
        ui::errorBox("%ld faces of %s name vertices the file does not have: they are left out", report.damaged,
                     fileName.c_str());
    }
    if (report.degenerate > 0) {
        report.warnings.push_back(std::to_string(report.degenerate) +
                                  " faces with fewer than three distinct vertices were skipped");
    }
    return report;
}

ObjImportReport importObj(model::Document& doc, const std::string& fileName)
{
    std::uint64_t size = 0;
    textio::InputError why = textio::InputError::None;
    std::FILE* file = openDxf(fileName, size, &why);
    if (!file) {
        ObjImportReport failed;
        failed.openError = why;
        return failed;
    }
    ObjImportReport report;
    {
        textio::TokenReader in(file);
        report = importObj(doc, in, size, fileName);
    }
    std::fclose(file);
    return report;
}

}  // namespace exchange
