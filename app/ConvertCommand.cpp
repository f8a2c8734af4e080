// `kcad convert`: read a project and write it again.
#include <cstdio>

#include "app/CommandLine.h"
#include "model/Document.h"
#include "storage/ProjectFile.h"
#include "ui/headless/HeadlessPlatform.h"

namespace app {

int runConvert(const std::vector<std::string>& rawArgs)
{
    std::vector<std::string> args = rawArgs;
    std::string error;
    if (!takeMaterialsOption(args, error)) {
        std::fprintf(stderr, "kcad convert: %s\n", error.c_str());
        return exitUsage;
    }
    for (const std::string& a : args) {
        if (a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "kcad convert: unknown option '%s'\n", a.c_str());
            return exitUsage;
        }
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "kcad convert: expects an input and an output file\n"
                             "Usage: kcad convert [--materials DIR] IN.ray OUT.ray\n");
        return exitUsage;
    }

    ui::headless::HeadlessPlatform platform;
    platform.onError = [](const std::string& text) { std::fprintf(stderr, "ERROR: %s\n", text.c_str()); };
    model::Document doc;
    // A damaged input is not written out: the output would silently lack
    // whatever followed the damage.
    if (!storage::openProject(args[0], doc) || !platform.errors.empty()) {
        return exitFailed;
    }
    if (!storage::writeProjectFile(args[1], doc)) {
        platform.showError("Can't write the file");
        return exitFailed;
    }
    return exitOk;
}

}  // namespace app
