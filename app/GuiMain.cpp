// The graphical program: Qt back end, application, event loop.
#include "app/GuiMain.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "ui/qt/QtDrawContext.h"
#include "ui/qt/QtPlatform.h"

namespace app {

namespace {

bool haveDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) {
        return true;
    }
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

}  // namespace

int runGui(int argc, char** argv, const std::string& commandLine)
{
    if (!haveDisplay()) {
        std::fprintf(stderr,
                     "kcad: no display to show the program on (DISPLAY is not set).\n"
                     "Run it under X (or xvfb-run), or use the command line:\n\n%s",
                     usageText().c_str());
        return exitFailed;
    }
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("Tolvane CAD");
    // Dialogs draw their pictures (the reverberation plot) on canvases; the
    // program's own QApplication serves them.
    ui::qt::installCanvases();
    ui::qt::QtPlatform platform;
    Application application;
    application.start(commandLine);
    return platform.run();
}

}  // namespace app
