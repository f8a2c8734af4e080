// Painting the two-dimensional views and the look of every entity.
#include "views/ViewPainting.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "model/Document.h"
#include "model/Face.h"
#include "model/Source.h"
#include "model/Text.h"
#include "model/ViewOptions.h"
#include "model/Wall.h"
#include "ui/Platform.h"
#include "views/ShapeCache.h"
#include "views/ViewSet.h"
#include "views/ViewWindow.h"

namespace views {

namespace {

using model::Entity;
using ui::Colour;
using ui::DrawContext;
using ui::PixelPoint;

constexpr Colour grey = ui::rgb(128, 128, 128);
constexpr Colour white = ui::rgb(255, 255, 255);
constexpr Colour yellow = ui::rgb(255, 255, 0);
constexpr Colour red = ui::rgb(255, 0, 0);
constexpr Colour green = ui::rgb(0, 255, 0);
constexpr Colour blue = ui::rgb(0, 0, 255);

void line(DrawContext& dc, PixelPoint a, PixelPoint b)
{
    dc.moveTo(a.x, a.y);
    dc.lineTo(b.x, b.y);
}

void drawOutline(const model::Face& f, ViewWindow& view, DrawContext& dc)
{
    std::size_t n = f.vertices.size();
    if (n == 0) {
        return;
    }
    dc.setPen(ui::penSolid, f.drawColour());
    // From the last vertex through every vertex: a closed outline.
    int xy[2 * 65];
    if (n < 65) {
        PixelPoint last = view.toPixel(f.vertices[n - 1]);
        xy[0] = last.x;
        xy[1] = last.y;
        bool onePixel = true;
        for (std::size_t i = 0; i < n; ++i) {
            PixelPoint p = view.toPixel(f.vertices[i]);
            xy[2 * i + 2] = p.x;
            xy[2 * i + 3] = p.y;
            onePixel = onePixel && p.x == last.x && p.y == last.y;
        }
        // A face that fits in one pixel (far away, or seen from far off)
        // is that pixel: a line from a pixel to itself would leave nothing.
        if (onePixel) {
            dc.setPixel(last.x, last.y, f.drawColour());
            return;
        }
        dc.polyline(xy, static_cast<int>(n + 1));
        return;
    }
    PixelPoint last = view.toPixel(f.vertices[n - 1]);
    dc.moveTo(last.x, last.y);
    for (const geometry::X3DPoint& v : f.vertices) {
        PixelPoint p = view.toPixel(v);
        dc.lineTo(p.x, p.y);
    }
}

geometry::X3DPoint midpoint(const geometry::X3DPoint& a, const geometry::X3DPoint& b)
{
    return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
}

void drawDoor(const model::Face& f, ViewWindow& view, DrawContext& dc)
{
    drawOutline(f, view, dc);
    std::size_t n = f.vertices.size();
    if (n == 0) {
        return;
    }
    auto v = [&](std::size_t i) { return f.vertices[i % n]; };
    line(dc, view.toPixel(midpoint(v(0), v(1))), view.toPixel(midpoint(v(2), v(3))));
    line(dc, view.toPixel(midpoint(v(1), v(2))), view.toPixel(midpoint(v(3), v(0))));
}

void drawRay(const model::Receiver& r, ViewWindow& view, DrawContext& dc)
{
    dc.setPen(ui::penSolid, r.selected ? ui::cyan : grey);
    PixelPoint p = view.toPixel(r.position);
    dc.circle(p.x, p.y, 2);
    geometry::X3DPoint far = r.position + (r.target - r.position) * 100.0;
    line(dc, p, view.toPixel(far));
}

void drawReceiver(const model::Receiver& r, ViewWindow& view, DrawContext& dc)
{
    if (!model::viewOptions().showReceivers) {
        return;
    }
    PixelPoint p = view.toPixel(r.position);
    if (model::viewOptions().showReceiverDirections) {
        dc.setPen(ui::penDotted, r.drawColour());
        line(dc, p, view.toPixel(r.target));
    }
    dc.setPen(ui::penSolid, r.drawColour());
    dc.setBrush(-1, white);
    dc.circle(p.x, p.y, 8);
    dc.text(p.x, p.y - 8, std::to_string(r.number));
}

// The turn that aims a loudspeaker drawn along +x at the target.
Placement aimOf(const model::Source& s)
{
    double yaw = 0.0;
    double pitch = 0.0;
    geometry::X3DVector d = s.target - s.position;
    if (!(s.position == s.target)) {
        d.normalise();
        yaw = std::atan2(d.y, d.x);
        pitch = std::atan2(-d.z, std::sqrt(std::max(0.0, 1.0 - d.z * d.z)));
    }
    return Placement(s.position, s.roll * std::numbers::pi / 180.0, pitch, yaw);
}

void drawSource(const model::Source& s, ViewWindow& view, DrawContext& dc)
{
    if (!model::viewOptions().showSources) {
        return;
    }
    PixelPoint p = view.toPixel(s.position);
    int h = s.number >= 27 ? 10 : 8;
    if (model::viewOptions().showSourceDirections) {
        dc.setPen(ui::penDotted, s.drawColour());
        line(dc, p, view.toPixel(s.target));
    }
    dc.setPen(ui::penSolid, s.drawColour());
    dc.text(p.x, p.y - 8, sourceLabel(s.number));
    ui::rectOutline(dc, p.x - h, p.y - 8, p.x + h, p.y + 8);

    model::EntityList* shape = shapeFor(s.directivity);
    if (!shape) {
        return;
    }
    Placement place = aimOf(s);
    const Placement* previous = view.placement;
    view.placement = &place;
    if (shape->selected != s.selected) {
        shape->setSelected(s.selected);
    }
    drawEntity(*shape, view, dc);
    view.placement = previous;
}

void drawText(const model::Text& t, ViewWindow& view, DrawContext& dc)
{
    PixelPoint a = view.toPixel(t.start);
    PixelPoint b = view.toPixel(t.end);
    if (!t.text.empty() && std::abs(a.x - b.x) > 12 && std::abs(a.y - b.y) > 12) {
        dc.setPen(t.selected ? ui::penSolid : ui::penNone, ui::cyan);
        dc.setBrush(-1, yellow);
        ui::PixelRect r(a, b);
        dc.rectangle(r.left, r.top, r.right, r.bottom);
        dc.wrappedText(r.left, r.top, r.right, r.bottom, t.text);
        return;
    }
    PixelPoint m = view.toPixel(midpoint(t.start, t.end));
    dc.setPen(ui::penSolid, t.drawColour());
    dc.setBrush(-1, white);
    dc.circle(m.x, m.y, 8);
    dc.text(m.x, m.y - 8, "i");
}

void drawAxes(ViewWindow& view, DrawContext& dc)
{
    PixelPoint o = view.toPixel({0, 0, 0});
    dc.setPen(ui::penSolid, red);
    line(dc, o, view.toPixel({100, 0, 0}));
    dc.setPen(ui::penSolid, green);
    line(dc, o, view.toPixel({0, 100, 0}));
    dc.setPen(ui::penSolid, blue);
    line(dc, o, view.toPixel({0, 0, 100}));
}

bool gridShown(const ViewWindow& view)
{
    const model::Document& doc = view.views().document;
    return doc.gridShown && !view.is(viewId::Assonometry) && view.pixelLength(doc.gridStep()) >= 6;
}

// The grid points nearest the view's corners, counted in steps from the
// origin: every grid point is then its count times the step, the same
// number however the view was moved.
struct GridRange {
    double u0, u1, v0, v1;
};

GridRange gridRange(const ViewWindow& view, double step)
{
    auto index = [step](double x) { return std::floor((x + step / 2) / step); };
    ViewPoint a = view.pixelToView({0, 0});
    ViewPoint b = view.pixelToView({view.width() - 1, view.height() - 1});
    return {std::min(index(a.u), index(b.u)), std::max(index(a.u), index(b.u)), std::min(index(a.v), index(b.v)),
            std::max(index(a.v), index(b.v))};
}

void drawGrid(ViewWindow& view, DrawContext& dc, double step)
{
    GridRange g = gridRange(view, step);
    // The last column and row of the range are left out.
    for (double i = g.u0; i < g.u1; ++i) {
        for (double j = g.v0; j < g.v1; ++j) {
            PixelPoint p = view.viewToPixel({i * step, j * step});
            dc.setPixel(p.x, p.y, ui::black);
        }
    }
}

// Axes, grid dots and the base map's lines that can touch the parts.
void paintBackground(ViewWindow& view, DrawContext& dc, const std::vector<ui::PixelRect>& parts)
{
    model::Document& doc = view.views().document;
    if (doc.axesShown) {
        drawAxes(view, dc);
    }
    if (gridShown(view)) {
        drawGrid(view, dc, doc.gridStep());
    }
    if ((view.is(viewId::Plant) || view.is(viewId::Assonometry)) && doc.baseMap.selected) {
        std::vector<Entity*> lines;
        doc.baseMapIn(view, parts, lines);
        for (const Entity* e : lines) {
            drawEntity(*e, view, dc);
        }
    }
}

// Each entity, then the selected ones (and selected members) again on top.
void drawEntities(const std::vector<Entity*>& entities, ViewWindow& view, DrawContext& dc)
{
    for (const Entity* e : entities) {
        drawEntity(*e, view, dc);
    }
    for (const Entity* e : entities) {
        drawIfSelected(*e, view, dc);
    }
}

}  // namespace

std::vector<ui::PixelRect> gridSeams(const ViewWindow& view)
{
    std::vector<ui::PixelRect> seams;
    if (!gridShown(view)) {
        return seams;
    }
    double step = view.views().document.gridStep();
    GridRange g = gridRange(view, step);
    PixelPoint p = view.viewToPixel({g.u1 * step, g.v1 * step});
    if (p.x >= 0 && p.x < view.width()) {
        seams.push_back(ui::PixelRect::fromSize(p.x, 0, 1, view.height()));
    }
    if (p.y >= 0 && p.y < view.height()) {
        seams.push_back(ui::PixelRect::fromSize(0, p.y, view.width(), 1));
    }
    return seams;
}

std::string sourceLabel(unsigned n)
{
    if (n == 0) {
        return "?";
    }
    // A..Z, AA..ZZ, AAA..: the numbering of spreadsheet columns.
    std::string label;
    for (unsigned k = n; k > 0; k = (k - 1) / 26) {
        label.insert(label.begin(), static_cast<char>('A' + (k - 1) % 26));
    }
    return label;
}

void drawEntity(const Entity& e, ViewWindow& view, DrawContext& dc)
{
    switch (e.typeCode()) {
    case model::type::Face:
    case model::type::Hole:
        drawOutline(static_cast<const model::Face&>(e), view, dc);
        break;
    case model::type::Door:
        drawDoor(static_cast<const model::Face&>(e), view, dc);
        break;
    case model::type::Segment: {
        const auto& s = static_cast<const model::Segment&>(e);
        dc.setPen(ui::penSolid, ui::lightGrey);
        line(dc, view.toPixel(s.start), view.toPixel(s.end));
        break;
    }
    case model::type::Ray:
        drawRay(static_cast<const model::Receiver&>(e), view, dc);
        break;
    case model::type::Receiver:
        drawReceiver(static_cast<const model::Receiver&>(e), view, dc);
        break;
    case model::type::Source:
        drawSource(static_cast<const model::Source&>(e), view, dc);
        break;
    case model::type::Text:
        drawText(static_cast<const model::Text&>(e), view, dc);
        break;
    case model::type::EntityList:
    case model::type::InfoList:
    case model::type::Wall:
        for (const auto& child : static_cast<const model::EntityList&>(e).children()) {
            drawEntity(*child, view, dc);
        }
        break;
    default:
        break;  // project notes have no look
    }
}

void drawIfSelected(const Entity& e, ViewWindow& view, DrawContext& dc)
{
    switch (e.typeCode()) {
    case model::type::EntityList:
    case model::type::InfoList:
    case model::type::Wall:
        for (const auto& child : static_cast<const model::EntityList&>(e).children()) {
            drawIfSelected(*child, view, dc);
        }
        break;
    default:
        if (e.selected) {
            drawEntity(e, view, dc);
        }
        break;
    }
}

void drawModel(ViewWindow& view, DrawContext& dc)
{
    model::Document& doc = view.views().document;
    doc.renumberIfNeeded();
    std::vector<Entity*> entities;
    doc.entitiesIn(view, ui::PixelRect::fromSize(0, 0, view.width(), view.height()), entities);
    drawEntities(entities, view, dc);
}

void paintView(ViewWindow& view, DrawContext& dc)
{
    ui::WaitCursor wait;
    paintBackground(view, dc, {ui::PixelRect::fromSize(0, 0, view.width(), view.height())});
    drawModel(view, dc);
}

void paintViewParts(ViewWindow& view, ui::Canvas& scratch, const std::vector<ui::PixelRect>& parts)
{
    scratch.setPen(ui::penNone, white);
    scratch.setBrush(-1, white);
    for (const ui::PixelRect& r : parts) {
        scratch.rectangle(r.left, r.top, r.right, r.bottom);
    }
    paintBackground(view, scratch, parts);
    model::Document& doc = view.views().document;
    doc.renumberIfNeeded();
    std::vector<Entity*> entities;
    doc.entitiesIn(view, parts, entities);
    drawEntities(entities, view, scratch);
}

}  // namespace views
