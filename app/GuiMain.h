// The graphical program's entry.
#pragma once

#include <string>

namespace app {

// Starts the Qt program on the command-line text (a project when it holds
// ".ray" or ".RAY"); answers the exit code. Without a display it says so.
int runGui(int argc, char** argv, const std::string& commandLine);

}  // namespace app
