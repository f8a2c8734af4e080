// Pictures of a view.
#include "views/ViewPicture.h"

#include "views/ViewPainting.h"
#include "views/ViewSet.h"

namespace views {

bool paintPicture(model::Document& doc, const PictureRequest& request, ui::Canvas& canvas)
{
    if (request.viewId == viewId::View3D) {
        return false;
    }
    ViewSet views(doc);
    ViewWindow& view = views.byId(request.viewId);
    if (request.viewId == viewId::Auxiliary && !views.auxiliary().setBaseLine(request.baseFrom, request.baseTo)) {
        return false;
    }
    views.assonometry().setAngles(request.xAngle, request.yAngle);
    view.onSize(request.width, request.height);
    view.setScale(0.05);
    view.zoomToExtents(request.marginX, request.marginY);
    canvas.resize(request.width, request.height);
    paintView(view, canvas);
    return true;
}

}  // namespace views
