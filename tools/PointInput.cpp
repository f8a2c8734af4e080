// Points for the construction tools.
#include "tools/PointInput.h"

#include "ui/DrawContext.h"
#include "ui/GetValueBox.h"

namespace tools {

bool askDepth(const views::ViewWindow& view, const ViewPoint& q, double& value)
{
    const char* label = view.is(views::viewId::Plant)   ? "Coord Z:"
                        : view.is(views::viewId::Front) ? "Coord X:"
                        : view.is(views::viewId::Side)  ? "Coord Y:"
                                                        : "Elevation:";
    ui::PixelPoint p = view.viewToPixel(q);
    return ui::askValue(label, value, p.x, p.y);
}

double depthAt(const model::Document& doc, const views::ViewWindow& view, const ViewPoint& q, double fallback)
{
    double depth = -model::coordinateLimit;
    if (!doc.pierce(view, q, depth) || depth == -model::coordinateLimit) {
        return fallback;
    }
    return depth;
}

void markPoint(const views::ViewWindow& view, const ViewPoint& q)
{
    ui::DrawContext* dc = view.drawContext();
    if (!dc) {
        return;
    }
    ui::PixelPoint p = view.viewToPixel(q);
    dc->setXorMode(true);
    dc->setPen(ui::penSolid, ui::rgb(255, 255, 255));
    dc->setBrush(-1, ui::rgb(255, 255, 255));
    dc->rectangle(p.x - 4, p.y - 4, p.x + 4, p.y + 4);
    dc->setXorMode(false);
}

}  // namespace tools
