// The model and its spatial index: keeping the index with every change of
// the entities, and answering the questions of the views through it.
#include <algorithm>
#include <cstdlib>

#include "model/Document.h"
#include "model/EntityExtent.h"

namespace model {

namespace {

// A pick hits within 4 pixels of an edge or point; points are truncated to
// their pixels, so within 5 pixels of the point the pixel stands for.
constexpr double pickReachPixels = 6.0;
// Pixels round a rectangle asked for, for the truncation of its own corners.
constexpr double rectanglePad = 2.0;

bool holdsNumbered(EntityList& list)
{
    for (const auto& child : list.children()) {
        int code = child->typeCode();
        if (code == type::Source || code == type::Receiver) {
            return true;
        }
        if (EntityList* inner = asList(*child); inner && holdsNumbered(*inner)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool Document::manyChanges(std::size_t n) const
{
    return n > std::max<std::size_t>(4096, children_.size() / 4);
}

const SpatialIndex& Document::spatialIndex() const
{
    if (!index_.built() || indexGeneration_ != symbolReachGeneration()) {
        std::vector<Entity*> inOrder;
        inOrder.reserve(children_.size());
        for (const auto& child : children_) {
            inOrder.push_back(child.get());
            if (EntityList* list = asList(*child)) {
                list->watcher = const_cast<Document*>(this);
            }
        }
        indexGeneration_ = symbolReachGeneration();
        index_.build(inOrder);
    }
    return index_;
}

void Document::indexAdded(Entity& e, bool atFront)
{
    if (EntityList* list = asList(e)) {
        list->watcher = this;
        // Sources and receivers inside a list are numbered at the next paint.
        if (numbered_ && holdsNumbered(*list)) {
            numbered_ = false;
        }
    }
    if (atFront) {
        numbered_ = false;
    }
    index_.insert(e, atFront);
    if (index_.wantsRebuild()) {
        index_.clear();
    }
}

void Document::entityChanged(Entity& e)
{
    index_.update(e);
    if (index_.wantsRebuild()) {
        index_.clear();
    }
}

void Document::listChanged(EntityList& list)
{
    entityChanged(list);
}

void Document::memberEdited(Entity& holder)
{
    entityChanged(holder);
}

void Document::deleteSelected()
{
    std::size_t selectedCount = 0;
    for (const auto& child : children_) {
        selectedCount += child->selected ? 1 : 0;
    }
    if (manyChanges(selectedCount)) {
        index_.clear();  // cheaper built again than taken apart
    }
    std::size_t kept = 0;
    std::size_t n = children_.size();
    for (std::size_t i = 0; i < n; ++i) {
        Entity* child = children_[i].get();
        if (child->typeCode() == type::Wall) {
            static_cast<EntityList*>(child)->deleteSelected();
        }
        if (child->selected) {
            index_.remove(*child);
            children_[i].reset();
        } else {
            if (kept != i) {
                children_[kept] = std::move(children_[i]);
            }
            ++kept;
        }
    }
    children_.resize(kept);
    if (kept != n) {
        numbered_ = false;
    }
    if (index_.wantsRebuild()) {
        index_.clear();
    }
}

template <typename Change>
int Document::changeSelected(Change change)
{
    int total = 0;
    std::vector<Entity*> changed;
    for (auto& child : children_) {
        int n = change(*child);
        if (n > 0) {
            total += n;
            changed.push_back(child.get());
        }
    }
    if (manyChanges(changed.size())) {
        index_.clear();
        return total;
    }
    for (Entity* e : changed) {
        index_.update(*e);
    }
    if (index_.wantsRebuild()) {
        index_.clear();
    }
    return total;
}

int Document::translateIfSelected(const X3DVector& v)
{
    return changeSelected([&](Entity& e) { return e.translateIfSelected(v); });
}

int Document::mirrorThroughPointIfSelected(const X3DPoint& centre)
{
    return changeSelected([&](Entity& e) { return e.mirrorThroughPointIfSelected(centre); });
}

int Document::mirrorAcrossPlaneIfSelected(const X3DPlane& plane)
{
    return changeSelected([&](Entity& e) { return e.mirrorAcrossPlaneIfSelected(plane); });
}

int Document::scaleIfSelected(double factor)
{
    return changeSelected([&](Entity& e) { return e.scaleIfSelected(factor); });
}

int Document::rotateIfSelected(const X3DLine& axis, const X3DAngle& angle)
{
    return changeSelected([&](Entity& e) { return e.rotateIfSelected(axis, angle); });
}

void Document::mirrorThroughPoint(const X3DPoint& centre)
{
    EntityList::mirrorThroughPoint(centre);
    geometryChanged();
}

void Document::mirrorAcrossPlane(const X3DPlane& plane)
{
    EntityList::mirrorAcrossPlane(plane);
    geometryChanged();
}

void Document::translate(const X3DVector& v)
{
    EntityList::translate(v);
    geometryChanged();
}

void Document::scale(double factor)
{
    EntityList::scale(factor);
    geometryChanged();
}

void Document::rotate(const X3DLine& axis, const X3DAngle& angle)
{
    EntityList::rotate(axis, angle);
    geometryChanged();
}

bool Document::snapToVertex(const ViewMapping& view, const ViewPoint& q, X3DPoint& out, double& distance) const
{
    ViewFrame f;
    if (!view.frame(f) || !(distance > 0.0)) {
        return EntityList::snapToVertex(view, q, out, distance);
    }
    std::vector<Entity*> found;
    spatialIndex().atPoint(f.axes, q.u, q.v, distance, found);
    bool any = false;
    for (Entity* e : found) {
        any = e->snapToVertex(view, q, out, distance) || any;
    }
    return any;
}

bool Document::pierce(const ViewMapping& view, const ViewPoint& q, double& depth) const
{
    ViewFrame f;
    if (!view.frame(f)) {
        return EntityList::pierce(view, q, depth);
    }
    std::vector<Entity*> found;
    spatialIndex().atPoint(f.axes, q.u, q.v, 0.0, found);
    bool any = false;
    for (Entity* e : found) {
        any = e->pierce(view, q, depth) || any;
    }
    return any;
}

Entity* Document::pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter)
{
    ViewFrame f;
    if (!view.frame(f) || !(f.metresPerPixel > 0.0) || std::abs(p.x) > f.pixelReach || std::abs(p.y) > f.pixelReach) {
        return EntityList::pickToggle(view, p, typeFilter);
    }
    double s = f.metresPerPixel;
    std::vector<Entity*> found;
    spatialIndex().atPoint(f.axes, f.origin.u + p.x * s, f.origin.v - p.y * s, pickReachPixels * s, found);
    // The first that answers, in list order: what toggled off lets the
    // next one under the pointer have its turn, as with the whole list.
    for (Entity* e : found) {
        if (Entity* picked = e->pickToggle(view, p, typeFilter)) {
            return picked;
        }
    }
    return nullptr;
}

bool Document::selectInside(const Region& region)
{
    std::vector<Entity*> found;
    spatialIndex().inRegion(region, found);
    bool any = false;
    for (Entity* e : found) {
        any = e->selectInside(region) || any;
    }
    return any;
}

namespace {

// What the index says may draw inside the parts of a linear view, in list
// order; every child when the view is not linear.
void drawnIn(const SpatialIndex& index, const EntityList::Children& children, const ViewMapping& view,
             const std::vector<ui::PixelRect>& parts, std::vector<Entity*>& out)
{
    ViewFrame f;
    bool linear = view.frame(f) && f.metresPerPixel > 0.0;
    for (const ui::PixelRect& r : parts) {
        linear = linear &&
                 std::max({std::abs(r.left), std::abs(r.right), std::abs(r.top), std::abs(r.bottom)}) < f.pixelReach;
    }
    if (!linear) {
        out.clear();
        out.reserve(children.size());
        for (const auto& child : children) {
            out.push_back(child.get());
        }
        return;
    }
    double s = f.metresPerPixel;
    std::vector<ViewRect> rects;
    for (const ui::PixelRect& r : parts) {
        ViewRect rect;
        rect.uMin = f.origin.u + (r.left - rectanglePad) * s;
        rect.uMax = f.origin.u + (r.right + rectanglePad) * s;
        rect.vMin = f.origin.v - (r.bottom + rectanglePad) * s;
        rect.vMax = f.origin.v - (r.top - rectanglePad) * s;
        rects.push_back(rect);
    }
    index.inRects(f.axes, rects, s, rectanglePad, out);
}

}  // namespace

void Document::entitiesIn(const ViewMapping& view, const std::vector<ui::PixelRect>& parts,
                          std::vector<Entity*>& out) const
{
    ViewFrame f;
    if (!view.frame(f)) {
        drawnIn(index_, children_, view, parts, out);  // every child: no index needed
        return;
    }
    drawnIn(spatialIndex(), children_, view, parts, out);
}

void Document::baseMapIn(const ViewMapping& view, const std::vector<ui::PixelRect>& parts,
                         std::vector<Entity*>& out) const
{
    if (!baseMapIndex_.built() || baseMapGeneration_ != symbolReachGeneration()) {
        std::vector<Entity*> inOrder;
        inOrder.reserve(baseMap.count());
        for (const auto& child : baseMap.children()) {
            inOrder.push_back(child.get());
        }
        baseMapGeneration_ = symbolReachGeneration();
        baseMapIndex_.build(inOrder);
    }
    drawnIn(baseMapIndex_, baseMap.children(), view, parts, out);
}

}  // namespace model
