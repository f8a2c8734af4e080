// The six views.
#include "views/ViewSet.h"

#include "model/EntityExtent.h"
#include "views/ShapeCache.h"
#include "views/ViewPainting.h"

namespace views {

ViewSet::ViewSet(model::Document& doc, std::unique_ptr<Projection> view3d) : document(doc)
{
    // The frame gives each view the menu command that shows it.
    views_.push_back(std::make_unique<ViewWindow>(*this, std::make_unique<AUXILIARY>()));
    views_.push_back(std::make_unique<ViewWindow>(*this, std::make_unique<ASSONOMETRY>()));
    views_.push_back(std::make_unique<ViewWindow>(*this, std::make_unique<PLANT>()));
    views_.push_back(std::make_unique<ViewWindow>(*this, std::make_unique<FRONT>()));
    views_.push_back(std::make_unique<ViewWindow>(*this, std::make_unique<SIDE>()));
    if (!view3d) {
        view3d = std::make_unique<View3D>();
    }
    views_.push_back(std::make_unique<ViewWindow>(*this, std::move(view3d)));
    model::addEntityPainter(this);
    // The index round each source leaves room for its loudspeaker drawing.
    model::setSymbolReach(&symbolReach);
}

ViewSet::~ViewSet()
{
    model::removeEntityPainter(this);
}

ViewWindow& ViewSet::byId(int viewId) const
{
    for (const auto& v : views_) {
        if (v->is(viewId)) {
            return *v;
        }
    }
    return *views_.front();
}

ViewWindow* ViewSet::byCommand(int command) const
{
    for (const auto& v : views_) {
        if (v->command() == command) {
            return v.get();
        }
    }
    return nullptr;
}

AUXILIARY& ViewSet::auxiliary() const
{
    return static_cast<AUXILIARY&>(byId(viewId::Auxiliary).projection());
}

ASSONOMETRY& ViewSet::assonometry() const
{
    return static_cast<ASSONOMETRY&>(byId(viewId::Assonometry).projection());
}

void ViewSet::start()
{
    for (const auto& v : views_) {
        if (!v->is(viewId::View3D)) {
            v->setExtents({-10000, -10000}, {10000, 10000});
        }
        v->setScale(0.05);
    }
}

void ViewSet::repaintAll()
{
    for (const auto& v : views_) {
        v->repaint();
    }
}

void ViewSet::redraw(const model::Entity& entity)
{
    for (const auto& v : views_) {
        if (v->isVisible() && !v->is(viewId::View3D)) {
            drawEntity(entity, *v, v->native->drawContext());
        }
    }
}

}  // namespace views
