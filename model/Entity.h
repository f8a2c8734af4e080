// The common interface of everything the user draws: faces, walls, openings,
// sources, receivers, rays, segments, notes, and the lists that hold them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "geometry/X3DAngle.h"
#include "geometry/X3DLine.h"
#include "geometry/X3DPlane.h"
#include "geometry/X3DPoint.h"
#include "model/TypeCodes.h"
#include "model/ViewMapping.h"
#include "textio/RealFormat.h"
#include "ui/Colour.h"

namespace textio {
class TextWriter;
class TokenReader;
}  // namespace textio

namespace model {

using geometry::X3DAngle;
using geometry::X3DLine;
using geometry::X3DPlane;
using geometry::X3DPoint;
using geometry::X3DVector;

class Entity;
class EntityList;
class EntityEditor;

// Applied to every entity that is not a list; the results are summed.
using EntityCallback = std::function<int(Entity&)>;

class Entity {
public:
    bool selected = false;
    bool locked = false;  // a locked entity is never selected
    // The entity's entry in the spatial index of the model that holds it
    // (meaningless elsewhere; it fills what would be padding).
    std::uint32_t indexSlot = 0xffffffffu;

    Entity() = default;
    virtual ~Entity() = default;

    // Entities live in the entity pool (see EntityPool.h).
    static void* operator new(std::size_t size);
    static void operator delete(void* p, std::size_t size);
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;

    virtual bool isEqual(const Entity& other) const = 0;
    virtual int typeCode() const { return type::Entity; }
    virtual const char* className() const = 0;

    // The project-file record (no leading line break; lists indent their own).
    virtual void write(textio::TextWriter& out) const = 0;
    // The clipboard form: the record on a new indented line if selected.
    virtual bool writeIfSelected(textio::TextWriter& out) const;
    // The fields after the record's keyword; false when the stream failed.
    virtual bool read(textio::TokenReader& in) = 0;

    virtual bool extendBounds(X3DPoint& min, X3DPoint& max) const = 0;

    // Operations in a view. Snapping: the vertex whose projection lies
    // nearest to q, if nearer than `distance` (view-plane metres, updated).
    virtual bool snapToVertex(const ViewMapping& view, const ViewPoint& q, X3DPoint& out, double& distance) const = 0;
    // Where the line of sight through q meets the entity, if deeper than
    // `depth` (updated); true when it meets it at all.
    virtual bool pierce(const ViewMapping& view, const ViewPoint& q, double& depth) const { return false; }
    // Toggles the selection of what lies under the pixel and redraws it;
    // answers the entity when it is now selected. A non-zero filter passes
    // only entities of that type code.
    virtual Entity* pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter) = 0;
    // Selects (and redraws) what lies inside the region; true if anything does.
    virtual bool selectInside(const Region& region) = 0;

    virtual void mirrorThroughPoint(const X3DPoint& centre) = 0;
    virtual void mirrorAcrossPlane(const X3DPlane& plane) = 0;
    virtual void translate(const X3DVector& v) = 0;
    virtual void scale(double factor) = 0;
    virtual void rotate(const X3DLine& axis, const X3DAngle& angle) = 0;

    virtual int translateIfSelected(const X3DVector& v);
    virtual int mirrorThroughPointIfSelected(const X3DPoint& centre);
    virtual int mirrorAcrossPlaneIfSelected(const X3DPlane& plane);
    virtual int scaleIfSelected(double factor);
    virtual int rotateIfSelected(const X3DLine& axis, const X3DAngle& angle);

    // Grey when locked, cyan when selected, black otherwise.
    virtual ui::Colour drawColour() const;
    // Every class answers its own code at every level.
    int typeCodeAt(int level) const { return typeCode(); }

    // A deep, unselected and unlocked copy; null for kinds that are never copied.
    virtual std::unique_ptr<Entity> clone() const { return nullptr; }

    // Paints this entity again in every view.
    void redraw() const;

    virtual void setSelected(bool flag);
    virtual void setLocked(bool flag);

    virtual bool isValid() const = 0;
    // The entity's own dialog; `moreFollow` tells whether other selected
    // entities wait after it. 0 cancelled, 1 OK, 2 OK and the same for all.
    virtual int editProperties(EntityEditor& editor, bool moreFollow) = 0;
    virtual int editGeometry(EntityEditor& editor, bool moreFollow) { return editProperties(editor, moreFollow); }

    virtual int forEach(const EntityCallback& callback);
    // A selected entity hands a clone to target; answers how many it added.
    virtual int duplicateIfSelected(EntityList& target);
};

// Coordinates beyond this are treated as damage: they never enter the model,
// since bounds start from +-1e9 sentinels and views could not show them.
constexpr double coordinateLimit = 1e9;

bool isSaneCoordinate(double v);
// Reads x y z; false (and the reader marked failed) unless all three are sane.
bool readPoint(textio::TokenReader& in, X3DPoint& p);
void writePoint(textio::TextWriter& out, const X3DPoint& p);

// The upper-case form of a class name, as the messages show it ("WALL").
std::string upperName(std::string_view name);
using textio::equalIgnoringCase;

}  // namespace model
