// The material chooser, the face properties and the properties loop with
// real dialogs answered by the scripted user.
#include <gtest/gtest.h>

#include "app/MaterialDialogs.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Face.h"
#include "tests/app/AppFixture.h"
#include "ui/headless/HeadlessPlatform.h"

using ui::headless::DialogAnswer;
using ui::headless::HeadlessControls;

using MaterialChooser = AppFixture;

TEST_F(MaterialChooser, NamesOfDefinedMaterialsAndTheNumberField)
{
    app::GetMaterial box(materials::Material{}, false);
    HeadlessControls c(*ui::findTemplate("GETMATERIAL"));
    box.onInit(c);
    EXPECT_EQ(c.items(170), (std::vector<std::string>{"Default", "Concrete", "Glass", "Carpet"}));
    EXPECT_EQ(c.currentIndex(170), 0);
    EXPECT_EQ(c.text(120), "0");
    EXPECT_FALSE(c.isVisible(172)) << "same for all faces is offered only when others follow";
    c.setCurrentIndex(170, 3);
    box.onChange(c, 170);
    EXPECT_EQ(c.text(120), "5");
    c.setText(120, "3");
    box.onFocusLost(c, 120);
    EXPECT_EQ(platform->errors, (std::vector<std::string>{"Bad material number!"}));
    EXPECT_EQ(box.number, 5) << "the bad number is not taken";
    c.setText(120, "2");
    box.onFocusLost(c, 120);
    EXPECT_EQ(c.currentIndex(170), 2);
    EXPECT_EQ(c.items(112)[1].substr(0, 8), "a\t 0.200");
}

TEST_F(MaterialChooser, TheBandTableRows)
{
    auto concrete = app::bandTableRows(1);
    ASSERT_EQ(concrete.size(), 4u);
    EXPECT_EQ(concrete[0], " \t31Hz\t63Hz\t125Hz\t250Hz\t500Hz\t1KHz\t2KHz\t4KHz\t8KHz\t16KHz");
    EXPECT_EQ(concrete[1], "a\t 0.010\t 0.020\t 0.000\t 0.000\t 0.000\t 0.000\t 0.000\t 0.000\t 0.000\t 0.000");
    EXPECT_EQ(concrete[2], "R\t  40.0\t  45.0\t 999.9\t 999.9\t 999.9\t 999.9\t 999.9\t 999.9\t 999.9\t 999.9");
    EXPECT_EQ(concrete[3], "d\t 0.100\t 0.100\t 0.100\t 0.100\t 0.100\t 0.100\t 0.100\t 0.100\t 0.100\t 0.100");
    EXPECT_EQ(app::bandTableRows(2)[2], "R") << "no transmission data: the row stays empty";
}

TEST_F(MaterialChooser, FlagsSameForAllAndCancel)
{
    materials::Material m;
    unsigned last = 0;
    // Monopermeable ticks obstructing too; unticking obstructing afterwards is allowed.
    platform->queueDialog(DialogAnswer{"GETMATERIAL", {{170, "Glass"}, {151, "1"}}, true});
    EXPECT_EQ(app::chooseMaterial(m, false, last), 1);
    EXPECT_EQ(m.number, 2u);
    EXPECT_TRUE(m.monopermeable);
    EXPECT_TRUE(m.obstructing);
    EXPECT_EQ(last, 2u);
    platform->queueDialog(DialogAnswer{"GETMATERIAL", {{171, "0"}}, true});
    EXPECT_EQ(app::chooseMaterial(m, false, last), 1);
    EXPECT_FALSE(m.obstructing);
    EXPECT_TRUE(m.monopermeable);

    platform->queueDialog(DialogAnswer{"GETMATERIAL", {{120, "5"}, {172, "1"}}, true});
    EXPECT_EQ(app::chooseMaterial(m, true, last), 2);
    EXPECT_EQ(m.number, 5u);

    materials::Material untouched;
    platform->queueDialog(DialogAnswer{"GETMATERIAL", {{120, "1"}, {172, "1"}}, false});
    EXPECT_EQ(app::chooseMaterial(untouched, true, last), 0) << "Cancel is 0, never the apply-to-all 2";
    EXPECT_EQ(untouched.number, 0u);

    materials::Material fresh;
    platform->queueDialog(DialogAnswer{"GETMATERIAL", {}, true});
    EXPECT_EQ(app::chooseMaterial(fresh, false, last), 1);
    EXPECT_EQ(fresh.number, 5u) << "material 0 starts from the last chosen one";
    platform->queueDialog(DialogAnswer{"GETMATERIAL", {{120, "2000"}}, true});
    EXPECT_EQ(app::chooseMaterial(fresh, false, last), 0);
    EXPECT_EQ(platform->errors, (std::vector<std::string>{"Bad material number!", "Bad material number!"}));
    EXPECT_EQ(platform->failures.size(), 1u) << "the dialog stayed open on the bad number";
}

TEST_F(MaterialChooser, FacePropertiesShowFourVerticesAndChangeTheMaterialOnOk)
{
    std::vector<geometry::X3DPoint> six = {{0, 0, 0}, {1, 0, 0}, {2, 1, 0}, {1.5, 2, 0}, {0.5, 2, 0}, {-1, 1, 0}};
    model::Face face(six, materials::Material{});
    unsigned last = 0;
    app::FaceBox box(face, last);
    HeadlessControls c(*ui::findTemplate("FACEBOX"));
    box.onInit(c);
    EXPECT_EQ(c.text(120), "x= 0   y= 0   z= 0");
    EXPECT_EQ(c.text(123), "x= 1.5   y= 2   z= 0");
    platform->queueDialog(DialogAnswer{"GETMATERIAL", {{170, "Carpet"}}, true});
    box.onCommand(c, 170);
    EXPECT_EQ(face.material.number, 0u) << "nothing changes before OK";
    box.onCommand(c, ui::idOk);
    EXPECT_EQ(face.material.number, 5u);
}

TEST_F(MaterialChooser, PropertiesOfThreeFacesWithSameForAll)
{
    testsupport::writeText("three.ray", "EntityList\n Face 0 0 3 0 0 0 1 0 0 1 1 0\n Face 0 0 3 2 0 0 3 0 0 3 1 0\n"
                                        " Face 0 0 3 4 0 0 5 0 0 5 1 0\nEnd\nInfoList\nEnd\n");
    ASSERT_TRUE(play("answer file three.ray\n"
                     "command \"&Open...\"\n"
                     "key F2\n"
                     "answer GETMATERIAL 170=\"Concrete\" 171=1 172=1 ok\n"
                     "key Enter\n"
                     "expect selected 0\n"
                     "expect modified yes\n"));
    for (const auto& child : application->document.children()) {
        const auto& f = static_cast<const model::Face&>(*child);
        EXPECT_EQ(f.material.number, 1u);
        EXPECT_TRUE(f.material.obstructing);
    }
    EXPECT_EQ(platform->dialogsShown, (std::vector<std::string>{"GETMATERIAL"})) << "one dialog only";
}
