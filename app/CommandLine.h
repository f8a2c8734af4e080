// The `kcad` command line: info, check, convert, play, render, --help, --version.
#pragma once

#include <string>
#include <vector>

namespace model {
class Document;
}

namespace app {

// Exit statuses: 0 success, 1 the input could not be read or an error message
// was shown, 2 bad usage.
constexpr int exitOk = 0;
constexpr int exitFailed = 1;
constexpr int exitUsage = 2;

int runCommandLine(const std::vector<std::string>& args);
// Whether a first argument names a command or an option (else: the GUI).
bool isCommand(const std::string& word);

int runInfo(const std::vector<std::string>& args);
int runCheck(const std::vector<std::string>& args);
int runConvert(const std::vector<std::string>& args);
int runPlay(const std::vector<std::string>& args);
int runRender(const std::vector<std::string>& args);

std::string usageText();

// Whether writing output would replace input (the same file under any name):
// a command must never destroy what it reads.
bool isSameFile(const std::string& input, const std::string& output);

// Reads a project (a name holding ".ray"), imports an OBJ mesh (".obj") or a
// DXF drawing into the model, as opening a file in the program does; false
// when it could not be read in full (the message is shown). Warnings (a
// drawing without entities, skipped faces) go to standard error.
bool loadModel(const std::string& path, model::Document& doc);

// Options every command takes: --materials DIR (the two material files come
// from DIR). Removes what it recognised from args; false with a message and
// the exit status to end with: bad usage, or a database that cannot be read.
bool takeMaterialsOption(std::vector<std::string>& args, std::string& error, int& status);
// --dxf-units mm|cm|m|in|ft: DXF drawings are read in these units whatever
// their $INSUNITS says (loadModel applies it). Removes what it recognised
// from args; false with a message on bad usage.
bool takeDxfUnitsOption(std::vector<std::string>& args, std::string& error);

}  // namespace app
