// Finding obstructing faces: the rules of the three modes, and the indexed
// search giving exactly what testing every face against every pair gives,
// on many random models, with sources and receivers on faces' planes and
// segments through their edges.
#include <gtest/gtest.h>

#include <random>

#include "model/Document.h"
#include "model/Source.h"
#include "tests/model/ModelFixtures.h"
#include "tools/analysis/FindObstructing.h"
#include "tools/analysis/SegmentIndex.h"
#include "ui/headless/HeadlessPlatform.h"

using geometry::X3DPoint;
using tools::analysis::ObstructingMode;

namespace {

// A wall at x = 5 between a source at x = 1 and a receiver at x = 9, a
// second wall off their line, a monopermeable floor away from them, and a
// face already flagged obstructing.
struct Room {
    Room()
    {
        doc.autoDraw = false;
        X3DPoint between[4] = {{5, -5, 0}, {5, -5, 3}, {5, 5, 3}, {5, 5, 0}};
        doc.append(std::make_unique<model::Wall>(between, fixtures::materialNumber(1)));
        X3DPoint aside[4] = {{20, -5, 0}, {20, -5, 3}, {20, 5, 3}, {20, 5, 0}};
        doc.append(std::make_unique<model::Wall>(aside, fixtures::materialNumber(1)));
        auto floor = fixtures::rectangle(40, 0, 44, 4);
        floor->material.monopermeable = true;
        doc.append(std::move(floor));
        auto flagged = fixtures::rectangle(60, 0, 64, 4);
        flagged->material.obstructing = true;
        doc.append(std::move(flagged));
    }
    void addPair()
    {
        doc.append(std::make_unique<model::Source>(X3DPoint(1, 0, 1.7), X3DPoint(2, 0, 1.7), 0.0, "omni.spk"));
        doc.append(std::make_unique<model::Receiver>(X3DPoint(9, 0, 1.7), X3DPoint(0, 0, 0)));
    }
    model::Face& face(std::size_t i) const
    {
        model::Entity& e = *doc.children()[i];
        return e.typeCode() == model::type::Wall ? *static_cast<model::Wall&>(e).baseFace
                                                 : static_cast<model::Face&>(e);
    }
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
};

TEST(Obstructing, TheFirstModeTakesTheFlaggedFaces)
{
    Room room;
    room.addPair();
    auto found = tools::analysis::obstructingFaces(room.doc, ObstructingMode::SelectFlagged);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], &room.face(3));
}

TEST(Obstructing, TheOtherModesTakeFacesBetweenSourcesAndReceiversAndMonopermeableOnes)
{
    Room room;
    room.addPair();
    auto found = tools::analysis::obstructingFaces(room.doc, ObstructingMode::SelectUnflagged);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], &room.face(0));
    EXPECT_EQ(found[1], &room.face(2));
    // A selected face is passed over.
    room.face(0).selected = true;
    EXPECT_EQ(tools::analysis::obstructingFaces(room.doc, ObstructingMode::AssignFlag).size(), 1u);
}

TEST(Obstructing, WithoutSourcesOrReceiversOnlyMonopermeableFacesQualify)
{
    Room room;
    room.doc.append(std::make_unique<model::Receiver>(X3DPoint(9, 0, 1.7), X3DPoint(0, 0, 0)));
    auto found = tools::analysis::obstructingFaces(room.doc, ObstructingMode::SelectUnflagged);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], &room.face(2));
}

TEST(Obstructing, TheThirdModeFlagsWithOneUndoStepAndMarksTheModel)
{
    Room room;
    room.addPair();
    storage::UndoRing undo;
    room.platform.queueDialog({"OBSTRUCTINGBOX", {{133, "1"}}, true});
    ASSERT_TRUE(tools::analysis::findObstructing(room.doc, undo));
    EXPECT_TRUE(room.face(0).material.obstructing);
    EXPECT_TRUE(room.face(0).selected);
    EXPECT_FALSE(room.face(1).material.obstructing);
    EXPECT_TRUE(room.doc.modified());
    EXPECT_EQ(room.doc.undoPosition, 1);
    ASSERT_TRUE(undo.undo(room.doc));
    EXPECT_FALSE(static_cast<model::Wall&>(*room.doc.children()[0]).baseFace->material.obstructing);
    // Nothing to flag: no snapshot.
    room.platform.queueDialog({"OBSTRUCTINGBOX", {{133, "1"}}, true});
    model::Document empty;
    int before = empty.undoPosition;
    ASSERT_TRUE(tools::analysis::findObstructing(empty, undo));
    EXPECT_EQ(empty.undoPosition, before);
    EXPECT_TRUE(room.platform.failures.empty());
}

TEST(SegmentIndex, FindsEveryBoxTheSegmentCrossesNotOnlyTheFirst)
{
    std::vector<std::unique_ptr<model::Face>> owned;
    std::vector<model::Face*> faces;
    for (int i = 0; i < 100; ++i) {
        owned.push_back(fixtures::rectangle(i, 0, i + 0.5, 1, 0));
        faces.push_back(owned.back().get());
    }
    tools::analysis::SegmentIndex index(faces);
    EXPECT_GT(index.nodeCount(), 20u);
    std::vector<std::size_t> hits;
    index.query({-1, 0.5, 0}, {200, 0.5, 0}, hits);
    EXPECT_EQ(hits.size(), 100u);
    hits.clear();
    // From (10.2, 0.5) to (12.7, 0.5): the rectangles starting at 10, 11 and 12.
    index.query({10.2, 0.5, 0}, {12.7, 0.5, 0}, hits);
    std::sort(hits.begin(), hits.end());
    EXPECT_EQ(hits, (std::vector<std::size_t>{10, 11, 12}));
    hits.clear();
    index.query({10.7, 0.5, 1}, {10.8, 0.5, 2}, hits);
    EXPECT_TRUE(hits.empty());
}

// A random model: faces in any direction, some axis-aligned on a coarse grid
// (so segments run through their edges and corners), some inside walls,
// some monopermeable or flagged; sources and receivers on the same grid,
// some of them on faces' planes.
void randomModel(model::Document& doc, std::mt19937& rng)
{
    std::uniform_int_distribution<int> grid(0, 8);
    std::uniform_real_distribution<double> any(0.0, 8.0);
    std::uniform_int_distribution<int> kind(0, 9);
    int faces = 5 + grid(rng) * 4;
    for (int f = 0; f < faces; ++f) {
        std::vector<X3DPoint> p;
        int k = kind(rng);
        if (k < 4) {
            // Axis-aligned rectangle on the grid.
            double a = grid(rng), b = grid(rng), c = grid(rng), d = grid(rng) + 1, e = grid(rng) + 1;
            if (k == 0) {
                p = {{a, b, c}, {a + d, b, c}, {a + d, b + e, c}, {a, b + e, c}};
            } else if (k == 1) {
                p = {{a, b, c}, {a, b + d, c}, {a, b + d, c + e}, {a, b, c + e}};
            } else {
                p = {{a, b, c}, {a + d, b, c}, {a + d, b, c + e}, {a, b, c + e}};
            }
        } else {
            p = {{any(rng), any(rng), any(rng)}, {any(rng), any(rng), any(rng)}, {any(rng), any(rng), any(rng)}};
        }
        materials::Material m = fixtures::materialNumber(1, kind(rng) == 0, kind(rng) == 1);
        if (kind(rng) < 3 && p.size() == 4) {
            X3DPoint corners[4] = {p[0], p[1], p[2], p[3]};
            doc.append(std::make_unique<model::Wall>(corners, m));
        } else {
            auto face = std::make_unique<model::Face>(p, m);
            if (face->isValid()) {
                doc.append(std::move(face));
            }
        }
    }
    int sources = grid(rng) % 4;
    int receivers = grid(rng) % 5 + 1;
    for (int i = 0; i < sources; ++i) {
        X3DPoint at(grid(rng), grid(rng), grid(rng));
        doc.append(std::make_unique<model::Source>(at, at, 0.0, "omni.spk"));
    }
    for (int i = 0; i < receivers; ++i) {
        X3DPoint at = i % 2 ? X3DPoint(grid(rng), grid(rng), grid(rng)) : X3DPoint(any(rng), any(rng), any(rng));
        doc.append(std::make_unique<model::Receiver>(at, at));
    }
}

TEST(Obstructing, TheIndexedSearchFindsWhatTheDirectOneFinds)
{
    ui::headless::HeadlessPlatform platform;
    std::mt19937 rng(20240611);
    int found = 0;
    for (int round = 0; round < 400; ++round) {
        model::Document doc;
        doc.autoDraw = false;
        randomModel(doc, rng);
        for (ObstructingMode mode : {ObstructingMode::SelectUnflagged, ObstructingMode::AssignFlag}) {
            auto indexed = tools::analysis::obstructingFaces(doc, mode);
            auto direct = tools::analysis::obstructingFacesDirect(doc, mode);
            ASSERT_EQ(indexed, direct) << "round " << round;
            found += static_cast<int>(indexed.size());
        }
    }
    // The models are not trivial: many faces qualify.
    EXPECT_GT(found, 1000);
}

}  // namespace
