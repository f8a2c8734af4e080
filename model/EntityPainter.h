// How the model asks the open views to paint one entity, without knowing them.
#pragma once

namespace model {

class Entity;

class EntityPainter {
public:
    virtual ~EntityPainter() = default;
    // Paints the entity in every view whose window exists.
    virtual void redraw(const Entity& entity) = 0;
};

// The views install their painter; with none installed redraw does nothing.
// Painters stack: the latest one installed paints, and removing it (in any
// order) brings back the one before.
EntityPainter* entityPainter();
void addEntityPainter(EntityPainter* painter);
void removeEntityPainter(EntityPainter* painter);

}  // namespace model
