// What a Linux desktop user expects beside the program's own ways: the help
// window, keys, tips, About, every DXF following its setting, pictures with
// a margin, and macro scripts that can check what the user sees.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/BuildInfo.h"
#include "tests/app/AppFixture.h"
#include "tools/ToolPalette.h"

using Desktop = AppFixture;

TEST_F(Desktop, HelpShowsTheBundledManualOrNamesTheFileItCannotRead)
{
    ASSERT_TRUE(play("key F1\n"));
    ASSERT_EQ(platform->helpPages.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_regular_file(platform->helpPages[0])) << platform->helpPages[0];
    // A manual in the current folder is preferred; an unreadable one says so.
    std::filesystem::create_directories("manual/MTolvaneCAD.htm");
    ASSERT_TRUE(play("expect error \"Can't read the file manual/MTolvaneCAD.htm\"\ncommand \"&Help\"\n"));
    EXPECT_EQ(platform->helpPages.size(), 1u);
}

TEST_F(Desktop, EveryDxfWrittenFromTheDocumentFollowsTheLayerSetting)
{
    testsupport::writeText("room.ray", smallProject());
    testsupport::writeText("tolvane.ini", "[KCad]\nAutoCheckDuplicates=0\nSaveDxfMaterialName=0\n");
    ASSERT_TRUE(play("answer file room.ray\ncommand \"&Open...\"\ndump dumped.dxf\n"
                     "answer file out.dxf\ncommand \"DXF out...\"\n"));
    std::string dumped = testsupport::readText("dumped.dxf");
    EXPECT_NE(dumped.find("3DFACE\r\n8\r\n1\r\n"), std::string::npos) << "layers by material number";
    EXPECT_EQ(dumped.find("Concrete"), std::string::npos);
    EXPECT_EQ(dumped, testsupport::readText("out.dxf")) << "a script's dump is what DXF out writes";
}

TEST_F(Desktop, ThePaletteTipsNameEachToolAndItsPrompt)
{
    tools::ToolPalette& palette = application->tools->palette;
    EXPECT_EQ(palette.toolTipAt(5, 5), "Pick: " + tools::promptFor(tools::tool::Pick, 0));
    int wall = tools::tool::Wall - tools::tool::Pick;
    std::string tip = palette.toolTipAt(wall * 32 + 16, 16);
    EXPECT_EQ(tip.rfind("Wall", 0), 0u) << tip;
    EXPECT_EQ(tip.find('&'), std::string::npos);
    EXPECT_EQ(palette.toolTipAt(palette.width() + 40, 16), "") << "no tip beside the cells";
}

TEST_F(Desktop, AboutNamesTheVersionAndTheBuildDate)
{
    std::string details = application->aboutDetails();
    EXPECT_EQ(details.rfind(std::string("Version ") + KCAD_VERSION, 0), 0u) << details;
    EXPECT_NE(details.find("Built " + app::buildDate()), std::string::npos) << details;
    ASSERT_EQ(app::buildDate().size(), 10u);
    EXPECT_EQ(app::buildDate()[4], '-');
    platform->dialogExpectations.push_back({"ABOUTBOX", 116, details});
    ASSERT_TRUE(play("answer ABOUTBOX ok\ncommand \"&About\"\n"));
}

TEST_F(Desktop, ScriptExpectationsFailWhenTheProgramDiffers)
{
    testsupport::writeText("room.ray", smallProject());
    // Each script starts afresh: nothing it left waiting counts for the next.
    auto fails = [this](const std::string& script) {
        runner = std::make_unique<app::MacroRunner>(*application, *platform);
        platform->dialogExpectations.clear();
        platform->dialogAnswers.clear();
        platform->confirmAnswers.clear();
        platform->failures.clear();
        platform->errors.clear();
        platform->questions.clear();
        return playFailure(script);
    };
    EXPECT_NE(fails("expect menu \"&Undo\" enabled\n").find("expected menu &Undo enabled"), std::string::npos);
    EXPECT_NE(fails("answer file room.ray\ncommand \"&Open...\"\nkey F2\nkey Alt+Ins\n"
                    "expect question \"Quit?\"\nanswer confirm no\ncommand \"&New\"\n")
                  .find("expected the question \"Quit?\", got \"Save Changes ?\""),
              std::string::npos);
    EXPECT_NE(fails("expect dialog OPTIONSBOX 142 \"1\"\nanswer OPTIONSBOX ok\ncommand \"General...\"\n")
                  .find("control 142 of dialog OPTIONSBOX shows \"0\", expected \"1\""),
              std::string::npos);
    EXPECT_NE(fails("expect dialog GETMATERIAL 171 \"0\"\n").find("no dialog GETMATERIAL opened"), std::string::npos);
    EXPECT_NE(fails("move PLANT 600 400\nexpect readout \"0.00 0.00\"\n").find("expected read-out"), std::string::npos)
        << "a read-out given with its padding is compared blank for blank";
}

TEST(DesktopRender, PicturesLeaveAMarginSoNothingOnTheEdgeIsCut)
{
    testsupport::ScratchDir dir;
    std::string kcad = KCAD_BINARY;
    std::string example = testsupport::sourcePath("data/examples/hall.ray");
    // Ink in the outermost ten rows and columns.
    auto edgeInk = [&](const std::string& options) {
        std::string png = dir.file("p.png");
        std::string ppm = dir.file("p.ppm");
        if (testsupport::runCommand(kcad + " render " + example + " --view plan --size 400x300 " + options + " " +
                                    png) != 0 ||
            testsupport::runCommand("/usr/bin/python3 -c \"from PIL import Image; "
                                    "Image.open('" +
                                    png + "').convert('RGB').save('" + ppm + "')\"") != 0) {
            return -1L;
        }
        std::string data = testsupport::readText(ppm);
        std::size_t start = data.size() - 400u * 300u * 3u;
        long ink = 0;
        for (int y = 0; y < 300; ++y) {
            for (int x = 0; x < 400; ++x) {
                if (x >= 10 && x < 390 && y >= 10 && y < 290) {
                    continue;
                }
                std::size_t at = start + (static_cast<std::size_t>(y) * 400 + x) * 3;
                // Dark in every channel: outlines, not the coloured axes.
                bool dark = static_cast<unsigned char>(data[at]) < 128 &&
                            static_cast<unsigned char>(data[at + 1]) < 128 &&
                            static_cast<unsigned char>(data[at + 2]) < 128;
                ink += dark ? 1 : 0;
            }
        }
        return ink;
    };
    EXPECT_EQ(edgeInk(""), 0) << "5 % of the picture stays free on every side";
    EXPECT_EQ(edgeInk("--margin 12"), 0);
    EXPECT_GT(edgeInk("--margin 0"), 100) << "the exact fit of the windows puts the outline on the edge";
}
