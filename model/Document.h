// The model: the one document of the program, a list that also keeps the
// project notes, the base map, grid and undo state, and the derived 3-D scene.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "model/EntityList.h"
#include "model/InfoList.h"
#include "model/SpatialIndex.h"
#include "ui/PixelRect.h"

namespace model {

// Data derived from the model (the 3-D scene); dropped whenever the model's
// modified flag is set or cleared, and built again when next needed.
class DerivedData {
public:
    virtual ~DerivedData() = default;
};

class Document : public EntityList, private ListWatcher {
public:
    Document();
    ~Document() override;

    // The model answers the list's class name.
    const char* className() const override { return "EntityList"; }

    bool modified() const { return modified_; }
    // Sets or clears the mark, drops the derived scene and tells the frame.
    void setModified(bool flag);
    std::function<void(bool)> onModifiedChanged;
    // Counts every setting or clearing of the mark and every clearing of the
    // model: equal counts mean the model has not changed in between.
    std::uint64_t changes() const { return changes_; }

    bool gridShown = true;
    bool axesShown = true;
    bool undoEnabled = true;
    double gridStep() const { return gridStep_; }
    // Never below 1 mm.
    void setGridStep(double step) { gridStep_ = step < 0.001 ? 0.001 : step; }

    int undoPosition = 0;
    int undoTop = 0;

    // Off while a file is loaded: appended entities are then neither drawn
    // nor mark the model modified.
    bool autoDraw = true;

    InfoList notes;

    // Background geometry under the plan view; its own selected flag says
    // whether it is shown.
    std::string baseMapFile;
    X3DPoint baseMapOffset;
    double baseMapScale = 1.0;
    EntityList baseMap;

    std::unique_ptr<DerivedData> scene;

    // Numbers sources and receivers, then draws and marks modified while
    // autoDraw is on.
    void append(std::unique_ptr<Entity> entity) override;
    void prepend(std::unique_ptr<Entity> entity) override;
    void prependAll(std::vector<std::unique_ptr<Entity>> entities) override;
    void takeChildrenFrom(EntityList& other) override;
    // Empties the model and restarts the numbering.
    void clear() override;
    // Empties the model and restarts the numbering (the views repaint).
    void clearEntities();
    // Numbers every source and receiver from 1 again, in list order.
    void renumber();
    // The same, only when something since the last numbering may have
    // changed the numbers (a deletion, an entity put in front, a list).
    void renumberIfNeeded();

    // The spatial index over the entities, (re)built when first needed.
    const SpatialIndex& spatialIndex() const;
    // An entity of the model changed in place by other means than the
    // model's own operations (a tool editing it after adding it): its place
    // in the index is taken again. Changes through the model's operations
    // (append, delete, the transformations, the properties and geometry
    // loops, the members of a wall) need no call.
    void entityChanged(Entity& e);
    // Everything may have moved (a change the model cannot follow entity by
    // entity): the index is built again when next needed.
    void geometryChanged() { index_.clear(); }
    // The entities, in list order, that may draw inside the pixel rectangle
    // of the view: all of them when the view is not linear.
    void entitiesIn(const ViewMapping& view, const std::vector<ui::PixelRect>& parts, std::vector<Entity*>& out) const;
    void entitiesIn(const ViewMapping& view, const ui::PixelRect& r, std::vector<Entity*>& out) const
    {
        entitiesIn(view, std::vector<ui::PixelRect>{r}, out);
    }
    // The same of the base map's entities (an index of their own, built
    // again whenever the base map is read).
    void baseMapIn(const ViewMapping& view, const std::vector<ui::PixelRect>& parts, std::vector<Entity*>& out) const;

    // The questions of a view go through the index (same answers, in the
    // same order, as asking every entity).
    bool snapToVertex(const ViewMapping& view, const ViewPoint& q, X3DPoint& out, double& distance) const override;
    bool pierce(const ViewMapping& view, const ViewPoint& q, double& depth) const override;
    Entity* pickToggle(const ViewMapping& view, ui::PixelPoint p, int typeFilter) override;
    bool selectInside(const Region& region) override;

    // Removing and moving keep the index.
    void deleteSelected() override;
    int translateIfSelected(const X3DVector& v) override;
    int mirrorThroughPointIfSelected(const X3DPoint& centre) override;
    int mirrorAcrossPlaneIfSelected(const X3DPlane& plane) override;
    int scaleIfSelected(double factor) override;
    int rotateIfSelected(const X3DLine& axis, const X3DAngle& angle) override;
    void mirrorThroughPoint(const X3DPoint& centre) override;
    void mirrorAcrossPlane(const X3DPlane& plane) override;
    void translate(const X3DVector& v) override;
    void scale(double factor) override;
    void rotate(const X3DLine& axis, const X3DAngle& angle) override;

    // Includes the base map while it is shown.
    bool extendBounds(X3DPoint& min, X3DPoint& max) const override;

    // The whole project: the entity block, the notes block and the records of
    // the materials that faces and doors use, numbers to 12 digits.
    void write(textio::TextWriter& out) const override;
    // The clipboard form: "EntityList", the selected entities, "End".
    bool writeIfSelected(textio::TextWriter& out) const override;
    // The list body, then the notes block if one follows.
    bool read(textio::TokenReader& in) override;

private:
    std::uint64_t changes_ = 0;
    void number(Entity& e);
    // What follows linking a new entity: its index entry, its number,
    // drawing, the mark.
    void adopted(Entity& e, bool atFront);
    // Index entries for entities linked without drawing or numbering.
    void indexAdded(Entity& e, bool atFront);
    // After changing the children that answered more than zero.
    template <typename Change>
    int changeSelected(Change change);
    void listChanged(EntityList& list) override;
    void memberEdited(Entity& holder) override;
    bool manyChanges(std::size_t n) const;

    mutable SpatialIndex index_;
    mutable std::uint64_t indexGeneration_ = 0;
    bool numbered_ = true;

    // The base map changes only as a whole: any change drops its index.
    class BaseMapWatcher final : public ListWatcher {
    public:
        explicit BaseMapWatcher(SpatialIndex& index) : index_(index) {}
        void listChanged(EntityList&) override { index_.clear(); }

    private:
        SpatialIndex& index_;
    };
    mutable SpatialIndex baseMapIndex_;
    mutable std::uint64_t baseMapGeneration_ = 0;
    BaseMapWatcher baseMapWatcher_{baseMapIndex_};

    bool modified_ = false;
    double gridStep_ = 1.0;
    unsigned sourceCount_ = 0;
    unsigned receiverCount_ = 0;
};

}  // namespace model
