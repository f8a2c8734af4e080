// `kcad play`: runs macro scripts against the whole program, headless.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/MacroScript.h"
#include "ui/FileChooser.h"
#include "ui/headless/HeadlessPlatform.h"

namespace app {

int runPlay(const std::vector<std::string>& rawArgs)
{
    std::vector<std::string> args = rawArgs;
    std::string error;
    if (!takeMaterialsOption(args, error)) {
        std::fprintf(stderr, "kcad play: %s\n", error.c_str());
        return exitUsage;
    }
    if (args.empty()) {
        std::fprintf(stderr, "Usage: kcad play [--materials DIR] SCRIPT...\n");
        return exitUsage;
    }
    ui::headless::HeadlessPlatform platform;
    Application application;
    application.start("");
    MacroRunner runner(application, platform);
    for (const std::string& path : args) {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "kcad play: can't read %s\n", path.c_str());
            return exitFailed;
        }
        std::ostringstream text;
        text << in.rdbuf();
        std::string failure;
        if (!runner.run(text.str(), path, failure)) {
            std::fprintf(stderr, "%s\n", failure.c_str());
            return exitFailed;
        }
    }
    return exitOk;
}

}  // namespace app
