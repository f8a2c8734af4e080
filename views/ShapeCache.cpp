// The directivity drawings, cached by file name (ignoring case); a file that
// cannot be read is remembered too, so it is tried once only.
#include "views/ShapeCache.h"

#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

#include "model/EntityExtent.h"
#include "model/Source.h"
#include "textio/InputFile.h"
#include "textio/RealFormat.h"
#include "textio/TokenReader.h"
#include "ui/DataFolder.h"
#include "ui/Installed.h"
#include "ui/Platform.h"

namespace views {

namespace {

using NamedShape = ShapeCache::Entry;

std::vector<NamedShape>& shapes()
{
    return ui::installed<ShapeCache>().entries;
}

// A loudspeaker drawing is a few hundred faces; a bigger file is not one.
constexpr std::uint64_t maxShapeBytes = 16 << 20;
constexpr const char* omniFile = "omni.spk";

textio::InputFile openShapeFile(const std::string& file)
{
    textio::InputFile f = textio::openInputFile(file, maxShapeBytes);
    std::filesystem::path p(file);
    if (f.error == textio::InputError::Missing && !p.has_parent_path()) {
        return textio::openInputFile((std::filesystem::path(ui::dataFolder()) / p).string(), maxShapeBytes);
    }
    return f;
}

enum class ShapeRead { Read, Missing, Failed };

ShapeRead readShape(const std::string& file, model::EntityList& list)
{
    if (file.empty()) {
        return ShapeRead::Missing;
    }
    textio::InputFile f = openShapeFile(file);
    if (!f) {
        return f.error == textio::InputError::Missing ? ShapeRead::Missing : ShapeRead::Failed;
    }
    textio::TokenReader in(f.get(), 1 << 16);
    // Drawings are read while views paint: a damaged one must not open
    // message boxes in the middle of a paint, so the reader stays quiet and
    // the caller says what happened in the status line.
    in.reported = true;
    std::string_view line;
    while (in.readLine(line)) {
        if (textio::equalIgnoringCase(textio::trimmed(line), "EntityList")) {
            if (!list.read(in)) {
                list.clear();
                return ShapeRead::Failed;
            }
            break;
        }
    }
    return (in.tooLong() || in.ioError()) ? ShapeRead::Failed : ShapeRead::Read;
}

// The entry of the file, read now if it is new. A drawing that cannot be
// read leaves its message for the first time it is drawn.
NamedShape& entryFor(const std::string& file)
{
    for (NamedShape& s : shapes()) {
        if (textio::equalIgnoringCase(s.name, file)) {
            return s;
        }
    }
    NamedShape entry{file.substr(0, 255), std::make_unique<model::EntityList>(), -1.0, {}};
    ShapeRead result = readShape(file, *entry.list);
    if (result == ShapeRead::Failed && !textio::equalIgnoringCase(file, omniFile)) {
        // A drawing that is there but cannot be read: the source still shows
        // where it points, with the plain loudspeaker.
        entry.message = "Can't read the loudspeaker drawing " + file + ": it is drawn as " + omniFile;
        NamedShape& omni = entryFor(omniFile);
        if (!omni.list->empty()) {
            entry.list->copyFrom(*omni.list);
        }
    }
    shapes().push_back(std::move(entry));
    return shapes().back();
}

}  // namespace

model::EntityList* shapeFor(const std::string& file)
{
    NamedShape& entry = entryFor(file);
    if (!entry.message.empty()) {
        ui::showStatus(entry.message);
        entry.message.clear();
    }
    return entry.list->empty() ? nullptr : entry.list.get();
}

void clearShapes()
{
    shapes().clear();
    model::symbolReachChanged();
}

double symbolReach(const model::Entity& e)
{
    if (e.typeCode() != model::type::Source) {
        return 0.0;
    }
    NamedShape& s = entryFor(static_cast<const model::Source&>(e).directivity);
    if (s.reach < 0.0) {
        // The drawing turns about the source's point and may point any way:
        // the farthest corner of its box from its origin bounds it.
        geometry::X3DPoint min;
        geometry::X3DPoint max;
        s.reach = 0.0;
        if (s.list->bounds(min, max)) {
            double x = std::max(std::fabs(min.x), std::fabs(max.x));
            double y = std::max(std::fabs(min.y), std::fabs(max.y));
            double z = std::max(std::fabs(min.z), std::fabs(max.z));
            s.reach = std::sqrt(x * x + y * y + z * z);
        }
    }
    return s.reach;
}

}  // namespace views
