// Entry point of the kcad executable: the graphical program, or a command.
#include <csignal>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/CommandLine.h"
#include "app/GuiMain.h"
#include "ui/qt/QtDrawContext.h"

int main(int argc, char** argv)
{
    // A file-size limit reached while writing is a failed write like a full
    // disk (reported, the old file kept), not a reason to be killed.
    std::signal(SIGXFSZ, SIG_IGN);
    // Everything this run keeps, installed for every layer until it ends.
    app::AppContext context;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || !app::isCommand(args[0])) {
        std::string commandLine;
        for (const std::string& a : args) {
            commandLine += (commandLine.empty() ? "" : " ") + a;
        }
        return app::runGui(argc, argv, commandLine);
    }
    if (args[0] == "render" || args[0] == "play") {
        // Pictures: views and scripts draw with Qt, off screen.
        context.toolkit = ui::qt::installCanvases();
    }
    return app::runCommandLine(args);
}
