// The two material file grammars and the record writer.
#include <gtest/gtest.h>

#include "materials/BundledMaterials.h"
#include "materials/MaterialList.h"
#include "textio/TextWriter.h"

using materials::MaterialInfo;
using materials::MaterialList;

TEST(MaterialFile, ALineWithOneValueDefinesThatBandOnly)
{
    MaterialList list("/nonexistent");
    list.readMaterialText("  5  glass, 0.05\n");
    const MaterialInfo& r = list.at(5);
    EXPECT_EQ(r.number, 5);
    EXPECT_EQ(r.name, "Glass");
    EXPECT_FLOAT_EQ(r.absorption[0], 0.05f);
    for (int i = 1; i < 10; ++i) {
        EXPECT_EQ(r.absorption[i], 0.0f);
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_FLOAT_EQ(r.reduction[i], 999.9f);
        EXPECT_FLOAT_EQ(r.diffusion[i], 0.1f);
    }
    EXPECT_EQ(list.at(4).number, -1);
    EXPECT_EQ(list.at(4).name, "Unknown");
}

TEST(MaterialFile, LinesWithoutANameOrCommaDefineOnlyTheNumber)
{
    MaterialList list("/nonexistent");
    list.readMaterialText("  5  glass\n");
    EXPECT_EQ(list.at(5).number, 5);
    EXPECT_EQ(list.at(5).name, "Unknown");

    // The sixth character is a digit: the name text is empty, the old name stays.
    list.readMaterialText("  6  Brick, 0.1\n");
    list.readMaterialText("  6  9rick, 0.5\n");
    EXPECT_EQ(list.at(6).name, "Brick");
    EXPECT_EQ(list.at(6).absorption[0], 0.0f);

    // A four-digit number shifts the name one column to the right.
    list.readMaterialText("1000  Far, 0.3\n");
    EXPECT_EQ(list.at(1000).number, 1000);
    EXPECT_EQ(list.at(1000).name, "Unknown");
}

TEST(MaterialFile, AnEmptyLineResetsMaterialZeroButKeepsItsName)
{
    MaterialList list("/nonexistent");
    list.readMaterialText("  0  Default , 0.2 0.2\n");
    list.readMaterialText("\n");
    EXPECT_EQ(list.at(0).number, 0);
    EXPECT_EQ(list.at(0).name, "Default");
    EXPECT_EQ(list.at(0).absorption[0], 0.0f);
    // The end of a file after its last line feed is not an extra empty line.
    list.readMaterialText("  0  Default , 0.2 0.2\n");
    EXPECT_FLOAT_EQ(list.at(0).absorption[1], 0.2f);
}

TEST(MaterialFile, ALaterLineReplacesAnEarlierOneEntirely)
{
    MaterialList list("/nonexistent");
    list.readMaterialText("  7  First , 0.1 0.2 0.3, 20 30, 0.5\n  7  Second , 0.9\n");
    const MaterialInfo& r = list.at(7);
    EXPECT_EQ(r.name, "Second");
    EXPECT_FLOAT_EQ(r.absorption[0], 0.9f);
    EXPECT_EQ(r.absorption[1], 0.0f);
    EXPECT_FLOAT_EQ(r.reduction[0], 999.9f);
    EXPECT_FLOAT_EQ(r.diffusion[0], 0.1f);
}

TEST(MaterialFile, OutOfRangeNumbersAndBadValuesAreSkippedSilently)
{
    MaterialList list("/nonexistent");
    list.readMaterialText(" -1  Negative , 0.5\n1024  Big , 0.5\n  3  Partial , 0.1 0.2 x 0.4, nan 5\r\n");
    EXPECT_EQ(list.at(0).number, -1);
    const MaterialInfo& r = list.at(3);
    EXPECT_EQ(r.name, "Partial");
    EXPECT_FLOAT_EQ(r.absorption[1], 0.2f);
    EXPECT_EQ(r.absorption[2], 0.0f);
    EXPECT_EQ(r.absorption[3], 0.0f);
    EXPECT_FLOAT_EQ(r.reduction[0], 999.9f);
}

TEST(MaterialFile, WrittenRecordsReadBackToTheSameValues)
{
    MaterialList source("/nonexistent");
    MaterialInfo& r = source.at(12);
    r.number = 12;
    r.name = "Plaster on brick";
    for (int i = 0; i < 10; ++i) {
        r.absorption[i] = 0.01f * static_cast<float>(i + 1);
        r.reduction[i] = 30.5f + static_cast<float>(i);
        r.diffusion[i] = 0.125f;
    }
    std::string line;
    {
        textio::TextWriter out(line);
        r.write(out);
    }
    EXPECT_EQ(line.substr(0, 23), " 12  Plaster on brick ,");
    MaterialList back("/nonexistent");
    back.readMaterialText(line);
    const MaterialInfo& b = back.at(12);
    EXPECT_EQ(b.name, r.name);
    for (int i = 0; i < 10; ++i) {
        EXPECT_NEAR(b.absorption[i], r.absorption[i], 0.0005);
        EXPECT_NEAR(b.reduction[i], r.reduction[i], 0.05);
        EXPECT_NEAR(b.diffusion[i], r.diffusion[i], 0.0005);
    }
}

TEST(ColourFile, OneColourPerLineInSlotOrder)
{
    MaterialList list("/nonexistent");
    list.readColourText("255\n\nabc\n65280\r\n");
    EXPECT_EQ(list.at(0).colour, 255u);
    EXPECT_EQ(list.at(1).colour, 0xFFFF00u);
    EXPECT_EQ(list.at(2).colour, 0xFFFF00u);
    EXPECT_EQ(list.at(3).colour, 65280u);
}

TEST(BundledMaterials, ACompleteUsefulDatabase)
{
    MaterialList list("/nonexistent");
    list.readMaterialText(materials::bundledMaterialText());
    list.readColourText(materials::bundledColourText());
    int defined = 0;
    for (int i = 0; i < materials::materialCount; ++i) {
        const MaterialInfo& r = list.at(i);
        if (r.number < 0) {
            continue;
        }
        ++defined;
        EXPECT_NE(r.name, "Unknown") << i;
        for (int b = 0; b < 10; ++b) {
            EXPECT_GE(r.absorption[b], 0.0f) << r.name;
            EXPECT_LE(r.absorption[b], 1.0f) << r.name;
            EXPECT_GT(r.diffusion[b] + 1.0f, 0.0f) << r.name;
        }
        EXPECT_NE(r.colour, 0xFFFF00u) << r.name << " keeps the selection colour";
        for (int j = 0; j < i; ++j) {
            if (list.at(j).number >= 0) {
                EXPECT_NE(list.at(j).colour, r.colour) << r.name << " and " << list.at(j).name;
            }
        }
    }
    EXPECT_GE(defined, 30);
    for (const char* name :
         {"Concrete rough", "Brick unglazed", "Plaster on brick", "Gypsum board on studs", "Glass window",
          "Wood panelling on battens", "Carpet on concrete", "Curtain heavy draped", "Acoustic tile suspended",
          "Mineral wool 50 mm", "Seats empty upholstered", "Seats occupied", "Water surface", "Grass", "Asphalt"}) {
        EXPECT_NE(list.materialByText(name).number, -1) << name;
        EXPECT_EQ(list.materialByText(name).name, name);
    }
}

TEST(MaterialFile, NamesStartingWithAnyLetterAreTextInUtf8OrLatin1)
{
    materials::MaterialList list("/nonexistent");
    // "Ångström" in UTF-8, "ångström" in Latin-1 (a lower-case first letter,
    // upper-cased as ASCII ones are), and a Greek name.
    list.readMaterialText(
        "  4  \xC3\x85ngstr\xC3\xB6m , 0.3\n  5  \xE5ngstr\xF6m , 0.4\n  6  \xCE\xA3\xCE\xBF , 0.5\n");
    EXPECT_EQ(list.at(4).name, "\xC3\x85ngstr\xC3\xB6m");
    EXPECT_FLOAT_EQ(list.at(4).absorption[0], 0.3f);
    EXPECT_EQ(list.at(5).name, "\xC3\x85ngstr\xC3\xB6m");
    EXPECT_EQ(list.at(6).name, "\xCE\xA3\xCE\xBF");
    EXPECT_EQ(&list.materialByText("\xC3\xA5NGSTR\xC3\x96M"), &list.at(4)) << "case of Latin letters ignored";
}

TEST(MaterialFile, ControlCharactersNeverReachANameNulIncluded)
{
    materials::MaterialList list("/nonexistent");
    list.readMaterialText(std::string("  8  Gl") + '\0' +
                          "ass\x01\x7F , 0.1\n  9  \x01"
                          "Bad , 0.2\n");
    EXPECT_EQ(list.at(8).name, "Glass");
    EXPECT_FLOAT_EQ(list.at(8).absorption[0], 0.1f);
    EXPECT_EQ(list.at(9).name, "Unknown") << "a control character is no letter to start a name";
}
