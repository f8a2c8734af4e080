// The model object: numbering, drawing on append, the modified flag.
#include <gtest/gtest.h>

#include "model/Document.h"
#include "model/EntityPainter.h"
#include "model/Segment.h"
#include "model/Source.h"
#include "tests/model/ModelFixtures.h"

using geometry::X3DPoint;

namespace {

struct CountingPainter : model::EntityPainter {
    int redraws = 0;
    void redraw(const model::Entity&) override { ++redraws; }
};

struct MarkerScene : model::DerivedData {
    bool* destroyed;
    explicit MarkerScene(bool* flag) : destroyed(flag) {}
    ~MarkerScene() override { *destroyed = true; }
};

}  // namespace

TEST(Document, SourcesAndReceiversAreNumberedSeparatelyInOrder)
{
    model::Document doc;
    auto add = [&doc](bool source) -> model::Receiver& {
        std::unique_ptr<model::Receiver> e;
        if (source) {
            e = std::make_unique<model::Source>(X3DPoint(), X3DPoint(), 0, "omni.spk");
        } else {
            e = std::make_unique<model::Receiver>();
        }
        model::Receiver& ref = *e;
        doc.append(std::move(e));
        return ref;
    };
    model::Receiver& r1 = add(false);
    model::Receiver& s1 = add(true);
    model::Receiver& r2 = add(false);
    EXPECT_EQ(r1.number, 1u);
    EXPECT_EQ(s1.number, 1u);
    EXPECT_EQ(r2.number, 2u);
    r1.setSelected(true);
    doc.deleteSelected();
    model::Receiver& r3 = add(false);
    EXPECT_EQ(r3.number, 3u) << "later entities get the next number until a full redraw";
    doc.renumber();
    EXPECT_EQ(r2.number, 1u);
    EXPECT_EQ(r3.number, 2u);
}

TEST(Document, AppendDrawsAndMarksModifiedOnlyWhileAutoDrawIsOn)
{
    CountingPainter painter;
    model::addEntityPainter(&painter);
    model::Document doc;
    int titleUpdates = 0;
    doc.onModifiedChanged = [&titleUpdates](bool) { ++titleUpdates; };
    doc.autoDraw = false;
    doc.append(fixtures::rectangle(0, 0, 1, 1));
    EXPECT_FALSE(doc.modified());
    EXPECT_EQ(painter.redraws, 0);
    doc.autoDraw = true;
    doc.append(fixtures::rectangle(0, 0, 1, 1));
    EXPECT_TRUE(doc.modified());
    EXPECT_EQ(painter.redraws, 1);
    EXPECT_EQ(titleUpdates, 1);
    model::removeEntityPainter(&painter);
}

TEST(Document, ChangingTheModifiedFlagDropsTheScene)
{
    model::Document doc;
    bool destroyed = false;
    doc.scene = std::make_unique<MarkerScene>(&destroyed);
    doc.setModified(false);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(doc.scene, nullptr);
}

TEST(Document, GridStepNeverBelowOneMillimetre)
{
    model::Document doc;
    EXPECT_EQ(doc.gridStep(), 1.0);
    doc.setGridStep(0.0001);
    EXPECT_EQ(doc.gridStep(), 0.001);
    EXPECT_TRUE(doc.gridShown);
    EXPECT_TRUE(doc.axesShown);
    EXPECT_TRUE(doc.undoEnabled);
}

TEST(Document, BoundsIncludeTheBaseMapOnlyWhileShown)
{
    model::Document doc;
    doc.autoDraw = false;
    doc.append(fixtures::rectangle(0, 0, 1, 1));
    doc.baseMap.append(std::make_unique<model::Segment>(X3DPoint(-50, 0, 0), X3DPoint(0, 0, 0)));
    X3DPoint min;
    X3DPoint max;
    doc.bounds(min, max);
    EXPECT_EQ(min.x, 0.0);
    doc.baseMap.selected = true;
    doc.bounds(min, max);
    EXPECT_EQ(min.x, -50.0);
}
