// DXF export: the exact layout, layers and flags, and the round trip.
#include <gtest/gtest.h>

#include "exchange/DxfExport.h"
#include "exchange/DxfImport.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Ray.h"
#include "model/Source.h"
#include "model/Text.h"
#include "tests/model/ModelFixtures.h"
#include "tests/support/TestSupport.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/Installed.h"

using geometry::X3DPoint;

namespace {

class DxfExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::writeText(dir.file("tolvane.mat"), "  3  Concrete rough , 0.01\n 12  Brick , 0.03\n");
        materials::setMaterialDirectory(dir.path().string());
        doc.autoDraw = false;
    }
    // A database of the test's own, gone with the test.
    materials::MaterialState materialState;
    ui::Install<materials::MaterialState> useMaterials{materialState};

    std::string exported(bool names = true)
    {
        std::string out;
        textio::TextWriter w(out);
        exchange::exportDxf(w, doc, names);
        w.flush();
        return out;
    }
    // The text as LF lines, for readable expectations (CR LF is checked apart).
    std::string lines(bool names = true)
    {
        std::string crlf = exported(names);
        std::string lf;
        for (std::size_t i = 0; i < crlf.size(); ++i) {
            if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') {
                continue;
            }
            lf += crlf[i];
        }
        return lf;
    }

    testsupport::ScratchDir dir;
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
};

const std::string header = "0\nSECTION\n2\nENTITIES\n";
const std::string trailer = "0\nENDSEC\n0\nEOF\n";

}  // namespace

TEST_F(DxfExport, AnEmptyModelIsEightLinesWithWindowsLineEnds)
{
    EXPECT_EQ(exported(), "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n");
}

TEST_F(DxfExport, ATriangleRepeatsItsFirstCornerAndHidesTheFourthEdge)
{
    doc.append(std::make_unique<model::Face>(std::vector<X3DPoint>{{0, 0, 0}, {0.1, 0, 0}, {2, 1.5, 0}},
                                             fixtures::materialNumber(3)));
    EXPECT_EQ(lines(), header +
                           "0\n3DFACE\n8\nConcrete rough\n"
                           "10\n0\n20\n0\n30\n0\n11\n0.1\n21\n0\n31\n0\n12\n2\n22\n1.5\n32\n0\n13\n0\n23\n0\n33\n0\n"
                           "70\n8\n" +
                           trailer);
}

TEST_F(DxfExport, PolygonsAreFannedFromTheFirstCorner)
{
    auto corners = [](std::size_t n) {
        std::vector<X3DPoint> p;
        for (std::size_t i = 0; i < n; ++i) {
            p.emplace_back(static_cast<double>(i), static_cast<double>(i * i), 0);
        }
        return p;
    };
    auto count = [](const std::string& s, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) {
            ++n;
        }
        return n;
    };
    doc.append(std::make_unique<model::Face>(corners(4), materials::Material{}));
    std::string quad = lines();
    EXPECT_EQ(count(quad, "3DFACE"), 1u);
    EXPECT_EQ(count(quad, "\n70\n"), 0u);
    doc.clearEntities();
    doc.append(std::make_unique<model::Face>(corners(5), materials::Material{}));
    std::string pentagon = lines();
    EXPECT_EQ(count(pentagon, "3DFACE"), 2u);
    // Second quadrilateral: P0, P3, P4, P0.
    EXPECT_NE(pentagon.find("10\n0\n20\n0\n30\n0\n11\n3\n21\n9\n31\n0\n12\n4\n22\n16\n32\n0\n13\n0\n23\n0\n"),
              std::string::npos);
    EXPECT_EQ(count(pentagon, "\n70\n8\n"), 1u);
    doc.clearEntities();
    doc.append(std::make_unique<model::Face>(corners(6), materials::Material{}));
    std::string hexagon = lines();
    EXPECT_EQ(count(hexagon, "3DFACE"), 2u);
    EXPECT_NE(hexagon.find("11\n3\n21\n9\n31\n0\n12\n4\n22\n16\n32\n0\n13\n5\n23\n25\n"), std::string::npos);
    EXPECT_EQ(count(hexagon, "\n70\n"), 0u);
}

TEST_F(DxfExport, AWallWritesItsFaceHoleAndDoorInOrder)
{
    X3DPoint corners[4] = {{0, 0, 0}, {10, 0, 0}, {10, 0, 3}, {0, 0, 3}};
    auto wall = std::make_unique<model::Wall>(corners, fixtures::materialNumber(12, true));
    wall->append(std::make_unique<model::Hole>(std::vector<X3DPoint>{{4, 0, 1}, {5, 0, 1}, {5, 0, 2}, {4, 0, 2}}));
    wall->append(std::make_unique<model::Door>(std::vector<X3DPoint>{{1, 0, 0}, {2, 0, 0}, {2, 0, 2}, {1, 0, 2}},
                                               fixtures::materialNumber(7)));
    doc.append(std::move(wall));
    std::string text = lines(false);
    std::size_t base = text.find("0\n3DFACE\n8\n12\n62\n1\n");
    std::size_t hole = text.find("0\nPOLYLINE\n8\nHOLES\n66\n1\n10\n0.0\n20\n0.0\n30\n0.0\n70\n8\n");
    std::size_t door = text.find("0\n3DFACE\n8\n7\n10\n1\n");
    ASSERT_NE(base, std::string::npos) << text;
    ASSERT_NE(hole, std::string::npos);
    ASSERT_NE(door, std::string::npos);
    EXPECT_LT(base, hole);
    EXPECT_LT(hole, door);
    std::string vertices = text.substr(hole, door - hole);
    std::size_t n = 0;
    for (std::size_t at = vertices.find("VERTEX\n8\nHOLES\n70\n32\n"); at != std::string::npos;
         at = vertices.find("VERTEX", at + 1)) {
        ++n;
    }
    EXPECT_EQ(n, 5u) << "four corners and the first again";
    EXPECT_NE(vertices.find("70\n32\n10\n4\n20\n0\n30\n1\n0\nSEQEND\n"), std::string::npos);
}

TEST_F(DxfExport, LayersNameOrNumberTheMaterialAndFlagsGoToGroup62)
{
    materials::Material both = fixtures::materialNumber(12, true, true);
    doc.append(std::make_unique<model::Face>(std::vector<X3DPoint>{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, both));
    EXPECT_NE(lines(true).find("0\n3DFACE\n8\nBrick\n62\n3\n10\n"), std::string::npos);
    EXPECT_NE(lines(false).find("0\n3DFACE\n8\n12\n62\n3\n10\n"), std::string::npos);
}

TEST_F(DxfExport, ReceiversAndSourcesOnTheirLayers)
{
    doc.append(std::make_unique<model::Receiver>(X3DPoint(1, 2, 1.2), X3DPoint(3, 4, 1.25)));
    doc.append(std::make_unique<model::Source>(X3DPoint(0, 0, 2), X3DPoint(5, 0, 1.2), 45, "horn.spk"));
    doc.append(std::make_unique<model::Text>(X3DPoint(), X3DPoint(1, 1, 0), "not exported"));
    doc.append(std::make_unique<model::Ray>(X3DPoint(), X3DPoint(1, 1, 0)));
    EXPECT_EQ(lines(), header +
                           "0\nLINE\n8\nRECEIVERS\n10\n1\n20\n2\n30\n1.2\n11\n3\n21\n4\n31\n1.25\n"
                           "0\nATTDEF\n8\nSOURCES\n1\nhorn.spk\n2\nSource1\n3\nSource name\n"
                           "10\n0\n20\n0\n30\n2\n11\n5\n21\n0\n31\n1.2\n51\n45\n40\n0.5\n70\n0\n72\n5\n" +
                           trailer);
}

TEST_F(DxfExport, CoordinatesKeepTwelveDigits)
{
    doc.append(std::make_unique<model::Receiver>(X3DPoint(0.1, 2, 1234.56789012345), X3DPoint()));
    EXPECT_NE(lines().find("10\n0.1\n20\n2\n30\n1234.56789012\n"), std::string::npos);
}

TEST_F(DxfExport, RoundTripBringsBackWallsDoorsHolesReceiversAndSources)
{
    doc.append(fixtures::wallWithOpenings(0, 10, 3));
    doc.append(std::make_unique<model::Receiver>(X3DPoint(1, 2, 1.2), X3DPoint(3, 4, 1.25)));
    doc.append(std::make_unique<model::Source>(X3DPoint(0, 0, 2), X3DPoint(5, 0, 1.2), 45, "horn.spk"));
    std::string text = exported(false);
    model::Document back;
    back.autoDraw = false;
    textio::TokenReader in{std::string_view(text)};
    exchange::importDxf(back, in, text.size());
    ASSERT_EQ(back.count(), 3u);
    const auto& wall = static_cast<const model::Wall&>(*back.children()[0]);
    ASSERT_EQ(wall.count(), 3u) << "the base face, the door and the hole";
    EXPECT_TRUE(wall.isEqual(*doc.children()[0]));
    const auto& original = static_cast<const model::Wall&>(*doc.children()[0]);
    ASSERT_EQ(wall.children()[2]->typeCode(), model::type::Hole);
    EXPECT_TRUE(wall.children()[2]->isEqual(*original.children()[2])) << "the hole comes back in place";
    EXPECT_EQ(wall.baseFace->material.number, 12u);
    EXPECT_TRUE(wall.baseFace->material.obstructing);
    EXPECT_EQ(wall.children()[1]->typeCode(), model::type::Door);
    EXPECT_EQ(static_cast<const model::Face&>(*wall.children()[1]).material.number, 7u);
    const auto& r = static_cast<const model::Receiver&>(*back.children()[1]);
    EXPECT_TRUE(r.position == X3DPoint(1, 2, 1.2));
    EXPECT_TRUE(r.target == X3DPoint(3, 4, 1.25));
    const auto& s = static_cast<const model::Source&>(*back.children()[2]);
    ASSERT_EQ(s.typeCode(), model::type::Source);
    EXPECT_TRUE(s.isEqual(*doc.children()[2]));
}
