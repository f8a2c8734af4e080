// The model object.
#include "model/Document.h"

#include "materials/MaterialList.h"
#include "model/EntityPainter.h"
#include "model/Face.h"
#include "model/Receiver.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/Platform.h"

namespace model {

Document::Document()
{
    baseMap.selected = false;
    baseMap.watcher = &baseMapWatcher_;
}

Document::~Document()
{
    // The children outlive the indexes by a moment: they must not tell them.
    baseMap.watcher = nullptr;
    for (auto& child : children_) {
        if (EntityList* list = asList(*child)) {
            list->watcher = nullptr;
        }
    }
}

void Document::setModified(bool flag)
{
    ++changes_;
    modified_ = flag;
    scene.reset();
    if (onModifiedChanged) {
        onModifiedChanged(flag);
    }
}

void Document::number(Entity& e)
{
    if (e.typeCode() == type::Source) {
        static_cast<Receiver&>(e).number = ++sourceCount_;
    } else if (e.typeCode() == type::Receiver) {
        static_cast<Receiver&>(e).number = ++receiverCount_;
    }
}

void Document::adopted(Entity& e, bool atFront)
{
    indexAdded(e, atFront);
    number(e);
    if (autoDraw) {
        setModified(true);
        e.redraw();
    }
}

void Document::append(std::unique_ptr<Entity> entity)
{
    Entity& e = *entity;
    EntityList::append(std::move(entity));
    adopted(e, false);
}

void Document::prepend(std::unique_ptr<Entity> entity)
{
    Entity& e = *entity;
    EntityList::prepend(std::move(entity));
    adopted(e, true);
}

void Document::prependAll(std::vector<std::unique_ptr<Entity>> entities)
{
    std::size_t n = entities.size();
    EntityList::prependAll(std::move(entities));
    for (std::size_t i = n; i-- > 0;) {
        indexAdded(*children_[i], true);
    }
}

void Document::takeChildrenFrom(EntityList& other)
{
    std::size_t first = children_.size();
    EntityList::takeChildrenFrom(other);
    for (std::size_t i = first; i < children_.size(); ++i) {
        indexAdded(*children_[i], false);
    }
    numbered_ = false;
}

void Document::clear()
{
    EntityList::clear();
    index_.clear();
    sourceCount_ = 0;
    receiverCount_ = 0;
    numbered_ = true;
}

void Document::clearEntities()
{
    ++changes_;
    clear();
}

void Document::renumber()
{
    sourceCount_ = 0;
    receiverCount_ = 0;
    forEach([this](Entity& e) {
        number(e);
        return 0;
    });
    numbered_ = true;
}

void Document::renumberIfNeeded()
{
    if (!numbered_) {
        renumber();
    }
}

bool Document::extendBounds(X3DPoint& min, X3DPoint& max) const
{
    bool any = EntityList::extendBounds(min, max);
    if (baseMap.selected) {
        any = baseMap.extendBounds(min, max) || any;
    }
    return any;
}

void Document::write(textio::TextWriter& out) const
{
    out.setPrecision(12);
    out.depth = 0;
    {
        ui::ProgressBar progress(children_.size());
        out.put("EntityList");
        out.depth = 1;
        for (const auto& child : children_) {
            out.newLine(1);
            child->write(out);
            progress.step();
        }
        out.depth = 0;
        out.put("\nEnd\n");
    }
    notes.write(out);
    out.put('\n');

    materials::MaterialList& list = materials::materialList();
    list.clearUsed();
    int used = const_cast<Document*>(this)->forEach([&list](Entity& e) {
        if (e.typeCode() == type::Face || e.typeCode() == type::Door) {
            list.markUsed(static_cast<Face&>(e).material.number);
            return 1;
        }
        return 0;
    });
    if (used != 0) {
        list.writeUsed(out);
    }
}

bool Document::writeIfSelected(textio::TextWriter& out) const
{
    out.depth = 0;
    out.put("EntityList");
    out.depth = 1;
    for (const auto& child : children_) {
        child->writeIfSelected(out);
    }
    out.depth = 0;
    out.put("\nEnd\n");
    return false;
}

bool Document::read(textio::TokenReader& in)
{
    if (!readBody(in)) {
        return false;
    }
    std::string_view token = in.token();
    if (reportTooLong(in)) {
        return false;
    }
    if (token.empty()) {
        return true;
    }
    if (equalIgnoringCase(token, "InfoList")) {
        return notes.read(in);
    }
    reportUnknown(in, token);
    return false;
}

}  // namespace model
