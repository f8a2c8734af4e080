// Reading a drawing on a second thread while the model is built: the same
// model, messages and report as reading it entity by entity, and a reader
// stopped early neither hangs nor leaks its thread.
#include <gtest/gtest.h>

#include <random>

#include "exchange/DxfImport.h"
#include "exchange/DxfReadAhead.h"
#include "exchange/DxfReader.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "storage/ProjectFile.h"
#include "tests/exchange/DxfText.h"
#include "tests/support/TestSupport.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/Installed.h"

using dxftest::DxfText;
using geometry::X3DPoint;

namespace {

// A drawing of every kind the import builds, in a random order: walls, faces
// inside earlier walls (doors), holes, block references, meshes, receivers
// and sources, over many batches of the reading thread.
std::string randomDrawing(unsigned seed, std::size_t entities)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> at(0.0, 40.0);
    std::uniform_int_distribution<int> kind(0, 99);
    DxfText t;
    std::vector<std::vector<X3DPoint>> walls;
    for (std::size_t i = 0; i < entities; ++i) {
        int k = kind(rng);
        if (k < 50 || walls.empty()) {
            double x = at(rng);
            double y = at(rng);
            double w = 1.0 + at(rng) / 10.0;
            std::vector<X3DPoint> wall = {{x, y, 0}, {x + w, y, 0}, {x + w, y, 3}, {x, y, 3}};
            walls.push_back(wall);
            t.face(k % 2 ? "Concrete" : "Brick", wall, k % 5 == 0 ? 2 : -1);
        } else if (k < 75) {
            // An opening in a wall drawn before: a door, or a hole.
            const std::vector<X3DPoint>& wall = walls[rng() % walls.size()];
            double x = wall[0].x + 0.2;
            double y = wall[0].y;
            std::vector<X3DPoint> in = {{x, y, 0.5}, {x + 0.5, y, 0.5}, {x + 0.5, y, 2}, {x, y, 2}};
            if (k < 65) {
                t.face("Glass", in);
            } else {
                t.polyline(in);
            }
        } else if (k < 85) {
            t.insert("ROOM", k % 2 ? "0" : "Brick", {at(rng), at(rng), 0});
        } else if (k < 90) {
            t.line("R", {at(rng), at(rng), 1.2}, {at(rng), at(rng), 1.2});
        } else if (k < 95) {
            t.attdef("S1", {at(rng), at(rng), 1.5}, {at(rng), at(rng), 1.5}, 0.0, "speaker");
        } else {
            // A face with a number no model takes: dropped, the rest read on.
            t.group(0, "3DFACE").group(8, "Brick").group(10, "1e300").group(20, "0").group(30, "0");
        }
    }
    // A polygon mesh of more vertices than a reused entity keeps room for.
    t.group(0, "POLYLINE").group(8, "Concrete").group(66, "1").group(70, "16").group(71, "70").group(72, "70");
    for (int i = 0; i < 70; ++i) {
        for (int j = 0; j < 70; ++j) {
            t.group(0, "VERTEX").group(8, "Concrete").corners({{100.0 + i, 100.0 + j, 0.0}}).group(70, "64");
        }
    }
    t.group(0, "SEQEND");
    DxfText room;
    room.face("0", {{0, 0, 0}, {2, 0, 0}, {2, 0, 2.5}, {0, 0, 2.5}});
    room.face("0", {{0.5, 0, 0}, {1, 0, 0}, {1, 0, 2}, {0.5, 0, 2}});
    return t.file("", dxftest::block("ROOM", {0, 0, 0}, room));
}

class DxfReadAheadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::writeText(dir.file("tolvane.mat"), "  1  Concrete , 0.01\n  2  Brick , 0.02\n  3  Glass , 0.04\n");
        materials::setMaterialDirectory(dir.path().string());
    }
    materials::MaterialState materialState;
    ui::Install<materials::MaterialState> useMaterials{materialState};

    struct Outcome {
        std::string project;
        std::vector<std::string> errors;
        long added = 0;
        bool complete = false;
    };
    Outcome import(const std::string& text, bool threaded)
    {
        ui::headless::HeadlessPlatform platform;
        model::Document doc;
        doc.autoDraw = false;
        exchange::DxfImportOptions options;
        options.readAheadFrom = threaded ? 0 : UINT64_MAX;
        textio::TokenReader in{std::string_view(text)};
        exchange::DxfImportReport report = exchange::importDxf(doc, in, text.size(), options, "test.dxf");
        Outcome o;
        textio::TextWriter out(o.project);
        storage::writeProject(out, doc);
        out.flush();
        o.errors = platform.errors;
        o.added = report.added;
        o.complete = report.complete;
        return o;
    }

    testsupport::ScratchDir dir;
};

}  // namespace

TEST_F(DxfReadAheadTest, ReadingOnASecondThreadBuildsTheSameModel)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::string text = randomDrawing(seed, 1500 + seed * 211);
        // Whole, and cut off at a few places (inside an entity, inside the mesh).
        for (double part : {1.0, 0.37, 0.81, 0.995}) {
            std::string drawing = text.substr(0, static_cast<std::size_t>(static_cast<double>(text.size()) * part));
            Outcome direct = import(drawing, false);
            Outcome ahead = import(drawing, true);
            SCOPED_TRACE("seed " + std::to_string(seed) + ", part " + std::to_string(part));
            EXPECT_GT(direct.added, 1000);
            EXPECT_EQ(direct.complete, part == 1.0);
            EXPECT_EQ(ahead.added, direct.added);
            EXPECT_EQ(ahead.complete, direct.complete);
            EXPECT_EQ(ahead.errors, direct.errors);
            EXPECT_TRUE(ahead.project == direct.project) << "the two models differ";
        }
    }
}

TEST_F(DxfReadAheadTest, AReaderLeftEarlyStopsItsThread)
{
    std::string text = randomDrawing(9, 5000);
    for (int taken : {0, 1, 300, 2000}) {
        textio::TokenReader in{std::string_view(text)};
        exchange::DxfReader reader(in, false);
        ASSERT_EQ(reader.start(), exchange::DxfReader::Start::Entities);
        {
            exchange::DxfReadAhead ahead(reader, true);
            EXPECT_TRUE(ahead.threaded());
            for (int i = 0; i < taken; ++i) {
                ASSERT_NE(ahead.next(), nullptr);
            }
        }  // the destructor stops and joins the thread mid-file
        EXPECT_LT(in.position(), text.size());
    }
}

TEST_F(DxfReadAheadTest, EntitiesComeInTheirOrderWithTheirPosition)
{
    DxfText t;
    for (int i = 0; i < 1000; ++i) {
        t.line("R" + std::to_string(i), {0, 0, 0}, {1, 0, 0});
    }
    std::string text = t.file();
    textio::TokenReader in{std::string_view(text)};
    exchange::DxfReader reader(in, false);
    ASSERT_EQ(reader.start(), exchange::DxfReader::Start::Entities);
    exchange::DxfReadAhead ahead(reader, true);
    std::uint64_t last = 0;
    int n = 0;
    while (const exchange::DxfEntity* e = ahead.next()) {
        ASSERT_EQ(e->layer, "R" + std::to_string(n));
        EXPECT_GE(ahead.position(), last);
        last = ahead.position();
        ++n;
    }
    EXPECT_EQ(n, 1000);
    EXPECT_EQ(ahead.next(), nullptr);
    ahead.finish();
    EXPECT_FALSE(reader.cut());
    EXPECT_GT(last, text.size() / 2);
}
