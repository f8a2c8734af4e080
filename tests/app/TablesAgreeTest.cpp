// The code agrees with its tables, with no display: every dialog class names
// a template of the catalogue, a dialog that touches a control its template
// lacks is caught, and every command of the command table is handled.
#include <filesystem>
#include <regex>
#include <set>

#include "tests/app/AppFixture.h"
#include "tools/ToolRegistry.h"
#include "ui/GetValueBox.h"

namespace {

// Every `templateName() ... { return "NAME"; }` of the program's sources.
std::set<std::string> templateNamesInSources()
{
    std::set<std::string> names;
    std::regex pattern(R"(templateName\(\)\s*const\s*override\s*\{\s*return\s*\"([A-Za-z0-9]+)\")");
    for (const char* folder : {"ui", "materials", "model", "storage", "exchange", "views", "scene3d", "tools", "app"}) {
        std::filesystem::path root = testsupport::sourcePath(folder);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) {
                continue;
            }
            std::string text = testsupport::readText(entry.path().string());
            for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) {
                names.insert((*it)[1].str());
            }
        }
    }
    return names;
}

TEST(DialogCatalogue, EveryDialogClassOfTheProgramHasItsTemplate)
{
    std::set<std::string> names = templateNamesInSources();
    // The tools' dialogs are among them.
    for (const char* wanted :
         {"GetQuotasBox", "GetDoorBox", "GetWindowBox", "CircleBox", "BoxBox", "PipeBox", "TheaterBox", "PalaceBox",
          "ObstructingBox", "GetSourceBox", "GetValueBox", "GetCoordBox"}) {
        EXPECT_TRUE(names.count(wanted)) << wanted << " is not opened by any class";
    }
    for (const std::string& name : names) {
        EXPECT_NE(ui::findTemplate(name), nullptr) << "no template for the dialog class " << name;
    }
}

TEST(DialogCatalogue, ADialogTouchingAControlItsTemplateLacksFails)
{
    struct Stray final : ui::Dialog {
        const char* templateName() const override { return "GetValueBox"; }
        void onInit(ui::DialogControls& c) override { c.setText(121, "nothing there"); }
    };
    ui::headless::HeadlessPlatform platform;
    platform.queueDialog({"GETVALUEBOX", {}, true});
    Stray box;
    box.runModal();
    ASSERT_EQ(platform.failures.size(), 1u);
    EXPECT_EQ(platform.failures[0], "dialog GETVALUEBOX has no control 121");
}

using CommandTable = AppFixture;

TEST_F(CommandTable, EveryCommandIsHandled)
{
    std::set<int> seen;
    for (const ui::MenuCommand& c : app::commandTable()) {
        EXPECT_TRUE(seen.insert(c.id).second) << "command " << c.id << " twice in the table";
        if (c.id == app::cmd::Exit) {
            continue;  // it closes the frame: last
        }
        // Dialogs and questions find no answer and end as cancelled.
        EXPECT_TRUE(application->dispatchCommand(c.id)) << c.text << " (" << c.id << ") is not handled";
    }
    EXPECT_TRUE(application->dispatchCommand(app::cmd::Exit));
    EXPECT_FALSE(application->dispatchCommand(999));
}

TEST_F(CommandTable, EveryToolIsInTheMenusAndThePalette)
{
    for (tools::ToolId id : tools::allTools()) {
        const ui::MenuCommand* c = app::commandById(tools::commandOf(id));
        ASSERT_NE(c, nullptr) << tools::commandOf(id);
        EXPECT_EQ(c->menu, tools::toolEntry(id).menu);
        EXPECT_EQ(application->tools->palette.registry().get(id).id(), id);
        // Chosen from the menu, it is the current tool and its item is checked.
        ASSERT_TRUE(application->dispatchCommand(c->id));
        EXPECT_EQ(application->tools->current().id(), id);
        EXPECT_TRUE(application->frame->isMenuChecked(c->id));
    }
    // Only the current tool is checked.
    EXPECT_FALSE(application->frame->isMenuChecked(tools::tool::Pick));
    // The Structures menu holds the generators, in palette order.
    std::vector<std::string> structures;
    for (const ui::MenuCommand& c : app::commandTable()) {
        if (c.menu == "St&ructures") {
            structures.push_back(c.text);
        }
    }
    EXPECT_EQ(structures,
              (std::vector<std::string>{"&Box", "Bo&xes", "&Cylinder", "&Sphere", "&Cone", "&Pipe", "&Gradin"}));
}

}  // namespace
