// Entity list: bulk operations over the children, in order.
#include "model/EntityList.h"

#include <new>

#include "materials/Material.h"
#include "model/EntityEditor.h"
#include "model/EntityFactory.h"
#include "model/Face.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/Platform.h"

namespace model {

bool EntityList::isEqual(const Entity& other) const
{
    const auto* list = dynamic_cast<const EntityList*>(&other);
    if (!list || list->children_.size() != children_.size()) {
        return false;
    }
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (!children_[i]->isEqual(*list->children_[i])) {
            return false;
        }
    }
    return true;
}

void EntityList::writeList(textio::TextWriter& out, const char* keyword) const
{
    out.put(keyword);
    int depth = out.depth;
    out.depth = depth + 1;
    for (const auto& child : children_) {
        out.newLine(depth + 1);
        child->write(out);
    }
    out.depth = depth;
    out.newLine(depth);
    out.put("End");
}

void EntityList::write(textio::TextWriter& out) const
{
    writeList(out, "EntityList");
}

void EntityList::writeSelectedList(textio::TextWriter& out, const char* keyword) const
{
    int depth = out.depth;
    out.newLine(depth);
    out.put(keyword);
    out.depth = depth + 1;
    for (const auto& child : children_) {
        child->writeIfSelected(out);
    }
    out.depth = depth;
    out.newLine(depth);
    out.put("End");
}

bool EntityList::writeIfSelected(textio::TextWriter& out) const
{
    writeSelectedList(out, className());
    return false;
}

bool EntityList::read(textio::TokenReader& in)
{
    return readBody(in);
}

namespace {

// Deeper nesting than any drawing needs, well within the stack.
constexpr int maxReadDepth = 1000;

}  // namespace

bool firstReport(textio::TokenReader& in)
{
    bool first = !in.reported;
    in.reported = true;
    return first;
}

bool reportTooLong(textio::TokenReader& in)
{
    if (!in.tooLong()) {
        return false;
    }
    if (firstReport(in)) {
        ui::errorBox("Line %llu is longer than %llu MB: reading stops there",
                     static_cast<unsigned long long>(in.line()), static_cast<unsigned long long>(in.maxSpan() >> 20));
    }
    return true;
}

void reportUnknown(textio::TokenReader& in, std::string_view token)
{
    if (firstReport(in)) {
        // A keyword has at most 63 characters: more is damage, not a name.
        std::string shown(token.substr(0, 63));
        if (token.size() > 63) {
            shown += "...";
        }
        ui::errorBox("%s: Unknown entity", shown.c_str());
    }
}

bool EntityList::readBody(textio::TokenReader& in)
{
    if (in.depth >= maxReadDepth) {
        if (firstReport(in)) {
            ui::errorBox("Lists are nested more than %d deep at line %llu: reading stops there", maxReadDepth,
                         static_cast<unsigned long long>(in.line()));
        }
        return false;
    }
    ++in.depth;
    bool ok = readRecords(in);
    --in.depth;
    return ok;
}

bool EntityList::readRecords(textio::TokenReader& in)
{
    try {
        for (;;) {
            std::string_view token = in.token();
            if (reportTooLong(in)) {
                return false;
            }
            if (token.empty()) {
                in.endedInList = true;
                return true;
            }
            if (equalIgnoringCase(token, "End")) {
                return true;
            }
            std::unique_ptr<Entity> entity = createEntity(token);
            if (!entity) {
                std::string_view skipped;
                in.readLine(skipped);
                continue;
            }
            std::uint64_t line = in.line();
            if (!entity->read(in)) {
                // A plain record says where the file is damaged, so the user
                // is never left guessing why the model stops short; lists
                // report their own failure.
                if (!reportTooLong(in) && !dynamic_cast<EntityList*>(entity.get()) && firstReport(in)) {
                    ui::errorBox("Can't read a %s at line %llu", upperName(entity->className()).c_str(),
                                 static_cast<unsigned long long>(line));
                }
                return false;
            }
            if (!entity->isValid()) {
                continue;
            }
            append(std::move(entity));
            if (children_.size() % 1024 == 0) {
                ui::pumpEvents();
            }
        }
    } catch (const std::bad_alloc&) {
        if (firstReport(in)) {
            ui::errorBox("Out of memory");
        }
        return false;
    }
}

bool EntityList::extendBounds(X3DPoint& min, X3DPoint& max) const
{
    bool any = false;
    for (const auto& child : children_) {
        any = child->extendBounds(min, max) || any;
    }
    return any;
}

bool EntityList::snapToVertex(const ViewMapping& view, const ViewPoint& q, X3DPoint& out, double& distance) const
{
    bool found = false;
    for (const auto& child : children_) {
        found = child->snapToVertex(view, q, out, distance) || found;
    }
    return found;
}

bool EntityList::pierce(const ViewMapping& view, const ViewPoint& q, double& depth) const
{
    bool any = false;
    for (const auto& child : children_) {
        any = child->pierce(view, q, depth) || any;
    }
    return any;
}

Entity* EntityList::pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter)
{
    for (const auto& child : children_) {
        if (Entity* picked = child->pickToggle(view, p, typeFilter)) {
            return picked;
        }
    }
    return nullptr;
}

bool EntityList::selectInside(const Region& region)
{
    bool any = false;
    for (const auto& child : children_) {
        any = child->selectInside(region) || any;
    }
    return any;
}

void EntityList::mirrorThroughPoint(const X3DPoint& centre)
{
    for (auto& child : children_) {
        child->mirrorThroughPoint(centre);
    }
}

void EntityList::mirrorAcrossPlane(const X3DPlane& plane)
{
    for (auto& child : children_) {
        child->mirrorAcrossPlane(plane);
    }
}

void EntityList::translate(const X3DVector& v)
{
    for (auto& child : children_) {
        child->translate(v);
    }
}

void EntityList::scale(double factor)
{
    for (auto& child : children_) {
        child->scale(factor);
    }
}

void EntityList::rotate(const X3DLine& axis, const X3DAngle& angle)
{
    for (auto& child : children_) {
        child->rotate(axis, angle);
    }
}

int EntityList::translateIfSelected(const X3DVector& v)
{
    int n = 0;
    for (auto& child : children_) {
        n += child->translateIfSelected(v);
    }
    return n;
}

int EntityList::mirrorThroughPointIfSelected(const X3DPoint& centre)
{
    int n = 0;
    for (auto& child : children_) {
        n += child->mirrorThroughPointIfSelected(centre);
    }
    return n;
}

int EntityList::mirrorAcrossPlaneIfSelected(const X3DPlane& plane)
{
    int n = 0;
    for (auto& child : children_) {
        n += child->mirrorAcrossPlaneIfSelected(plane);
    }
    return n;
}

int EntityList::scaleIfSelected(double factor)
{
    int n = 0;
    for (auto& child : children_) {
        n += child->scaleIfSelected(factor);
    }
    return n;
}

int EntityList::rotateIfSelected(const X3DLine& axis, const X3DAngle& angle)
{
    int n = 0;
    for (auto& child : children_) {
        n += child->rotateIfSelected(axis, angle);
    }
    return n;
}

std::unique_ptr<Entity> EntityList::clone() const
{
    auto copy = std::make_unique<EntityList>();
    copy->copyFrom(*this);
    return copy;
}

void EntityList::setSelected(bool flag)
{
    if (locked) {
        return;
    }
    for (auto& child : children_) {
        child->setSelected(flag);
    }
    selected = flag;
}

void EntityList::setLocked(bool flag)
{
    for (auto& child : children_) {
        child->setLocked(flag);
    }
    Entity::setLocked(flag);
}

namespace {

bool carriesMaterial(const Entity& e)
{
    return e.typeCode() == type::Face || e.typeCode() == type::Door;
}

// Takes the first selected entity off the selection; a flag that will not
// clear (a locked entity marked selected) is cleared by force, so the loops
// below always end.
Entity* takeFirstSelected(EntityList& list, Entity*& holder)
{
    Entity* e = list.firstSelected(&holder);
    if (e) {
        e->setSelected(false);
        e->selected = false;
        e->redraw();
    }
    return e;
}

}  // namespace

int EntityList::editProperties(EntityEditor& editor, bool)
{
    bool anyOk = false;
    bool applyToAll = false;
    materials::Material remembered;
    Entity* holder = nullptr;
    while (Entity* e = takeFirstSelected(*this, holder)) {
        if (applyToAll) {
            if (carriesMaterial(*e)) {
                static_cast<Face*>(e)->material = remembered;
                e->redraw();
            }
            continue;
        }
        int result = e->editProperties(editor, firstSelected() != nullptr);
        if (result == 0) {
            break;
        }
        anyOk = true;
        memberEdited(*holder);
        if (result > 1 && carriesMaterial(*e)) {
            remembered = static_cast<Face*>(e)->material;
            applyToAll = true;
        }
    }
    return anyOk ? 1 : 0;
}

int EntityList::editGeometry(EntityEditor& editor, bool)
{
    bool anyOk = false;
    Entity* holder = nullptr;
    while (Entity* e = takeFirstSelected(*this, holder)) {
        if (e->editGeometry(editor, firstSelected() != nullptr) == 0) {
            break;
        }
        anyOk = true;
        memberEdited(*holder);
    }
    return anyOk ? 1 : 0;
}

int EntityList::forEach(const EntityCallback& callback)
{
    int n = 0;
    for (auto& child : children_) {
        n += child->forEach(callback);
    }
    return n;
}

int EntityList::duplicateIfSelected(EntityList& target)
{
    // The target may be this very list: only the children present at the
    // start are asked, and by index, since appending moves the storage.
    int n = 0;
    std::size_t original = children_.size();
    for (std::size_t i = 0; i < original; ++i) {
        n += children_[i]->duplicateIfSelected(target);
    }
    return n;
}

void EntityList::append(std::unique_ptr<Entity> entity)
{
    children_.push_back(std::move(entity));
    membersChanged();
}

void EntityList::prepend(std::unique_ptr<Entity> entity)
{
    children_.insert(children_.begin(), std::move(entity));
    membersChanged();
}

void EntityList::prependAll(std::vector<std::unique_ptr<Entity>> entities)
{
    children_.insert(children_.begin(), std::make_move_iterator(entities.begin()),
                     std::make_move_iterator(entities.end()));
    membersChanged();
}

void EntityList::takeChildrenFrom(EntityList& other)
{
    for (auto& child : other.children_) {
        // A list leaves the index of the model it came from.
        if (EntityList* list = asList(*child)) {
            list->watcher = nullptr;
        }
        children_.push_back(std::move(child));
    }
    // The other list is emptied through its own clear, so that a model
    // forgets its index of what it held.
    other.children_.clear();
    other.clear();
    membersChanged();
}

void EntityList::deleteSelected()
{
    std::size_t before = children_.size();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < children_.size(); ++i) {
        Entity* child = children_[i].get();
        if (child->typeCode() == type::Wall) {
            static_cast<EntityList*>(child)->deleteSelected();
        }
        if (child->selected) {
            children_[i].reset();
        } else {
            if (kept != i) {
                children_[kept] = std::move(children_[i]);
            }
            ++kept;
        }
    }
    children_.resize(kept);
    if (kept != before) {
        membersChanged();
    }
}

bool EntityList::bounds(X3DPoint& min, X3DPoint& max) const
{
    min = X3DPoint(1e9, 1e9, 1e9);
    max = X3DPoint(-1e9, -1e9, -1e9);
    return extendBounds(min, max);
}

void EntityList::clear()
{
    if (!children_.empty()) {
        children_.clear();
        membersChanged();
    }
}

void EntityList::copyFrom(const EntityList& other)
{
    clear();
    for (const auto& child : other.children_) {
        if (auto copy = child->clone()) {
            append(std::move(copy));
        }
    }
}

Entity* EntityList::firstSelected(Entity** holder) const
{
    for (const auto& child : children_) {
        Entity* found = nullptr;
        if (child->typeCode() == type::Wall) {
            found = static_cast<const EntityList*>(child.get())->firstSelected();
        } else if (child->selected) {
            found = child.get();
        }
        if (found) {
            if (holder) {
                *holder = child.get();
            }
            return found;
        }
    }
    return nullptr;
}

void EntityList::lockSelection()
{
    for (auto& child : children_) {
        if (child->selected) {
            child->setLocked(true);
        }
    }
}

}  // namespace model
