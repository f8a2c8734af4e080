// The project file layout, byte for byte.
#include <gtest/gtest.h>

#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Info.h"
#include "model/Ray.h"
#include "model/Source.h"
#include "model/Text.h"
#include "storage/ProjectFile.h"
#include "tests/model/ModelFixtures.h"
#include "tests/support/TestSupport.h"
#include "textio/TextWriter.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/Installed.h"

using geometry::X3DPoint;

namespace {

class ProjectWrite : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::writeText(dir.file("tolvane.mat"),
                               "  3  Concrete , 0.01 0.02\n  7  Oak door , 0.1\n 12  Brick , 0.03\n");
        materials::setMaterialDirectory(dir.path().string());
        doc.autoDraw = false;
    }
    // A database of the test's own, gone with the test.
    materials::MaterialState materialState;
    ui::Install<materials::MaterialState> useMaterials{materialState};

    std::string written()
    {
        std::string out;
        textio::TextWriter w(out);
        storage::writeProject(w, doc);
        return out;
    }

    testsupport::ScratchDir dir;
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
};

}  // namespace

TEST_F(ProjectWrite, AFloorAndAWallWithADoor)
{
    doc.append(fixtures::rectangle(0, 0, 10, 6.25, 0, 3));
    doc.append(fixtures::wallWithOpenings());
    static_cast<model::Wall&>(*doc.tail()).children()[2]->setSelected(true);
    static_cast<model::Wall&>(*doc.tail()).deleteSelected();  // keep the door only
    std::string expected = "EntityList\n"
                           " Face 0 3 4  0 0 0  10 0 0  10 6.25 0  0 6.25 0\n"
                           " Wall\n"
                           "  Face 1 12 4  0 0 0  10 0 0  10 0 3  0 0 3\n"
                           "  Door 0 7 4  1 0 0  2 0 0  2 0 2  1 0 2\n"
                           " End\n"
                           "End\n"
                           "InfoList\n"
                           "End\n"
                           "MaterialList\n"
                           "  3  Concrete , 0.010 0.020 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000,"
                           " 999.9 999.9 999.9 999.9 999.9 999.9 999.9 999.9 999.9 999.9,"
                           " 0.100 0.100 0.100 0.100 0.100 0.100 0.100 0.100 0.100 0.100\n"
                           "  7  Oak door , 0.100 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000,"
                           " 999.9 999.9 999.9 999.9 999.9 999.9 999.9 999.9 999.9 999.9,"
                           " 0.100 0.100 0.100 0.100 0.100 0.100 0.100 0.100 0.100 0.100\n"
                           " 12  Brick , 0.030 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000 0.000,"
                           " 999.9 999.9 999.9 999.9 999.9 999.9 999.9 999.9 999.9 999.9,"
                           " 0.100 0.100 0.100 0.100 0.100 0.100 0.100 0.100 0.100 0.100\n"
                           "End\n";
    EXPECT_EQ(written(), expected);
    EXPECT_EQ(platform.progressRuns, 1);
    EXPECT_EQ(platform.progressPosition, 2u) << "one step per top-level record";
}

TEST_F(ProjectWrite, NumbersUseTwelveSignificantDigits)
{
    doc.append(std::make_unique<model::Receiver>(X3DPoint(1.0 / 3.0, 1234.56789012345, -1e-7),
                                                 X3DPoint(1e15, 0.1 + 0.2, 100)));
    EXPECT_EQ(written(), "EntityList\n Receiver 0.333333333333 1234.56789012 -1e-07 1e+15 0.3 100\nEnd\n"
                         "InfoList\nEnd\n");
}

TEST_F(ProjectWrite, NotesBlock)
{
    doc.notes.projectNotes().setText("First line\nSecond line");
    EXPECT_EQ(written(), "EntityList\nEnd\nInfoList\n Info Notes \"\nFirst line\nSecond line\n\n\"\nEnd\n");
    doc.notes.projectNotes().setText("");
    EXPECT_EQ(written(), "EntityList\nEnd\nInfoList\n \nEnd\n") << "an emptied entry leaves a blank line";
}

TEST_F(ProjectWrite, NotesLinesThatWouldEndOrLoseTheBlockAreProtected)
{
    doc.notes.projectNotes().setText("Title\n\n\"quoted\" start\nend");
    EXPECT_EQ(written(), "EntityList\nEnd\nInfoList\n Info Notes \"\nTitle\n \n \"quoted\" start\nend\n\n\"\nEnd\n");
}

TEST_F(ProjectWrite, TextNotesAndSourceFilesStayOneRecord)
{
    doc.append(std::make_unique<model::Text>(X3DPoint(0, 0, 0), X3DPoint(2, 1, 0), "Line one\r\nline \"two\"\nthree"));
    doc.append(std::make_unique<model::Source>(X3DPoint(1, 1, 2), X3DPoint(4, 1, 1.2), 15, "My Speakers/big horn.spk"));
    EXPECT_EQ(written(), "EntityList\n"
                         " Text 0 0 0 2 1 0 \"Line one line \"two\" three\"\n"
                         " Source 1 1 2 4 1 1.2 15 My_Speakers/big_horn.spk\n"
                         "End\nInfoList\nEnd\n");
}

TEST_F(ProjectWrite, NestedListsAndInvalidEntitiesAreLaidOutAsRecords)
{
    auto inner = std::make_unique<model::EntityList>();
    inner->append(std::make_unique<model::Ray>(X3DPoint(0, 0, 0), X3DPoint(1, 1, 1)));
    doc.append(std::move(inner));
    auto broken = std::make_unique<model::Wall>();  // no base face: never written
    doc.append(std::move(broken));
    EXPECT_EQ(written(), "EntityList\n EntityList\n  Ray 0 0 0 1 1 1\n End\n \nEnd\nInfoList\nEnd\n");
}

TEST_F(ProjectWrite, SavingReplacesTheFileOnlyAfterACompleteWrite)
{
    std::string path = dir.file("hall.ray");
    testsupport::writeText(path, "previous contents");
    doc.append(fixtures::rectangle(0, 0, 1, 1));
    ASSERT_TRUE(storage::writeProjectFile(path, doc));
    EXPECT_EQ(testsupport::readText(path), written());
    EXPECT_FALSE(storage::writeProjectFile(dir.file("missing-folder/x.ray"), doc));
}
