// OBJ meshes in and out: vertex and face forms, materials by usemtl or group,
// skipped faces, and what the export writes.
#include <gtest/gtest.h>

#include "exchange/ObjExport.h"
#include "exchange/ObjImport.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Source.h"
#include "model/Wall.h"
#include "tests/model/ModelFixtures.h"
#include "tests/support/TestSupport.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/Installed.h"

using geometry::X3DPoint;

namespace {

class Obj : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::writeText(dir.file("tolvane.mat"), "  1  Concrete , 0.01\n  2  Glass , 0.04\n  7  Wood , 0.1\n"
                                                        " 12  Brick , 0.03\n");
        testsupport::writeText(dir.file("tolcolor.mat"), "0\n255\n16711680\n");
        materials::setMaterialDirectory(dir.path().string());
        doc.autoDraw = false;
    }
    // A database of the test's own, gone with the test.
    materials::MaterialState materialState;
    ui::Install<materials::MaterialState> useMaterials{materialState};

    exchange::ObjImportReport import(const std::string& text)
    {
        textio::TokenReader in{std::string_view(text)};
        return exchange::importObj(doc, in, text.size(), "test.obj");
    }
    const model::Face& faceAt(std::size_t i) { return static_cast<const model::Face&>(*doc.children()[i]); }

    testsupport::ScratchDir dir;
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
};

std::string written(const std::function<void(textio::TextWriter&)>& write)
{
    testsupport::ScratchDir d;
    std::string path = d.file("out.txt");
    std::FILE* f = std::fopen(path.c_str(), "wb");
    {
        textio::TextWriter out(f);
        write(out);
        out.flush();
    }
    std::fclose(f);
    return testsupport::readText(path);
}

}  // namespace

TEST_F(Obj, EveryFaceFormAndNegativeIndicesNameTheSameVertices)
{
    exchange::ObjImportReport report = import(
        "# a room\nv 0 0 0\nv 4 0 0\nv 4 0 3\nv 0 0 3\nvt 0 0\nvn 0 1 0\n"
        "f 1 2 3 4\nf 1/1 2/1 3/1\nf 1//1 2//1 3//1 4//1\nf -4/1/1 -3/1/1 -2/1/1\n");
    EXPECT_EQ(report.added, 4);
    ASSERT_EQ(doc.count(), 4u);
    EXPECT_EQ(faceAt(0).typeCode(), model::type::Face);
    EXPECT_EQ(faceAt(0).vertices.size(), 4u);
    EXPECT_TRUE(faceAt(3).vertices[2] == X3DPoint(4, 0, 3));
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(Obj, UsemtlNamesTheMaterialElseTheGroupDoes)
{
    import("v 0 0 0\nv 1 0 0\nv 1 1 0\n"
           "g Glass\nf 1 2 3\nusemtl wood\nf 1 2 3\no Brick\nf 1 2 3\ng Nothing known\nf 1 2 3\nusemtl 12\nf 1 2 3\n");
    ASSERT_EQ(doc.count(), 5u);
    EXPECT_EQ(faceAt(0).material.number, 2u);
    EXPECT_EQ(faceAt(1).material.number, 7u);
    EXPECT_EQ(faceAt(2).material.number, 12u) << "a new object starts without the last usemtl";
    EXPECT_EQ(faceAt(3).material.number, 0u);
    EXPECT_EQ(faceAt(4).material.number, 12u);
}

TEST_F(Obj, DegenerateFacesAreCountedInOneWarningMissingVerticesInOneError)
{
    exchange::ObjImportReport report = import(
        "v 0 0 0\nv 1 0 0\nv 1 1 0\nv nan 0 0\n"
        "f 1 2\nf 1 1 2\nf 1 2 2 1\nf 1 2 3\nf 1 2 9\nf 1 2 -9\nf 1 2 4\nf 1 x 3\n");
    EXPECT_EQ(report.added, 1);
    EXPECT_EQ(report.degenerate, 3);
    EXPECT_EQ(report.warnings,
              (std::vector<std::string>{"3 faces with fewer than three distinct vertices were skipped"}));
    EXPECT_EQ(
        platform.errors,
        (std::vector<std::string>{"4 faces of test.obj name vertices the file does not have: they are left out"}));
}

TEST_F(Obj, ExportGroupsFacesByMaterialOpeningsApartListenersAsComments)
{
    doc.append(fixtures::wallWithOpenings(0, 10, 3));
    doc.append(std::make_unique<model::Face>(std::vector<X3DPoint>{{0, 0, 0}, {10, 0, 0}, {10, 5, 0}},
                                             fixtures::materialNumber(1)));
    doc.append(std::make_unique<model::Receiver>(X3DPoint(1, 2, 1.2), X3DPoint(3, 4, 1.2)));
    doc.append(std::make_unique<model::Source>(X3DPoint(0.5, 0, 2), X3DPoint(5, 0, 1.2), 45, "horn.spk"));
    std::string obj = written([&](textio::TextWriter& out) { exchange::exportObj(out, doc, "room.mtl"); });
    EXPECT_EQ(obj, "# Tolvane CAD acoustic model\nmtllib room.mtl\n"
                   "# Receiver 1 at 1 2 1.2 aiming at 3 4 1.2\n"
                   "# Source 1 at 0.5 0 2 aiming at 5 0 1.2 roll 45 horn.spk\n"
                   "g material1\nusemtl Concrete\nv 0 0 0\nv 10 0 0\nv 10 5 0\nf 1 2 3\n"
                   "g material12\nusemtl Brick\nv 0 0 0\nv 10 0 0\nv 10 0 3\nv 0 0 3\nf 4 5 6 7\n"
                   "g openings\nusemtl Wood\nv 1 0 0\nv 2 0 0\nv 2 0 2\nv 1 0 2\nf 8 9 10 11\n"
                   "usemtl Unknown\nv 4 0 1\nv 5 0 1\nv 5 0 2\nv 4 0 2\nf 12 13 14 15\n");
    std::string mtl = written([&](textio::TextWriter& out) { exchange::exportMtl(out, doc); });
    EXPECT_NE(mtl.find("newmtl Concrete\nKd 1 0 0\n"), std::string::npos) << mtl;
    EXPECT_NE(mtl.find("newmtl Unknown\nKd 0 1 1\n"), std::string::npos) << "material 0 keeps the default cyan";

    // And back: every face and opening as a face with its material.
    model::Document back;
    back.autoDraw = false;
    textio::TokenReader in{std::string_view(obj)};
    exchange::ObjImportReport report = exchange::importObj(back, in, obj.size());
    EXPECT_EQ(report.added, 4);
    EXPECT_EQ(static_cast<const model::Face&>(*back.children()[1]).material.number, 12u);
    EXPECT_EQ(static_cast<const model::Face&>(*back.children()[2]).material.number, 7u);
}

TEST(ObjNames, OnlyObjExtensionsInAnyCase)
{
    EXPECT_TRUE(exchange::isObjName("a/b/room.obj"));
    EXPECT_TRUE(exchange::isObjName("ROOM.OBJ"));
    EXPECT_FALSE(exchange::isObjName("room.obj.dxf"));
    EXPECT_FALSE(exchange::isObjName("obj"));
}
