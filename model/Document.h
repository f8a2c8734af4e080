// The model: the one document of the program, a list that also keeps the
// project notes, the base map, grid and undo state, and the derived 3-D scene.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "model/EntityList.h"
#include "model/InfoList.h"

namespace model {

// Data derived from the model (the 3-D scene); dropped whenever the model's
// modified flag is set or cleared, and built again when next needed.
class DerivedData {
public:
    virtual ~DerivedData() = default;
};

class Document : public EntityList {
public:
    Document();

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
    // Empties the model and restarts the numbering (the views repaint).
    void clearEntities();
    // Numbers every source and receiver from 1 again, in list order.
    void renumber();

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
    // What follows linking a new entity: its number, drawing, the mark.
    void adopted(Entity& e);

    bool modified_ = false;
    double gridStep_ = 1.0;
    unsigned sourceCount_ = 0;
    unsigned receiverCount_ = 0;
};

}  // namespace model
