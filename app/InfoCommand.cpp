// `kcad info`: read a project as the program would and summarise it.
#include <cstdio>

#include "app/CommandLine.h"
#include "app/ProjectSummary.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "ui/headless/HeadlessPlatform.h"

namespace app {

int runInfo(const std::vector<std::string>& rawArgs)
{
    std::vector<std::string> args = rawArgs;
    std::string error;
    int status = exitOk;
    if (!takeMaterialsOption(args, error, status) || !takeDxfUnitsOption(args, error)) {
        std::fprintf(stderr, "kcad info: %s\n", error.c_str());
        return status;
    }
    bool json = false;
    std::vector<std::string> files;
    for (const std::string& a : args) {
        if (a == "--json") {
            json = true;
        } else if (a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "kcad info: unknown option '%s'\n", a.c_str());
            return exitUsage;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 1) {
        std::fprintf(stderr, "kcad info: expects one file\nUsage: kcad info [--json] [--materials DIR] [--dxf-units U] "
                             "FILE.ray|FILE.dxf|FILE.obj\n");
        return exitUsage;
    }

    ui::headless::HeadlessPlatform platform;
    platform.onError = [](const std::string& text) { std::fprintf(stderr, "ERROR: %s\n", text.c_str()); };
    model::Document doc;
    bool ok = loadModel(files[0], doc);
    if (!ok && doc.empty()) {
        // Nothing was read: no report of an empty model for a script to
        // take for a clean one.
        return exitFailed;
    }
    ProjectSummary summary = summarise(doc, materials::materialList());
    std::string out = json ? summaryJson(files[0], summary) : summaryText(files[0], summary);
    std::fputs(out.c_str(), stdout);
    return (ok && platform.errors.empty()) ? exitOk : exitFailed;
}

}  // namespace app
