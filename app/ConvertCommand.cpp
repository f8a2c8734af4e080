// `kcad convert`: read a project or a DXF drawing and write it in the format
// the output's extension names.
#include <cstdio>

#include "app/CommandLine.h"
#include "app/Settings.h"
#include "model/Document.h"
#include "scene3d/ExportFile.h"
#include "textio/RealFormat.h"
#include "ui/headless/HeadlessPlatform.h"

namespace app {

namespace {

// The extension of the file's own name (after its last dot), or empty.
std::string extensionOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot + 1 == path.size()) {
        return {};
    }
    return path.substr(dot + 1);
}

}  // namespace

int runConvert(const std::vector<std::string>& rawArgs)
{
    std::vector<std::string> args = rawArgs;
    std::string error;
    int status = exitOk;
    if (!takeMaterialsOption(args, error, status) || !takeDxfUnitsOption(args, error)) {
        std::fprintf(stderr, "kcad convert: %s\n", error.c_str());
        return status;
    }
    for (const std::string& a : args) {
        if (a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "kcad convert: unknown option '%s'\n", a.c_str());
            return exitUsage;
        }
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "kcad convert: expects an input and an output file\n"
                             "Usage: kcad convert [--materials DIR] [--dxf-units U] IN.ray|IN.dxf|IN.obj\n"
                             "                    OUT.ray|OUT.dxf|OUT.wrl|OUT.pov|OUT.obj\n");
        return exitUsage;
    }
    std::string extension = extensionOf(args[1]);
    if (extension.empty()) {
        std::fprintf(stderr, "kcad convert: the output needs an extension (.ray, .dxf, .wrl, .pov or .obj)\n");
        return exitUsage;
    }
    // Worlds and scenes are known by their names in small letters only (the
    // export writes a project under any other spelling).
    bool known = extension == "wrl" || extension == "pov";
    for (const char* type : {"ray", "dxf", "obj"}) {
        known = known || textio::equalIgnoringCase(extension, type);
    }
    if (!known) {
        std::fprintf(stderr, "kcad convert: unknown output type '.%s' (.ray, .dxf, .wrl, .pov or .obj)\n",
                     extension.c_str());
        return exitUsage;
    }
    if (isSameFile(args[0], args[1])) {
        std::fprintf(stderr, "kcad convert: the output %s is the input file\n", args[1].c_str());
        return exitUsage;
    }

    ui::headless::HeadlessPlatform platform;
    platform.onError = [](const std::string& text) { std::fprintf(stderr, "ERROR: %s\n", text.c_str()); };
    model::Document doc;
    // A damaged input is not written out: the output would silently lack
    // whatever followed the damage.
    if (!loadModel(args[0], doc) || !platform.errors.empty()) {
        return exitFailed;
    }
    if (!scene3d::exportFile(doc, args[1], extension, exportOptions())) {
        return exitFailed;
    }
    return exitOk;
}

}  // namespace app
