// Macro scripts: the whole program driven by a text file through the
// headless back end, one statement a line:
//   command ID | command "Menu text"       as if chosen from the menu
//   key NAME                               Delete, Shift+Insert, Ctrl+Z, X, Space, F2...
//   answer TEMPLATE [ID=VALUE]... ok|cancel   the next dialog of that template
//                                          (ID==TEXT: the control shows TEXT when it opens)
//   answer file PATH|cancel                the next file chooser
//   answer confirm yes|no                  the next yes/no question
//   answer progress cancel                 the next long build that can be stopped is stopped
//   expect error "TEXT"                    the next error box shows this text
//   expect title|status "TEXT"
//   expect count CLASS N | expect selected N | expect modified yes|no
//   dump PATH                              the model through the export command
//   viewsize VIEW W H                      the view's client size in pixels
//   press|move|release VIEW X Y [shift] [ctrl] [middle|right]
//   drag VIEW X1 Y1 X2 Y2 [shift] [ctrl]   press, move, release
//   click VIEW X Y [shift] [ctrl] | rclick VIEW X Y | wheel VIEW DELTA
//   render VIEW PATH.png                   the view as it stands, as a picture
//   expect scale VIEW S | expect centre VIEW U V | expect readout "TEXT"
//   expect contains PATH "TEXT"            the file holds the text
//   expect same PATH1 PATH2                the two files are the same, byte for byte
//   expect dialog TEMPLATE ID "TEXT"       the control shows TEXT when the next such dialog
//                                          opens (for lists, the selected row)
//   expect question "TEXT"                 the text of the next question
//   expect menu ID|"Text" checked|unchecked|enabled|disabled
//   drop PATH [VIEW]                       a file dropped on the frame or on a view
//   scroll VIEW h|v line|page DELTA        arrow or trough clicks (negative: up or left)
//   scroll VIEW h|v thumb POS              the thumb dragged to POS and let go
//   write PATH "TEXT"                      writes the file (\n in TEXT: a line break)
//   hold 3DView X Y STEPS [shift]          the left button held at X Y for
//                                          that many navigation timer steps
//   menu 3DView Study|Explore|Home|none    the right-button menu's choice
//   expect camera X,Y,Z X,Y,Z FOV          the 3-D camera: eye, target, degrees
//   expect control ID "TEXT"               a control of the dialog that closed
//                                          last shows the text (or a row holds it,
//                                          table cells separated by blanks)
// VIEW is PLANT, FRONT, SIDE, ASSONOMETRY, AUXILIARY or 3DView; a
// coordinate is a pixel, or @U,V: a view-plane point in metres.
// Lines starting with # are comments; strings are in double quotes.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace ui::headless {
class HeadlessPlatform;
}

namespace views {
class ViewWindow;
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
    bool viewStatement(const std::vector<std::string>& words, std::string& reason);
    // Menus, questions, dialogs, drops, scroll bars and files.
    bool desktopStatement(const std::vector<std::string>& words, std::string& reason, bool& known);
    bool desktopExpectation(const std::vector<std::string>& words, std::string& reason, bool& known);
    views::ViewWindow* viewNamed(const std::string& name, std::string& reason);
    // hold and menu in the 3-D view, and expect camera (MacroScript3D.cpp).
    bool view3DStatement(const std::vector<std::string>& words, std::string& reason);
    bool expectCamera(const std::vector<std::string>& words, std::string& reason);
    // False, with the reason, when the view's last paint drew no picture.
    bool pictureDrawn(views::ViewWindow& view, std::string& reason);
    // After every statement: error boxes nobody announced, dialogs or
    // questions nobody answered.
    bool check(std::string& reason);
    bool finish(std::string& reason);

    Application& app_;
    ui::headless::HeadlessPlatform& platform_;
    std::deque<std::string> expectedErrors_;
    std::size_t errorsSeen_ = 0;
    std::deque<std::string> expectedQuestions_;
    std::size_t questionsSeen_ = 0;
    std::size_t failuresSeen_ = 0;
};

// Splits a line into words; a double-quoted string is one word without its
// quotes (\" inside it stands for a quote).
bool splitWords(const std::string& line, std::vector<std::string>& words, std::string& reason);

// The canonical form of a key name: "Shift+Insert" -> "Shift+Ins".
std::string canonicalKey(const std::string& name);

// A whole word as a decimal integer; a text in double quotes (for messages).
bool isNumber(const std::string& s, long long& value);
std::string inQuotes(const std::string& s);

}  // namespace app
