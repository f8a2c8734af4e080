// What the views draw: every entity's look, the numbering, the grid, the
// loudspeaker drawings and the pen sharing, read from a recording context.
#include <gtest/gtest.h>

#include <algorithm>

#include "materials/MaterialList.h"
#include "model/ModelState.h"
#include "model/Ray.h"
#include "model/Segment.h"
#include "model/Source.h"
#include "model/Text.h"
#include "model/ViewOptions.h"
#include "tests/model/ModelFixtures.h"
#include "tests/support/TestSupport.h"
#include "ui/Installed.h"
#include "ui/headless/HeadlessPlatform.h"
#include "views/ShapeCache.h"
#include "views/ViewPainting.h"
#include "views/ViewSet.h"

namespace {

using geometry::X3DPoint;
using Ops = std::vector<std::string>;

class PaintingTest : public ::testing::Test {
protected:
    // Options, loudspeaker drawings and a database of the test's own.
    model::ModelState modelState;
    ui::Install<model::ModelState> useModel{modelState};
    views::ShapeCache shapes;
    ui::Install<views::ShapeCache> useShapes{shapes};
    materials::MaterialState materialState;
    ui::Install<materials::MaterialState> useMaterials{materialState};
    void SetUp() override
    {
        plan().onSize(400, 400);
        plan().setScale(0.05);
        plan().setCentre({0, 0});
        doc.axesShown = false;
        doc.gridShown = false;
    }
    views::ViewWindow& plan() { return views.byId(views::viewId::Plant); }
    Ops paint()
    {
        ui::headless::RecordingDrawContext dc;
        views::paintView(plan(), dc);
        return dc.ops;
    }
    static bool has(const Ops& ops, const std::string& op)
    {
        return std::find(ops.begin(), ops.end(), op) != ops.end();
    }
    static long count(const Ops& ops, const std::string& prefix)
    {
        return std::count_if(ops.begin(), ops.end(), [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
    }
    model::Source* addSource(X3DPoint p, X3DPoint target, const std::string& file = "none.spk")
    {
        auto s = std::make_unique<model::Source>(p, target, 0.0, file);
        model::Source* raw = s.get();
        doc.append(std::move(s));
        return raw;
    }

    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    views::ViewSet views{doc};
};

TEST(SourceLabels, RunFromAToZThenInPairs)
{
    EXPECT_EQ(views::sourceLabel(1), "A");
    EXPECT_EQ(views::sourceLabel(26), "Z");
    EXPECT_EQ(views::sourceLabel(27), "AA");
    EXPECT_EQ(views::sourceLabel(52), "AZ");
    EXPECT_EQ(views::sourceLabel(53), "BA");
    EXPECT_EQ(views::sourceLabel(702), "ZZ");
    EXPECT_EQ(views::sourceLabel(703), "AAA");  // past ZZ the pattern goes on
}

TEST_F(PaintingTest, SourcesAreLabelledInModelOrderAndTheLabelBoxWidensForTwoLetters)
{
    // A view wide enough for all of them (what lies outside is not painted).
    plan().onSize(1000, 400);
    plan().setCentre({0, 0});
    for (int i = 0; i < 27; ++i) {
        addSource({i * 0.5, 0, 0}, {i * 0.5, 1, 0});
    }
    Ops ops = paint();
    // The 27th source stands at (13, 0): pixel (760, 200), box 10 wide each side.
    EXPECT_TRUE(has(ops, "text 760 192 AA"));
    EXPECT_TRUE(has(ops, "polyline 750 192 770 192 770 208 750 208 750 192"));
    EXPECT_TRUE(has(ops, "text 500 192 A"));
    EXPECT_TRUE(has(ops, "polyline 492 192 508 192 508 208 492 208 492 192"));
    // Deleting the first source relabels every later one at the next paint.
    doc.children().front()->selected = true;
    doc.deleteSelected();
    ops = paint();
    EXPECT_TRUE(has(ops, "text 510 192 A"));
    EXPECT_TRUE(has(ops, "text 760 192 Z"));
    EXPECT_FALSE(has(ops, "text 760 192 AA"));
}

TEST_F(PaintingTest, ReceiversShowTheirNumberInACircleAndTheirAimOnlyWhenAsked)
{
    doc.append(std::make_unique<model::Receiver>(X3DPoint{1, 1, 0}, X3DPoint{2, 1, 0}));
    Ops ops = paint();
    EXPECT_TRUE(has(ops, "circle 220 180 8"));
    EXPECT_TRUE(has(ops, "text 220 172 1"));
    EXPECT_EQ(count(ops, "pen 2 "), 0);
    model::viewOptions().showReceiverDirections = true;
    ops = paint();
    EXPECT_EQ(count(ops, "pen 2 "), 1);  // the dotted aim line
    EXPECT_TRUE(has(ops, "line 240 180"));
    model::viewOptions().showReceivers = false;
    ops = paint();
    EXPECT_EQ(count(ops, "circle"), 0);
}

TEST_F(PaintingTest, HiddenSourcesDrawNothingAtAll)
{
    addSource({0, 0, 0}, {3, 0, 0}, "omni.spk");
    Ops shown = paint();
    EXPECT_GT(count(shown, "polyline"), 1);  // box and loudspeaker
    model::viewOptions().showSources = false;
    Ops hidden = paint();
    EXPECT_EQ(count(hidden, "polyline"), 0);
    EXPECT_EQ(count(hidden, "text"), 0);
    EXPECT_EQ(count(hidden, "line"), 0);
    model::viewOptions().showSourceDirections = false;
    model::viewOptions().showSources = true;
    EXPECT_EQ(count(paint(), "pen 2 "), 0);
}

TEST_F(PaintingTest, TheLoudspeakerDrawingIsTurnedTowardsTheTarget)
{
    testsupport::ScratchDir dir;
    // One triangle pointing along +x from the source.
    std::string spk = dir.file("arrow.spk");
    testsupport::writeText(spk, "An arrow\nEntityList\n Face 0 0 3  0 0 0  2 0.5 0  2 -0.5 0\nEnd\n");
    addSource({1, 1, 0}, {1, 5, 0}, spk);
    Ops ops = paint();
    // Aimed along +y: the tip (2, 0.5) lands at (1 - 0.5, 1 + 2), the other
    // corner at (1 + 0.5, 3); the closed outline starts at the last vertex.
    EXPECT_TRUE(has(ops, "polyline 230 140 220 180 210 140 230 140")) << testing::PrintToString(ops);
    // A file that is missing, or has no drawing, gives the box alone.
    doc.clear();
    addSource({1, 1, 0}, {1, 5, 0}, dir.file("missing.spk"));
    EXPECT_EQ(count(paint(), "polyline"), 1);
    EXPECT_EQ(views::shapeFor(dir.file("missing.spk")), nullptr);
    testsupport::writeText(dir.file("empty.spk"), "no drawing here\n");
    EXPECT_EQ(views::shapeFor(dir.file("empty.spk")), nullptr);
}

TEST_F(PaintingTest, TextNotesShowTheirTextOnlyWhenTheBoxIsBigEnough)
{
    auto note = std::make_unique<model::Text>(X3DPoint{0, 0, 0}, X3DPoint{0.75, 0.75, 0}, "Stage");
    model::Text* t = note.get();
    doc.append(std::move(note));
    plan().setScale(0.0625);
    Ops ops = paint();  // 12 pixels each way: the symbol
    EXPECT_TRUE(has(ops, "circle 206 194 8"));
    EXPECT_TRUE(has(ops, "text 206 186 i"));
    plan().setScale(0.046875);  // 16 pixels: the yellow box with its text, no outline
    ops = paint();
    EXPECT_TRUE(has(ops, "pen 5 16776960"));
    EXPECT_TRUE(has(ops, "brush -1 65535"));
    EXPECT_TRUE(has(ops, "wrapped 200 184 216 200 Stage"));
    t->setSelected(true);
    ops = paint();
    EXPECT_TRUE(has(ops, "pen 0 16776960"));  // outlined in cyan when selected
    t->setLocked(true);
    ops = paint();
    EXPECT_TRUE(has(ops, "pen 5 16776960"));  // a locked note looks unselected
    t->text.clear();
    EXPECT_TRUE(has(paint(), "text 208 184 i"));
}

TEST_F(PaintingTest, ColoursFollowSelectionLockingAndMaterials)
{
    auto face = fixtures::rectangle(0, 0, 1, 1, 0, 2);
    model::Face* f = face.get();
    doc.append(std::move(face));
    doc.append(std::make_unique<model::Segment>(X3DPoint{0, 0, 0}, X3DPoint{1, 0, 0}));
    doc.append(std::make_unique<model::Ray>(X3DPoint{0, 0, 0}, X3DPoint{0.01, 0, 0}));
    doc.setSelected(true);
    materials::MaterialList& list = materials::materialList();
    list.materialColoursShown = true;
    Ops ops = paint();
    EXPECT_TRUE(has(ops, "pen 0 " + std::to_string(list.at(2).colour)));
    EXPECT_TRUE(has(ops, "pen 0 12632256"));  // segments stay light grey
    EXPECT_TRUE(has(ops, "pen 0 16776960"));  // a selected ray is cyan
    EXPECT_TRUE(has(ops, "line 220 200"));    // reaching a hundred times its length
    list.materialColoursShown = false;
    doc.setLocked(true);
    ops = paint();
    EXPECT_TRUE(has(ops, "pen 0 12632256"));
    EXPECT_TRUE(has(ops, "pen 0 8421504"));  // rays never show the locked colour
    EXPECT_FALSE(f->selected);
}

TEST_F(PaintingTest, SelectedEntitiesArePaintedAgainOnTop)
{
    doc.append(fixtures::rectangle(0, 0, 1, 1));
    doc.append(fixtures::rectangle(2, 0, 3, 1));
    doc.children()[0]->setSelected(true);
    Ops ops = paint();
    EXPECT_EQ(count(ops, "polyline"), 3);
    EXPECT_EQ(ops.back(), "polyline 200 180 200 200 220 200 220 180 200 180");
}

TEST_F(PaintingTest, ARunOfFacesOfOneColourSharesOnePen)
{
    for (int i = 0; i < 100; ++i) {
        doc.append(fixtures::rectangle(i, 0, i + 0.5, 0.5));
    }
    ui::headless::RecordingDrawContext dc;
    views::paintView(plan(), dc);
    EXPECT_EQ(dc.pensMade(), 1);
    views::paintView(plan(), dc);
    EXPECT_EQ(dc.pensMade(), 1);  // still selected from the last paint
}

TEST_F(PaintingTest, TheGridShowsFromSixPixelsAndNeverInTheAxonometricView)
{
    doc.gridShown = true;
    doc.setGridStep(0.25);
    EXPECT_EQ(count(paint(), "pixel"), 0);  // 5 pixels apart
    plan().setScale(0.04);                  // 6.25: 6 after rounding
    Ops ops = paint();
    EXPECT_GT(count(ops, "pixel"), 0);
    EXPECT_TRUE(has(ops, "pixel 200 200 0"));
    views::ViewWindow& axo = views.byId(views::viewId::Assonometry);
    axo.onSize(400, 400);
    axo.setScale(0.04);
    ui::headless::RecordingDrawContext dc;
    views::paintView(axo, dc);
    EXPECT_EQ(count(dc.ops, "pixel"), 0);
}

TEST_F(PaintingTest, AxesRunAHundredMetresInRedGreenAndBlue)
{
    doc.axesShown = true;
    Ops ops = paint();
    EXPECT_TRUE(has(ops, "pen 0 255"));
    EXPECT_TRUE(has(ops, "line 2200 200"));
    EXPECT_TRUE(has(ops, "pen 0 65280"));
    EXPECT_TRUE(has(ops, "line 200 -1800"));
    EXPECT_TRUE(has(ops, "pen 0 16711680"));
}

}  // namespace
