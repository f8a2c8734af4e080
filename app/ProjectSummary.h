// What `kcad info` reports about a model.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "geometry/X3DPoint.h"

namespace materials {
class MaterialList;
}
namespace model {
class Document;
class EntityList;
}  // namespace model

namespace app {

struct MaterialArea {
    int number = 0;
    std::string name;
    double area = 0.0;
};

struct ProjectSummary {
    // Every entity at every depth by class name (a wall's base face is a Face).
    std::map<std::string, long> entities;
    long topLevel = 0;
    long notes = 0;
    bool hasBounds = false;
    geometry::X3DPoint min;
    geometry::X3DPoint max;
    // Areas above zero, in number order, as the material-area summary adds them.
    std::vector<MaterialArea> materials;
};

ProjectSummary summarise(model::Document& doc, materials::MaterialList& list);

// Every entity at every depth of a list, counted by class name.
std::map<std::string, long> countByClass(const model::EntityList& list);

std::string summaryJson(const std::string& file, const ProjectSummary& s);
std::string summaryText(const std::string& file, const ProjectSummary& s);

}  // namespace app
