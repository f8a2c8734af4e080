// Model summary for the command line.
#include "app/ProjectSummary.h"

#include <cstdio>

#include "app/Json.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "analysis/MaterialAreas.h"

namespace app {

namespace {

void addCounts(const model::EntityList& list, std::map<std::string, long>& counts)
{
    for (const auto& child : list.children()) {
        ++counts[child->className()];
        if (const auto* inner = dynamic_cast<const model::EntityList*>(child.get())) {
            addCounts(*inner, counts);
        }
    }
}

std::string jsonPoint(const geometry::X3DPoint& p)
{
    return "[" + jsonNumber(p.x) + ", " + jsonNumber(p.y) + ", " + jsonNumber(p.z) + "]";
}

std::string textPoint(const geometry::X3DPoint& p)
{
    return "(" + jsonNumber(p.x) + ", " + jsonNumber(p.y) + ", " + jsonNumber(p.z) + ")";
}

}  // namespace

std::map<std::string, long> countByClass(const model::EntityList& list)
{
    std::map<std::string, long> counts;
    addCounts(list, counts);
    return counts;
}

ProjectSummary summarise(model::Document& doc, materials::MaterialList& list)
{
    ProjectSummary s;
    s.entities = countByClass(doc);
    s.topLevel = static_cast<long>(doc.count());
    for (const auto& child : doc.notes.children()) {
        if (child->typeCode() == model::type::Info) {
            ++s.notes;
        }
    }
    s.hasBounds = doc.bounds(s.min, s.max);
    std::uint32_t current = 0;
    analysis::computeMaterialAreas(doc, list, current);
    for (int i = 0; i < materials::materialCount; ++i) {
        const materials::MaterialInfo& r = list.at(i);
        if (r.area > 0.0) {
            s.materials.push_back({i, r.name, r.area});
        }
    }
    return s;
}

std::string summaryJson(const std::string& file, const ProjectSummary& s)
{
    std::string out = "{\"file\": " + jsonString(file) + ", \"entities\": {";
    bool first = true;
    for (const auto& [name, n] : s.entities) {
        out += (first ? "" : ", ") + jsonString(name) + ": " + std::to_string(n);
        first = false;
    }
    out += "}, \"topLevel\": " + std::to_string(s.topLevel) + ", \"notes\": " + std::to_string(s.notes);
    out += ", \"bounds\": ";
    out += s.hasBounds ? "{\"min\": " + jsonPoint(s.min) + ", \"max\": " + jsonPoint(s.max) + "}" : "null";
    out += ", \"materials\": [";
    first = true;
    for (const MaterialArea& m : s.materials) {
        out += std::string(first ? "" : ", ") + "{\"number\": " + std::to_string(m.number) +
               ", \"name\": " + jsonString(m.name) + ", \"area\": " + jsonNumber(m.area) + "}";
        first = false;
    }
    out += "]}\n";
    return out;
}

std::string summaryText(const std::string& file, const ProjectSummary& s)
{
    std::string out = "File:       " + file + "\n";
    out += "Top level:  " + std::to_string(s.topLevel) + " entities\n";
    out += "Entities:  ";
    if (s.entities.empty()) {
        out += " none";
    }
    bool first = true;
    for (const auto& [name, n] : s.entities) {
        out += (first ? " " : ", ") + name + " " + std::to_string(n);
        first = false;
    }
    out += "\nNotes:      " + std::to_string(s.notes) + "\n";
    out += "Bounds:     " + (s.hasBounds ? textPoint(s.min) + " to " + textPoint(s.max) : std::string("none")) + "\n";
    out += "Materials:";
    out += s.materials.empty() ? " none\n" : "\n";
    char line[160];
    for (const MaterialArea& m : s.materials) {
        std::snprintf(line, sizeof line, "  %4d  %-32s %12.2f m2\n", m.number, m.name.c_str(), m.area);
        out += line;
    }
    return out;
}

}  // namespace app
