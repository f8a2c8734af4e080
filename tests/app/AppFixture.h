// A fresh application on the headless back end, in a scratch folder with a
// small material database, driven by macro script text.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/AppContext.h"
#include "app/Application.h"
#include "app/MacroScript.h"
#include "materials/MaterialList.h"
#include "tests/support/TestSupport.h"
#include "ui/FileChooser.h"
#include "ui/headless/HeadlessPlatform.h"

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        here = std::make_unique<testsupport::ScopedChdir>(dir.path());
        testsupport::writeText("tolvane.mat", "  0  Default , 0.1\n  1  Concrete , 0.01 0.02, 40 45, 0.1\n"
                                              "  2  Glass , 0.2\n  5  Carpet , 0.05 0.1 0.3\n");
        testsupport::writeText("tolvane.ini", "[KCad]\nAutoCheckDuplicates=0\n");
        const char* tmp = std::getenv("TMPDIR");
        savedTmpdir = tmp ? tmp : "";
        hadTmpdir = tmp != nullptr;
        setenv("TMPDIR", dir.path().c_str(), 1);
        unsetenv("TEMP");
        unsetenv("TMP");
        platform = std::make_unique<ui::headless::HeadlessPlatform>();
        application = std::make_unique<app::Application>();
        application->start("");
        runner = std::make_unique<app::MacroRunner>(*application, *platform);
    }
    void TearDown() override
    {
        runner.reset();
        application.reset();
        platform.reset();
        here.reset();
        if (hadTmpdir) {
            setenv("TMPDIR", savedTmpdir.c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
    }

    // Runs script text; the test fails with the script's message if it does.
    bool play(const std::string& script)
    {
        std::string failure;
        bool ok = runner->run(script, "script", failure);
        EXPECT_TRUE(ok) << failure;
        return ok;
    }
    std::string playFailure(const std::string& script)
    {
        std::string failure;
        EXPECT_FALSE(runner->run(script, "script", failure));
        return failure;
    }
    std::string file(const std::string& name) const { return dir.file(name); }

    // A run of its own: no test sees another's database, options or folders.
    app::AppContext context;
    testsupport::ScratchDir dir;
    std::unique_ptr<testsupport::ScopedChdir> here;
    std::string savedTmpdir;
    bool hadTmpdir = false;
    std::unique_ptr<ui::headless::HeadlessPlatform> platform;
    std::unique_ptr<app::Application> application;
    std::unique_ptr<app::MacroRunner> runner;
};

// A small project: a floor, a wall with a door, a receiver.
inline const char* smallProject()
{
    return "EntityList\n"
           " Face 0 1 4  0 0 0  10 0 0  10 6 0  0 6 0\n"
           " Wall\n"
           "  Face 1 1 4  0 0 0  10 0 0  10 0 3  0 0 3\n"
           "  Door 0 2 4  1 0 0  2 0 0  2 0 2  1 0 2\n"
           " End\n"
           " Receiver 5 3 1.2 0 0 1.2\n"
           "End\n"
           "InfoList\n"
           "End\n";
}
