// Reading project files: the lenient rules, the failures, and damaged input.
#include <gtest/gtest.h>

#include "model/Document.h"
#include "model/Info.h"
#include "model/Source.h"
#include "model/Text.h"
#include "model/Wall.h"
#include "storage/ProjectFile.h"
#include "tests/support/TestSupport.h"
#include "textio/TokenReader.h"
#include "ui/headless/HeadlessPlatform.h"

using geometry::X3DPoint;

namespace {

class ProjectRead : public ::testing::Test {
protected:
    bool read(const std::string& text)
    {
        doc.autoDraw = false;
        textio::TokenReader in{std::string_view(text)};
        return storage::readProject(in, doc);
    }
    model::Face& faceAt(std::size_t i) { return static_cast<model::Face&>(*doc.children()[i]); }

    ui::headless::HeadlessPlatform platform;
    model::Document doc;
};

}  // namespace

TEST_F(ProjectRead, KeywordsIgnoreCase)
{
    EXPECT_TRUE(read("entitylist\n face 0 3 3 0 0 0 1 0 0 1 1 0\n WALL\n  fAcE 0 1 3 0 0 0 1 0 0 1 0 1\n eNd\nEND\n"
                     "infolist\n info notes \"\ntext\n\"\nend\n"));
    ASSERT_EQ(doc.count(), 2u);
    EXPECT_EQ(doc.children()[1]->typeCode(), model::type::Wall);
    ASSERT_EQ(doc.notes.count(), 1u);
    EXPECT_EQ(static_cast<model::Info&>(*doc.notes.head()).text(), "text\n");
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(ProjectRead, SegmentsAndUnknownWordsSkipTheirLine)
{
    EXPECT_TRUE(read("EntityList\n Segment 0 0 0 1 1 1\n Comment Face 0 0 3 1 2 3\n"
                     " Receiver 1 2 3 4 5 6\nEnd\n"));
    ASSERT_EQ(doc.count(), 1u);
    EXPECT_EQ(doc.head()->typeCode(), model::type::Receiver);
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(ProjectRead, RepeatedPointsAndInvalidFaces)
{
    EXPECT_TRUE(read("EntityList\n Face 0 0 4  0 0 0  1 0 0  1 0 0  1 1 0\n"
                     " Face 0 0 3  0 0 0  1 0 0  1 0 0\n Face 0 0 0\n Door 0 4 3 0 0 0 1 0 0 0 0 1\nEnd\n"));
    ASSERT_EQ(doc.count(), 2u);
    EXPECT_EQ(faceAt(0).vertexCount(), 3);
    EXPECT_EQ(doc.children()[1]->typeCode(), model::type::Door);
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(ProjectRead, AWallsBaseFaceIsItsFirstFace)
{
    EXPECT_TRUE(read("EntityList\n Wall\n  Hole 0 0 3 1 0 1 2 0 1 2 0 2\n  Face 0 5 4 0 0 0 4 0 0 4 0 3 0 0 3\n"
                     " End\nEnd\n"));
    auto& wall = static_cast<model::Wall&>(*doc.head());
    ASSERT_NE(wall.baseFace, nullptr);
    EXPECT_EQ(wall.baseFace->material.number, 5u);
    EXPECT_EQ(wall.baseFace, wall.children()[1].get());
}

TEST_F(ProjectRead, AWallWithoutAFaceStopsReading)
{
    EXPECT_FALSE(read("EntityList\n Receiver 0 0 0 1 1 1\n Wall\n End\n Receiver 2 2 2 1 1 1\nEnd\n"));
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"WALL without a FACE"}));
    EXPECT_EQ(doc.count(), 1u) << "what was read before stays";
}

TEST_F(ProjectRead, AFileThatIsNotAProject)
{
    EXPECT_FALSE(read("SECTION\n 2\nENTITIES\n"));
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"SECTION: Unknown entity"}));
    EXPECT_EQ(doc.count(), 0u);
    platform.errors.clear();
    EXPECT_TRUE(read(""));
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(ProjectRead, AnUnknownBlockAfterTheModel)
{
    EXPECT_FALSE(read("EntityList\n Receiver 0 0 0 1 1 1\nEnd\nBogus\n"));
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"Bogus: Unknown entity"}));
    EXPECT_EQ(doc.count(), 1u);
    platform.errors.clear();
    EXPECT_FALSE(read("EntityList\nEnd\nInfoList\n Receiver 1 1 1 0 0 0\nEnd\n"));
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"Receiver: Unknown entity"}));
}

TEST_F(ProjectRead, TheMaterialBlockIsLeftToTheSimulator)
{
    EXPECT_TRUE(read("EntityList\n Face 0 3 3 0 0 0 1 0 0 1 1 0\nEnd\nInfoList\nEnd\n"
                     "MaterialList\n  3  Concrete , 0.01\nEnd\n"));
    EXPECT_EQ(doc.count(), 1u);
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(ProjectRead, WindowsLineEndsReadExactlyLikeUnixOnes)
{
    std::string unix = "EntityList\n Text 0 0 0 1 1 0 \"Stage \"left\" side\"\n Source 1 2 3 4 5 6 7 horn.spk\n"
                       "End\nInfoList\n Info Notes \"\nRow one\n\nRow two\n\n\"\nEnd\n";
    std::string windows;
    for (char c : unix) {
        if (c == '\n') {
            windows += "\r\n";
        } else {
            windows += c;
        }
    }
    ASSERT_TRUE(read(windows));
    auto& text = static_cast<model::Text&>(*doc.children()[0]);
    EXPECT_EQ(text.text, "Stage \"left\" side");
    EXPECT_EQ(static_cast<model::Source&>(*doc.children()[1]).directivity, "horn.spk");
    EXPECT_EQ(static_cast<model::Info&>(*doc.notes.head()).text(), "Row one\nRow two\n");
}

TEST_F(ProjectRead, TextQuotesFollowTheFirstAndLastQuoteRule)
{
    ASSERT_TRUE(read("EntityList\n Text 0 0 0 1 1 0 \"open ended\n Text 1 0 0 1 1 0 no quotes\n"
                     " Text 2 0 0 1 1 0\nEnd\n"));
    ASSERT_EQ(doc.count(), 3u);
    EXPECT_EQ(static_cast<model::Text&>(*doc.children()[0]).text, "open ended");
    EXPECT_EQ(static_cast<model::Text&>(*doc.children()[1]).text, "");
    EXPECT_EQ(static_cast<model::Text&>(*doc.children()[2]).text, "");
}

TEST_F(ProjectRead, LongNotesAndLongTextLinesAreKeptWhole)
{
    std::string notes;
    for (int i = 0; i < 200; ++i) {
        notes += "Line " + std::to_string(i) + " of the project notes, long enough to matter.\n";
    }
    std::string longText(3000, 'n');
    ASSERT_TRUE(read("EntityList\n Text 0 0 0 1 1 0 \"" + longText +
                     "\"\n Receiver 5 5 5 0 0 0\nEnd\n"
                     "InfoList\n Info Notes \"\n" +
                     notes + "\n\"\nEnd\n"));
    ASSERT_EQ(doc.count(), 2u);
    EXPECT_EQ(static_cast<model::Text&>(*doc.head()).text, longText);
    EXPECT_EQ(static_cast<model::Info&>(*doc.notes.head()).text(), notes);
}

TEST_F(ProjectRead, NonFiniteOrAbsurdCoordinatesNeverEnterTheModel)
{
    for (const char* bad : {"nan", "inf", "-inf", "1e300", "2e9"}) {
        doc.clearEntities();
        platform.errors.clear();
        std::string text = std::string("EntityList\n Receiver 1 1 1 0 0 0\n Face 0 0 3 0 0 0 1 0 0 ") + bad +
                           " 1 0\n Receiver 2 2 2 0 0 0\nEnd\n";
        EXPECT_FALSE(read(text)) << bad;
        EXPECT_EQ(doc.count(), 1u) << bad;
        EXPECT_EQ(platform.errors, (std::vector<std::string>{"Can't read a FACE at line 3"})) << bad;
    }
}

TEST_F(ProjectRead, DamageInsideAWallIsReportedOnceWhereItIs)
{
    // One damaged file, one message: the wall around the face adds none.
    EXPECT_FALSE(read("EntityList\n Wall\n  Face 0 0 3 0 0 0 1 0 0 x 0 1\n End\nEnd\n"));
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"Can't read a FACE at line 3"}));
    EXPECT_EQ(doc.count(), 0u);
}

TEST_F(ProjectRead, CountsCannotForceHugeAllocations)
{
    EXPECT_FALSE(read("EntityList\n Face 0 0 -4 0 0 0\nEnd\n"));
    EXPECT_FALSE(read("EntityList\n Face 0 0 2000000000 0 0 0 1 0 0 1 1 0\nEnd\n"));
    EXPECT_FALSE(read("EntityList\n Face 0 0 99999999999999 0 0 0\nEnd\n"));
    EXPECT_EQ(doc.count(), 0u);
}

TEST_F(ProjectRead, MaterialNumbersOutsideTheTableBecomeMaterialZero)
{
    ASSERT_TRUE(read("EntityList\n Face 3 1024 3 0 0 0 1 0 0 1 1 0\n Face 2 -5 3 0 0 0 1 0 0 1 1 0\n"
                     " Face 7 12 3 0 0 0 1 0 0 1 1 0\nEnd\n"));
    ASSERT_EQ(doc.count(), 3u);
    EXPECT_EQ(faceAt(0).material.number, 0u);
    EXPECT_TRUE(faceAt(0).material.obstructing);
    EXPECT_TRUE(faceAt(0).material.monopermeable);
    EXPECT_EQ(faceAt(1).material.number, 0u);
    EXPECT_EQ(faceAt(2).material.number, 12u);
    EXPECT_FALSE(faceAt(2).material.obstructing) << "flags outside 0..3 are dropped";
}

TEST_F(ProjectRead, LongReadsKeepTheWindowsAlive)
{
    std::string text = "EntityList\n";
    for (int i = 0; i < 3000; ++i) {
        text += " Receiver " + std::to_string(i) + " 0 1.2 0 0 0\n";
    }
    text += "End\n";
    ASSERT_TRUE(read(text));
    EXPECT_EQ(doc.count(), 3000u);
    EXPECT_EQ(platform.pumps, 2);
    EXPECT_EQ(static_cast<model::Receiver&>(*doc.tail()).number, 3000u);
}

TEST(OpenProject, MissingFilesAndQuotedNames)
{
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    EXPECT_FALSE(storage::openProject("/nonexistent/hall.ray", doc));
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"Can't read the file /nonexistent/hall.ray"}));

    testsupport::ScratchDir dir;
    std::string path = dir.file("room.ray");
    testsupport::writeText(path, "EntityList\n Receiver 1 2 3 4 5 6\nEnd\nInfoList\nEnd\n");
    EXPECT_TRUE(storage::openProject("\"" + path + "\"", doc));
    EXPECT_EQ(doc.count(), 1u);
    EXPECT_FALSE(doc.modified()) << "loading does not mark the model modified";
    EXPECT_TRUE(doc.autoDraw);
    EXPECT_FALSE(platform.waitCursorShown);
    EXPECT_EQ(platform.progressMaximum, testsupport::readText(path).size());
    EXPECT_FALSE(storage::openProject(dir.path().string(), doc)) << "a folder is not a project";
}
