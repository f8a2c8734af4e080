// The base map: lines and polyline chains of a site plan, flattened.
#include <gtest/gtest.h>

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
    t.group(0, "CIRCLE").group(8, "0").corners({{0, 0, 0}}).group(40, "5");
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
