// `kcad check`: read a model as the program would, check it and give the
// room's acoustic figures.
#include <cstdio>

#include "analysis/ModelCheck.h"
#include "analysis/RoomAcoustics.h"
#include "app/CheckOutput.h"
#include "app/CommandLine.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "textio/RealFormat.h"
#include "ui/headless/HeadlessPlatform.h"

namespace app {

namespace {

const char* checkUsage =
    "Usage: kcad check [--json] [--materials DIR] [--dxf-units U] [--tolerance M] [--near M] [--air T,RH]\n"
    "                  FILE.ray|FILE.dxf|FILE.obj\n";

bool takeValue(const std::vector<std::string>& args, std::size_t& i, double& value, std::string& error)
{
    if (i + 1 >= args.size() || !textio::parseReal(args[i + 1], value)) {
        error = args[i] + " needs a number";
        return false;
    }
    ++i;
    return true;
}

bool parseAir(const std::string& text, analysis::AirCondition& air)
{
    std::size_t comma = text.find(',');
    return comma != std::string::npos && textio::parseReal(text.substr(0, comma), air.temperature) &&
           textio::parseReal(text.substr(comma + 1), air.humidity);
}

}  // namespace

int runCheck(const std::vector<std::string>& rawArgs)
{
    std::vector<std::string> args = rawArgs;
    std::string error;
    int status = exitOk;
    if (!takeMaterialsOption(args, error, status) || !takeDxfUnitsOption(args, error)) {
        std::fprintf(stderr, "kcad check: %s\n%s", error.c_str(), status == exitUsage ? checkUsage : "");
        return status;
    }
    bool json = false;
    analysis::CheckOptions options;
    std::optional<analysis::AirCondition> air;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            json = true;
        } else if (a == "--tolerance") {
            if (!takeValue(args, i, options.tolerance, error)) {
                break;
            }
        } else if (a == "--near") {
            if (!takeValue(args, i, options.nearDistance, error)) {
                break;
            }
        } else if (a == "--air") {
            analysis::AirCondition condition;
            if (i + 1 >= args.size() || !parseAir(args[i + 1], condition)) {
                error = "--air needs the temperature and the relative humidity: T,RH (such as 20,50)";
                break;
            }
            if (!analysis::validAir(condition)) {
                error = "--air: the temperature must lie between -20 and 50 C, the humidity between 1 and 100 %";
                break;
            }
            air = condition;
            ++i;
        } else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option '" + a + "'";
            break;
        } else {
            files.push_back(a);
        }
    }
    if (error.empty() && !analysis::validOptions(options, error)) {
        error = "--tolerance or --near: " + error;
    }
    if (error.empty() && files.size() != 1) {
        error = "expects one file";
    }
    if (!error.empty()) {
        std::fprintf(stderr, "kcad check: %s\n%s", error.c_str(), checkUsage);
        return exitUsage;
    }

    ui::headless::HeadlessPlatform platform;
    platform.onError = [](const std::string& text) { std::fprintf(stderr, "ERROR: %s\n", text.c_str()); };
    model::Document doc;
    bool read = loadModel(files[0], doc);
    if (!read && doc.empty()) {
        // Nothing was read: no report of an empty model for a script to
        // take for a clean one.
        return exitFailed;
    }
    materials::MaterialList& list = materials::materialList();
    analysis::CheckReport check = analysis::checkModel(doc, list, options);
    analysis::RoomAcoustics room = analysis::roomAcoustics(doc, list, check.volume, check.area, check.holeArea, air);
    std::string out = json ? checkJson(files[0], check, room) : checkText(files[0], check, room);
    std::fputs(out.c_str(), stdout);
    bool fine = read && platform.errors.empty() && check.errors() == 0;
    return fine ? exitOk : exitFailed;
}

}  // namespace app
