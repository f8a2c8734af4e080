// Command-line dispatch and the options shared by every command.
#include "app/CommandLine.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "app/Settings.h"
#include "exchange/DxfImport.h"
#include "exchange/DxfUnits.h"
#include "exchange/ObjImport.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "storage/ProjectFile.h"
#include "textio/InputFile.h"
#include "ui/DataFolder.h"
#include "ui/Platform.h"

namespace app {

std::string usageText()
{
    return "Tolvane CAD " KCAD_VERSION " - acoustic models of rooms and outdoor spaces\n"
           "\n"
           "Usage:\n"
           "  kcad [PROJECT.ray]\n"
           "      Starts the program (on the project, when one is named).\n"
           "  kcad info [--json] [--materials DIR] [--dxf-units U] FILE.ray|FILE.dxf|FILE.obj\n"
           "      Reads the project (or imports the DXF drawing or OBJ mesh) as the program would\n"
           "      and prints what it holds: entity counts, notes, bounding box and the\n"
           "      area of every material.\n"
           "  kcad check [--json] [--materials DIR] [--dxf-units U] [--tolerance M] [--near M]\n"
           "             [--air T,RH] FILE.ray|FILE.dxf|FILE.obj\n"
           "      Checks the model (open edges, warped, degenerate and overlapping faces,\n"
           "      openings off their walls, sources and receivers outside the room or\n"
           "      within M (0.5) m of a face, faces turned against their neighbours,\n"
           "      unknown materials; tolerance 0.001 m) and gives the room's volume,\n"
           "      areas and reverberation times by Sabine and Eyring per octave band,\n"
           "      with air absorption at T degrees C and RH % humidity when asked.\n"
           "      Exit status 1 when it finds an error.\n"
           "  kcad convert [--materials DIR] [--dxf-units U] IN.ray|IN.dxf|IN.obj\n"
           "               OUT.ray|OUT.dxf|OUT.wrl|OUT.pov|OUT.obj\n"
           "      Reads IN and writes it as OUT in the format its extension names: a\n"
           "      project, a DXF drawing, a VRML 2.0 world, a POV-Ray scene or an OBJ\n"
           "      mesh with its .mtl material library beside it. OUT is\n"
           "      replaced only once written in full. DXF layers carry material names\n"
           "      unless SaveDxfMaterialName=0 in ./tolvane.ini.\n"
           "  kcad play [--materials DIR] SCRIPT...\n"
           "      Runs macro scripts against the whole program with no display: menu\n"
           "      commands, keys, answers to dialogs and questions, and expectations.\n"
           "      A failing expectation, an unanswered dialog or an unexpected error\n"
           "      box stops the run with the script line on standard error.\n"
           "      Scripts also drive the views: viewsize, press, move, release, drag,\n"
           "      click, rclick, wheel and render, at pixels or at @U,V (metres); and\n"
           "      the 3-D view: hold, menu and expect camera.\n"
           "  kcad render [--materials DIR] IN.ray|IN.dxf --view plan|front|side|axo|aux|3d\n"
           "              [--size WxH] [--margin PIXELS] [--angles X,Y] [--base X1,Y1,X2,Y2]\n"
           "              [--camera X,Y,Z --target X,Y,Z] [--fov DEG] OUT.png\n"
           "      Paints a view of IN, zoomed to the model, as a PNG picture (default\n"
           "      800x600, a margin of 5 % of the picture on each side): axonometric\n"
           "      angles in degrees (default 18,42), the auxiliary view square to the\n"
           "      plan line from X1,Y1 to X2,Y2. The 3-D view is drawn with off-screen\n"
           "      OpenGL from the program's first camera, or from --camera looking at\n"
           "      --target, --fov degrees high.\n"
           "  kcad --help | --version\n"
           "\n"
           "Options:\n"
           "  --materials DIR  take tolvane.mat and tolcolor.mat from DIR instead of the\n"
           "                   current directory (or the bundled database)\n"
           "  --json           one JSON object on standard output\n"
           "  --dxf-units U    read DXF drawings in U (mm, cm, m, in or ft) whatever their\n"
           "                   $INSUNITS says; without it, their $INSUNITS, else metres\n"
           "\n"
           "Exit status: 0 success, 1 the input could not be read or an error was\n"
           "reported (as \"ERROR: <text>\" on standard error), 2 bad usage.\n";
}

namespace {

// The units of --dxf-units, for every DXF drawing this run reads.
long long& dxfUnitsOption()
{
    static long long units = -1;
    return units;
}

void warn(const std::vector<std::string>& warnings)
{
    for (const std::string& w : warnings) {
        std::fprintf(stderr, "WARNING: %s\n", w.c_str());
    }
}

}  // namespace

bool isSameFile(const std::string& input, const std::string& output)
{
    std::error_code ec;
    return std::filesystem::equivalent(input, output, ec) && !ec;
}

bool loadModel(const std::string& path, model::Document& doc)
{
    if (storage::isProjectName(path)) {
        return storage::openProject(path, doc);
    }
    if (exchange::isObjName(path)) {
        exchange::ObjImportReport report = exchange::importObj(doc, path);
        if (!report.opened) {
            ui::errorBox("%s", textio::describeInputError(path, report.openError).c_str());
            return false;
        }
        warn(report.warnings);
        return true;
    }
    exchange::DxfImportOptions options;
    options.units = dxfUnitsOption();
    exchange::DxfImportReport report = exchange::importDxf(doc, path, options);
    if (!report.opened) {
        ui::errorBox("%s", textio::describeInputError(path, report.openError).c_str());
        return false;
    }
    warn(report.warnings);
    return report.drawing && report.complete;
}

bool takeDxfUnitsOption(std::vector<std::string>& args, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--dxf-units") {
            continue;
        }
        long long units = i + 1 < args.size() ? exchange::unitsFromOption(args[i + 1]) : -1;
        if (units < 0) {
            error = "--dxf-units needs one of mm, cm, m, in, ft";
            return false;
        }
        dxfUnitsOption() = units;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return true;
}

bool takeMaterialsOption(std::vector<std::string>& args, std::string& error, int& status)
{
    status = exitUsage;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--materials") {
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "--materials needs a directory";
            return false;
        }
        std::string dir = args[i + 1];
        struct stat st {};
        if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            error = "--materials: not a directory: " + dir;
            return false;
        }
        // A database named on purpose must be there: faces without their
        // absorption would reach the simulator as "Unknown", absorbing nothing.
        std::string table = dir + "/tolvane.mat";
        std::string text;
        textio::InputError why = textio::InputError::None;
        if (!textio::readWholeFile(table, 16 << 20, text, &why)) {
            error = textio::describeInputError(table, why, 16 << 20);
            status = exitFailed;
            return false;
        }
        materials::setMaterialDirectory(dir);
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return true;
}

bool isCommand(const std::string& word)
{
    return word == "info" || word == "check" || word == "convert" || word == "play" || word == "render" ||
           word == "help" || (!word.empty() && word[0] == '-');
}

int runCommandLine(const std::vector<std::string>& args)
{
    if (args.empty()) {
        std::fputs(usageText().c_str(), stderr);
        return exitUsage;
    }
    const std::string& command = args[0];
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(usageText().c_str(), stdout);
        return exitOk;
    }
    if (command == "--version") {
        std::printf("kcad (Tolvane CAD) %s\ndata: %s\n", KCAD_VERSION, ui::dataFolder().c_str());
        return exitOk;
    }
    for (const std::string& a : rest) {
        if (a == "--help" || a == "-h") {
            std::fputs(usageText().c_str(), stdout);
            return exitOk;
        }
    }
    if (command == "info") {
        return runInfo(rest);
    }
    if (command == "check") {
        return runCheck(rest);
    }
    if (command == "convert") {
        return runConvert(rest);
    }
    if (command == "play") {
        return runPlay(rest);
    }
    if (command == "render") {
        return runRender(rest);
    }
    std::fprintf(stderr, "kcad: unknown command '%s'\n\n%s", command.c_str(), usageText().c_str());
    return exitUsage;
}

}  // namespace app
