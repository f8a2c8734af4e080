// Transformations of the selection.
#include "tools/Transformations.h"

#include "ui/GetValueBox.h"
#include "ui/Platform.h"

namespace tools {

namespace {

bool hasSelection(const model::Document& doc)
{
    return doc.firstSelected() != nullptr;
}

}  // namespace

bool moveSelection(model::Document& doc, storage::UndoRing& undo, const views::ViewWindow& view, const ViewPoint& s,
                   const ViewPoint& e)
{
    // The difference of the two model points is the drawn displacement in
    // every view, the auxiliary one included.
    geometry::X3DVector v = view.toWorld(e, 0.0) - view.toWorld(s, 0.0);
    if (geometry::isZero(v.x) && geometry::isZero(v.y) && geometry::isZero(v.z)) {
        return false;
    }
    undo.takeSnapshot(doc);
    doc.translateIfSelected(v);
    doc.setModified(true);
    return true;
}

bool mirrorSelection(model::Document& doc, storage::UndoRing& undo, const views::ViewWindow& view, const ViewPoint& s,
                     const ViewPoint& e)
{
    bool deleteOld = ui::confirmBox("Delete old objects");
    undo.takeSnapshot(doc);
    if (!deleteOld) {
        // Unselected copies stay where the originals were.
        bool autoDraw = doc.autoDraw;
        doc.autoDraw = false;
        doc.duplicateIfSelected(doc);
        doc.autoDraw = autoDraw;
    }
    geometry::X3DPoint a = view.toWorld(s, 0.0);
    geometry::X3DPoint b = view.toWorld(e, 0.0);
    if (!(a == b)) {
        geometry::X3DPoint c = view.toWorld(s, 1.0);
        doc.mirrorAcrossPlaneIfSelected(geometry::X3DPlane(a, b, c));
    } else {
        doc.mirrorThroughPointIfSelected(a);
    }
    doc.setModified(true);
    return true;
}

bool rotateSelection(model::Document& doc, storage::UndoRing& undo, const views::ViewWindow& view, const ViewPoint& s)
{
    double degrees = 0.0;
    if (!ui::askValue("Degrees:", degrees) || degrees == 0.0) {
        return false;
    }
    undo.takeSnapshot(doc);
    geometry::X3DPoint a = view.toWorld(s, 0.0);
    geometry::X3DPoint b = view.toWorld(s, 1.0);
    if (!(a == b)) {
        doc.rotateIfSelected(geometry::X3DLine(a, b), geometry::X3DAngle::fromDegrees(degrees));
    }
    doc.setModified(true);
    return true;
}

bool resizeSelection(model::Document& doc, storage::UndoRing& undo)
{
    if (!hasSelection(doc)) {
        ui::errorBox("It's not so funny ... if you don't select entities");
        return false;
    }
    double factor = 1.0;
    if (!ui::askValue("Resize factor:", factor)) {
        return false;
    }
    if (factor > -1e-5 && factor < 1e-5) {
        ui::errorBox("Resize factor too small");
        return false;
    }
    // A change like any other: it can be undone, and the save question guards it.
    undo.takeSnapshot(doc);
    doc.scaleIfSelected(factor);
    doc.setModified(true);
    return true;
}

}  // namespace tools
