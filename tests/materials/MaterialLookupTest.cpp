// Lookups by number and text, the hot reload, colours and the used-records block.
#include <gtest/gtest.h>

#include <sys/time.h>

#include "materials/MaterialList.h"
#include "tests/support/TestSupport.h"
#include "textio/TextWriter.h"

using materials::MaterialList;
using testsupport::ScratchDir;

namespace {

void setModificationTime(const std::string& path, time_t seconds)
{
    struct timeval times[2] = {{seconds, 0}, {seconds, 0}};
    ::utimes(path.c_str(), times);
}

}  // namespace

TEST(MaterialLookup, ByTextNameOrNumber)
{
    MaterialList list("/nonexistent");
    list.readMaterialText("  2  Concrete , 0.01\n  5  Glass , 0.05\n");
    EXPECT_EQ(list.materialByText("glass").number, 5);
    EXPECT_EQ(&list.materialByText("GLASS"), &list.at(5));
    EXPECT_EQ(&list.materialByText("3"), &list.at(3));
    EXPECT_EQ(&list.materialByText("007"), &list.at(7));
    EXPECT_EQ(&list.materialByText("2abc"), &list.at(2));
    EXPECT_EQ(&list.materialByText("-3"), &list.at(0));
    EXPECT_EQ(&list.materialByText("Glass "), &list.at(0)) << "blanks are significant";
    EXPECT_EQ(&list.materialByText("5000"), &list.at(0)) << "numbers beyond the table are safe";
    EXPECT_EQ(&list.materialByNumber(-4), &list.at(0));
}

TEST(MaterialLookup, ColoursShowOnlyWhileAskedFor)
{
    MaterialList list("/nonexistent");
    list.readColourText("0\n255\n");
    EXPECT_EQ(list.colourOf(list.at(1)), 0xFFFF00u);
    list.materialColoursShown = true;
    EXPECT_EQ(list.colourOf(list.at(1)), 255u);
}

TEST(MaterialLookup, FilesComeFromTheGivenDirectory)
{
    ScratchDir dir;
    testsupport::writeText(dir.file("tolvane.mat"), "  1  Oak , 0.1\n");
    testsupport::writeText(dir.file("tolcolor.mat"), "0\n4210752\n");
    MaterialList list(dir.path().string());
    list.load();
    EXPECT_EQ(list.at(1).name, "Oak");
    EXPECT_EQ(list.at(1).colour, 4210752u);
    EXPECT_EQ(list.at(2).number, -1) << "the bundled database is not mixed in";
    EXPECT_GT(list.loadedTime(), 0);
}

TEST(MaterialLookup, CurrentDirectoryFirstThenTheBundledDatabase)
{
    ScratchDir dir;
    testsupport::ScopedChdir here(dir.path());
    MaterialList bundled;
    bundled.load();
    EXPECT_EQ(bundled.loadedTime(), 0);
    EXPECT_EQ(bundled.at(1).name, "Concrete rough");

    testsupport::writeText("tolvane.mat", "  1  Local , 0.3\n");
    MaterialList local;
    local.load();
    EXPECT_EQ(local.at(1).name, "Local");
}

TEST(MaterialLookup, LookingUpMaterialZeroReloadsAChangedFile)
{
    ScratchDir dir;
    std::string path = dir.file("tolvane.mat");
    testsupport::writeText(path, "  1  Before , 0.1\n");
    setModificationTime(path, 1000000);
    MaterialList list(dir.path().string());
    list.load();
    EXPECT_EQ(list.loadedTime(), 1000000);

    testsupport::writeText(path, "  1  After , 0.2\n");
    setModificationTime(path, 1000000);
    list.materialByNumber(0);
    EXPECT_EQ(list.at(1).name, "Before") << "same time: no reload";

    setModificationTime(path, 1000005);
    list.materialByNumber(1);
    EXPECT_EQ(list.at(1).name, "Before") << "only material 0 checks the file";
    list.materialByNumber(0);
    EXPECT_EQ(list.at(1).name, "After");
    EXPECT_EQ(list.loadedTime(), 1000005);
}

TEST(MaterialLookup, UsedRecordsBlock)
{
    MaterialList list("/nonexistent");
    list.readMaterialText("  3  Concrete , 0.01\n");
    std::string out;
    {
        textio::TextWriter w(out);
        list.clearUsed();
        list.writeUsed(w);
    }
    EXPECT_EQ(out, "") << "no empty block when nothing is used";

    list.markUsed(3);
    list.markUsed(9);  // a slot no file defined
    {
        textio::TextWriter w(out);
        list.writeUsed(w);
    }
    EXPECT_EQ(out.substr(0, 13), "MaterialList\n");
    EXPECT_NE(out.find("\n  3  Concrete , 0.010 0.000"), std::string::npos);
    EXPECT_NE(out.find("\n  9  Unknown , 0.000"), std::string::npos) << out;
    EXPECT_EQ(out.substr(out.size() - 4), "End\n");
    EXPECT_LT(out.find("  3  "), out.find("  9  "));
}
