// The base map: lines and polyline chains of a site plan, flattened.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "exchange/BaseMapReader.h"
#include "model/EntityList.h"
#include "model/Segment.h"
#include "tests/exchange/DxfText.h"
#include "tests/support/TestSupport.h"
#include "textio/TokenReader.h"

using dxftest::DxfText;
using geometry::X3DPoint;

namespace {

void read(model::EntityList& list, const std::string& text, X3DPoint offset = {}, double scale = 1.0)
{
    textio::TokenReader in{std::string_view(text)};
    exchange::readBaseMap(list, in, offset, scale);
}

const model::Segment& segment(const model::EntityList& list, std::size_t i)
{
    return static_cast<const model::Segment&>(*list.children()[i]);
}

DxfText closedSquare()
{
    DxfText t;
    t.group(0, "POLYLINE").group(8, "0").group(70, "1");
    for (X3DPoint p : {X3DPoint(0, 0, 5), X3DPoint(1, 0, 5), X3DPoint(1, 1, 5), X3DPoint(0, 1, 5)}) {
        t.group(0, "VERTEX").group(8, "0").corners({p});
    }
    return t.group(0, "SEQEND");
}

}  // namespace

TEST(BaseMap, AClosedPolylineOfFourVerticesGivesThreeSegments)
{
    model::EntityList list;
    read(list, closedSquare().file());
    ASSERT_EQ(list.count(), 3u);
    // Head insertion: the last segment of the file comes first.
    EXPECT_TRUE(segment(list, 0).start == X3DPoint(1, 1, 0));
    EXPECT_TRUE(segment(list, 0).end == X3DPoint(0, 1, 0));
    EXPECT_TRUE(segment(list, 2).start == X3DPoint(0, 0, 0));
}

TEST(BaseMap, LinesAreFlattenedScaledAndOffset)
{
    model::EntityList list;
    list.append(std::make_unique<model::Segment>(X3DPoint(9, 9, 0), X3DPoint(9, 9, 0)));
    DxfText t;
    t.group(0, "LINE").group(8, "0").corners({{2000, 3000, 7}, {0, 0, 12}});
    t.group(0, "LINE").group(8, "0").corners({{10, 10, 0}, {20, 20, 0}});
    read(list, t.file(), X3DPoint(100, 50, 0), 0.001);
    ASSERT_EQ(list.count(), 3u);
    EXPECT_TRUE(segment(list, 1).start == X3DPoint(102, 53, 0));
    EXPECT_TRUE(segment(list, 1).end == X3DPoint(100, 50, 0));
    EXPECT_TRUE(segment(list, 0).start == X3DPoint(100.01, 50.01, 0));
    EXPECT_TRUE(segment(list, 2).start == X3DPoint(9, 9, 0)) << "what was there stays after the new lines";
}

TEST(BaseMap, ReadingStopsAtTheEndOfABlockOrSection)
{
    model::EntityList list;
    DxfText t;
    t.group(0, "LINE").group(8, "0").corners({{0, 0, 0}, {1, 0, 0}});
    t.group(0, "ENDBLK");
    t.group(0, "LINE").group(8, "0").corners({{5, 0, 0}, {6, 0, 0}});
    read(list, t.file());
    EXPECT_EQ(list.count(), 1u);
}

TEST(BaseMap, SectionNamesIgnoreCaseAndOtherKindsDrawNothing)
{
    model::EntityList list;
    DxfText t;
    t.group(0, "TEXT").group(8, "0").corners({{0, 0, 0}}).group(1, "North");
    t.group(0, "POINT").group(8, "0").corners({{3, 3, 0}});
    t.group(0, "line").group(8, "0").corners({{0, 0, 0}, {1, 0, 0}});  // kinds are exact
    t.group(0, "LINE").group(8, "0").corners({{0, 0, 0}, {1, 0, 0}});
    std::string text = t.file();
    text.replace(text.find("SECTION"), 7, "section");
    text.replace(text.find("ENTITIES"), 8, "Entities");
    read(list, text);
    EXPECT_EQ(list.count(), 1u);
}

TEST(BaseMap, DamagedPointsAndMissingFiles)
{
    model::EntityList list;
    DxfText t;
    t.group(0, "LINE").group(8, "0").group(10, "nan").group(20, "0").group(11, "1").group(21, "1");
    t.group(0, "LINE").group(8, "0").corners({{0, 0, 0}, {1, 0, 0}});
    read(list, t.file());
    EXPECT_EQ(list.count(), 1u);
    testsupport::ScratchDir dir;
    EXPECT_FALSE(exchange::readBaseMap(list, dir.file("missing.dxf"), {}, 1.0));
    std::string path = dir.file("site.dxf");
    testsupport::writeText(path, closedSquare().file());
    EXPECT_TRUE(exchange::readBaseMap(list, path, {}, 1.0));
    EXPECT_EQ(list.count(), 4u);
}

namespace {

// The chain of segments read in file order (the list holds them reversed).
std::vector<const model::Segment*> inFileOrder(const model::EntityList& list)
{
    std::vector<const model::Segment*> out;
    for (auto it = list.children().rbegin(); it != list.children().rend(); ++it) {
        out.push_back(static_cast<const model::Segment*>(it->get()));
    }
    return out;
}

double planDistance(const X3DPoint& a, const X3DPoint& b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

TEST(BaseMap, LightWeightPolylinesClosedOnesClosedBulgesAsArcs)
{
    model::EntityList list;
    DxfText t;
    t.group(0, "LWPOLYLINE").group(8, "0").group(90, "4").group(70, "1");
    for (X3DPoint p : {X3DPoint(0, 0, 0), X3DPoint(4, 0, 0), X3DPoint(4, 3, 0), X3DPoint(0, 3, 0)}) {
        t.real(10, p.x).real(20, p.y);
    }
    // Open, with a half circle (bulge 1) from (10, 0) to (14, 0).
    t.group(0, "LWPOLYLINE").group(8, "0").group(90, "2").group(70, "0");
    t.real(10, 10).real(20, 0).real(42, 1).real(10, 14).real(20, 0);
    read(list, t.file());
    std::vector<const model::Segment*> s = inFileOrder(list);
    ASSERT_EQ(s.size(), 4u + 18u);
    EXPECT_TRUE(s[3]->start == X3DPoint(0, 3, 0));
    EXPECT_TRUE(s[3]->end == X3DPoint(0, 0, 0)) << "closed: back to the start";
    for (std::size_t i = 4; i < s.size(); ++i) {
        EXPECT_NEAR(planDistance(s[i]->start, X3DPoint(12, 0, 0)), 2.0, 1e-9);
        EXPECT_LT(s[i]->start.y, 1e-9) << "anticlockwise from (10, 0) to (14, 0) runs below the chord";
    }
    EXPECT_NEAR(planDistance(s.back()->end, X3DPoint(14, 0, 0)), 0.0, 1e-9);
}

TEST(BaseMap, ArcsAndCirclesInStepsOfAtMostTenDegrees)
{
    model::EntityList list;
    DxfText t;
    t.group(0, "CIRCLE").group(8, "0").corners({{5, 5, 0}}).real(40, 2);
    t.group(0, "ARC").group(8, "0").corners({{0, 0, 0}}).real(40, 10).real(50, 350).real(51, 15);
    read(list, t.file());
    std::vector<const model::Segment*> s = inFileOrder(list);
    ASSERT_EQ(s.size(), 36u + 3u);
    EXPECT_TRUE(s[0]->start == X3DPoint(7, 5, 0));
    EXPECT_NEAR(planDistance(s[35]->end, X3DPoint(7, 5, 0)), 0.0, 1e-9);
    EXPECT_NEAR(s[36]->start.x, 10 * std::cos(-10 * M_PI / 180), 1e-9) << "from 350 degrees";
    EXPECT_NEAR(s[38]->end.y, 10 * std::sin(15 * M_PI / 180), 1e-9) << "anticlockwise to 15";
}

TEST(BaseMap, BlocksAreExpandedAndUnitsScaleToMetres)
{
    model::EntityList list;
    DxfText inner;
    inner.group(0, "LINE").group(8, "0").corners({{0, 0, 0}, {1000, 0, 0}});
    DxfText t;
    t.insert("TREE", "0", {5000, 0, 0}).real(50, 90);
    read(list, t.file("9\n$INSUNITS\n70\n4\n", dxftest::block("TREE", {0, 0, 0}, inner)), X3DPoint(100, 0, 0), 2);
    ASSERT_EQ(list.count(), 1u);
    EXPECT_TRUE(segment(list, 0).start == X3DPoint(110, 0, 0)) << "5 m, doubled, offset";
    EXPECT_NEAR(segment(list, 0).end.y, 2.0, 1e-9);
}

TEST(BaseMap, SitePlansWrittenByEzdxfLieOnEzdxfsOwnGeometry)
{
    testsupport::ScratchDir dir;
    std::string dxf = dir.file("site.dxf");
    std::string txt = dir.file("site.txt");
    ASSERT_EQ(
        testsupport::runCommand("/usr/bin/python3 " + testsupport::sourcePath("tests/outside/ezdxf_site_plan.py") +
                                " " + dxf + " " + txt),
        0);
    struct Primitive {
        bool arc;
        double v[5];
    };
    std::vector<Primitive> expected;
    std::istringstream lines(testsupport::readText(txt));
    for (std::string kind; lines >> kind;) {
        Primitive p{kind == "arc", {}};
        for (int i = 0; i < (p.arc ? 5 : 4); ++i) {
            lines >> p.v[i];
        }
        expected.push_back(p);
    }
    model::EntityList list;
    ASSERT_TRUE(exchange::readBaseMap(list, dxf, {}, 1.0));
    auto onPrimitive = [](const Primitive& p, const X3DPoint& q) {
        if (!p.arc) {
            double dx = p.v[2] - p.v[0];
            double dy = p.v[3] - p.v[1];
            double t = ((q.x - p.v[0]) * dx + (q.y - p.v[1]) * dy) / (dx * dx + dy * dy);
            return t > -1e-9 && t < 1 + 1e-9 && planDistance(q, {p.v[0] + t * dx, p.v[1] + t * dy, 0}) < 1e-6;
        }
        double sweep = std::fmod(p.v[4] - p.v[3] + 720.0, 360.0);
        sweep = sweep < 1e-9 ? 360.0 : sweep;
        double at = std::fmod(std::atan2(q.y - p.v[1], q.x - p.v[0]) * 180 / M_PI - p.v[3] + 720.0, 360.0);
        return std::fabs(planDistance(q, {p.v[0], p.v[1], 0}) - p.v[2]) < 1e-6 &&
               (at < sweep + 1e-6 || at > 360.0 - 1e-6);
    };
    auto onAny = [&](const X3DPoint& q) {
        return std::any_of(expected.begin(), expected.end(), [&](const Primitive& p) { return onPrimitive(p, q); });
    };
    std::size_t segments = 0;
    for (const Primitive& p : expected) {
        double sweep = std::fmod(p.v[4] - p.v[3] + 720.0, 360.0);
        segments += p.arc ? static_cast<std::size_t>(std::ceil((sweep < 1e-9 ? 360.0 : sweep) / 10 - 1e-9)) : 1;
    }
    EXPECT_EQ(list.count(), segments) << "a segment per line, arcs in steps of at most 10 degrees";
    for (const auto& child : list.children()) {
        const auto& s = static_cast<const model::Segment&>(*child);
        EXPECT_TRUE(onAny(s.start)) << s.start.x << " " << s.start.y;
        EXPECT_TRUE(onAny(s.end)) << s.end.x << " " << s.end.y;
    }
}
