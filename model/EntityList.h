// The owning, ordered list of entities; itself an entity, so lists nest.
#pragma once

#include <memory>
#include <vector>

#include "model/Entity.h"
#include "model/EntityPool.h"

namespace model {

class EntityList;

// Told whenever the members of a list come or go, so that the model's
// spatial index keeps the list's box right.
class ListWatcher {
public:
    virtual ~ListWatcher() = default;
    virtual void listChanged(EntityList& list) = 0;
};

class EntityList : public Entity {
public:
    using Children = std::vector<std::unique_ptr<Entity>, EntityAllocator<std::unique_ptr<Entity>>>;

    EntityList() = default;

    bool isEqual(const Entity& other) const override;
    int typeCode() const override { return type::EntityList; }
    const char* className() const override { return "EntityList"; }

    void write(textio::TextWriter& out) const override;
    bool writeIfSelected(textio::TextWriter& out) const override;
    // The list body: records up to "End" or the end of the stream.
    bool read(textio::TokenReader& in) override;

    bool extendBounds(X3DPoint& min, X3DPoint& max) const override;
    bool snapToVertex(const ViewMapping& view, const ViewPoint& q, X3DPoint& out, double& distance) const override;
    bool pierce(const ViewMapping& view, const ViewPoint& q, double& depth) const override;
    Entity* pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter) override;
    bool selectInside(const Region& region) override;

    void mirrorThroughPoint(const X3DPoint& centre) override;
    void mirrorAcrossPlane(const X3DPlane& plane) override;
    void translate(const X3DVector& v) override;
    void scale(double factor) override;
    void rotate(const X3DLine& axis, const X3DAngle& angle) override;

    int translateIfSelected(const X3DVector& v) override;
    int mirrorThroughPointIfSelected(const X3DPoint& centre) override;
    int mirrorAcrossPlaneIfSelected(const X3DPlane& plane) override;
    int scaleIfSelected(double factor) override;
    int rotateIfSelected(const X3DLine& axis, const X3DAngle& angle) override;

    std::unique_ptr<Entity> clone() const override;

    // Ignored while the list is locked; otherwise every child, then the list.
    void setSelected(bool flag) override;
    void setLocked(bool flag) override;

    bool isValid() const override { return !children_.empty(); }
    // The properties loop over the selected entities, with apply-to-all.
    int editProperties(EntityEditor& editor, bool moreFollow) override;
    // The geometry loop over the selected entities.
    int editGeometry(EntityEditor& editor, bool moreFollow) override;

    int forEach(const EntityCallback& callback) override;
    int duplicateIfSelected(EntityList& target) override;

    // Takes ownership; the entity goes to the end (append) or the front.
    virtual void append(std::unique_ptr<Entity> entity);
    virtual void prepend(std::unique_ptr<Entity> entity);
    // Destroys the selected children; walls first delete their own selected
    // members (and mark themselves when their base face goes).
    virtual void deleteSelected();
    // Puts the entities at the head of the list, in the order given, at once
    // (a plain list's prepend of each, from the last to the first).
    virtual void prependAll(std::vector<std::unique_ptr<Entity>> entities);
    // Moves every child of `other` to the end of this list, in order.
    virtual void takeChildrenFrom(EntityList& other);

    // Starts from the +-1e9 sentinels; false (sentinels kept) when empty.
    bool bounds(X3DPoint& min, X3DPoint& max) const;
    virtual void clear();
    void copyFrom(const EntityList& other);
    // The first selected child, looking into walls (a wall itself is never
    // answered); other nested lists are answered whole. `holder` (if given)
    // gets the child of this list that is or holds it.
    Entity* firstSelected(Entity** holder = nullptr) const;
    // Locks every direct child that is selected.
    void lockSelection();

    std::size_t count() const { return children_.size(); }
    bool empty() const { return children_.empty(); }
    Entity* head() const { return children_.empty() ? nullptr : children_.front().get(); }
    Entity* tail() const { return children_.empty() ? nullptr : children_.back().get(); }
    const Children& children() const { return children_; }

    // Set by the model's index on the lists it holds; told of every change
    // of the members.
    ListWatcher* watcher = nullptr;

protected:
    void membersChanged()
    {
        if (watcher) {
            watcher->listChanged(*this);
        }
    }
    // A member of `holder`, a child of this list, was changed through its
    // own dialog (the properties and geometry loops).
    virtual void memberEdited(Entity& holder) {}

    // The records of a list: keyword, each child on a new line one level
    // deeper, "End" at the keyword's level.
    void writeList(textio::TextWriter& out, const char* keyword) const;
    // The clipboard form: keyword on a new line, the selected children, "End".
    void writeSelectedList(textio::TextWriter& out, const char* keyword) const;
    // The records up to "End"; fails (with one message for the whole input)
    // on a damaged record, a line too long or nesting too deep.
    bool readBody(textio::TokenReader& in);

    Children children_;

private:
    bool readRecords(textio::TokenReader& in);
};

// The entity as a list when it is one (plain lists, walls, note lists), else null.
inline EntityList* asList(Entity& e)
{
    int code = e.typeCode();
    return code == type::EntityList || code == type::Wall || code == type::InfoList ? static_cast<EntityList*>(&e)
                                                                                    : nullptr;
}

// True the first time a message about this input is due, so that one
// damaged file gives one message, not one per enclosing list.
bool firstReport(textio::TokenReader& in);
// Reports (once) a line too long for the reader; true when there was one.
bool reportTooLong(textio::TokenReader& in);
// "<token>: Unknown entity" (once), the token cut to a keyword's length.
void reportUnknown(textio::TokenReader& in, std::string_view token);

}  // namespace model
