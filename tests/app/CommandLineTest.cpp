// The kcad executable as a user runs it: output, messages and exit statuses.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestSupport.h"

using testsupport::runCommand;
using testsupport::ScratchDir;
using testsupport::sourcePath;

namespace {

std::string kcad()
{
    return KCAD_BINARY;
}

std::string example()
{
    return sourcePath("data/examples/hall.ray");
}

}  // namespace

TEST(CommandLine, InfoJsonIsOneObjectWithTheModelsFigures)
{
    std::string out;
    std::string err;
    ASSERT_EQ(runCommand(kcad() + " info --json " + example(), &out, &err), 0) << err;
    EXPECT_EQ(err, "");
    EXPECT_EQ(out.front(), '{');
    EXPECT_EQ(out.substr(out.size() - 2), "}\n");
    EXPECT_NE(out.find("\"entities\": {\"Door\": 2, \"Face\": 8, \"Hole\": 1, \"Receiver\": 3, \"Source\": 1, "
                       "\"Text\": 1, \"Wall\": 4}"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\"topLevel\": 13, \"notes\": 1"), std::string::npos);
    EXPECT_NE(out.find("\"bounds\": {\"min\": [0, 0, 0], \"max\": [12, 8, 5]}"), std::string::npos);
    EXPECT_NE(out.find("{\"number\": 7, \"name\": \"Plaster on brick\", \"area\": 53.98}"), std::string::npos);
}

TEST(CommandLine, InfoOnAnEmptyModelHasNoBounds)
{
    ScratchDir dir;
    testsupport::writeText(dir.file("empty.ray"), "EntityList\nEnd\nInfoList\nEnd\n");
    std::string out;
    ASSERT_EQ(runCommand(kcad() + " info --json " + dir.file("empty.ray"), &out), 0);
    EXPECT_NE(out.find("\"entities\": {}, \"topLevel\": 0, \"notes\": 0, \"bounds\": null, \"materials\": []"),
              std::string::npos)
        << out;
}

TEST(CommandLine, MaterialsFromAnotherDirectory)
{
    ScratchDir dir;
    testsupport::writeText(dir.file("tolvane.mat"), "  7  Limestone , 0.02\n");
    std::string out;
    ASSERT_EQ(runCommand(kcad() + " info --json --materials " + dir.path().string() + " " + example(), &out), 0);
    EXPECT_NE(out.find("{\"number\": 7, \"name\": \"Limestone\""), std::string::npos) << out;
    EXPECT_NE(out.find("{\"number\": 13, \"name\": \"Unknown\""), std::string::npos) << out;
}

TEST(CommandLine, ErrorsGoToStderrWithStatusOne)
{
    ScratchDir dir;
    testsupport::writeText(dir.file("bad.ray"), "EntityList\n Face 0 0 3 0 0 0 1 0 0 1 1 0\n Wall\n End\nEnd\n");
    std::string out;
    std::string err;
    EXPECT_EQ(runCommand(kcad() + " info " + dir.file("bad.ray"), &out, &err), 1);
    EXPECT_EQ(err, "ERROR: WALL without a FACE\n");
    EXPECT_NE(out.find("Top level:  1 entities"), std::string::npos) << "what was read is still summarised";
    EXPECT_EQ(runCommand(kcad() + " info " + dir.file("missing.ray"), &out, &err), 1);
    EXPECT_EQ(err, "ERROR: Can't read the file " + dir.file("missing.ray") + "\n");
}

TEST(CommandLine, ConvertWritesTheSameProjectAndRefusesDamagedInput)
{
    ScratchDir dir;
    std::string out = dir.file("copy.ray");
    ASSERT_EQ(runCommand(kcad() + " convert " + example() + " " + out), 0);
    EXPECT_EQ(testsupport::readText(out), testsupport::readText(example()));

    testsupport::writeText(dir.file("bad.ray"), "EntityList\n Face 0 0 3 0 0 nan 1 0 0 1 1 0\nEnd\n");
    std::string err;
    EXPECT_EQ(runCommand(kcad() + " convert " + dir.file("bad.ray") + " " + out, nullptr, &err), 1);
    EXPECT_EQ(err, "ERROR: Can't read a FACE at line 2\n");
    EXPECT_EQ(testsupport::readText(out), testsupport::readText(example())) << "the output was not replaced";

    EXPECT_EQ(runCommand(kcad() + " convert " + example() + " " + dir.file("no/such/dir.ray"), nullptr, &err), 1);
    EXPECT_EQ(err, "ERROR: Can't write the file\n");
}

TEST(CommandLine, UsageHelpAndVersion)
{
    std::string out;
    std::string err;
    EXPECT_EQ(runCommand(kcad() + " --help", &out), 0);
    EXPECT_NE(out.find("kcad info [--json] [--materials DIR] [--dxf-units U] FILE.ray"), std::string::npos);
    EXPECT_EQ(runCommand(kcad() + " --version", &out), 0);
    EXPECT_EQ(out.rfind("kcad (Tolvane CAD) ", 0), 0u);
    // Without a command the program starts; with no display it says so.
    EXPECT_EQ(runCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + kcad(), nullptr, &err), 1);
    EXPECT_NE(err.find("no display"), std::string::npos) << err;
    EXPECT_NE(err.find("kcad info"), std::string::npos) << "the command-line alternatives are shown";
    EXPECT_EQ(runCommand(kcad() + " --frobnicate", nullptr, &err), 2);
    EXPECT_EQ(runCommand(kcad() + " info", nullptr, &err), 2);
    EXPECT_EQ(runCommand(kcad() + " info --bogus " + example(), nullptr, &err), 2);
    EXPECT_EQ(runCommand(kcad() + " convert " + example(), nullptr, &err), 2);
    EXPECT_EQ(runCommand(kcad() + " info --materials /no/such/dir " + example(), nullptr, &err), 2);
    EXPECT_NE(err.find("not a directory"), std::string::npos);
}

TEST(CommandLine, ConvertRoutesByTheOutputsExtension)
{
    ScratchDir dir;
    for (const char* ext : {"dxf", "wrl", "pov", "ray"}) {
        std::string out = dir.file(std::string("hall.") + ext);
        std::string err;
        ASSERT_EQ(runCommand(kcad() + " convert " + example() + " " + out, nullptr, &err), 0) << ext << err;
        std::string text = testsupport::readText(out);
        if (std::string(ext) == "dxf") {
            EXPECT_EQ(text.rfind("0\r\nSECTION\r\n2\r\nENTITIES\r\n", 0), 0u);
        } else if (std::string(ext) == "wrl") {
            EXPECT_EQ(text.rfind("#VRML V2.0 utf8\n", 0), 0u);
        } else if (std::string(ext) == "pov") {
            EXPECT_NE(text.find("camera {"), std::string::npos);
        } else {
            EXPECT_EQ(text, testsupport::readText(example()));
        }
    }
    std::string err;
    EXPECT_EQ(runCommand(kcad() + " convert " + example() + " " + dir.file("noextension"), nullptr, &err), 2);
}

TEST(CommandLine, DxfInAsTheProgramImportsIt)
{
    ScratchDir dir;
    std::string dxf = dir.file("hall.dxf");
    ASSERT_EQ(runCommand(kcad() + " convert " + example() + " " + dxf), 0);
    std::string out;
    ASSERT_EQ(runCommand(kcad() + " info --json " + dxf, &out), 0);
    // Every four-corner face comes back as a wall (or a door inside one);
    // holes, receivers and sources come back too.
    EXPECT_NE(out.find("\"entities\": {\"Door\": 2, \"Face\": 8, \"Hole\": 1, \"Receiver\": 3, \"Source\": 1, "
                       "\"Wall\": 8}"),
              std::string::npos)
        << out;
    ASSERT_EQ(runCommand(kcad() + " convert " + dxf + " " + dir.file("back.ray")), 0);
    std::string err;
    EXPECT_EQ(runCommand(kcad() + " info " + dir.file("missing.dxf"), nullptr, &err), 1);
    EXPECT_EQ(err, "ERROR: Can't read the file " + dir.file("missing.dxf") + "\n");
}

TEST(CommandLine, TheDxfLayerSettingIsReadAtEveryExport)
{
    ScratchDir dir;
    testsupport::ScopedChdir here(dir.path());
    testsupport::writeText("tolvane.ini", "[KCad]\nSaveDxfMaterialName=0\n");
    ASSERT_EQ(runCommand(kcad() + " convert " + example() + " numbers.dxf"), 0);
    EXPECT_NE(testsupport::readText("numbers.dxf").find("3DFACE\r\n8\r\n13\r\n"), std::string::npos);
    testsupport::writeText("tolvane.ini", "[KCad]\nSaveDxfMaterialName=yes\n");
    ASSERT_EQ(runCommand(kcad() + " convert " + example() + " names.dxf"), 0);
    EXPECT_NE(testsupport::readText("names.dxf").find("3DFACE\r\n8\r\nWood floor on joists\r\n"), std::string::npos);
}

TEST(CommandLine, AFailingScriptNamesItsLineAndReason)
{
    ScratchDir dir;
    auto play = [&](const std::string& text, std::string& err) {
        testsupport::writeText(dir.file("s.play"), text);
        return runCommand(
            "cd " + dir.path().string() + " && TMPDIR=" + dir.path().string() + " " + kcad() + " play s.play", nullptr,
            &err);
    };
    std::string err;
    EXPECT_EQ(play("# fine\nexpect title \"Tolvane CAD\"\n", err), 0) << err;
    EXPECT_EQ(play("expect title \"Tolvane CAD\"\n\nkey Delete\n", err), 1);
    EXPECT_EQ(err, "s.play:3: unexpected error box \"Nothing to do!\"\n");
    EXPECT_EQ(play("command \"&About\"\n", err), 1);
    EXPECT_EQ(err, "s.play:1: no answer for dialog ABOUTBOX\n");
    EXPECT_EQ(play("expect count Wall 3\n", err), 1);
    EXPECT_EQ(err, "s.play:1: expected 3 Wall, found 0\n");
    EXPECT_EQ(play("answer confirm yes\n", err), 1);
    EXPECT_EQ(err, "s.play:1: an answer for a question was never used\n");
    EXPECT_EQ(play("frobnicate\n", err), 1);
    EXPECT_EQ(err, "s.play:1: unknown statement\n");
}

TEST(CommandLine, ANamedMaterialDatabaseThatCannotBeReadIsAnError)
{
    ScratchDir dir;
    std::string out;
    std::string err;
    // A folder without tolvane.mat would give every face "Unknown", absorbing nothing.
    EXPECT_EQ(
        runCommand(kcad() + " convert --materials " + dir.path().string() + " " + example() + " " + dir.file("out.ray"),
                   &out, &err),
        1);
    EXPECT_EQ(err, "kcad convert: Can't read the file " + dir.file("tolvane.mat") + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.ray")));
    std::filesystem::create_symlink("/dev/zero", dir.file("tolvane.mat"));
    EXPECT_EQ(runCommand(kcad() + " info --materials " + dir.path().string() + " " + example(), &out, &err), 1);
    EXPECT_EQ(err, "kcad info: Can't read the file " + dir.file("tolvane.mat") + ": it is not a regular file\n");
    // Bad usage stays bad usage.
    EXPECT_EQ(runCommand(kcad() + " info --materials " + dir.file("nowhere") + " " + example(), &out, &err), 2);
}

TEST(CommandLine, RenderOntoAFullDiskFailsAndKeepsThePictureThatWasThere)
{
    ScratchDir dir;
    std::string picture = dir.file("plan.png");
    ASSERT_EQ(runCommand(kcad() + " render " + example() + " --view plan --size 400x300 " + picture), 0);
    std::string before = testsupport::readText(picture);
    ASSERT_GT(before.size(), 1000u);
    std::string err;
    // A file size limit makes every write past 1 KB fail, as a full disk does.
    EXPECT_EQ(runCommand("ulimit -f 1; " + kcad() + " render " + example() + " --view plan --size 800x600 " + picture,
                         nullptr, &err),
              1);
    EXPECT_EQ(err, "kcad render: can't write " + picture + "\n");
    EXPECT_EQ(testsupport::readText(picture), before) << "the old picture is intact";
    EXPECT_EQ(runCommand("ulimit -f 1; " + kcad() + " render " + example() + " --view plan " + dir.file("new.png")), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("new.png"))) << "no empty picture reported as written";
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1u) << "nothing temporary is left behind";
}

TEST(CommandLine, ConvertAndRenderNeverWriteOverWhatTheyRead)
{
    ScratchDir dir;
    std::string project = dir.file("hall.ray");
    std::string drawing = dir.file("hall.dxf");
    ASSERT_EQ(runCommand(kcad() + " convert " + example() + " " + project), 0);
    ASSERT_EQ(runCommand(kcad() + " convert " + example() + " " + drawing), 0);
    std::string projectText = testsupport::readText(project);
    std::string drawingText = testsupport::readText(drawing);
    std::filesystem::create_symlink(drawing, dir.file("link.dxf"));
    std::string err;
    // The same file, by its name, another spelling of it, or a link to it.
    EXPECT_EQ(runCommand(kcad() + " convert " + drawing + " " + drawing, nullptr, &err), 2);
    EXPECT_EQ(err, "kcad convert: the output " + drawing + " is the input file\n");
    EXPECT_EQ(runCommand(kcad() + " convert " + drawing + " " + dir.file("./link.dxf")), 2);
    EXPECT_EQ(runCommand(kcad() + " convert " + project + " " +
                         dir.file("../" + dir.path().filename().string() + "/hall.ray")),
              2);
    EXPECT_EQ(runCommand(kcad() + " render " + project + " --view plan " + project, nullptr, &err), 2);
    std::string pictureNamed = dir.file("hall.ray.png");  // a project, by the ".ray" in its name
    std::filesystem::copy_file(project, pictureNamed);
    EXPECT_EQ(runCommand(kcad() + " render " + pictureNamed + " --view plan " + pictureNamed, nullptr, &err), 2);
    EXPECT_NE(err.find("is the input file"), std::string::npos) << err;
    EXPECT_EQ(testsupport::readText(pictureNamed), projectText);
    // A picture is a PNG, and a conversion writes only the types it knows.
    EXPECT_EQ(runCommand(kcad() + " render " + project + " --view plan " + dir.file("plan.jpg"), nullptr, &err), 2);
    EXPECT_EQ(runCommand(kcad() + " convert " + project + " " + dir.file("notes.txt"), nullptr, &err), 2);
    EXPECT_EQ(err, "kcad convert: unknown output type '.txt' (.ray, .dxf, .wrl, .pov or .obj)\n");
    EXPECT_EQ(testsupport::readText(project), projectText);
    EXPECT_EQ(testsupport::readText(drawing), drawingText);
    EXPECT_FALSE(std::filesystem::exists(dir.file("plan.jpg")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("notes.txt")));
    // A world in capitals would be written as a project: refused.
    EXPECT_EQ(runCommand(kcad() + " convert " + project + " " + dir.file("HALL.WRL")), 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("HALL.WRL")));
    EXPECT_EQ(runCommand(kcad() + " convert " + project + " " + dir.file("HALL.DXF")), 0);
    EXPECT_EQ(runCommand(kcad() + " render " + project + " --view plan --size 200x150 " + dir.file("PLAN.PNG")), 0);
}

TEST(CommandLine, AnObjAndItsMaterialLibraryAreReplacedTogetherOrNotAtAll)
{
    ScratchDir dir;
    testsupport::writeText(dir.file("small.ray"), "EntityList\n Face 0 0 3 0 0 0 1 0 0 1 1 0\nEnd\n");
    ASSERT_EQ(runCommand(kcad() + " convert " + dir.file("small.ray") + " " + dir.file("model.obj")), 0);
    std::string mesh = testsupport::readText(dir.file("model.obj"));
    std::string library = testsupport::readText(dir.file("model.mtl"));
    // The hall's library fits under the limit, its mesh does not: neither may change.
    ASSERT_LT(library.size(), 1024u);
    EXPECT_EQ(runCommand("ulimit -f 1; " + kcad() + " convert " + example() + " " + dir.file("model.obj")), 1);
    EXPECT_EQ(testsupport::readText(dir.file("model.obj")), mesh);
    EXPECT_EQ(testsupport::readText(dir.file("model.mtl")), library) << "the library went with a mesh never written";
    EXPECT_EQ(runCommand("ulimit -f 1; " + kcad() + " convert " + example() + " " + dir.file("fresh.obj")), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("fresh.mtl")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("fresh.obj")));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 3u) << "nothing temporary is left behind";
}
