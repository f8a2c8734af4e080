// Macro scripts: the whole program driven by a text file through the
// headless back end, one statement a line:
//   command ID | command "Menu text"       as if chosen from the menu
//   key NAME                               Delete, Shift+Insert, Ctrl+Z, X, Space, F2...
//   answer TEMPLATE [ID=VALUE]... ok|cancel   the next dialog of that template
//   answer file PATH|cancel                the next file chooser
//   answer confirm yes|no                  the next yes/no question
//   expect error "TEXT"                    the next error box shows this text
//   expect title|status "TEXT"
//   expect count CLASS N | expect selected N | expect modified yes|no
//   dump PATH                              the model through the export command
// Lines starting with # are comments; strings are in double quotes.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace ui::headless {
class HeadlessPlatform;
}

namespace app {

class Application;

class MacroRunner {
public:
    MacroRunner(Application& app, ui::headless::HeadlessPlatform& platform) : app_(app), platform_(platform) {}

    // Runs every statement; false at the first failure, with `failure`
    // naming the script, the line and the reason.
    bool run(const std::string& script, const std::string& name, std::string& failure);

private:
    bool statement(const std::vector<std::string>& words, std::string& reason);
    bool expectation(const std::vector<std::string>& words, std::string& reason);
    bool key(const std::string& name, std::string& reason);
    // After every statement: error boxes nobody announced, dialogs or
    // questions nobody answered.
    bool check(std::string& reason);
    bool finish(std::string& reason);

    Application& app_;
    ui::headless::HeadlessPlatform& platform_;
    std::deque<std::string> expectedErrors_;
    std::size_t errorsSeen_ = 0;
    std::size_t failuresSeen_ = 0;
};

// Splits a line into words; a double-quoted string is one word without its
// quotes (\" inside it stands for a quote).
bool splitWords(const std::string& line, std::vector<std::string>& words, std::string& reason);

// The canonical form of a key name: "Shift+Insert" -> "Shift+Ins".
std::string canonicalKey(const std::string& name);

}  // namespace app
