// DXF drawings as they come: polyface and polygon meshes, closed 3-D
// polylines, drawing units, code pages, and files that are not drawings or
// are cut off.
#include <gtest/gtest.h>

#include "exchange/DxfImport.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Source.h"
#include "model/Wall.h"
#include "tests/exchange/DxfText.h"
#include "tests/support/TestSupport.h"
#include "textio/TokenReader.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/Installed.h"

using dxftest::DxfText;
using dxftest::wallCorners;
using geometry::X3DPoint;

namespace {

class DxfDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::writeText(dir.file("tolvane.mat"),
                               "  1  Concrete , 0.01\n  2  B\xC3\xA9ton , 0.02\n  3  Glass , 0.04\n");
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
    const model::Wall& wallAt(std::size_t i) { return static_cast<const model::Wall&>(*doc.children()[i]); }

    testsupport::ScratchDir dir;
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
};

DxfText& vertex(DxfText& t, const X3DPoint& p, int flags, std::vector<int> index = {})
{
    t.group(0, "VERTEX").group(8, "0").corners({p}).group(70, std::to_string(flags));
    for (std::size_t k = 0; k < index.size(); ++k) {
        t.group(71 + static_cast<int>(k), std::to_string(index[k]));
    }
    return t;
}

}  // namespace

TEST_F(DxfDrawing, APolyfaceMeshGivesOneFaceRecordPerFaceInvisibleEdgesIncluded)
{
    DxfText t;
    t.group(0, "POLYLINE").group(8, "Glass").group(66, "1").corners({{0, 0, 0}}).group(70, "64");
    t.group(71, "5").group(72, "3");
    for (X3DPoint p : {X3DPoint(0, 0, 0), X3DPoint(4, 0, 0), X3DPoint(4, 0, 3), X3DPoint(0, 0, 3), X3DPoint(2, 0, 5)}) {
        vertex(t, p, 192);
    }
    vertex(t, {}, 128, {1, 2, -3, 4});
    vertex(t, {}, 128, {4, -3, 5});
    vertex(t, {}, 128, {1, 2, 9});  // names a vertex the mesh does not have
    t.group(0, "SEQEND");
    import(t.file());
    ASSERT_EQ(doc.count(), 2u);
    const model::Face& quad = *wallAt(0).baseFace;
    EXPECT_EQ(quad.material.number, 3u);
    ASSERT_EQ(quad.vertices.size(), 4u);
    EXPECT_TRUE(quad.vertices[2] == X3DPoint(4, 0, 3)) << "an invisible edge still bounds the face";
    const auto& triangle = static_cast<const model::Face&>(*doc.children()[1]);
    EXPECT_EQ(triangle.typeCode(), model::type::Face);
    EXPECT_TRUE(triangle.vertices[2] == X3DPoint(2, 0, 5));
    EXPECT_EQ(platform.errors,
              (std::vector<std::string>{"1 mesh faces name vertices their mesh does not have: they are left out"}));
}

TEST_F(DxfDrawing, APolygonMeshGivesItsQuadrilateralsOpenOrClosed)
{
    for (int closed : {0, 32}) {
        doc.clearEntities();
        DxfText t;
        t.group(0, "POLYLINE").group(8, "Concrete").group(70, std::to_string(16 + closed));
        t.group(71, "2").group(72, "3");
        // Two rows of three points round a box: a floor-level ring and one above.
        for (double z : {0.0, 3.0}) {
            for (X3DPoint p : {X3DPoint(0, 0, z), X3DPoint(10, 0, z), X3DPoint(10, 8, z)}) {
                vertex(t, p, 64);
            }
        }
        t.group(0, "SEQEND");
        import(t.file());
        ASSERT_EQ(doc.count(), closed ? 3u : 2u);
        EXPECT_TRUE(wallAt(1).baseFace->vertices[0] == X3DPoint(10, 0, 0));
        EXPECT_TRUE(wallAt(1).baseFace->vertices[2] == X3DPoint(10, 8, 3));
    }
    DxfText shortOne;
    shortOne.group(0, "POLYLINE").group(8, "0").group(70, "16").group(71, "100000").group(72, "100000");
    vertex(shortOne, {0, 0, 0}, 64).group(0, "SEQEND");
    doc.clearEntities();
    platform.errors.clear();
    import(shortOne.file());
    EXPECT_EQ(doc.count(), 0u);
    EXPECT_EQ(platform.errors.size(), 1u);
}

TEST_F(DxfDrawing, AClosedThreeDPolylineIsAHoleInItsWallBeforeOrAfterIt)
{
    DxfText t;
    t.group(0, "POLYLINE").group(8, "HOLES").group(66, "1").group(70, "9");
    for (X3DPoint p : wallCorners(5, 6, 1, 2)) {
        vertex(t, p, 32);
    }
    t.group(0, "SEQEND");
    t.face("Concrete", wallCorners(0, 10, 0, 3));
    // Open 3-D polylines and plain 2-D ones are lines, not holes.
    t.group(0, "POLYLINE").group(8, "HOLES").group(70, "8");
    for (X3DPoint p : wallCorners(1, 2, 1, 2)) {
        vertex(t, p, 32);
    }
    t.group(0, "SEQEND");
    import(t.file());
    ASSERT_EQ(doc.count(), 1u);
    ASSERT_EQ(wallAt(0).count(), 2u);
    const model::Face& hole = static_cast<const model::Face&>(*wallAt(0).children()[1]);
    EXPECT_EQ(hole.typeCode(), model::type::Hole);
    EXPECT_EQ(hole.vertices.size(), 4u);
}

TEST_F(DxfDrawing, ThreeDFaceEdgeFlagsDoNotChangeTheFace)
{
    DxfText t;
    t.face("Concrete", wallCorners(0, 10, 0, 3)).group(70, "15");
    t.face("Concrete", wallCorners(20, 30, 0, 3));
    import(t.file());
    ASSERT_EQ(doc.count(), 2u);
    for (int i = 0; i < 4; ++i) {
        X3DPoint a = wallAt(0).baseFace->vertices[i];
        X3DPoint b = wallAt(1).baseFace->vertices[i];
        EXPECT_TRUE(X3DPoint(a.x + 20, a.y, a.z) == b);
    }
}

TEST_F(DxfDrawing, OpeningsThatMissTheirWallByLessThanAMillimetreAreSetIntoIt)
{
    DxfText t;
    t.face("Concrete", wallCorners(0, 10, 0, 3));
    std::vector<X3DPoint> near = wallCorners(2, 3, 0, 2.1);
    std::vector<X3DPoint> far = wallCorners(5, 6, 0, 2.1);
    for (X3DPoint& p : near) {
        p.y = 0.0005;
    }
    for (X3DPoint& p : far) {
        p.y = 0.002;
    }
    t.face("Glass", near).face("Glass", far);
    import(t.file());
    ASSERT_EQ(doc.count(), 2u) << "the door 2 mm off is a wall of its own";
    ASSERT_EQ(wallAt(0).count(), 2u);
    const model::Face& door = static_cast<const model::Face&>(*wallAt(0).children()[1]);
    EXPECT_EQ(door.typeCode(), model::type::Door);
    EXPECT_NEAR(door.vertices[0].y, 0.0, 1e-12) << "set into the wall's plane";
}

TEST_F(DxfDrawing, InsunitsScaleTheDrawingToMetresAndTheOptionOverridesThem)
{
    DxfText t;
    t.face("Concrete", wallCorners(0, 4000, 0, 3000)).line("R", {1000, 1000, 1200}, {2000, 1000, 1200});
    std::string mm = t.file("9\n$INSUNITS\n70\n4\n", "");
    exchange::DxfImportReport report = import(mm);
    ASSERT_EQ(doc.count(), 2u);
    EXPECT_TRUE(wallAt(0).baseFace->vertices[2] == X3DPoint(4, 0, 3));
    EXPECT_TRUE(static_cast<const model::Receiver&>(*doc.children()[1]).position == X3DPoint(1, 1, 1.2));
    EXPECT_EQ(report.unitsText(), "Drawing units: millimetres");

    doc.clearEntities();
    report = import(t.file("9\n$INSUNITS\n70\n1\n", ""));
    EXPECT_NEAR(wallAt(0).baseFace->vertices[1].x, 101.6, 1e-9) << "inches";

    doc.clearEntities();
    exchange::DxfImportOptions cm;
    cm.units = 5;
    report = import(mm, cm);
    EXPECT_NEAR(wallAt(0).baseFace->vertices[1].x, 40.0, 1e-9) << "--dxf-units cm wins";
    EXPECT_EQ(report.unitsText(), "Drawing units: centimetres");

    doc.clearEntities();
    report = import(t.file());
    EXPECT_NEAR(wallAt(0).baseFace->vertices[1].x, 4000.0, 1e-9) << "no units: metres, as ever";
    EXPECT_EQ(report.unitsText(), "Drawing units: metres (the drawing names none)");
}

TEST_F(DxfDrawing, LayerNamesAreDecodedByCodePageOrAsUtf8)
{
    // "B\xE9ton" in Windows-1252 (an R2000 drawing), in UTF-8 (AutoCAD
    // 2007 on), as a \U+ escape, and in our own header-less UTF-8 export.
    const std::string header1252 = "9\n$ACADVER\n1\nAC1015\n9\n$DWGCODEPAGE\n3\nANSI_1252\n";
    const std::string headerUtf8 = "9\n$ACADVER\n1\nAC1021\n9\n$DWGCODEPAGE\n3\nANSI_1252\n";
    struct Case {
        std::string header;
        std::string layer;
    };
    for (const Case& c : {Case{header1252, "B\xE9ton"}, Case{headerUtf8, "B\xC3\xA9ton"},
                          Case{header1252, "B\\U+00E9ton"}, Case{"", "B\xC3\xA9ton"}, Case{"", "b\xC3\x89TON"}}) {
        doc.clearEntities();
        import(DxfText().face(c.layer, wallCorners(0, 4, 0, 3)).file(c.header, ""));
        ASSERT_EQ(doc.count(), 1u);
        EXPECT_EQ(wallAt(0).baseFace->material.number, 2u) << c.layer;
    }
    doc.clearEntities();
    DxfText t;
    t.attdef("SOURCES", {1, 1, 1}, {2, 2, 2}, 0, std::string("ho\x01rn\x7F.spk"));
    import(t.file());
    ASSERT_EQ(doc.count(), 1u);
    EXPECT_EQ(static_cast<const model::Source&>(*doc.head()).directivity, "horn.spk") << "no control characters";
}

TEST_F(DxfDrawing, AFileThatIsNotADrawingIsAnErrorAndAddsNothing)
{
    for (const char* text : {"hello world\n", "", "\x89PNG\r\n\x1a\n binary"}) {
        platform.errors.clear();
        exchange::DxfImportReport report = import(text);
        EXPECT_FALSE(report.drawing) << text;
        EXPECT_EQ(doc.count(), 0u);
        EXPECT_EQ(platform.errors, (std::vector<std::string>{"The file test.dxf is not a DXF drawing"}));
    }
}

TEST_F(DxfDrawing, ADrawingCutOffKeepsWhatCameBeforeAndSaysWhere)
{
    std::string whole =
        DxfText().face("Concrete", wallCorners(0, 4, 0, 3)).face("Concrete", wallCorners(10, 14, 0, 3)).file();
    std::string cut = whole.substr(0, whole.rfind("3DFACE") + 20);  // inside the second face
    exchange::DxfImportReport report = import(cut);
    EXPECT_FALSE(report.complete);
    EXPECT_EQ(doc.count(), 1u);
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"Can't read a 3DFACE at line 34"}));

    doc.clearEntities();
    platform.errors.clear();
    std::string noEnd = whole.substr(0, whole.find("0\nENDSEC"));  // every face whole, no ENDSEC
    import(noEnd);
    EXPECT_EQ(doc.count(), 1u) << "the last face may be cut short: it is left out";
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0].rfind("Can't read a 3DFACE at line ", 0), 0u);
}

TEST_F(DxfDrawing, ADrawingCutOffBeforeItsEntitiesIsNotTakenForOneWithout)
{
    std::string tables = "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n0\nENDSEC\n"
                         "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nConcrete\n";
    std::string drawing = tables + "0\nENDTAB\n0\nENDSEC\n" +
                          DxfText().face("Concrete", wallCorners(0, 4, 0, 3)).file();
    // Inside a section passed over, and between two sections.
    struct Case {
        std::string text;
        std::string error;
    } cases[] = {{tables, "Can't read the TABLES section at line 22"},
                 {tables + "0\nENDTAB\n0\nENDSEC\n", "Can't read the drawing at line 26: it ends before its EOF"}};
    for (const Case& c : cases) {
        platform.errors.clear();
        exchange::DxfImportReport report = import(c.text);
        EXPECT_TRUE(report.drawing);
        EXPECT_FALSE(report.complete);
        EXPECT_TRUE(report.warnings.empty());
        EXPECT_EQ(platform.errors, (std::vector<std::string>{c.error}));
    }
    // Whole, the same drawing reads as before.
    platform.errors.clear();
    exchange::DxfImportReport report = import(drawing);
    EXPECT_TRUE(report.complete);
    EXPECT_TRUE(platform.errors.empty());
    EXPECT_EQ(doc.count(), 1u);
}

TEST_F(DxfDrawing, AWellFormedDrawingWithoutEntitiesWarnsButIsNoError)
{
    exchange::DxfImportReport report = import("0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n0\nENDSEC\n0\nEOF\n");
    EXPECT_TRUE(report.drawing);
    EXPECT_TRUE(report.complete);
    EXPECT_TRUE(platform.errors.empty());
    EXPECT_EQ(report.warnings,
              (std::vector<std::string>{"The drawing test.dxf has no ENTITIES section: nothing was imported"}));
}
