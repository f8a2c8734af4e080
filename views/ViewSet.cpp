// The six views.
#include "views/ViewSet.h"

#include "views/ViewPainting.h"

namespace views {

namespace {
// The menu commands that show and hide each view, in the frame's order.
constexpr int auxiliaryCommand = 300;
constexpr int assonometryCommand = 301;
constexpr int plantCommand = 302;
constexpr int sideCommand = 303;
constexpr int frontCommand = 304;
constexpr int view3DCommand = 305;
}  // namespace

ViewSet::ViewSet(model::Document& doc) : document(doc)
{
    views_.push_back(std::make_unique<ViewWindow>(*this, std::make_unique<AUXILIARY>(), auxiliaryCommand));
    views_.push_back(std::make_unique<ViewWindow>(*this, std::make_unique<ASSONOMETRY>(), assonometryCommand));
    views_.push_back(std::make_unique<ViewWindow>(*this, std::make_unique<PLANT>(), plantCommand));
    views_.push_back(std::make_unique<ViewWindow>(*this, std::make_unique<FRONT>(), frontCommand));
    views_.push_back(std::make_unique<ViewWindow>(*this, std::make_unique<SIDE>(), sideCommand));
    views_.push_back(std::make_unique<ViewWindow>(*this, std::make_unique<View3D>(), view3DCommand));
    model::addEntityPainter(this);
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
        if (!v->is(viewId::View3D) && v->isVisible()) {
            drawEntity(entity, *v, v->native->drawContext());
        }
    }
}

}  // namespace views
