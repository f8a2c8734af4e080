// The model's answers through its spatial index against the direct walk of
// every entity, on thousands of small random models in random views of every
// kind: the same depth under a point, the same vertex to snap to, the same
// entity picked (and, picked again and again, the same turn through
// overlapping outlines), the same rubber-band selection; kept right through
// every way the model changes.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "model/Document.h"
#include "model/EntityEditor.h"
#include "model/ModelState.h"
#include "model/Ray.h"
#include "model/Segment.h"
#include "model/Source.h"
#include "model/Text.h"
#include "model/ViewOptions.h"
#include "tests/model/ModelFixtures.h"
#include "ui/Installed.h"
#include "ui/headless/HeadlessPlatform.h"
#include "views/ViewSet.h"

namespace {

using geometry::X3DPoint;
using model::Document;
using model::Entity;
using model::EntityList;
using model::ViewPoint;

class Random {
public:
    explicit Random(unsigned seed) : rng_(seed) {}
    double real(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }
    int integer(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng_); }
    bool chance(double p) { return real(0.0, 1.0) < p; }
    // Coordinates often on a half-metre grid, so that outlines overlap,
    // vertices coincide and depths tie, as in drawn models.
    double coordinate(double span)
    {
        double c = real(-span, span);
        return chance(0.5) ? std::round(c * 2) / 2 : c;
    }
    X3DPoint point(double span = 10.0) { return {coordinate(span), coordinate(span), coordinate(span / 2)}; }

    std::unique_ptr<model::Face> face()
    {
        int n = integer(3, 6);
        std::vector<X3DPoint> p;
        X3DPoint base = point();
        // Flat, upright or tilted; now and then tiny (within a pixel) or
        // far out.
        double size = chance(0.1) ? 0.001 : real(0.2, 6.0);
        if (chance(0.05)) {
            base = {real(-1e7, 1e7), real(-1e7, 1e7), real(-1e3, 1e3)};
        }
        int kind = integer(0, 2);
        for (int i = 0; i < n; ++i) {
            double a = 6.283185307179586 * i / n + real(-0.2, 0.2);
            double r = size * real(0.5, 1.0);
            X3DPoint q = base;
            if (kind == 0) {
                q = q + X3DPoint(r * std::cos(a), r * std::sin(a), 0);
            } else if (kind == 1) {
                q = q + X3DPoint(r * std::cos(a), 0, r * std::sin(a));
            } else {
                q = q + X3DPoint(r * std::cos(a), r * std::sin(a), r * std::cos(a) * 0.5);
            }
            p.push_back(q);
        }
        return std::make_unique<model::Face>(p, fixtures::materialNumber(integer(0, 30)));
    }

    std::unique_ptr<model::Wall> wall()
    {
        X3DPoint a = point();
        X3DPoint b = a + X3DPoint(coordinate(5), coordinate(5), 0);
        double h = real(1, 4);
        X3DPoint corners[4] = {a, b, b + X3DPoint(0, 0, h), a + X3DPoint(0, 0, h)};
        auto w = std::make_unique<model::Wall>(corners, fixtures::materialNumber(3));
        for (int k = integer(0, 2); k > 0; --k) {
            w->append(opening(a, b, h));
        }
        return w;
    }

    // Along the wall from a to b; sometimes beyond it (nothing keeps an
    // opening inside its wall).
    std::unique_ptr<model::Face> opening(const X3DPoint& a, const X3DPoint& b, double h)
    {
        double t0 = real(-0.3, 0.9);
        double t1 = t0 + real(0.05, 0.5);
        double z0 = real(0, h * 0.6);
        double z1 = z0 + real(0.2, h);
        auto at = [&](double t, double z) { return X3DPoint(a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + z); };
        std::vector<X3DPoint> p = {at(t0, z0), at(t1, z0), at(t1, z1), at(t0, z1)};
        if (chance(0.5)) {
            return std::make_unique<model::Door>(p, fixtures::materialNumber(7));
        }
        return std::make_unique<model::Hole>(p);
    }

    std::unique_ptr<Entity> entity()
    {
        switch (integer(0, 9)) {
        case 0:
        case 1:
        case 2:
            return face();
        case 3:
        case 4:
            return wall();
        case 5:
            return std::make_unique<model::Receiver>(point(), point());
        case 6:
            return std::make_unique<model::Source>(point(), point(), 0.0, "omni.spk");
        case 7:
            return chance(0.5) ? std::unique_ptr<Entity>(std::make_unique<model::Ray>(point(), point()))
                               : std::unique_ptr<Entity>(std::make_unique<model::Segment>(point(), point()));
        case 8:
            return std::make_unique<model::Text>(point(), point(), chance(0.5) ? "note" : "");
        default: {
            auto list = std::make_unique<EntityList>();
            for (int k = integer(1, 3); k > 0; --k) {
                list->append(face());
            }
            return list;
        }
        }
    }

    // A view of any kind, size, scale and place, panned about.
    void view(views::ViewSet& views, views::ViewWindow*& out)
    {
        static const int ids[] = {views::viewId::Plant, views::viewId::Front, views::viewId::Side,
                                  views::viewId::Auxiliary, views::viewId::Assonometry};
        out = &views.byId(ids[integer(0, 4)]);
        views.assonometry().setAngles(real(0, 90), real(0, 90));
        views.auxiliary().setBaseLine({coordinate(10), coordinate(10)}, {coordinate(10) + 0.5, coordinate(10)});
        out->onSize(integer(50, 600), integer(50, 400));
        out->setScale(chance(0.2) ? real(0.001, 0.01) : real(0.01, 0.5));
        out->setCentre({coordinate(10), coordinate(10)});
        out->panBy(integer(-200, 200), integer(-200, 200));
    }

    std::mt19937& engine() { return rng_; }

private:
    std::mt19937 rng_;
};

// Every entity of a model, at every depth, in list order.
void flatten(Entity& e, std::vector<Entity*>& out)
{
    out.push_back(&e);
    if (EntityList* list = model::asList(e)) {
        for (const auto& child : list->children()) {
            flatten(*child, out);
        }
    }
}

std::vector<Entity*> everything(Document& doc)
{
    std::vector<Entity*> all;
    for (const auto& child : doc.children()) {
        flatten(*child, all);
    }
    return all;
}

// The place of an entity in the model (its rank among every entity), or -1.
long rankOf(Document& doc, const Entity* e)
{
    if (!e) {
        return -1;
    }
    std::vector<Entity*> all = everything(doc);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i] == e) {
            return static_cast<long>(i);
        }
    }
    return -2;
}

std::string selection(Document& doc)
{
    std::string s;
    for (Entity* e : everything(doc)) {
        s += e->selected ? '1' : '0';
    }
    return s;
}

// Moves the faces it is given, as the geometry dialog would.
class MovingEditor final : public model::EntityEditor {
public:
    int chooseMaterial(materials::Material&, bool) override { return 1; }
    int faceProperties(model::Face& f) override
    {
        f.translate(geometry::X3DVector(1.5, -0.5, 0.25));
        return 1;
    }
    int sourceParameters(model::Source& s) override
    {
        s.target = s.target + X3DPoint(3, 3, 0);
        return 1;
    }
    int editNotes(const std::string&, std::string& text) override
    {
        text += " more";
        return 1;
    }
};

class IndexedQueries : public ::testing::Test {
protected:
    // Options of the test's own.
    model::ModelState state;
    ui::Install<model::ModelState> useState{state};

    // Both models get the same entity (the direct one a copy).
    void add(Random& r, bool front)
    {
        std::unique_ptr<Entity> e = r.entity();
        std::unique_ptr<Entity> copy = e->clone();
        if (front) {
            indexed.prepend(std::move(e));
            direct.prepend(std::move(copy));
        } else {
            indexed.append(std::move(e));
            direct.append(std::move(copy));
        }
    }

    void selectSame(Random& r, double p)
    {
        std::vector<Entity*> a = everything(indexed);
        std::vector<Entity*> b = everything(direct);
        for (std::size_t i = 0; i < a.size(); ++i) {
            bool on = r.chance(p);
            a[i]->selected = on && !a[i]->locked;
            b[i]->selected = on && !b[i]->locked;
        }
    }

    // One change of the model, the same for both; the indexed one is told
    // only through the model's own operations (or entityChanged).
    void change(Random& r)
    {
        switch (r.integer(0, 11)) {
        case 0:
            add(r, false);
            break;
        case 1:
            add(r, true);
            break;
        case 2:
            selectSame(r, 0.3);
            indexed.deleteSelected();
            direct.deleteSelected();
            break;
        case 3: {
            selectSame(r, 0.4);
            geometry::X3DVector v(r.coordinate(5), r.coordinate(5), r.coordinate(2));
            EXPECT_EQ(indexed.translateIfSelected(v), direct.translateIfSelected(v));
            break;
        }
        case 4: {
            selectSame(r, 0.4);
            geometry::X3DLine axis(r.point(), r.point() + X3DPoint(0, 0, 1));
            auto angle = geometry::X3DAngle::fromDegrees(r.real(-180, 180));
            indexed.rotateIfSelected(axis, angle);
            direct.rotateIfSelected(axis, angle);
            break;
        }
        case 5: {
            selectSame(r, 0.4);
            double f = r.real(0.5, 2);
            indexed.scaleIfSelected(f);
            direct.scaleIfSelected(f);
            X3DPoint c = r.point();
            indexed.mirrorThroughPointIfSelected(c);
            direct.mirrorThroughPointIfSelected(c);
            break;
        }
        case 6: {
            // An opening into a wall that is already in the model.
            for (std::size_t i = 0; i < indexed.count(); ++i) {
                if (indexed.children()[i]->typeCode() != model::type::Wall) {
                    continue;
                }
                auto* a = static_cast<model::Wall*>(indexed.children()[i].get());
                if (a->baseFace) {
                    auto* b = static_cast<model::Wall*>(direct.children()[i].get());
                    const auto& v = a->baseFace->vertices;
                    std::unique_ptr<model::Face> o = r.opening(v[0], v[1], 3.0);
                    b->append(o->clone());
                    a->append(std::move(o));
                    break;
                }
            }
            break;
        }
        case 7: {
            // The geometry and properties loops.
            selectSame(r, 0.3);
            MovingEditor editor;
            indexed.editGeometry(editor, false);
            direct.editGeometry(editor, false);
            selectSame(r, 0.3);
            indexed.editProperties(editor, false);
            direct.editProperties(editor, false);
            break;
        }
        case 8: {
            // A tool changing an entity after adding it, and saying so.
            if (indexed.empty()) {
                break;
            }
            std::size_t i = static_cast<std::size_t>(r.integer(0, static_cast<int>(indexed.count()) - 1));
            geometry::X3DVector v(r.coordinate(20), r.coordinate(20), 0);
            indexed.children()[i]->translate(v);
            direct.children()[i]->translate(v);
            indexed.entityChanged(*indexed.children()[i]);
            break;
        }
        case 9: {
            // Undo: the entities go out to another list and come back.
            EntityList keep;
            keep.takeChildrenFrom(indexed);
            indexed.takeChildrenFrom(keep);
            break;
        }
        case 10: {
            geometry::X3DVector v(r.coordinate(3), r.coordinate(3), r.coordinate(3));
            indexed.translate(v);
            direct.translate(v);
            break;
        }
        default: {
            // Opened again: cleared and read back in order.
            for (Document* doc : {&indexed, &direct}) {
                EntityList copy;
                copy.copyFrom(*doc);
                doc->clearEntities();
                for (const auto& child : copy.children()) {
                    doc->append(child->clone());
                }
            }
            break;
        }
        }
    }

    // One question of a view, asked of both.
    void ask(Random& r, views::ViewWindow& view)
    {
        // Points over the model: random, or where vertices and edges show.
        std::vector<Entity*> all = everything(direct);
        auto somePoint = [&]() -> ViewPoint {
            if (!all.empty() && r.chance(0.6)) {
                Entity* e = all[static_cast<std::size_t>(r.integer(0, static_cast<int>(all.size()) - 1))];
                X3DPoint lo(1e9, 1e9, 1e9);
                X3DPoint hi(-1e9, -1e9, -1e9);
                if (e->extendBounds(lo, hi)) {
                    double t = r.chance(0.5) ? 0.0 : r.real(0, 1);
                    X3DPoint p(lo.x + (hi.x - lo.x) * t, lo.y + (hi.y - lo.y) * t, lo.z + (hi.z - lo.z) * t);
                    return view.toView(p);
                }
            }
            return view.pixelToView({r.integer(-20, view.width() + 20), r.integer(-20, view.height() + 20)});
        };
        switch (r.integer(0, 3)) {
        case 0: {
            ViewPoint q = somePoint();
            double start = r.chance(0.7) ? -model::coordinateLimit : r.real(-5, 5);
            double a = start;
            double b = start;
            bool hitA = indexed.pierce(view, q, a);
            bool hitB = direct.EntityList::pierce(view, q, b);
            ASSERT_EQ(hitA, hitB);
            ASSERT_EQ(a, b);
            break;
        }
        case 1: {
            ViewPoint q = somePoint();
            double distance = r.chance(0.8) ? r.real(0.01, 3) : 1e9;
            double da = distance;
            double db = distance;
            X3DPoint pa(7, 7, 7);
            X3DPoint pb(7, 7, 7);
            bool foundA = indexed.snapToVertex(view, q, pa, da);
            bool foundB = direct.EntityList::snapToVertex(view, q, pb, db);
            ASSERT_EQ(foundA, foundB);
            ASSERT_EQ(da, db);
            ASSERT_TRUE(pa.x == pb.x && pa.y == pb.y && pa.z == pb.z);
            break;
        }
        case 2: {
            // The same pixel clicked again and again: each click takes the
            // next outline under it in turn.
            ui::PixelPoint p = view.viewToPixel(somePoint());
            p.x += r.integer(-4, 4);
            p.y += r.integer(-4, 4);
            static const int filters[] = {0,
                                          0,
                                          0,
                                          model::type::Wall,
                                          model::type::Face,
                                          model::type::Receiver,
                                          model::type::Door,
                                          model::type::Text};
            int filter = filters[r.integer(0, 7)];
            for (int k = r.integer(1, 4); k > 0; --k) {
                Entity* a = indexed.pickToggle(view, p, filter);
                Entity* b = direct.EntityList::pickToggle(view, p, filter);
                ASSERT_EQ(rankOf(indexed, a), rankOf(direct, b));
                ASSERT_EQ(selection(indexed), selection(direct));
            }
            break;
        }
        default: {
            ViewPoint s = somePoint();
            ViewPoint e = somePoint();
            X3DPoint p = view.toWorld(s, r.chance(0.5) ? -model::coordinateLimit : r.real(-5, 0));
            X3DPoint q = view.toWorld(e, r.chance(0.5) ? model::coordinateLimit : r.real(0, 5));
            model::Region region;
            region.min = {std::min(p.x, q.x), std::min(p.y, q.y), std::min(p.z, q.z)};
            region.max = {std::max(p.x, q.x), std::max(p.y, q.y), std::max(p.z, q.z)};
            ASSERT_EQ(indexed.selectInside(region), direct.EntityList::selectInside(region));
            ASSERT_EQ(selection(indexed), selection(direct));
            break;
        }
        }
    }

    ui::headless::HeadlessPlatform platform;
    Document indexed;
    Document direct;
    views::ViewSet views{indexed};
};

TEST_F(IndexedQueries, AnswerAsTheWholeListOnThousandsOfRandomModels)
{
    indexed.autoDraw = false;
    direct.autoDraw = false;
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        SCOPED_TRACE("model " + std::to_string(seed));
        Random r(seed);
        indexed.clearEntities();
        direct.clearEntities();
        for (int n = r.integer(1, 30); n > 0; --n) {
            add(r, r.chance(0.1));
        }
        model::viewOptions().showReceivers = r.chance(0.8);
        views::ViewWindow* view = nullptr;
        r.view(views, view);
        for (int step = 0; step < 24; ++step) {
            if (r.chance(0.25)) {
                change(r);
                ASSERT_EQ(selection(indexed), selection(direct));
            }
            if (r.chance(0.1)) {
                r.view(views, view);
            }
            ask(r, *view);
            if (HasFatalFailure()) {
                return;
            }
        }
        ASSERT_TRUE(indexed.spatialIndex().consistent());
        ASSERT_EQ(indexed.spatialIndex().size(), indexed.count());
    }
}

}  // namespace
