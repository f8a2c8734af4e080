// The model's spatial index: boxes that always hold what they were made
// from, extents that cover what each kind of entity draws, a tree that stays
// balanced and right through thousands of changes, and a model that keeps it
// through its own operations (and builds it again only when cheaper).
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/Document.h"
#include "model/EntityEditor.h"
#include "model/EntityExtent.h"
#include "model/Info.h"
#include "model/Ray.h"
#include "model/Receiver.h"
#include "model/Source.h"
#include "model/Text.h"
#include "tests/model/ModelFixtures.h"
#include "ui/headless/HeadlessPlatform.h"

namespace {

using geometry::X3DPoint;
using geometry::X3DVector;
using model::Entity;

// A plan at 0.1 m a pixel with the origin at pixel (0, 0), telling the
// index how it maps (or not, to compare with the walk of every entity).
class PlanMapping final : public model::ViewMapping {
public:
    bool linear = true;
    model::ViewPoint toView(const X3DPoint& p) const override { return {p.x, p.y}; }
    ui::PixelPoint toPixel(const X3DPoint& p) const override
    {
        return {static_cast<int>(p.x * 10), static_cast<int>(-p.y * 10)};
    }
    X3DPoint toWorld(const model::ViewPoint& q, double depth) const override { return {q.u, q.v, depth}; }
    geometry::X3DVector direction() const override { return {0, 0, 1}; }
    bool frame(model::ViewFrame& f) const override
    {
        f.metresPerPixel = 0.1;
        f.origin = {0, 0};
        f.pixelReach = 1 << 20;
        return linear;
    }
};

bool holds(const model::IndexBox& b, const X3DPoint& p)
{
    return b.lo[0] <= p.x && p.x <= b.hi[0] && b.lo[1] <= p.y && p.y <= b.hi[1] && b.lo[2] <= p.z && p.z <= b.hi[2];
}

std::vector<Entity*> inRegion(const model::Document& doc, const model::Region& r)
{
    std::vector<Entity*> out;
    doc.spatialIndex().inRegion(r, out);
    return out;
}

// What the region holds by the extents of every entity, in list order.
std::vector<Entity*> inRegionByHand(const model::Document& doc, const model::Region& r)
{
    std::vector<Entity*> out;
    for (const auto& child : doc.children()) {
        model::Extent x = model::extentOf(*child);
        if (!x.box.empty() && x.box.hi[0] >= r.min.x && x.box.lo[0] <= r.max.x && x.box.hi[1] >= r.min.y &&
            x.box.lo[1] <= r.max.y && x.box.hi[2] >= r.min.z && x.box.lo[2] <= r.max.z) {
            out.push_back(child.get());
        }
    }
    return out;
}

class SpatialIndexTest : public ::testing::Test {
protected:
    void TearDown() override { model::setSymbolReach(nullptr); }
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
};

TEST(IndexBox, HoldsEveryPointItWasMadeFromThoughItKeepsFewerDigits)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> any(-1e9, 1e9);
    std::uniform_real_distribution<double> small(-1e-3, 1e-3);
    for (int i = 0; i < 10000; ++i) {
        X3DPoint p(any(rng), small(rng), 0.1 * i);
        model::IndexBox b;
        EXPECT_TRUE(b.empty());
        b.add(p);
        EXPECT_FALSE(b.empty());
        ASSERT_TRUE(holds(b, p)) << p.x << " " << p.y << " " << p.z;
        b.grow(0.25);
        ASSERT_TRUE(holds(b, X3DPoint(p.x + 0.25, p.y - 0.25, p.z + 0.25)));
    }
}

TEST_F(SpatialIndexTest, ExtentsCoverWhatEachKindDraws)
{
    // A receiver is picked by its point alone, but draws as far as its aim
    // point (when asked to), with room for its circle and number; a ray
    // draws a hundred times its length.
    model::Extent r = model::extentOf(model::Receiver({1, 1, 1}, {5, -3, 2}));
    EXPECT_FALSE(holds(r.box, {5, -3, 2}));
    EXPECT_TRUE(holds(r.box, {1, 1, 1}));
    EXPECT_TRUE(holds(r.drawn, {5, -3, 2}));
    EXPECT_GE(r.marginX, 40);
    EXPECT_GE(r.marginY, 10);
    model::Extent ray = model::extentOf(model::Ray({0, 0, 0}, {1, 2, 0}));
    EXPECT_TRUE(holds(ray.drawn, {100, 200, 0}));
    EXPECT_FALSE(holds(ray.box, {1, 2, 0}));
    // A note's text spills out of its box as far as it is long.
    model::Extent shortNote = model::extentOf(model::Text({0, 0, 0}, {1, 1, 0}, "a"));
    model::Extent longNote = model::extentOf(model::Text({0, 0, 0}, {1, 1, 0}, std::string(200, 'w')));
    EXPECT_GT(longNote.marginX, shortNote.marginX + 1000);
    // A wall holds its openings even where they stray outside it.
    auto wall = fixtures::wallWithOpenings(0, 10, 3);
    wall->append(std::make_unique<model::Hole>(std::vector<X3DPoint>{{12, 0, 1}, {13, 0, 1}, {13, 0, 2}, {12, 0, 2}}));
    EXPECT_TRUE(holds(model::extentOf(*wall).box, {13, 0, 2}));
    // Project notes are never drawn nor picked.
    EXPECT_TRUE(model::extentOf(model::Info()).box.empty());
    // The views say how far a source's loudspeaker drawing reaches.
    model::Source source({0, 0, 0}, {1, 0, 0}, 0.0, "omni.spk");
    EXPECT_FALSE(holds(model::extentOf(source).drawn, {0, 0, 2.5}));
    model::setSymbolReach([](const Entity&) { return 3.0; });
    EXPECT_TRUE(holds(model::extentOf(source).drawn, {0, 0, 2.5}));
    EXPECT_FALSE(holds(model::extentOf(source).box, {0, 0, 2.5}));
}

TEST_F(SpatialIndexTest, TheTreeStaysBalancedAndRightThroughThousandsOfChanges)
{
    doc.autoDraw = false;
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> at(-500, 500);
    for (int i = 0; i < 3000; ++i) {
        double x = at(rng);
        double y = at(rng);
        doc.append(fixtures::rectangle(x, y, x + 2, y + 1, at(rng) / 100));
    }
    const model::SpatialIndex& index = doc.spatialIndex();
    ASSERT_TRUE(index.built());
    for (int round = 0; round < 300; ++round) {
        // Appended and put in front one by one, moved, deleted: each in
        // O(log n), the tree kept balanced by rotations.
        for (int k = 0; k < 5; ++k) {
            double x = at(rng);
            auto face = fixtures::rectangle(x, x, x + 3, x + 3, 0);
            if (k % 2 == 0) {
                doc.append(std::move(face));
            } else {
                doc.prepend(std::move(face));
            }
        }
        std::size_t i = static_cast<std::size_t>(rng() % doc.count());
        doc.children()[i]->selected = true;
        doc.translateIfSelected(X3DVector(at(rng), at(rng), 0));
        doc.children()[i]->selected = false;
        doc.children()[rng() % doc.count()]->selected = true;
        doc.deleteSelected();
        ASSERT_TRUE(index.built()) << "round " << round;
        if (round % 50 == 0) {
            ASSERT_TRUE(index.consistent()) << "round " << round;
        }
        model::Region r;
        r.min = {at(rng), at(rng), -10};
        r.max = {r.min.x + 100, r.min.y + 100, 10};
        ASSERT_EQ(inRegion(doc, r), inRegionByHand(doc, r)) << "round " << round;
    }
    EXPECT_TRUE(index.consistent());
    EXPECT_EQ(index.size(), doc.count());
    EXPECT_LE(index.height(), 2.5 * std::log2(static_cast<double>(doc.count())) + 4);
}

TEST_F(SpatialIndexTest, ManyChangesAtOnceAreCheaperBuiltAgainWhenNextAsked)
{
    doc.autoDraw = false;
    for (int i = 0; i < 20000; ++i) {
        doc.append(fixtures::rectangle(i, 0, i + 0.5, 1));
    }
    const model::SpatialIndex& index = doc.spatialIndex();
    ASSERT_TRUE(index.built());
    doc.setSelected(true);
    doc.translateIfSelected(X3DVector(0, 5, 0));
    EXPECT_FALSE(index.built());  // not taken apart entry by entry...
    model::Region r{{0, 4.5, -1}, {3, 6.5, 1}};
    EXPECT_EQ(inRegion(doc, r).size(), 4u);  // ...but built again, every face where it went
    EXPECT_TRUE(index.built());
    doc.translate(X3DVector(0, 100, 0));
    EXPECT_TRUE(inRegion(doc, r).empty());
    EXPECT_EQ(inRegion(doc, {{0, 104.5, -1}, {3, 106.5, 1}}).size(), 4u);
}

TEST_F(SpatialIndexTest, TheModelKeepsItsIndexThroughEveryChange)
{
    doc.autoDraw = false;
    PlanMapping plan;
    doc.append(fixtures::rectangle(0, 0, 4, 4, 1));
    auto* wall = static_cast<model::Wall*>(fixtures::wallWithOpenings(0, 10, 3).release());
    doc.append(std::unique_ptr<Entity>(wall));
    ASSERT_TRUE(doc.spatialIndex().built());

    // An opening added to a wall of the model far beyond it: the wall
    // tells the model, and the rubber band finds the opening there.
    wall->append(std::make_unique<model::Door>(std::vector<X3DPoint>{{30, 0, 0}, {31, 0, 0}, {31, 0, 2}, {30, 0, 2}},
                                               fixtures::materialNumber(4)));
    EXPECT_TRUE(doc.selectInside({{29, -1, -1}, {32, 1, 3}}));
    EXPECT_TRUE(wall->children().back()->selected);
    doc.setSelected(false);

    // Undo hands the model's entities over and back: the index follows.
    model::EntityList kept;
    kept.takeChildrenFrom(doc);
    EXPECT_EQ(doc.spatialIndex().size(), 0u);
    doc.takeChildrenFrom(kept);
    EXPECT_EQ(doc.spatialIndex().size(), 2u);
    double depth = -model::coordinateLimit;
    EXPECT_TRUE(doc.pierce(plan, {2, 2}, depth));
    EXPECT_EQ(depth, 1.0);

    // The geometry loop moves the floor; the index moves it too.
    struct Raise final : model::EntityEditor {
        int chooseMaterial(materials::Material&, bool) override { return 1; }
        int faceProperties(model::Face& f) override
        {
            f.translate(X3DVector(0, 0, 4));
            return 1;
        }
        int sourceParameters(model::Source&) override { return 1; }
        int editNotes(const std::string&, std::string&) override { return 1; }
    } raise;
    doc.children().front()->selected = true;
    EXPECT_EQ(doc.editGeometry(raise, false), 1);
    depth = -model::coordinateLimit;
    EXPECT_TRUE(doc.pierce(plan, {2, 2}, depth));
    EXPECT_EQ(depth, 5.0);

    // A tool that moves an entity of the model by itself says so.
    doc.children().front()->translate(X3DVector(100, 0, 0));
    doc.entityChanged(*doc.children().front());
    depth = -model::coordinateLimit;
    EXPECT_TRUE(doc.pierce(plan, {102, 2}, depth));
    EXPECT_EQ(depth, 5.0);

    // Opened again: cleared, and built afresh when next asked.
    const model::SpatialIndex& index = doc.spatialIndex();
    doc.clearEntities();
    EXPECT_FALSE(index.built());
    doc.append(fixtures::rectangle(0, 0, 1, 1, 7));
    depth = -model::coordinateLimit;
    EXPECT_TRUE(doc.pierce(plan, {0.5, 0.5}, depth));
    EXPECT_EQ(depth, 7.0);
}

TEST_F(SpatialIndexTest, QuestionsOfAViewAnswerAsTheWholeList)
{
    doc.autoDraw = false;
    PlanMapping plan;
    // Three outlines on top of each other: clicks on their common edge take
    // them in turn, in list order, whether the index answers or not.
    for (int i = 0; i < 3; ++i) {
        doc.append(fixtures::rectangle(0, 0, 10, 5, i));
    }
    doc.append(std::make_unique<model::Receiver>(X3DPoint(20, 20, 1), X3DPoint(21, 20, 1)));
    std::vector<Entity*> turns;
    std::vector<Entity*> turnsDirect;
    for (int k = 0; k < 6; ++k) {
        turns.push_back(doc.pickToggle(plan, {50, 0}, 0));
    }
    doc.setSelected(false);
    plan.linear = false;
    for (int k = 0; k < 6; ++k) {
        turnsDirect.push_back(doc.pickToggle(plan, {50, 0}, 0));
    }
    EXPECT_EQ(turns, turnsDirect);
    EXPECT_EQ(turns[0], doc.children()[0].get());
    EXPECT_EQ(turns[1], doc.children()[1].get());  // the first toggled off: the next one's turn
    plan.linear = true;
    // The vertex nearest the pointer, the highest face under it.
    X3DPoint v;
    double distance = 1.0;
    EXPECT_TRUE(doc.snapToVertex(plan, {19.8, 20.1}, v, distance));
    EXPECT_EQ(v.x, 20.0);
    double depth = -model::coordinateLimit;
    EXPECT_TRUE(doc.pierce(plan, {5, 2.5}, depth));
    EXPECT_EQ(depth, 2.0);
    // What can be painted into a corner of the view far from everything.
    std::vector<Entity*> found;
    doc.entitiesIn(plan, ui::PixelRect::fromSize(1000, -1000, 10, 10), found);
    EXPECT_TRUE(found.empty());
    doc.entitiesIn(plan, ui::PixelRect::fromSize(195, -205, 10, 10), found);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]->typeCode(), model::type::Receiver);
}

TEST_F(SpatialIndexTest, NumbersAreGivenAgainOnlyWhenSomethingChangedThem)
{
    doc.autoDraw = false;
    doc.append(std::make_unique<model::Source>(X3DPoint(0, 0, 0), X3DPoint(1, 0, 0), 0.0, "omni.spk"));
    doc.append(fixtures::wallWithOpenings());
    auto* second = new model::Source(X3DPoint(1, 0, 0), X3DPoint(2, 0, 0), 0.0, "omni.spk");
    doc.append(std::unique_ptr<Entity>(second));
    EXPECT_EQ(second->number, 2u);
    second->number = 9;  // not the model's doing: left as it is...
    doc.renumberIfNeeded();
    EXPECT_EQ(second->number, 9u);
    // ...until the first source goes and the numbers must move up.
    doc.children().front()->selected = true;
    doc.deleteSelected();
    doc.renumberIfNeeded();
    EXPECT_EQ(second->number, 1u);
    // One put in front numbers everything again.
    doc.prepend(std::make_unique<model::Source>(X3DPoint(5, 0, 0), X3DPoint(6, 0, 0), 0.0, "omni.spk"));
    doc.renumberIfNeeded();
    EXPECT_EQ(second->number, 2u);
}

}  // namespace
