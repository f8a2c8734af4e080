// Every reader of the program, handed a device that never ends or a FIFO that
// never answers: one clear message at once, the program goes on, and no
// unsaved work is lost.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "app/Settings.h"
#include "materials/MaterialList.h"
#include "tests/app/AppFixture.h"
#include "views/ShapeCache.h"

namespace {

class HostileInput : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        fifo = file("pipe");
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        started = std::chrono::steady_clock::now();
    }
    void TearDown() override
    {
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10)) << "nothing may hang";
        AppFixture::TearDown();
    }
    std::string notAFile(const std::string& name) const
    {
        return "Can't read the file " + name + ": it is not a regular file";
    }

    std::string fifo;
    std::chrono::steady_clock::time_point started;
};

}  // namespace

TEST_F(HostileInput, ProjectsAndDrawingsFromDevicesAndFifos)
{
    for (const std::string& name : {std::string("/dev/zero"), fifo}) {
        ASSERT_TRUE(play("answer file " + name +
                         ".ray\n"  // no such file: the plain message
                         "expect error \"Can't read the file " +
                         name +
                         ".ray\"\n"
                         "command \"&Open...\"\n"
                         "answer file " +
                         name +
                         "\n"
                         "expect error \"" +
                         notAFile(name) +
                         "\"\n"
                         "command \"DXF in...\"\n"
                         "answer BASEMAPBOX 120=" +
                         name +
                         " ok\n"
                         "expect error \"" +
                         notAFile(name) +
                         "\"\n"
                         "command \"Base map...\"\n"));
    }
    std::filesystem::create_symlink("/dev/zero", file("zero.ray"));
    ASSERT_TRUE(play("answer file " + file("zero.ray") +
                     "\n"
                     "expect error \"" +
                     notAFile(file("zero.ray")) +
                     "\"\n"
                     "command \"&Merge...\"\n"));
}

TEST_F(HostileInput, MaterialTablesThatAreNotFilesFallBackToTheBundledOnes)
{
    std::filesystem::remove("tolvane.mat");
    std::filesystem::create_symlink("/dev/zero", "tolvane.mat");
    ASSERT_EQ(::mkfifo("tolcolor.mat", 0600), 0);
    materials::setMaterialDirectory("");
    materials::MaterialList& list = materials::materialList();
    ASSERT_EQ(platform->errors.size(), 2u);
    EXPECT_EQ(platform->errors[0], notAFile("tolvane.mat"));
    EXPECT_EQ(platform->errors[1], notAFile("tolcolor.mat"));
    // The bundled database stands in, so faces keep real absorption.
    EXPECT_EQ(list.materialByText("Glass window").name, "Glass window");
    EXPECT_GT(list.at(1).absorption[3], 0.0);
}

TEST_F(HostileInput, ASettingsFifoReadsAsDefaultsAndIsNotReplaced)
{
    std::filesystem::remove("tolvane.ini");
    ASSERT_EQ(::mkfifo("tolvane.ini", 0600), 0);
    EXPECT_TRUE(app::readFlag(app::AutoCheckDuplicates, true));
    EXPECT_FALSE(app::readFlag(app::SaveDxfMaterialName, false));
    ASSERT_TRUE(play("expect error \"" + notAFile("tolvane.ini") +
                     ": the settings are not saved\"\n"
                     "answer OptionsBox 141=0 ok\n"
                     "command \"General...\"\n"));
    struct stat st {};
    ASSERT_EQ(::lstat("tolvane.ini", &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(HostileInput, AnUnreadableLoudspeakerIsDrawnAsOmniAndMergeKeepsTheWork)
{
    // Unsaved work: one receiver, never saved.
    testsupport::writeText("mine.ray", "EntityList\n Receiver 1 1 1.2 0 0 0\nEnd\nInfoList\nEnd\n");
    ASSERT_TRUE(play("answer file mine.ray\ncommand \"&Open...\"\nkey F2\nkey Alt+Ins\nexpect modified yes\n"));
    // Deep nesting inside the drawing, a FIFO and a device as loudspeakers.
    std::string deep = "Loudspeaker\nEntityList\n";
    for (int i = 0; i < 5000; ++i) {
        deep += "EntityList\n";
    }
    testsupport::writeText("deep.spk", deep);
    testsupport::writeText("speakers.ray", "EntityList\n"
                                           " Source 5 5 1.5 6 5 1.5 0 " +
                                               fifo +
                                               "\n"
                                               " Source 8 5 1.5 9 5 1.5 0 /dev/zero\n"
                                               " Source 2 5 1.5 3 5 1.5 0 deep.spk\n"
                                               "End\nInfoList\nEnd\n");
    ASSERT_TRUE(play("answer confirm no\nanswer file speakers.ray\ncommand \"&Merge...\"\n"
                     "viewsize PLANT 400 300\n"
                     "expect count Receiver 2\nexpect count Source 3\nexpect modified yes\n"));
    model::EntityList* omni = views::shapeFor("omni.spk");
    ASSERT_NE(omni, nullptr);
    for (const std::string& name : {fifo, std::string("/dev/zero"), std::string("deep.spk")}) {
        model::EntityList* shape = views::shapeFor(name);
        ASSERT_NE(shape, nullptr) << name;
        EXPECT_EQ(shape->count(), omni->count()) << name << " is drawn as the plain loudspeaker";
    }
    EXPECT_EQ(platform->status.rfind("Can't read the loudspeaker drawing ", 0), 0u) << platform->status;
    EXPECT_TRUE(platform->errors.empty()) << "no message box in the middle of a paint";
}
