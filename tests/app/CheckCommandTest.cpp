// `kcad check` as a user runs it: the JSON object, the text, exit statuses.
#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

using testsupport::runCommand;
using testsupport::ScratchDir;
using testsupport::sourcePath;
using testsupport::writeText;

namespace {

std::string kcad()
{
    return KCAD_BINARY;
}

// A closed 10 x 6 x 3 m room, every face turned outwards, with a receiver.
std::string shoebox(const std::string& extra = {})
{
    return "EntityList\n"
           " Face 0 1 4  0 0 0  0 6 0  10 6 0  10 0 0\n"
           " Face 0 2 4  0 0 3  10 0 3  10 6 3  0 6 3\n"
           " Face 0 3 4  0 0 0  10 0 0  10 0 3  0 0 3\n"
           " Face 0 3 4  10 0 0  10 6 0  10 6 3  10 0 3\n"
           " Face 0 3 4  10 6 0  0 6 0  0 6 3  10 6 3\n"
           " Face 0 3 4  0 6 0  0 0 0  0 0 3  0 6 3\n"
           " Receiver 5 3 1.2  1 1 1\n" +
           extra + "End\n";
}

const char* database = "  1  Floor , 0.1 0.1 0.1 0.1 0.1 0.1 0.1 0.1 0.1 0.1\n"
                       "  2  Ceiling , 0.6 0.6 0.6 0.6 0.6 0.6 0.6 0.6 0.6 0.6\n"
                       "  3  Walls , 0.05 0.05 0.05 0.05 0.05 0.05 0.05 0.05 0.05 0.05\n";

}  // namespace

TEST(CheckCommand, AClosedRoomGivesOneJsonObjectAndStatusZero)
{
    ScratchDir dir;
    writeText(dir.file("tolvane.mat"), database);
    writeText(dir.file("room.ray"), shoebox());
    std::string out;
    std::string err;
    ASSERT_EQ(runCommand(kcad() + " check --json --materials " + dir.path().string() + " " + dir.file("room.ray"), &out,
                         &err),
              0)
        << err;
    EXPECT_EQ(err, "");
    // The keys in their order, every band, times where the room allows them.
    // A = 60 x 0.1 + 60 x 0.6 + 96 x 0.05 = 46.8 m2; Sabine 0.161 x 180 / 46.8.
    std::string expected = "{\"file\": \"" + dir.file("room.ray") +
                           "\", \"closed\": true, \"volume\": 180, \"area\": 216, \"materials\": ["
                           "{\"number\": 1, \"name\": \"Floor\", \"area\": 60}, "
                           "{\"number\": 2, \"name\": \"Ceiling\", \"area\": 60}, "
                           "{\"number\": 3, \"name\": \"Walls\", \"area\": 96}], "
                           "\"bands\": [31.5, 63, 125, 250, 500, 1000, 2000, 4000, 8000, 16000], \"sabine\": [";
    EXPECT_EQ(out.substr(0, expected.size()), expected) << out;
    EXPECT_NE(out.find("\"sabine\": [0.6192307"), std::string::npos) << out;  // the coefficients are floats
    EXPECT_NE(out.find("], \"problems\": []}\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("\"air\""), std::string::npos) << "air is named only when used";
    EXPECT_EQ(out.find('\n'), out.size() - 1) << "one object on one line";
}

TEST(CheckCommand, ErrorsGiveStatusOneAndEveryProblemItsFields)
{
    ScratchDir dir;
    writeText(dir.file("tolvane.mat"), database);
    // The west wall is missing and a source stands 0.2 m from the east wall.
    std::string room = shoebox(" Source 9.8 3 1.5  5 3 1.2 0 omni.spk\n");
    room.erase(room.find(" Face 0 3 4  0 6 0"), std::string(" Face 0 3 4  0 6 0  0 0 0  0 0 3  0 6 3\n").size());
    writeText(dir.file("open.ray"), room);
    std::string out;
    std::string materials = " --materials " + dir.path().string() + " ";
    EXPECT_EQ(runCommand(kcad() + " check --json" + materials + dir.file("open.ray"), &out), 1);
    EXPECT_NE(out.find("\"closed\": false, \"volume\": null"), std::string::npos) << out;
    EXPECT_NE(out.find("\"sabine\": [null, null, null, null, null, null, null, null, null, null]"), std::string::npos);
    EXPECT_NE(out.find("\"eyring\": [null, null, null, null, null, null, null, null, null, null]"), std::string::npos);
    EXPECT_NE(out.find("{\"kind\": \"open-edge\", \"level\": \"error\", \"message\": \"Open edge from (0, 0, 0) to "
                       "(0, 6, 0): no other face meets it there\", \"entities\": [0], \"at\": [0, 3, 0]}"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("{\"kind\": \"near-surface\", \"level\": \"warning\", \"message\": \"Source 1 is 0.2 m from a "
                       "face (nearer than 0.5 m)\", \"entities\": [6, 3], \"at\": [9.8, 3, 1.5]}"),
              std::string::npos)
        << out;
    // Text: the same findings for people.
    EXPECT_EQ(runCommand(kcad() + " check --materials " + dir.path().string() + " " + dir.file("open.ray"), &out), 1);
    EXPECT_NE(out.find("Volume:     none (the room is not closed)"), std::string::npos) << out;
    EXPECT_NE(out.find("Problems:   5 (4 errors, 1 warning)"), std::string::npos) << out;
    EXPECT_NE(out.find("  error    open-edge         Open edge from"), std::string::npos) << out;
}

TEST(CheckCommand, AnEmptyModelSaysSoWithoutAVolume)
{
    ScratchDir dir;
    writeText(dir.file("empty.ray"), "EntityList\nEnd\n");
    std::string out;
    ASSERT_EQ(runCommand(kcad() + " check " + dir.file("empty.ray"), &out), 0);
    EXPECT_NE(out.find("Faces:      none"), std::string::npos) << out;
    EXPECT_NE(out.find("Volume:     none (the model has no faces)"), std::string::npos) << out;
    EXPECT_NE(out.find("Sabine (s)           -       -"), std::string::npos) << out;
    EXPECT_EQ(out.find("nan"), std::string::npos);
    ASSERT_EQ(runCommand(kcad() + " check --json " + dir.file("empty.ray"), &out), 0);
    EXPECT_NE(out.find("\"closed\": false, \"volume\": null, \"area\": 0, \"materials\": []"), std::string::npos)
        << out;
}

TEST(CheckCommand, AirAbsorptionIsNamedWhenUsed)
{
    ScratchDir dir;
    writeText(dir.file("tolvane.mat"), database);
    writeText(dir.file("room.ray"), shoebox());
    std::string out;
    ASSERT_EQ(
        runCommand(kcad() + " check --json --air 20,50 --materials " + dir.path().string() + " " + dir.file("room.ray"),
                   &out),
        0);
    EXPECT_NE(out.find("\"air\": {\"temperature\": 20, \"humidity\": 50, \"standard\": \"ISO 9613-1\", "
                       "\"attenuation\": ["),
              std::string::npos)
        << out;
    ASSERT_EQ(
        runCommand(kcad() + " check --air 20,50 --materials " + dir.path().string() + " " + dir.file("room.ray"), &out),
        0);
    EXPECT_NE(out.find("absorption after ISO 9613-1"), std::string::npos) << out;
}

TEST(CheckCommand, TheToleranceDecidesWhatMeets)
{
    ScratchDir dir;
    // The north wall 0.5 mm off its place.
    std::string room = shoebox();
    room.replace(room.find(" Face 0 3 4  10 6 0  0 6 0  0 6 3  10 6 3"),
                 std::string(" Face 0 3 4  10 6 0  0 6 0  0 6 3  10 6 3").size(),
                 " Face 0 3 4  10 6.0005 0  0 6.0005 0  0 6.0005 3  10 6.0005 3");
    writeText(dir.file("gap.ray"), room);
    std::string out;
    EXPECT_EQ(runCommand(kcad() + " check --json " + dir.file("gap.ray"), &out), 0) << out;
    EXPECT_EQ(runCommand(kcad() + " check --json --tolerance 0.0001 " + dir.file("gap.ray"), &out), 1);
    EXPECT_NE(out.find("\"kind\": \"open-edge\""), std::string::npos);
}

TEST(CheckCommand, BadUsageIsStatusTwoAndUnreadableFilesStatusOne)
{
    ScratchDir dir;
    writeText(dir.file("room.ray"), shoebox());
    std::string out;
    std::string err;
    for (const std::string& args :
         {std::string("check"), std::string("check --tolerance 0 ") + dir.file("room.ray"),
          std::string("check --tolerance x ") + dir.file("room.ray"),
          std::string("check --air 20 ") + dir.file("room.ray"),
          std::string("check --air 90,50 ") + dir.file("room.ray"),
          std::string("check --near -1 ") + dir.file("room.ray"),
          std::string("check --frobnicate ") + dir.file("room.ray"), std::string("check a.ray b.ray")}) {
        EXPECT_EQ(runCommand(kcad() + " " + args, &out, &err), 2) << args;
        EXPECT_NE(err.find("Usage: kcad check"), std::string::npos) << args << ": " << err;
        EXPECT_EQ(out, "") << args;
    }
    // Nothing read, nothing reported: no empty model for a script to take
    // for a clean one.
    for (const char* json : {"", "--json "}) {
        EXPECT_EQ(runCommand(kcad() + " check " + json + dir.file("missing.ray"), &out, &err), 1);
        EXPECT_EQ(err, "ERROR: Can't read the file " + dir.file("missing.ray") + "\n");
        EXPECT_EQ(out, "") << json;
    }
    // What could be read before the damage is still reported.
    std::string damaged = shoebox();
    damaged.insert(damaged.rfind("End"), " Face 0 0 3 0 0 nan 1 0 0 1 1 0\n");
    writeText(dir.file("damaged.ray"), damaged);
    EXPECT_EQ(runCommand(kcad() + " check " + dir.file("damaged.ray"), &out, &err), 1);
    EXPECT_NE(err.find("Can't read a FACE"), std::string::npos) << err;
    EXPECT_NE(out.find("Volume"), std::string::npos) << out;
}

TEST(CheckCommand, TheExampleHallIsClosedWithOneWarning)
{
    std::string out;
    ASSERT_EQ(runCommand(kcad() + " check --json " + sourcePath("data/examples/hall.ray"), &out), 0);
    EXPECT_NE(out.find("\"closed\": true, \"volume\": 480, \"area\": 435"), std::string::npos) << out;
    EXPECT_NE(out.find("\"problems\": [{\"kind\": \"orientation\", \"level\": \"warning\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"entities\": [0, 1]"), std::string::npos) << out;
}
