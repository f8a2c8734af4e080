// Macro-script statements about what a user sees of the desktop: menus and
// their check marks, questions, what a dialog shows when it opens, files
// dropped on the frame or a view, the scroll bars, and files written while
// the program runs.
#include <cstdio>
#include <cstdlib>

#include "app/Application.h"
#include "app/CommandTable.h"
#include "app/MacroScript.h"
#include "storage/AtomicFile.h"
#include "ui/headless/HeadlessPlatform.h"
#include "views/ViewWindow.h"

namespace app {

namespace {

// \n in a script's text stands for a line break.
std::string withLineBreaks(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

bool MacroRunner::desktopExpectation(const std::vector<std::string>& w, std::string& reason, bool& known)
{
    known = true;
    const std::string& what = w[1];
    if (what == "question" && w.size() == 3) {
        expectedQuestions_.push_back(w[2]);
        return true;
    }
    if (what == "dialog" && w.size() == 5) {
        long long id = 0;
        if (!isNumber(w[3], id)) {
            reason = "expect dialog TEMPLATE ID \"TEXT\"";
            return false;
        }
        platform_.dialogExpectations.push_back({w[2], static_cast<int>(id), w[4]});
        return true;
    }
    if (what == "menu" && w.size() == 4) {
        long long id = 0;
        if (!isNumber(w[2], id)) {
            id = commandByText(w[2]);
        }
        if (id == 0 || !commandById(static_cast<int>(id))) {
            reason = "no menu command " + inQuotes(w[2]);
            return false;
        }
        if (!app_.frame) {
            reason = "the program has no frame";
            return false;
        }
        app_.updateMenuState();  // as the menu opens
        const std::string& state = w[3];
        int command = static_cast<int>(id);
        bool actual = false;
        if (state == "checked" || state == "unchecked") {
            actual = app_.frame->isMenuChecked(command) == (state == "checked");
        } else if (state == "enabled" || state == "disabled") {
            actual = app_.frame->isMenuEnabled(command) == (state == "enabled");
        } else {
            reason = "expect menu ID checked|unchecked|enabled|disabled";
            return false;
        }
        if (!actual) {
            reason = "expected menu " + w[2] + " " + state;
            return false;
        }
        return true;
    }
    known = false;
    return false;
}

bool MacroRunner::desktopStatement(const std::vector<std::string>& w, std::string& reason, bool& known)
{
    known = true;
    const std::string& verb = w[0];
    if (verb == "write" && w.size() == 3) {
        std::string text = withLineBreaks(w[2]);
        if (!storage::writeFileAtomically(
                w[1], [&text](std::FILE* f) { return std::fwrite(text.data(), 1, text.size(), f) == text.size(); })) {
            reason = "can't write " + w[1];
            return false;
        }
        return true;
    }
    if (verb == "drop" && (w.size() == 2 || w.size() == 3)) {
        if (w.size() == 2) {
            app_.onDropFiles({w[1]});
            return true;
        }
        views::ViewWindow* view = viewNamed(w[2], reason);
        if (!view) {
            return false;
        }
        view->onDropFiles({w[1]});
        return true;
    }
    if (verb == "scroll" && w.size() == 5) {
        views::ViewWindow* view = viewNamed(w[1], reason);
        if (!view) {
            return false;
        }
        if (w[2] != "h" && w[2] != "v") {
            reason = "scroll VIEW h|v line|page DELTA, or scroll VIEW h|v thumb POS";
            return false;
        }
        ui::ScrollBar bar = w[2] == "h" ? ui::ScrollBar::Horizontal : ui::ScrollBar::Vertical;
        long long n = 0;
        if (!isNumber(w[4], n) || (w[3] != "line" && w[3] != "page" && w[3] != "thumb")) {
            reason = "scroll VIEW h|v line|page DELTA, or scroll VIEW h|v thumb POS";
            return false;
        }
        if (w[3] == "thumb") {
            view->onScroll(bar, ui::ScrollRequest::ThumbTrack, static_cast<int>(n));
            view->onScroll(bar, ui::ScrollRequest::Thumb, static_cast<int>(n));
        } else {
            bool line = w[3] == "line";
            ui::ScrollRequest step = n < 0 ? (line ? ui::ScrollRequest::LineUp : ui::ScrollRequest::PageUp)
                                           : (line ? ui::ScrollRequest::LineDown : ui::ScrollRequest::PageDown);
            for (long long k = 0; k < std::llabs(n) && k < 10000; ++k) {
                view->onScroll(bar, step, 0);
            }
        }
        view->onScroll(bar, ui::ScrollRequest::End, 0);
        return true;
    }
    known = false;
    return false;
}

}  // namespace app
