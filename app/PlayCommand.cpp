// `kcad play`: runs macro scripts against the whole program, headless.
#include <cstdio>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/MacroScript.h"
#include "textio/InputFile.h"
#include "ui/FileChooser.h"
#include "ui/headless/HeadlessPlatform.h"

namespace app {

int runPlay(const std::vector<std::string>& rawArgs)
{
    std::vector<std::string> args = rawArgs;
    std::string error;
    int status = exitOk;
    if (!takeMaterialsOption(args, error, status)) {
        std::fprintf(stderr, "kcad play: %s\n", error.c_str());
        return status;
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
        // Scripts are small; a script of gigabytes is a mistake, not a script.
        constexpr std::uint64_t maxScriptBytes = 64 << 20;
        std::string text;
        textio::InputError why = textio::InputError::None;
        if (!textio::readWholeFile(path, maxScriptBytes, text, &why)) {
            std::fprintf(stderr, "kcad play: %s\n", textio::describeInputError(path, why, maxScriptBytes).c_str());
            return exitFailed;
        }
        std::string failure;
        if (!runner.run(text, path, failure)) {
            std::fprintf(stderr, "%s\n", failure.c_str());
            return exitFailed;
        }
    }
    return exitOk;
}

}  // namespace app
