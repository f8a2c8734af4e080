// The directivity drawings, cached by file name (ignoring case); a file that
// cannot be read is remembered too, so it is tried once only.
#include "views/ShapeCache.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "textio/RealFormat.h"
#include "textio/TokenReader.h"

#ifndef KCAD_DATA_DIR
#define KCAD_DATA_DIR "data"
#endif

namespace views {

namespace {

struct NamedShape {
    std::string name;
    std::unique_ptr<model::EntityList> list;
};

std::vector<NamedShape>& shapes()
{
    static std::vector<NamedShape> cache;
    return cache;
}

std::FILE* openShapeFile(const std::string& file)
{
    if (std::FILE* f = std::fopen(file.c_str(), "rb")) {
        return f;
    }
    std::filesystem::path p(file);
    if (p.has_parent_path()) {
        return nullptr;
    }
    return std::fopen((std::filesystem::path(KCAD_DATA_DIR) / p).string().c_str(), "rb");
}

void readShape(const std::string& file, model::EntityList& list)
{
    if (file.empty()) {
        return;
    }
    std::FILE* f = openShapeFile(file);
    if (!f) {
        return;
    }
    textio::TokenReader in(f, 1 << 16);
    std::string_view line;
    while (in.readLine(line)) {
        if (textio::equalIgnoringCase(textio::trimmed(line), "EntityList")) {
            list.read(in);
            break;
        }
    }
    std::fclose(f);
}

}  // namespace

model::EntityList* shapeFor(const std::string& file)
{
    for (NamedShape& s : shapes()) {
        if (textio::equalIgnoringCase(s.name, file)) {
            return s.list->empty() ? nullptr : s.list.get();
        }
    }
    NamedShape entry{file.substr(0, 255), std::make_unique<model::EntityList>()};
    readShape(file, *entry.list);
    shapes().push_back(std::move(entry));
    model::EntityList* list = shapes().back().list.get();
    return list->empty() ? nullptr : list;
}

void clearShapes()
{
    shapes().clear();
}

}  // namespace views
