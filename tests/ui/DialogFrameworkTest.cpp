// The dialog framework: placement, value exchange by control kind, linked
// elevations, the notes dialog, the scripted user, the file chooser and the
// catalogue.
#include <gtest/gtest.h>

#include "ui/FileChooser.h"
#include "ui/GetValueBox.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/Installed.h"
#include "ui/UiState.h"

using namespace ui;
using headless::DialogAnswer;
using headless::HeadlessControls;

TEST(DialogPlacement, BesideTheAnchorOnTheRoomierSide)
{
    EXPECT_EQ(placeDialog(10, 10, 600, 400, 200, 100).x, 18);
    EXPECT_EQ(placeDialog(10, 10, 600, 400, 200, 100).y, 18);
    EXPECT_EQ(placeDialog(500, 300, 600, 400, 200, 100).x, 292);
    EXPECT_EQ(placeDialog(500, 300, 600, 400, 200, 100).y, 192);
    EXPECT_EQ(placeDialog(-1, -1, 600, 400, 200, 100).x, 200) << "no anchor: centred";
}

TEST(GetValueBox, ValuesGoInAndOutByControlKind)
{
    HeadlessControls c(*findTemplate("GETCOORDBOX"));
    GetValueBox::writeValue(c, 120, 0.5);
    GetValueBox::writeValue(c, 121, 1e-07);
    EXPECT_EQ(c.text(120), "0.5");
    EXPECT_EQ(c.text(121), "1e-07");
    c.setText(122, "abc");
    EXPECT_EQ(GetValueBox::readValue(c, 122), 0.0);
    c.setText(122, "  12.5m");
    EXPECT_EQ(GetValueBox::readValue(c, 122), 12.5) << "the leading number, the rest ignored";

    HeadlessControls grid(*findTemplate("GRIDBOX"));
    GetValueBox::writeValue(grid, 160, -1);
    EXPECT_TRUE(grid.isChecked(160));
    GetValueBox::writeValue(grid, 161, 0);
    EXPECT_EQ(GetValueBox::readValue(grid, 160), 1.0);
    EXPECT_EQ(GetValueBox::readValue(grid, 161), 0.0);
}

TEST(GetQuotasBox, AbsoluteAndRelativeFieldsStayLinked)
{
    GetQuotasBox box;
    box.values[0] = 0;
    box.values[1] = 3;
    box.values[2] = -2;
    box.values[3] = 1;
    box.values[4] = 2;  // ground
    HeadlessControls c(*findTemplate("GETQUOTASBOX"));
    box.onInit(c);
    EXPECT_EQ(c.text(124), "2");
    c.setText(120, "5");
    box.onChange(c, 120);
    EXPECT_EQ(c.text(122), "3");
    EXPECT_EQ(c.text(123), "1");
    c.setText(123, "4");
    box.onChange(c, 123);
    EXPECT_EQ(c.text(121), "6");
    c.setText(122, "-1");
    box.onChange(c, 122);
    EXPECT_EQ(c.text(120), "1");
    EXPECT_EQ(c.text(121), "6");
}

TEST(ValueDialogs, AskedThroughTheScriptedUser)
{
    headless::HeadlessPlatform platform;
    platform.queueDialog(DialogAnswer{"GETVALUEBOX", {{120, "2.5"}}, true});
    double v = 1;
    EXPECT_TRUE(askValue("Resize factor:", v, 10, 20));
    EXPECT_EQ(v, 2.5);
    platform.queueDialog(DialogAnswer{"GetValueBox", {{120, "9"}}, false});
    EXPECT_FALSE(askValue("Degrees:", v));
    EXPECT_EQ(v, 2.5) << "Cancel changes nothing";

    platform.queueDialog(DialogAnswer{"GETQUOTASBOX", {{122, "1"}}, true});
    double lo = 0;
    double hi = 3;
    EXPECT_TRUE(askElevations(lo, hi, 2));
    EXPECT_EQ(lo, 3.0) << "relative 1 above ground 2";
    EXPECT_EQ(hi, 3.0) << "the relative maximum (1) stayed: 1 + 2";

    platform.queueDialog(DialogAnswer{"INFOBOX", {{120, "first line\nsecond"}}, true});
    std::string notes = "old";
    EXPECT_TRUE(editText(notes, "Notes"));
    EXPECT_EQ(notes, "first line\nsecond");

    platform.queueDialog(DialogAnswer{"ABOUTBOX", {}, true, {{ctl::about::Details, "Version 9"}}});
    showAbout("Version 9");
    EXPECT_TRUE(platform.failures.empty());
    EXPECT_EQ(platform.dialogsShown,
              (std::vector<std::string>{"GETVALUEBOX", "GETVALUEBOX", "GETQUOTASBOX", "INFOBOX", "ABOUTBOX"}));
}

TEST(ValueDialogs, AnUnexpectedDialogIsAFailureNamingIt)
{
    headless::HeadlessPlatform platform;
    double v = 1;
    EXPECT_FALSE(askValue("Degrees:", v));
    ASSERT_EQ(platform.failures.size(), 1u);
    EXPECT_NE(platform.failures[0].find("GETVALUEBOX"), std::string::npos);
    platform.queueDialog(DialogAnswer{"GETCOORDBOX", {}, true});
    EXPECT_FALSE(askValue("Degrees:", v));
    EXPECT_NE(platform.failures[1].find("next answer is for GETCOORDBOX"), std::string::npos);
    platform.dialogAnswers.clear();
    platform.queueDialog(DialogAnswer{"GETVALUEBOX", {{130, "1"}}, true});
    askValue("Degrees:", v);
    EXPECT_NE(platform.failures[2].find("has no control 130"), std::string::npos);
}

TEST(FileChooser, FiltersByKindAndRememberedFolders)
{
    // Folders of the test's own, as a fresh run starts with.
    UiState state;
    Install<UiState> use(state);
    FileRequest dxf = fileRequestFor("*.DXF", false);
    ASSERT_EQ(dxf.filters.size(), 1u);
    EXPECT_EQ(dxf.filters[0].label, "Autocad File (*.dxf)");
    FileRequest source = fileRequestFor("horn.spk", false);
    EXPECT_EQ(source.filters[0].label, "Noise/Sound Source File (*.spk)");
    FileRequest project = fileRequestFor("hall.ray", true);
    ASSERT_EQ(project.filters.size(), 4u);
    EXPECT_EQ(project.filters[0].label, "KCAD File (*.ray)");
    EXPECT_EQ(project.filters[3].label, "Pov-Ray Scene (*.pov)");
    EXPECT_EQ(project.defaultExtension, "ray");

    headless::HeadlessPlatform platform;
    platform.queueFile(std::string("/projects/halls/plan"));
    auto chosen = chooseFile("", true);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, "/projects/halls/plan.ray");
    EXPECT_EQ(fileRequestFor("", false).folder, "/projects/halls") << "the next project chooser opens there";
    EXPECT_NE(fileRequestFor("x.spk", false).folder, "/projects/halls") << "source files remember their own";
    platform.queueFile(std::nullopt);
    EXPECT_FALSE(chooseFile("", false));
    EXPECT_EQ(fileRequestFor("", false).folder, "/projects/halls") << "a cancel keeps the folder";
}

TEST(DialogCatalogue, EveryTemplateWithItsTitle)
{
    const std::pair<const char*, const char*> expected[] = {{"ABOUTBOX", "About"},
                                                            {"ADVANCEDBOX", "Compute"},
                                                            {"ASSONOMETRYBOX", "Assonometry Options"},
                                                            {"BASEMAPBOX", "Base map options"},
                                                            {"BOXBOX", "Box parameters"},
                                                            {"CIRCLEBOX", "Parameters"},
                                                            {"FACEBOX", "Face Properties"},
                                                            {"GETCOORDBOX", "Coordinates"},
                                                            {"GETDOORBOX", "Door size"},
                                                            {"GETMATERIAL", "Input Material"},
                                                            {"GETQUOTASBOX", "Input Elevations"},
                                                            {"GETSOURCEBOX", "Source parameters"},
                                                            {"GETVALUEBOX", "Input"},
                                                            {"GETWINDOWBOX", "Window size"},
                                                            {"GRIDBOX", "Grid options"},
                                                            {"INFOBOX", "Notes"},
                                                            {"OBSTRUCTINGBOX", "Find obstructing faces"},
                                                            {"OPTIONSBOX", "General options"},
                                                            {"PALACEBOX", "Receivers"},
                                                            {"PIPEBOX", "Parameters"},
                                                            {"THEATERBOX", "Parameters"},
                                                            {"VIEWBOX", "View options"},
                                                            {"CHECKMODELBOX", "Check model"},
                                                            {"ROOMACOUSTICSBOX", "Room acoustics"}};
    EXPECT_EQ(dialogCatalogue().size(), std::size(expected));
    for (const auto& [name, title] : expected) {
        const DialogTemplate* t = findTemplate(name);
        ASSERT_NE(t, nullptr) << name;
        EXPECT_EQ(t->title, title);
    }
    EXPECT_EQ(findTemplate("GetMaterial"), findTemplate("GETMATERIAL"));
    EXPECT_EQ(findTemplate("OptionsBox")->control(141)->text,
              "Save material &name in layer (instead of material number)");
}
