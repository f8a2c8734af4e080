// Settings: the ini file, its encoding of yes and no, read at every use.
#include <gtest/gtest.h>

#include "app/IniFile.h"
#include "app/Settings.h"
#include "tests/support/TestSupport.h"

using testsupport::ScopedChdir;
using testsupport::ScratchDir;

TEST(Settings, MissingFileOrKeyGivesTheDefaults)
{
    ScratchDir dir;
    ScopedChdir here(dir.path());
    EXPECT_TRUE(app::readFlag(app::AutoCheckDuplicates, true));
    EXPECT_TRUE(app::readFlag(app::SaveDxfMaterialName, true));
    EXPECT_FALSE(app::readFlag(app::SaveDxfMaterialName, false));
}

TEST(Settings, YesAndNoAsTheProfileFunctionsRead)
{
    ScratchDir dir;
    ScopedChdir here(dir.path());
    auto flagFor = [](const std::string& value) {
        testsupport::writeText("tolvane.ini", "[KCad]\nSaveDxfMaterialName=" + value + "\n");
        return app::readFlag(app::SaveDxfMaterialName, true);
    };
    EXPECT_TRUE(flagFor("true"));
    EXPECT_TRUE(flagFor("YES"));
    EXPECT_TRUE(flagFor("1"));
    EXPECT_TRUE(flagFor("y"));
    EXPECT_FALSE(flagFor("2"));
    EXPECT_FALSE(flagFor(""));
    EXPECT_FALSE(flagFor("no"));
    EXPECT_FALSE(flagFor("false"));
}

TEST(Settings, AHandEditTakesEffectAtTheNextRead)
{
    ScratchDir dir;
    ScopedChdir here(dir.path());
    EXPECT_TRUE(app::writeFlag(app::AutoCheckDuplicates, false));
    EXPECT_FALSE(app::readFlag(app::AutoCheckDuplicates, true));
    testsupport::writeText("tolvane.ini", "[kcad]\r\n  AutoCheckDuplicates = Yes \r\n");
    EXPECT_TRUE(app::readFlag(app::AutoCheckDuplicates, false));
}

TEST(Settings, WritingKeepsEverythingElseInTheFile)
{
    ScratchDir dir;
    ScopedChdir here(dir.path());
    testsupport::writeText("tolvane.ini", "; Tolvane settings\n[Other]\nKey=v\n\n[KCad]\nAutoCheckDuplicates=1\n");
    ASSERT_TRUE(app::writeFlag(app::SaveDxfMaterialName, false));
    ASSERT_TRUE(app::writeFlag(app::AutoCheckDuplicates, false));
    EXPECT_EQ(testsupport::readText("tolvane.ini"),
              "; Tolvane settings\n[Other]\nKey=v\n\n[KCad]\nAutoCheckDuplicates=0\nSaveDxfMaterialName=0\n");
}

TEST(IniFile, SectionsAndKeysIgnoreCaseAndQuotesAreDropped)
{
    std::string text = "[KCad]\nA=1\n[Second]\nB=\"quoted value\"\n";
    EXPECT_EQ(app::iniValue(text, "SECOND", "b").value_or("-"), "quoted value");
    EXPECT_FALSE(app::iniValue(text, "KCad", "B").has_value());
    EXPECT_FALSE(app::iniValue("A=1\n", "KCad", "A").has_value()) << "keys outside a section";
    EXPECT_EQ(app::iniWithValue("", "KCad", "A", "1"), "[KCad]\nA=1\n");
    EXPECT_EQ(app::iniWithValue("[KCad]\n[Other]\nA=5\n", "KCad", "A", "1"), "[KCad]\nA=1\n[Other]\nA=5\n");
}
