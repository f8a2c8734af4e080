// DXF import: what each kind of DXF entity becomes, and damaged input.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "exchange/DxfImport.h"
#include "exchange/WallIndex.h"
#include "geometry/X3DPlane.h"
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

class DxfImport : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::writeText(dir.file("tolvane.mat"), "  1  Concrete rough , 0.01\n 12  Brick , 0.03\n");
        materials::setMaterialDirectory(dir.path().string());
        doc.autoDraw = false;
    }
    // A database of the test's own, gone with the test.
    materials::MaterialState materialState;
    ui::Install<materials::MaterialState> useMaterials{materialState};

    void import(const std::string& text)
    {
        textio::TokenReader in{std::string_view(text)};
        exchange::importDxf(doc, in, text.size());
    }
    model::Wall& wallAt(std::size_t i) { return static_cast<model::Wall&>(*doc.children()[i]); }

    testsupport::ScratchDir dir;
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
};

}  // namespace

TEST_F(DxfImport, FourCornerFacesBecomeWallsWithTheLayersMaterial)
{
    import(DxfText()
               .face("12", wallCorners(0, 4, 0, 3))
               .face("concrete ROUGH", wallCorners(10, 14, 0, 3))
               .face("Nowhere", wallCorners(20, 24, 0, 3))
               .file());
    ASSERT_EQ(doc.count(), 3u);
    EXPECT_EQ(wallAt(0).baseFace->material.number, 12u);
    EXPECT_EQ(wallAt(1).baseFace->material.number, 1u);
    EXPECT_EQ(wallAt(2).baseFace->material.number, 0u);
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(DxfImport, ColourOneToThreeCarriesTheFlags)
{
    import(DxfText()
               .face("1", wallCorners(0, 4, 0, 3), 3)
               .face("1", wallCorners(10, 14, 0, 3), 7)
               .face("1", wallCorners(20, 24, 0, 3), 1)
               .file());
    ASSERT_EQ(doc.count(), 3u);
    EXPECT_TRUE(wallAt(0).baseFace->material.obstructing);
    EXPECT_TRUE(wallAt(0).baseFace->material.monopermeable);
    EXPECT_FALSE(wallAt(1).baseFace->material.obstructing);
    EXPECT_FALSE(wallAt(1).baseFace->material.monopermeable);
    EXPECT_TRUE(wallAt(2).baseFace->material.obstructing);
    EXPECT_FALSE(wallAt(2).baseFace->material.monopermeable);
}

TEST_F(DxfImport, FacesInsideAnEarlierWallBecomeItsDoors)
{
    import(DxfText().face("1", wallCorners(0, 10, 0, 3)).face("12", wallCorners(2, 3, 0, 2.1)).file());
    ASSERT_EQ(doc.count(), 1u);
    ASSERT_EQ(wallAt(0).count(), 2u);
    const auto& door = static_cast<const model::Face&>(*wallAt(0).children()[1]);
    EXPECT_EQ(door.typeCode(), model::type::Door);
    EXPECT_EQ(door.material.number, 12u);
}

TEST_F(DxfImport, OpeningsBeforeTheirWallAFaceStandsAloneAHoleWaits)
{
    import(DxfText()
               .face("12", wallCorners(2, 3, 0, 2.1))
               .polyline(wallCorners(5, 6, 1, 2))
               .polyline(wallCorners(50, 51, 1, 2))  // fits no wall: dropped
               .face("1", wallCorners(0, 10, 0, 3))
               .file());
    ASSERT_EQ(doc.count(), 2u);
    EXPECT_EQ(wallAt(0).count(), 1u) << "the earlier face is a wall of its own";
    ASSERT_EQ(wallAt(1).count(), 2u);
    EXPECT_EQ(wallAt(1).children()[1]->typeCode(), model::type::Hole);
}

TEST_F(DxfImport, FacesWaitingForTheirWallSearchKeepTheOrderOfTheFile)
{
    // Four-corner faces wait a few faces for their search; whatever else
    // reaches the model (triangles, receivers, holes) must still find them
    // built before it, and a door right after its wall, or many faces later,
    // must still find the wall.
    DxfText t;
    t.face("1", wallCorners(0, 10, 0, 3));
    t.face("12", wallCorners(1, 2, 0, 2));  // door
    t.line("R", {1, 1, 1}, {2, 2, 2});      // receiver 1
    t.face("12", wallCorners(3, 4, 0, 2));  // door
    for (int i = 0; i < 12; ++i) {          // walls of their own
        t.face("1", wallCorners(20 + 10 * i, 25 + 10 * i, 0, 3));
    }
    t.face("12", wallCorners(5, 6, 0, 2));           // door of the first wall
    t.face("1", {{0, 5, 0}, {4, 5, 0}, {4, 8, 0}});  // a triangle
    t.polyline(wallCorners(7, 8, 1, 2));             // hole in the first wall
    t.face("12", wallCorners(8.5, 9.5, 0, 2));       // door, last in the file
    import(t.file());
    ASSERT_EQ(doc.count(), 15u);
    EXPECT_EQ(doc.children()[0]->typeCode(), model::type::Wall);
    EXPECT_EQ(doc.children()[1]->typeCode(), model::type::Receiver);
    for (std::size_t i = 2; i < 14; ++i) {
        ASSERT_EQ(doc.children()[i]->typeCode(), model::type::Wall) << i;
        EXPECT_DOUBLE_EQ(wallAt(i).baseFace->vertices[0].x, 20.0 + 10.0 * static_cast<double>(i - 2)) << i;
    }
    EXPECT_EQ(doc.children()[14]->typeCode(), model::type::Face);
    const model::Wall& first = wallAt(0);
    ASSERT_EQ(first.count(), 6u);
    const int kinds[] = {model::type::Face, model::type::Door, model::type::Door,
                         model::type::Door, model::type::Hole, model::type::Door};
    const double left[] = {0, 1, 3, 5, 7, 8.5};
    for (std::size_t i = 0; i < 6; ++i) {
        const auto& member = static_cast<const model::Face&>(*first.children()[i]);
        EXPECT_EQ(member.typeCode(), kinds[i]) << i;
        EXPECT_DOUBLE_EQ(member.vertices[0].x, left[i]) << i;
    }
}

TEST_F(DxfImport, ZeroCoordinatesComeInWithoutASign)
{
    // A drawing in metres keeps its corners as read, but for the sign of a
    // zero: placed by a block or scaled by units, -0 would become 0, and so
    // it does when nothing places it (projects would otherwise read "-0").
    DxfText t;
    t.group(0, "3DFACE").group(8, "1");
    t.group(10, "-0.0").group(20, "-0").group(30, "-0.000");
    t.group(11, "4").group(21, "-0.0").group(31, "-0.0");
    t.group(12, "4").group(22, "-0.0").group(32, "3");
    t.group(13, "-0.0").group(23, "-0.0").group(33, "3");
    import(t.file());
    ASSERT_EQ(doc.count(), 1u);
    for (const X3DPoint& p : wallAt(0).baseFace->vertices) {
        EXPECT_FALSE(std::signbit(p.x) || std::signbit(p.y) || std::signbit(p.z));
    }
}

TEST_F(DxfImport, TrianglesLinesAndAttributeDefinitions)
{
    import(DxfText()
               .face("1", {{0, 0, 0},
                           {4, 0, 0},
                           { 4,
                             3,
                             0 }})
               .line("ANY", {1, 2, 1.2}, {3, 4, 1.2})
               .attdef("SOURCES", {5, 5, 2}, {0, 0, 1.2}, 30, "horn.spk")
               .attdef("speakers", {6, 6, 2}, {0, 0, 1.2}, 30, "horn.spk")
               .attdef("Seats", {7, 7, 2}, {1, 1, 1.2}, 15, "")
               .file());
    ASSERT_EQ(doc.count(), 5u);
    EXPECT_EQ(doc.children()[0]->typeCode(), model::type::Face);
    const auto& r = static_cast<const model::Receiver&>(*doc.children()[1]);
    EXPECT_EQ(r.typeCode(), model::type::Receiver);
    EXPECT_TRUE(r.position == X3DPoint(1, 2, 1.2));
    EXPECT_TRUE(r.target == X3DPoint(3, 4, 1.2));
    const auto& s = static_cast<const model::Source&>(*doc.children()[2]);
    ASSERT_EQ(s.typeCode(), model::type::Source);
    EXPECT_EQ(s.roll, 30.0);
    EXPECT_EQ(s.directivity, "horn.spk");
    EXPECT_EQ(s.number, 1u);
    EXPECT_EQ(doc.children()[3]->typeCode(), model::type::Receiver) << "a lower-case s is a receiver";
    const auto& seats = static_cast<const model::Source&>(*doc.children()[4]);
    ASSERT_EQ(seats.typeCode(), model::type::Source);
    EXPECT_EQ(seats.directivity, "omni.spk");
}

TEST_F(DxfImport, OnlyAnEntitiesSectionInCapitalsCounts)
{
    std::string lower = DxfText().face("1", wallCorners(0, 4, 0, 3)).file();
    lower.replace(lower.find("ENTITIES"), 8, "entities");
    import(lower);
    EXPECT_EQ(doc.count(), 0u);
    import("0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n0\nENDSEC\n0\nEOF\n");
    EXPECT_EQ(doc.count(), 0u);
    std::string both = "0\nSECTION\n2\nHEADER\n0\nENDSEC\n" + DxfText().face("1", wallCorners(0, 4, 0, 3)).file();
    import(both);
    EXPECT_EQ(doc.count(), 1u);
}

TEST_F(DxfImport, LongLinesAreReadWholeNotSplitIntoBogusGroups)
{
    // Past 511 characters a split line would be read as the next group code.
    std::string padded = "3.0" + std::string(600, ' ');
    DxfText t;
    t.group(0, "3DFACE").group(8, std::string(700, 'L')).group(999, std::string(2000, '7'));
    t.corners(wallCorners(0, 4, 0, 3));
    t.group(0, "LINE").group(8, "R").group(10, "1").group(20, "2").group(30, padded);
    import(t.file());
    ASSERT_EQ(doc.count(), 2u);
    EXPECT_EQ(doc.children()[0]->typeCode(), model::type::Wall);
    EXPECT_EQ(wallAt(0).baseFace->material.number, 0u);
    EXPECT_TRUE(static_cast<const model::Receiver&>(*doc.children()[1]).position == X3DPoint(1, 2, 3));
}

TEST_F(DxfImport, WindowsLineEndsTrailingBlanksAndJunkAfterTheEnd)
{
    std::string unix = DxfText().face("12", wallCorners(0, 4, 0, 3)).line("R", {1, 1, 1}, {2, 2, 2}).file();
    for (const char* ending : {"\r\n", "\r\r\n"}) {
        std::string text;
        for (char c : unix) {
            text += c == '\n' ? std::string(ending) : std::string(1, c);
        }
        doc.clearEntities();
        import(text + "garbage\n12\n\x01\x02 after the end\n");
        ASSERT_EQ(doc.count(), 2u) << "ending " << (ending[1] == '\r' ? "CR CR LF" : "CR LF");
        EXPECT_EQ(wallAt(0).baseFace->material.number, 12u);
    }
    doc.clearEntities();
    std::string blanks = unix;
    for (std::size_t at = blanks.find("\n10\n"); at != std::string::npos; at = blanks.find("\n10\n", at + 1)) {
        blanks.replace(at, 4, "\n10  \t\n");
    }
    blanks.replace(blanks.find("3DFACE"), 6, "3DFACE  ");
    import(blanks);
    ASSERT_EQ(doc.count(), 2u);
    EXPECT_TRUE(wallAt(0).baseFace->vertices[0] == X3DPoint(0, 0, 0));
}

TEST_F(DxfImport, NonFiniteOrAbsurdCoordinatesNeverEnterTheModel)
{
    for (const char* bad : {"nan", "inf", "-inf", "1e999", "1e12"}) {
        doc.clearEntities();
        DxfText t;
        t.face("1", wallCorners(0, 4, 0, 3));
        t.group(0, "LINE").group(8, "R").group(10, bad).group(20, "0").group(30, "0");
        t.group(0, "ATTDEF").group(8, "SOURCES").group(10, "1").group(51, bad);
        t.line("R", {1, 1, 1}, {2, 2, 2});
        platform.errors.clear();
        import(t.file());
        EXPECT_EQ(doc.count(), 2u) << bad;
        EXPECT_EQ(platform.errors, (std::vector<std::string>{"2 entities of the drawing have a number that is not "
                                                             "finite or a point more than a million kilometres out: "
                                                             "they are left out"}))
            << bad;
    }
    // Placed out of reach by a block reference, or a reference that is itself
    // damaged: counted the same way; the good copies stay.
    std::string blocks = dxftest::block("B", {0, 0, 0}, DxfText().face("0", wallCorners(0, 4, 0, 3)));
    DxfText t;
    t.insert("B", "1", {0, 0, 0}).insert("B", "1", {0, 0, 2e9});
    t.group(0, "INSERT").group(8, "1").group(2, "B").group(10, "0").group(20, "0").group(30, "0").group(41, "nan");
    platform.errors.clear();
    doc.clearEntities();
    import(t.file("", blocks));
    EXPECT_EQ(doc.count(), 1u);
    EXPECT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors.empty() ? "" : platform.errors[0].substr(0, 25), "2 entities of the drawing");
}

TEST_F(DxfImport, CornerGroupsBeyondTheFourthAreIgnored)
{
    DxfText t;
    t.group(0, "3DFACE").group(8, "1");
    t.corners({{0, 0, 0}, {4, 0, 0}, {4, 3, 0}});
    t.real(14, 9).real(24, 9).real(34, 9);
    import(t.file());
    ASSERT_EQ(doc.count(), 1u);
    EXPECT_EQ(doc.head()->typeCode(), model::type::Face) << "still three corners";
}

TEST_F(DxfImport, FilesThatCannotBeOpened)
{
    EXPECT_FALSE(exchange::importDxf(doc, dir.file("missing.dxf")));
    EXPECT_FALSE(exchange::importDxf(doc, dir.path().string()));
    std::string path = dir.file("plan.dxf");
    testsupport::writeText(path, DxfText().face("1", wallCorners(0, 4, 0, 3)).file());
    EXPECT_TRUE(exchange::importDxf(doc, path));
    EXPECT_EQ(doc.count(), 1u);
    EXPECT_EQ(platform.progressMaximum, testsupport::readText(path).size());
}

TEST_F(DxfImport, TheModelIsMarkedModifiedOnceWhenDrawingIsOn)
{
    doc.autoDraw = true;
    int marks = 0;
    doc.onModifiedChanged = [&marks](bool) { ++marks; };
    import(DxfText().face("1", wallCorners(0, 4, 0, 3)).line("R", {1, 1, 1}, {2, 2, 2}).file());
    EXPECT_EQ(doc.count(), 2u);
    EXPECT_TRUE(doc.modified());
    EXPECT_EQ(marks, 1);
    EXPECT_TRUE(doc.autoDraw);
}

namespace {

// What the search must answer: the first wall whose box, widened by the
// tolerance, holds every point, and whose plane passes nearer than it.
model::Wall* firstHolding(const std::vector<std::unique_ptr<model::Wall>>& walls, const std::vector<X3DPoint>& pts)
{
    double t = exchange::openingTolerance;
    for (auto& w : walls) {
        X3DPoint min(1e9, 1e9, 1e9);
        X3DPoint max(-1e9, -1e9, -1e9);
        w->baseFace->extendBounds(min, max);
        geometry::X3DPlane plane = w->baseFace->plane();
        bool all = true;
        for (const X3DPoint& p : pts) {
            all = all && p.x >= min.x - t && p.y >= min.y - t && p.z >= min.z - t && p.x <= max.x + t &&
                  p.y <= max.y + t && p.z <= max.z + t && std::fabs(plane.signedDistance(p)) < t;
        }
        if (all) {
            return w.get();
        }
    }
    return nullptr;
}

}  // namespace

TEST(WallIndex, FindsTheFirstContainingWallAsALinearSearchWould)
{
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> pick(0, 30);
    std::vector<std::unique_ptr<model::Wall>> walls;
    exchange::WallIndex index;
    for (int i = 0; i < 400; ++i) {
        double x = pick(rng);
        double len = 1 + pick(rng) % 12;
        double z = pick(rng) % 3;
        X3DPoint corners[4] = {{x, 0, z}, {x + len, 0, z}, {x + len, 0, z + 3}, {x, 0, z + 3}};
        if (i % 3 == 0) {  // some along the y axis, some huge
            double big = i % 30 == 0 ? 50000 : len;
            corners[1] = {x, big, z};
            corners[2] = {x, big, z + 3};
            corners[0] = {x, 0, z};
            corners[3] = {x, 0, z + 3};
        }
        if (i % 7 == 0) {  // some slanted, some a hair off the others' planes
            corners[1].y += 0.3;
            corners[2].y += 0.3;
        } else if (i % 5 == 0) {
            for (X3DPoint& c : corners) {
                c.y += 0.0004 * (i % 4);
            }
        }
        walls.push_back(std::make_unique<model::Wall>(corners, materials::Material{}));
        index.add(walls.back().get());
    }
    std::uniform_real_distribution<double> coord(-1, 45);
    std::uniform_real_distribution<double> hair(-0.0015, 0.0015);
    for (int q = 0; q < 3000; ++q) {
        double x = coord(rng);
        double z = coord(rng) / 8;
        double y = q % 3 == 0 ? hair(rng) : 0.0;
        std::vector<X3DPoint> pts = {{x, y, z}, {x + 0.5, y, z}, {x + 0.5, y, z + 1}};
        if (q % 2) {
            pts = {{std::round(x) + y, coord(rng), z}, {std::round(x), coord(rng), z + 0.5}};
        }
        ASSERT_EQ(index.findContaining(pts), firstHolding(walls, pts)) << "query " << q;
    }
}

TEST(WallIndex, ParallelWallsCloseTogetherCostLittleEach)
{
    // 20,000 parallel faces a tenth of a millimetre apart, the way stacked
    // layers of a drawing come: a search that tried every wall of the crowd
    // would test some hundred million; ours stays near one a face.
    std::vector<std::unique_ptr<model::Wall>> walls;
    exchange::WallIndex index;
    const int n = 20000;
    long doors = 0;
    for (int i = 0; i < n; ++i) {
        double y = i * 0.0001;
        std::vector<X3DPoint> corners = {{0, y, 0}, {4, y, 0}, {4, y, 3}, {0, y, 3}};
        if (index.findContaining(corners)) {
            ++doors;
            continue;
        }
        X3DPoint four[4] = {corners[0], corners[1], corners[2], corners[3]};
        walls.push_back(std::make_unique<model::Wall>(four, materials::Material{}));
        index.add(walls.back().get());
    }
    EXPECT_EQ(doors + static_cast<long>(walls.size()), n);
    EXPECT_GT(walls.size(), static_cast<std::size_t>(n / 11)) << "one wall each millimetre";
    EXPECT_LT(index.wallsTested(), static_cast<std::uint64_t>(10 * n));
}

TEST(WallIndex, OpeningsWithinAMillimetreOfTheirWallAreHeld)
{
    std::vector<std::unique_ptr<model::Wall>> walls;
    X3DPoint corners[4] = {{0, 0, 0}, {10, 0, 0}, {10, 0, 3}, {0, 0, 3}};
    walls.push_back(std::make_unique<model::Wall>(corners, materials::Material{}));
    exchange::WallIndex index;
    index.add(walls.back().get());
    auto door = [](double off, double beyond) {
        return std::vector<X3DPoint>{{2, off, 0}, {3, off, 0}, {3, off, 2.1 + beyond}, {2, off, 2.1 + beyond}};
    };
    EXPECT_EQ(index.findContaining(door(0.0005, 0)), walls[0].get()) << "0.5 mm in front";
    EXPECT_EQ(index.findContaining(door(-0.0005, 0)), walls[0].get()) << "0.5 mm behind";
    EXPECT_EQ(index.findContaining(door(0, 0.9005)), walls[0].get()) << "0.5 mm above the top";
    EXPECT_EQ(index.findContaining(door(0.002, 0)), nullptr) << "2 mm off";
    EXPECT_EQ(index.findContaining(door(0, 0.902)), nullptr) << "2 mm above the top";
    EXPECT_DOUBLE_EQ(exchange::openingTolerance, 0.001);
}
