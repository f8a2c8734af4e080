// Command-line dispatch and the options shared by every command.
#include "app/CommandLine.h"

#include <sys/stat.h>

#include <cstdio>

#include "exchange/DxfImport.h"
#include "materials/MaterialList.h"
#include "model/Document.h"
#include "storage/ProjectFile.h"
#include "ui/Platform.h"

namespace app {

std::string usageText()
{
    return "Tolvane CAD " KCAD_VERSION " - acoustic models of rooms and outdoor spaces\n"
           "\n"
           "Usage:\n"
           "  kcad [PROJECT.ray]\n"
           "      Starts the program (on the project, when one is named).\n"
           "  kcad info [--json] [--materials DIR] FILE.ray|FILE.dxf\n"
           "      Reads the project (or imports the DXF drawing) as the program would\n"
           "      and prints what it holds: entity counts, notes, bounding box and the\n"
           "      area of every material.\n"
           "  kcad check [--json] [--materials DIR] [--tolerance M] [--near M] [--air T,RH]\n"
           "             FILE.ray|FILE.dxf\n"
           "      Checks the model (open edges, warped, degenerate and overlapping faces,\n"
           "      openings off their walls, sources and receivers outside the room or\n"
           "      within M (0.5) m of a face, faces turned against their neighbours,\n"
           "      unknown materials; tolerance 0.001 m) and gives the room's volume,\n"
           "      areas and reverberation times by Sabine and Eyring per octave band,\n"
           "      with air absorption at T degrees C and RH % humidity when asked.\n"
           "      Exit status 1 when it finds an error.\n"
           "  kcad convert [--materials DIR] IN.ray|IN.dxf OUT.ray|OUT.dxf|OUT.wrl|OUT.pov\n"
           "      Reads IN and writes it as OUT in the format its extension names: a\n"
           "      project, a DXF drawing, a VRML 2.0 world or a POV-Ray scene. OUT is\n"
           "      replaced only once written in full. DXF layers carry material names\n"
           "      unless SaveDxfMaterialName=0 in ./tolvane.ini.\n"
           "  kcad play [--materials DIR] SCRIPT...\n"
           "      Runs macro scripts against the whole program with no display: menu\n"
           "      commands, keys, answers to dialogs and questions, and expectations.\n"
           "      A failing expectation, an unanswered dialog or an unexpected error\n"
           "      box stops the run with the script line on standard error.\n"
           "      Scripts also drive the views: viewsize, press, move, release, drag,\n"
           "      click, rclick, wheel and render, at pixels or at @U,V (metres).\n"
           "  kcad render [--materials DIR] IN.ray|IN.dxf --view plan|front|side|axo|aux\n"
           "              [--size WxH] [--angles X,Y] [--base X1,Y1,X2,Y2] OUT.png\n"
           "      Paints a view of IN, zoomed to the model, as a PNG picture (default\n"
           "      800x600): axonometric angles in degrees (default 18,42), the\n"
           "      auxiliary view square to the plan line from X1,Y1 to X2,Y2.\n"
           "  kcad --help | --version\n"
           "\n"
           "Options:\n"
           "  --materials DIR  take tolvane.mat and tolcolor.mat from DIR instead of the\n"
           "                   current directory (or the bundled database)\n"
           "  --json           one JSON object on standard output\n"
           "\n"
           "Exit status: 0 success, 1 the input could not be read or an error was\n"
           "reported (as \"ERROR: <text>\" on standard error), 2 bad usage.\n";
}

bool loadModel(const std::string& path, model::Document& doc)
{
    if (storage::isProjectName(path)) {
        return storage::openProject(path, doc);
    }
    if (!exchange::importDxf(doc, path)) {
        ui::errorBox("Can't read the file %s", path.c_str());
        return false;
    }
    return true;
}

bool takeMaterialsOption(std::vector<std::string>& args, std::string& error)
{
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
        materials::setMaterialDirectory(dir);
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return true;
}

bool isCommand(const std::string& word)
{
    return word == "info" || word == "check" || word == "convert" || word == "play" || word == "render" || word == "help" ||
           (!word.empty() && word[0] == '-');
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
        std::printf("kcad (Tolvane CAD) %s\n", KCAD_VERSION);
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
