// The model check on small rooms built to have one kind of problem each.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "analysis/ModelCheck.h"
#include "analysis/ModelGeometry.h"
#include "model/Text.h"
#include "tests/analysis/RoomFixtures.h"

using analysis::CheckReport;
using analysis::ProblemKind;
using geometry::X3DPoint;

namespace {

CheckReport check(const model::Document& doc, analysis::CheckOptions options = {})
{
    auto db = rooms::database();
    return analysis::checkModel(doc, *db, options);
}

std::string describe(const CheckReport& r)
{
    std::string s;
    for (const analysis::Problem& p : r.problems) {
        s += std::string(analysis::kindName(p.kind)) + ": " + p.message + "\n";
    }
    return s;
}

// The one problem the model has, which must be of that kind.
const analysis::Problem& onlyProblem(const CheckReport& r, ProblemKind kind)
{
    EXPECT_EQ(r.problems.size(), 1u) << describe(r);
    static analysis::Problem none;
    if (r.problems.empty()) {
        return none;
    }
    EXPECT_EQ(r.problems[0].kind, kind) << describe(r);
    return r.problems[0];
}

}  // namespace

TEST(ModelCheck, AClosedShoeboxWithADoorAndAWindowHasNoProblem)
{
    model::Document doc;
    rooms::build(doc);
    doc.append(std::make_unique<model::Source>(X3DPoint(3, 3, 1.5), X3DPoint(7, 3, 1.2), 0.0, "omni.spk"));
    doc.append(std::make_unique<model::Receiver>(X3DPoint(7, 2.5, 1.2), X3DPoint(3, 3, 1.5)));
    CheckReport r = check(doc);
    EXPECT_TRUE(r.problems.empty()) << describe(r);
    EXPECT_TRUE(r.closed);
    EXPECT_EQ(r.faces, 6);
    EXPECT_EQ(r.shells, 1);
    ASSERT_TRUE(r.volume.has_value());
    EXPECT_NEAR(*r.volume, 180.0, 1e-9);
    EXPECT_NEAR(r.area, 216.0, 1e-9);
}

TEST(ModelCheck, AnEmptyModelHasNoRoomAndNoProblem)
{
    model::Document doc;
    CheckReport r = check(doc);
    EXPECT_FALSE(r.closed);
    EXPECT_FALSE(r.volume.has_value());
    EXPECT_EQ(r.faces, 0);
    EXPECT_TRUE(r.problems.empty());
}

TEST(ModelCheck, AMissingWallLeavesOpenEdgesAlongItsOutline)
{
    model::Document doc;
    rooms::Shoebox s;
    s.withoutWallX0 = true;
    rooms::build(doc, s);
    CheckReport r = check(doc);
    EXPECT_FALSE(r.closed);
    EXPECT_FALSE(r.volume.has_value());
    ASSERT_EQ(r.problems.size(), 4u) << describe(r);
    // The four stretches lie on the plane x = 0 along the missing wall's
    // sides and together run its whole outline, 2 x (6 + 3) m.
    double length = 0.0;
    std::vector<long> faces;
    for (const analysis::Problem& p : r.problems) {
        EXPECT_EQ(p.kind, ProblemKind::OpenEdge);
        EXPECT_TRUE(p.error());
        EXPECT_NEAR(p.from.x, 0.0, 1e-12);
        EXPECT_NEAR(p.to.x, 0.0, 1e-12);
        bool alongY = std::fabs(p.from.z - p.to.z) < 1e-12 && (p.from.z == 0.0 || p.from.z == 3.0);
        bool alongZ = std::fabs(p.from.y - p.to.y) < 1e-12 && (p.from.y == 0.0 || p.from.y == 6.0);
        EXPECT_TRUE(alongY || alongZ) << p.message;
        length += geometry::distance(p.from, p.to);
        ASSERT_EQ(p.entities.size(), 1u);
        faces.push_back(p.entities[0]);
    }
    EXPECT_NEAR(length, 18.0, 1e-9);
    std::sort(faces.begin(), faces.end());
    // Floor, roof, the south wall's face and the north wall's face.
    EXPECT_EQ(faces, (std::vector<long>{0, 1, 3, 9}));
}

TEST(ModelCheck, AFaceTurnedRoundKeepsTheVolumeAndIsNamed)
{
    model::Document straight;
    rooms::build(straight);
    model::Document turned;
    rooms::Shoebox s;
    s.roofTurned = true;
    rooms::build(turned, s);
    CheckReport a = check(straight);
    CheckReport b = check(turned);
    ASSERT_TRUE(a.volume && b.volume);
    EXPECT_NEAR(*b.volume, *a.volume, 1e-9);
    const analysis::Problem& p = onlyProblem(b, ProblemKind::Orientation);
    EXPECT_FALSE(p.error());
    EXPECT_EQ(p.entities, (std::vector<long>{1}));
    EXPECT_TRUE(b.closed);
}

TEST(ModelCheck, EdgesMeetingInTJunctionsAndCollinearOverlapsAreCovered)
{
    // The south wall in two pieces (0..4 and 4..10) under a roof in two
    // pieces (0..6 and 6..10): the roof's and the floor's long edges meet
    // the walls' edges only in part, yet every stretch is covered.
    model::Document doc;
    doc.autoDraw = false;
    doc.append(rooms::face({{0, 0, 0}, {0, 6, 0}, {10, 6, 0}, {10, 0, 0}}, 1));
    doc.append(rooms::face({{0, 0, 3}, {6, 0, 3}, {6, 6, 3}, {0, 6, 3}}, 2));
    doc.append(rooms::face({{6, 0, 3}, {10, 0, 3}, {10, 6, 3}, {6, 6, 3}}, 2));
    doc.append(rooms::wall({0, 0, 0}, {4, 0, 0}, {4, 0, 3}, {0, 0, 3}, 3));
    doc.append(rooms::wall({4, 0, 0}, {10, 0, 0}, {10, 0, 3}, {4, 0, 3}, 3));
    doc.append(rooms::wall({10, 0, 0}, {10, 6, 0}, {10, 6, 3}, {10, 0, 3}, 3));
    doc.append(rooms::wall({10, 6, 0}, {0, 6, 0}, {0, 6, 3}, {10, 6, 3}, 3));
    doc.append(rooms::wall({0, 6, 0}, {0, 0, 0}, {0, 0, 3}, {0, 6, 3}, 3));
    CheckReport r = check(doc);
    EXPECT_TRUE(r.problems.empty()) << describe(r);
    EXPECT_TRUE(r.closed);
    ASSERT_TRUE(r.volume);
    EXPECT_NEAR(*r.volume, 180.0, 1e-9);
}

TEST(ModelCheck, GapsWithinTheToleranceCloseAndWiderOnesLeak)
{
    // The north wall stands 0.5 mm off its place.
    model::Document doc;
    doc.autoDraw = false;
    doc.append(rooms::face({{0, 0, 0}, {0, 6, 0}, {10, 6, 0}, {10, 0, 0}}, 1));
    doc.append(rooms::face({{0, 0, 3}, {10, 0, 3}, {10, 6, 3}, {0, 6, 3}}, 2));
    doc.append(rooms::wall({0, 0, 0}, {10, 0, 0}, {10, 0, 3}, {0, 0, 3}, 3));
    doc.append(rooms::wall({10, 0, 0}, {10, 6, 0}, {10, 6, 3}, {10, 0, 3}, 3));
    doc.append(rooms::wall({10, 6.0005, 0}, {0, 6.0005, 0}, {0, 6.0005, 3}, {10, 6.0005, 3}, 3));
    doc.append(rooms::wall({0, 6, 0}, {0, 0, 0}, {0, 0, 3}, {0, 6, 3}, 3));
    CheckReport loose = check(doc);
    EXPECT_TRUE(loose.closed) << describe(loose);
    EXPECT_TRUE(loose.problems.empty()) << describe(loose);
    analysis::CheckOptions strict;
    strict.tolerance = 0.0001;
    CheckReport tight = check(doc, strict);
    EXPECT_FALSE(tight.closed);
    EXPECT_FALSE(tight.volume.has_value());
    EXPECT_GT(tight.errors(), 0);
}

TEST(ModelCheck, AWarpedRoofIsNotFlat)
{
    // One corner of the roof 5 cm up; the two walls under it follow, and
    // stay flat.
    model::Document doc;
    doc.autoDraw = false;
    doc.append(rooms::face({{0, 0, 0}, {0, 6, 0}, {10, 6, 0}, {10, 0, 0}}, 1));
    doc.append(rooms::face({{0, 0, 3}, {10, 0, 3}, {10, 6, 3.05}, {0, 6, 3}}, 2));
    doc.append(rooms::wall({0, 0, 0}, {10, 0, 0}, {10, 0, 3}, {0, 0, 3}, 3));
    doc.append(rooms::wall({10, 0, 0}, {10, 6, 0}, {10, 6, 3.05}, {10, 0, 3}, 3));
    doc.append(rooms::wall({10, 6, 0}, {0, 6, 0}, {0, 6, 3}, {10, 6, 3.05}, 3));
    doc.append(rooms::wall({0, 6, 0}, {0, 0, 0}, {0, 0, 3}, {0, 6, 3}, 3));
    CheckReport r = check(doc);
    const analysis::Problem& p = onlyProblem(r, ProblemKind::NonPlanar);
    EXPECT_EQ(p.entities, (std::vector<long>{1}));
    EXPECT_NEAR(p.value, 0.0125, 0.001);  // a quarter of the lift from the best plane
    EXPECT_TRUE(r.closed);
}

TEST(ModelCheck, AVertexRepeatedWithinTheToleranceMakesAFaceDegenerate)
{
    model::Document doc;
    rooms::Shoebox s;
    s.door = false;
    s.window = false;
    rooms::build(doc, s);
    // The floor again with a fifth vertex half a millimetre from a corner.
    auto* floor = static_cast<model::Face*>(doc.children()[0].get());
    floor->vertices = model::VertexArray{{0, 0, 0}, {0, 6, 0}, {10, 6, 0}, {10, 0, 0}, {0.0005, 0, 0}};
    CheckReport r = check(doc);
    const analysis::Problem& p = onlyProblem(r, ProblemKind::Degenerate);
    EXPECT_TRUE(p.error());
    EXPECT_EQ(p.entities, (std::vector<long>{0}));
    EXPECT_TRUE(r.closed) << "the repeated corner welds into one";
}

TEST(ModelCheck, AFaceOfNoAreaIsDegenerate)
{
    model::Document doc;
    rooms::build(doc);
    doc.append(rooms::face({{2, 2, 1}, {5, 2, 1}, {8, 2, 1.0002}}, 3));  // a sliver 0.2 mm wide
    CheckReport r = check(doc);
    const analysis::Problem& p = onlyProblem(r, ProblemKind::Degenerate);
    EXPECT_EQ(p.entities, (std::vector<long>{12}));
}

TEST(ModelCheck, TwoFacesOverlappingInOnePlaneAreReportedOnceWithTheirArea)
{
    model::Document doc;
    rooms::build(doc);
    // A 2 m x 1.5 m carpet on the floor, half of it beyond the floor's edge
    // would leak; this one lies wholly on it.
    doc.append(rooms::face({{3, 2, 0}, {5, 2, 0}, {5, 3.5, 0}, {3, 3.5, 0}}, 4));
    CheckReport r = check(doc);
    const analysis::Problem& p = onlyProblem(r, ProblemKind::Overlap);
    EXPECT_FALSE(p.error());
    EXPECT_EQ(p.entities, (std::vector<long>{0, 12}));
    EXPECT_NEAR(p.value, 3.0, 1e-9);
    EXPECT_NEAR(p.at.x, 4.0, 1e-9);
    EXPECT_NEAR(p.at.y, 2.75, 1e-9);
    EXPECT_NE(p.message.find("different materials"), std::string::npos);
    EXPECT_TRUE(r.closed) << "a carpet inside the room is no leak";
}

TEST(ModelCheck, ADoorReachingAboveItsWallIsOffTheWall)
{
    model::Document doc;
    rooms::Shoebox s;
    s.door = false;
    rooms::build(doc, s);
    auto* north = static_cast<model::Wall*>(doc.children()[4].get());
    north->append(std::make_unique<model::Door>(std::vector<X3DPoint>{{4, 6, 0}, {5, 6, 0}, {5, 6, 3.4}, {4, 6, 3.4}},
                                                rooms::material(4)));
    CheckReport r = check(doc);
    const analysis::Problem& p = onlyProblem(r, ProblemKind::OpeningOffWall);
    EXPECT_TRUE(p.error());
    // The door (after the north wall and its face) and the wall's face.
    EXPECT_EQ(p.entities, (std::vector<long>{9, 8}));
    EXPECT_NEAR(p.at.z, 3.4, 1e-9);
}

TEST(ModelCheck, AnOpeningOutOfItsWallsPlaneOrInNoWallIsOffTheWall)
{
    model::Document doc;
    rooms::Shoebox s;
    s.door = false;
    s.window = false;
    rooms::build(doc, s);
    auto* north = static_cast<model::Wall*>(doc.children()[4].get());
    north->append(
        std::make_unique<model::Hole>(std::vector<X3DPoint>{{4, 6.01, 0}, {5, 6.01, 0}, {5, 6.01, 2}, {4, 6.01, 2}}));
    doc.append(std::make_unique<model::Door>(std::vector<X3DPoint>{{1, 0, 0}, {2, 0, 0}, {2, 0, 2}, {1, 0, 2}},
                                             rooms::material(4)));
    CheckReport r = check(doc);
    ASSERT_EQ(r.problems.size(), 2u) << describe(r);
    EXPECT_EQ(r.problems[0].kind, ProblemKind::OpeningOffWall);
    EXPECT_NE(r.problems[0].message.find("plane"), std::string::npos);
    EXPECT_EQ(r.problems[1].kind, ProblemKind::OpeningOffWall);
    EXPECT_NE(r.problems[1].message.find("not in a wall"), std::string::npos);
}

TEST(ModelCheck, AReceiverOutsideTheClosedRoomIsAnError)
{
    model::Document doc;
    rooms::build(doc);
    doc.append(std::make_unique<model::Receiver>(X3DPoint(12, 3, 1.2), X3DPoint(5, 3, 1.2)));
    CheckReport r = check(doc);
    const analysis::Problem& p = onlyProblem(r, ProblemKind::Outside);
    EXPECT_TRUE(p.error());
    EXPECT_EQ(p.entities, (std::vector<long>{12}));
    EXPECT_NE(p.message.find("Receiver 1"), std::string::npos) << p.message;
}

TEST(ModelCheck, ASourceNearAWallIsWarnedOfWithTheDistance)
{
    model::Document doc;
    rooms::build(doc);
    doc.append(std::make_unique<model::Source>(X3DPoint(5, 5.8, 1.5), X3DPoint(5, 3, 1.2), 0.0, "omni.spk"));
    CheckReport r = check(doc);
    const analysis::Problem& p = onlyProblem(r, ProblemKind::NearSurface);
    EXPECT_NEAR(p.value, 0.2, 1e-9);
    EXPECT_EQ(p.entities, (std::vector<long>{12, 9}));  // the source and the north wall's face
    analysis::CheckOptions options;
    options.nearDistance = 0.1;
    EXPECT_TRUE(check(doc, options).problems.empty()) << "the distance is a setting";
}

TEST(ModelCheck, AMaterialTheDatabaseLacksIsNamedOnceForAllItsFaces)
{
    model::Document doc;
    rooms::build(doc);
    static_cast<model::Face*>(doc.children()[0].get())->material.number = 77;
    static_cast<model::Face*>(doc.children()[1].get())->material.number = 77;
    CheckReport r = check(doc);
    const analysis::Problem& p = onlyProblem(r, ProblemKind::UnknownMaterial);
    EXPECT_EQ(p.entities, (std::vector<long>{0, 1}));
    EXPECT_NE(p.message.find("Material 77"), std::string::npos);
}

TEST(ModelCheck, FurnitureInsideTheRoomIsNoLeakButAFaceOutsideIs)
{
    model::Document doc;
    rooms::build(doc);
    // A stage platform's top against the west wall, open underneath.
    doc.append(rooms::face({{0, 3, 0.8}, {3, 3, 0.8}, {3, 6, 0.8}, {0, 6, 0.8}}, 4));
    CheckReport inside = check(doc);
    EXPECT_TRUE(inside.problems.empty()) << describe(inside);
    EXPECT_TRUE(inside.closed);
    // A canopy outside the room.
    doc.append(rooms::face({{12, 0, 2}, {14, 0, 2}, {14, 2, 2}, {12, 2, 2}}, 4));
    CheckReport outside = check(doc);
    EXPECT_FALSE(outside.closed);
    EXPECT_FALSE(outside.volume.has_value());
    EXPECT_EQ(outside.errors(), 4) << describe(outside);
}

TEST(ModelCheck, AClosedColumnInsideTheRoomIsTakenOffTheVolume)
{
    model::Document doc;
    rooms::Shoebox s;
    s.door = false;
    s.window = false;
    rooms::build(doc, s);
    // A closed 1 m cube standing free in the air of the room.
    double x0 = 4, x1 = 5, y0 = 2, y1 = 3, z1 = 1;
    doc.append(rooms::face({{x0, y0, 0.5}, {x0, y1, 0.5}, {x1, y1, 0.5}, {x1, y0, 0.5}}, 3));
    doc.append(rooms::face({{x0, y0, z1 + 0.5}, {x1, y0, z1 + 0.5}, {x1, y1, z1 + 0.5}, {x0, y1, z1 + 0.5}}, 3));
    doc.append(rooms::face({{x0, y0, 0.5}, {x1, y0, 0.5}, {x1, y0, 1.5}, {x0, y0, 1.5}}, 3));
    doc.append(rooms::face({{x1, y0, 0.5}, {x1, y1, 0.5}, {x1, y1, 1.5}, {x1, y0, 1.5}}, 3));
    doc.append(rooms::face({{x1, y1, 0.5}, {x0, y1, 0.5}, {x0, y1, 1.5}, {x1, y1, 1.5}}, 3));
    doc.append(rooms::face({{x0, y1, 0.5}, {x0, y0, 0.5}, {x0, y0, 1.5}, {x0, y1, 1.5}}, 3));
    CheckReport r = check(doc);
    EXPECT_TRUE(r.problems.empty()) << describe(r);
    EXPECT_EQ(r.shells, 2);
    ASSERT_TRUE(r.volume);
    EXPECT_NEAR(*r.volume, 180.0 - 1.0, 1e-9);
}

TEST(ModelCheck, EntitiesAreNumberedInFileOrderAtEveryDepth)
{
    model::Document doc;
    rooms::build(doc);
    doc.append(std::make_unique<model::Text>(X3DPoint(0, 0, 0), X3DPoint(1, 1, 0), "note"));
    std::vector<model::Entity*> order = analysis::entitiesInFileOrder(doc);
    ASSERT_EQ(order.size(), 13u);
    EXPECT_STREQ(order[2]->className(), "Wall");
    EXPECT_STREQ(order[3]->className(), "Face");
    EXPECT_STREQ(order[4]->className(), "Door");
    EXPECT_STREQ(order[12]->className(), "Text");
}

TEST(ModelCheck, ThePileOfCopiesCostsBoundedWork)
{
    // Three thousand copies of one face: nine million pairs if every pair
    // were looked at; the search stops and says so.
    model::Document doc;
    doc.autoDraw = false;
    for (int i = 0; i < 3000; ++i) {
        doc.append(rooms::face({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, 3));
    }
    CheckReport r = check(doc);
    std::map<long, int> perFace;
    bool stopped = false;
    for (const analysis::Problem& p : r.problems) {
        if (p.kind == ProblemKind::Overlap && p.entities.empty()) {
            stopped = true;
        } else if (p.kind == ProblemKind::Overlap) {
            ++perFace[p.entities[0]];
            ++perFace[p.entities[1]];
        }
    }
    EXPECT_TRUE(stopped);
    for (const auto& [face, n] : perFace) {
        EXPECT_LE(n, 16) << "face " << face;
    }
}

TEST(ModelCheck, ALongOutlineIsCheckedWithoutComparingEveryPair)
{
    // A round floor of 200,000 vertices under nothing: open, and no vertex
    // repeats although they lie 0.3 mm apart... beyond a tolerance of 0.1 mm.
    model::Document doc;
    doc.autoDraw = false;
    std::vector<X3DPoint> circle;
    const int n = 200000;
    for (int i = 0; i < n; ++i) {
        double a = 2.0 * geometry::PI * i / n;
        circle.emplace_back(10.0 * std::cos(a), 10.0 * std::sin(a), 0.0);
    }
    doc.append(rooms::face(circle, 1));
    analysis::CheckOptions options;
    options.tolerance = 0.0001;
    CheckReport r = check(doc, options);
    int degenerate = 0;
    for (const analysis::Problem& p : r.problems) {
        degenerate += p.kind == ProblemKind::Degenerate ? 1 : 0;
    }
    EXPECT_EQ(degenerate, 0);
    EXPECT_FALSE(r.closed);
    EXPECT_EQ(r.errors(), n) << "every edge of the lone face is open";
}

TEST(ModelCheck, ProblemsBeyondTenThousandOfAKindAreCountedNotListed)
{
    // 12,000 loose triangles: every one of them has open edges.
    model::Document doc;
    doc.autoDraw = false;
    for (int i = 0; i < 12000; ++i) {
        double x = (i % 100) * 3.0;
        double y = (i / 100) * 3.0;
        std::vector<X3DPoint> corners = {{x, y, 0}, {x + 1, y, 0}, {x, y + 1, 0}};
        doc.append(std::make_unique<model::Face>(corners.data(), 3, materials::Material{}));
    }
    CheckReport r = check(doc);
    long listed = 0;
    const analysis::Problem* note = nullptr;
    for (const analysis::Problem& p : r.problems) {
        if (p.kind == ProblemKind::OpenEdge) {
            if (p.note) {
                note = &p;
            } else {
                ++listed;
            }
        }
    }
    EXPECT_EQ(listed, 10000);
    ASSERT_NE(note, nullptr);
    EXPECT_FALSE(note->error()) << "the count is a note";
    EXPECT_NE(note->message.find("only the first 10000 are listed"), std::string::npos) << note->message;
    long more = std::stol(note->message);
    EXPECT_GE(more, 2000) << note->message;
    EXPECT_EQ(r.errors(), listed + more) << "every open edge counts";
    long listedWarnings = 0;
    for (const analysis::Problem& p : r.problems) {
        listedWarnings += p.error() ? 0 : 1;
    }
    EXPECT_EQ(r.warnings(), listedWarnings) << "the note among them, no warning left off";
}
