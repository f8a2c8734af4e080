// DXF block references: placement, arrays, layers, and blocks that insert
// themselves, nest too deep or multiply beyond reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "exchange/DxfImport.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Wall.h"
#include "tests/exchange/DxfText.h"
#include "tests/support/TestSupport.h"
#include "textio/TokenReader.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/Installed.h"

using dxftest::block;
using dxftest::DxfText;
using geometry::X3DPoint;

namespace {

class DxfBlocks : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::writeText(dir.file("tolvane.mat"), "  1  Concrete , 0.01\n  2  Brick , 0.03\n  3  Glass , 0.04\n");
        materials::setMaterialDirectory(dir.path().string());
        doc.autoDraw = false;
    }
    // A database of the test's own, gone with the test.
    materials::MaterialState materialState;
    ui::Install<materials::MaterialState> useMaterials{materialState};

    exchange::DxfImportReport import(const std::string& text, exchange::DxfImportOptions options = {})
    {
        textio::TokenReader in{std::string_view(text)};
        return exchange::importDxf(doc, in, text.size(), options, "test.dxf");
    }
    const model::Face& baseAt(std::size_t i) { return *static_cast<const model::Wall&>(*doc.children()[i]).baseFace; }

    testsupport::ScratchDir dir;
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
};

// A 2 x 1 face in the block's x-z plane, its first corner at (1, 0, 0).
DxfText panel(const std::string& layer)
{
    return DxfText().face(layer, {{1, 0, 0}, {3, 0, 0}, {3, 0, 1}, {1, 0, 1}});
}

void expectCorners(const model::Face& f, const std::vector<X3DPoint>& expected)
{
    ASSERT_EQ(f.vertices.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(f.vertices[i].x, expected[i].x, 1e-9) << "corner " << i;
        EXPECT_NEAR(f.vertices[i].y, expected[i].y, 1e-9) << "corner " << i;
        EXPECT_NEAR(f.vertices[i].z, expected[i].z, 1e-9) << "corner " << i;
    }
}

}  // namespace

TEST_F(DxfBlocks, AnInsertPlacesItsBlockByBasePointScaleRotationAndInsertionPoint)
{
    DxfText t;
    t.insert("PANEL", "Brick", {10, 20, 5}).real(41, 2).real(42, 3).real(43, 4).real(50, 90);
    import(t.file("", block("PANEL", {1, 0, 0}, panel("0"))));
    ASSERT_EQ(doc.count(), 1u);
    // (x, y, z) of the block: less the base point, scaled, turned 90 degrees
    // about z, moved to the insertion point.
    expectCorners(baseAt(0), {{10, 20, 5}, {10, 24, 5}, {10, 24, 9}, {10, 20, 9}});
    EXPECT_EQ(baseAt(0).material.number, 2u) << "layer 0 in the block takes the INSERT's layer";
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(DxfBlocks, NegativeScalesMirrorAndExtrusionDirectionsTurnTheWholeBlock)
{
    DxfText t;
    t.insert("PANEL", "Brick", {0, 0, 0}).real(41, -1);
    // Seen from below: the object x axis runs along -x.
    t.insert("PANEL", "Brick", {10, 20, 0}).real(210, 0).real(220, 0).real(230, -1);
    import(t.file("", block("PANEL", {0, 0, 0}, panel("Glass"))));
    ASSERT_EQ(doc.count(), 2u);
    expectCorners(baseAt(0), {{-1, 0, 0}, {-3, 0, 0}, {-3, 0, 1}, {-1, 0, 1}});
    expectCorners(baseAt(1), {{-11, 20, 0}, {-13, 20, 0}, {-13, 20, -1}, {-11, 20, -1}});
    EXPECT_EQ(baseAt(0).material.number, 3u) << "a named layer in the block stays";
}

TEST_F(DxfBlocks, ColumnAndRowArraysRepeatTheBlockUnscaledButTurned)
{
    DxfText t;
    t.insert("PANEL", "Brick", {0, 0, 0}).real(41, 0.5).group(70, "3").group(71, "2").real(44, 10).real(45, 7);
    t.insert("PANEL", "Brick", {0, 100, 0}).real(50, 90).group(70, "2").real(44, 10);
    t.insert("PANEL", "Brick", {0, 200, 0}).group(70, "5");  // no spacing: one copy
    import(t.file("", block("PANEL", {0, 0, 0}, panel("0"))));
    ASSERT_EQ(doc.count(), 6u + 2u + 1u);
    expectCorners(baseAt(5), {{20.5, 7, 0}, {21.5, 7, 0}, {21.5, 7, 1}, {20.5, 7, 1}});
    expectCorners(baseAt(7), {{0, 111, 0}, {0, 113, 0}, {0, 113, 1}, {0, 111, 1}});
}

TEST_F(DxfBlocks, NestedBlocksPassTheLayerOfTheOutermostInsertDownThroughLayerZero)
{
    DxfText inner = panel("0");
    DxfText middle;
    middle.insert("INNER", "0", {0, 0, 0});
    middle.insert("INNER", "Glass", {0, 5, 0});
    DxfText t;
    t.insert("MIDDLE", "Brick", {100, 0, 0}).real(50, 180);
    import(t.file("", block("INNER", {0, 0, 0}, inner) + block("MIDDLE", {0, 0, 0}, middle)));
    ASSERT_EQ(doc.count(), 2u);
    EXPECT_EQ(baseAt(0).material.number, 2u);
    EXPECT_EQ(baseAt(1).material.number, 3u);
    expectCorners(baseAt(1), {{99, -5, 0}, {97, -5, 0}, {97, -5, 1}, {99, -5, 1}});
}

TEST_F(DxfBlocks, ABlockThatInsertsItselfIsReportedOnceAndExpandedNoDeeper)
{
    DxfText self = panel("0");
    self.insert("LOOP", "0", {0, 10, 0});
    DxfText a;
    a.insert("B", "0", {0, 0, 0});
    DxfText b = panel("0");
    b.insert("A", "0", {0, 0, 50});
    DxfText t;
    t.insert("LOOP", "Brick", {0, 0, 0}).insert("LOOP", "Brick", {20, 0, 0}).insert("A", "Brick", {40, 0, 0});
    import(t.file("", block("LOOP", {0, 0, 0}, self) + block("A", {0, 0, 0}, a) + block("B", {0, 0, 0}, b)));
    EXPECT_EQ(doc.count(), 3u) << "each placed block's own face, once";
    ASSERT_EQ(platform.errors.size(), 2u);
    EXPECT_EQ(platform.errors[0], "The block LOOP inserts itself: it is expanded no deeper");
    EXPECT_EQ(platform.errors[1], "The block A inserts itself: it is expanded no deeper");
}

TEST_F(DxfBlocks, AThousandLevelsOfNestingStopAtSixtyFourWithOneMessage)
{
    std::string blocks;
    for (int k = 0; k < 1000; ++k) {
        DxfText body = k == 999 ? panel("0") : DxfText().insert("B" + std::to_string(k + 1), "0", {0, 0, 1});
        if (k == 10) {
            body.body += panel("0").body;  // a face within reach
        }
        blocks += block("B" + std::to_string(k), {0, 0, 0}, body);
    }
    auto start = std::chrono::steady_clock::now();
    import(DxfText().insert("B0", "Brick", {0, 0, 0}).file("", blocks));
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(doc.count(), 1u);
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0], "Blocks nest deeper than 64 levels: B64 and what it holds are left out");
    EXPECT_LT(seconds, 5.0);
}

TEST_F(DxfBlocks, TwoBillionColumnsAreRefusedNotAttempted)
{
    DxfText t;
    t.insert("PANEL", "Brick", {0, 0, 0}).group(70, "2000000000").real(44, 1);
    t.insert("PANEL", "Brick", {0, 50, 0});
    t.insert("MISSING", "Brick", {0, 0, 0});
    std::string text = t.file("", block("PANEL", {0, 0, 0}, panel("0")));
    auto line = std::count(text.begin(), text.begin() + static_cast<long>(text.find("INSERT")), '\n') + 1;
    auto start = std::chrono::steady_clock::now();
    import(text);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(doc.count(), 1u) << "the reasonable INSERT still comes in";
    ASSERT_EQ(platform.errors.size(), 2u);
    EXPECT_EQ(platform.errors[0], "The drawing's blocks expand to more than 20000000 entities: the INSERT of PANEL "
                                  "at line " +
                                      std::to_string(line) + " and the larger ones after it are left out");
    EXPECT_EQ(platform.errors[1], "The block MISSING is not defined");
    EXPECT_LT(seconds, 5.0);
}

TEST_F(DxfBlocks, AttributeTemplatesInBlocksAreNotSources)
{
    DxfText body = panel("0");
    body.attdef("SOURCES", {1, 1, 1}, {2, 2, 2}, 0, "omni.spk");
    DxfText t;
    t.insert("SPEAKER", "Brick", {0, 0, 0});
    t.attdef("SOURCES", {1, 1, 1}, {2, 2, 2}, 0, "horn.spk");
    import(t.file("", block("SPEAKER", {0, 0, 0}, body)));
    ASSERT_EQ(doc.count(), 2u);
    EXPECT_EQ(doc.children()[1]->typeCode(), model::type::Source);
}

TEST_F(DxfBlocks, DoublingAtEveryLevelIsRefusedBeforeItStarts)
{
    // Two columns at each of 1,000 levels: 2^1000 placements, most of them of
    // blocks nested too deep to show; the work is counted all the same.
    std::string blocks;
    for (int k = 0; k < 1000; ++k) {
        DxfText body;
        body.insert("B" + std::to_string(k + 1), "0", {0, 0, 0}).group(70, "2").real(44, 1);
        blocks += block("B" + std::to_string(k), {0, 0, 0}, k == 999 ? panel("0") : body);
    }
    auto start = std::chrono::steady_clock::now();
    import(DxfText().insert("B0", "Brick", {0, 0, 0}).file("", blocks));
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(doc.count(), 0u);
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0].rfind("The drawing's blocks expand to more than 20000000 entities", 0), 0u);
    EXPECT_LT(seconds, 5.0);
}
