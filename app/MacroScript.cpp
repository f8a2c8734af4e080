// Macro script runner.
#include "app/MacroScript.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

#include "app/Application.h"
#include "app/CommandTable.h"
#include "app/PictureFile.h"
#include "app/ProjectSummary.h"
#include "app/Settings.h"
#include "model/Document.h"
#include "scene3d/ExportFile.h"
#include "textio/InputFile.h"
#include "textio/RealFormat.h"
#include "ui/headless/HeadlessPlatform.h"
#include "views/ViewWindow.h"

namespace app {

bool isNumber(const std::string& s, long long& value)
{
    return textio::parseInt(s, value);
}

std::string inQuotes(const std::string& s)
{
    return "\"" + s + "\"";
}

bool splitWords(const std::string& line, std::vector<std::string>& words, std::string& reason)
{
    words.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) {
            ++i;
        }
        if (i >= line.size() || line[i] == '#') {
            break;
        }
        std::string word;
        // A word may hold a quoted part (ID="text"): the quotes go, the text stays.
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
            if (line[i] == '"') {
                ++i;
                bool closed = false;
                while (i < line.size()) {
                    if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '"') {
                        word += '"';
                        i += 2;
                    } else if (line[i] == '"') {
                        ++i;
                        closed = true;
                        break;
                    } else {
                        word += line[i++];
                    }
                }
                if (!closed) {
                    reason = "a string without its closing quote";
                    return false;
                }
            } else {
                word += line[i++];
            }
        }
        words.push_back(word);
    }
    return true;
}

std::string canonicalKey(const std::string& name)
{
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    std::string rest = name;
    for (;;) {
        std::size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 == rest.size()) {
            break;
        }
        std::string mod = rest.substr(0, plus);
        if (textio::equalIgnoringCase(mod, "Shift")) {
            shift = true;
        } else if (textio::equalIgnoringCase(mod, "Ctrl") || textio::equalIgnoringCase(mod, "Control")) {
            ctrl = true;
        } else if (textio::equalIgnoringCase(mod, "Alt")) {
            alt = true;
        } else {
            break;
        }
        rest = rest.substr(plus + 1);
    }
    static const std::pair<const char*, const char*> names[] = {
        {"Delete", "Del"}, {"Del", "Del"},     {"Insert", "Ins"},   {"Ins", "Ins"},    {"Escape", "Esc"},
        {"Esc", "Esc"},    {"Enter", "Enter"}, {"Return", "Enter"}, {"Space", "Space"}};
    std::string base = rest;
    for (const auto& [from, to] : names) {
        if (textio::equalIgnoringCase(rest, from)) {
            base = to;
        }
    }
    if (base.size() == 1 && base[0] >= 'a' && base[0] <= 'z') {
        base[0] = static_cast<char>(base[0] - 'a' + 'A');
    }
    if ((base[0] == 'f' || base[0] == 'F') && base.size() > 1 && std::isdigit(static_cast<unsigned char>(base[1]))) {
        base[0] = 'F';
    }
    return std::string(ctrl ? "Ctrl+" : "") + (shift ? "Shift+" : "") + (alt ? "Alt+" : "") + base;
}

bool MacroRunner::key(const std::string& name, std::string& reason)
{
    std::string wanted = canonicalKey(name);
    for (const ui::MenuCommand& c : commandTable()) {
        for (const std::string& shortcut : c.shortcuts()) {
            if (canonicalKey(shortcut) == wanted) {
                if (app_.frame && !c.keyWhenGreyed && !app_.frame->isMenuEnabled(c.id)) {
                    return true;  // a greyed command's key does nothing
                }
                app_.dispatchCommand(c.id);
                return true;
            }
        }
    }
    ui::KeyEvent ev;
    std::string base = wanted;
    for (const char* mod : {"Ctrl+", "Shift+", "Alt+"}) {
        if (base.rfind(mod, 0) == 0) {
            (std::string(mod) == "Ctrl+" ? ev.ctrl : std::string(mod) == "Shift+" ? ev.shift : ev.alt) = true;
            base = base.substr(std::string(mod).size());
        }
    }
    if (base == "Space") {
        ev.code = ui::key::Space;
    } else if (base == "Enter") {
        ev.code = ui::key::Enter;
    } else if (base == "Esc") {
        ev.code = ui::key::Escape;
    } else if (base == "Del") {
        ev.code = ui::key::Delete;
    } else if (base == "Ins") {
        ev.code = ui::key::Insert;
    } else if (base.size() > 1 && base[0] == 'F') {
        ev.code = ui::key::F1 + std::atoi(base.c_str() + 1) - 1;
    } else if (base.size() == 1) {
        ev.code = static_cast<unsigned char>(base[0]);
    } else {
        reason = "unknown key " + inQuotes(name);
        return false;
    }
    app_.onKey(ev);
    return true;
}

bool MacroRunner::expectation(const std::vector<std::string>& w, std::string& reason)
{
    const std::string& what = w[1];
    if (what == "error" && w.size() == 3) {
        expectedErrors_.push_back(w[2]);
        return true;
    }
    if ((what == "title" || what == "status") && w.size() == 3) {
        std::string actual = what == "title" ? (app_.frame ? app_.frame->title() : std::string()) : platform_.status;
        if (actual != w[2]) {
            reason = "expected " + what + " " + inQuotes(w[2]) + ", got " + inQuotes(actual);
            return false;
        }
        return true;
    }
    if (what == "count" && w.size() == 4) {
        long long n = 0;
        if (!isNumber(w[3], n)) {
            reason = "expect count: N is not a number";
            return false;
        }
        std::map<std::string, long> counts = countByClass(app_.document);
        long actual = counts.count(w[2]) ? counts[w[2]] : 0;
        if (actual != n) {
            reason = "expected " + std::to_string(n) + " " + w[2] + ", found " + std::to_string(actual);
            return false;
        }
        return true;
    }
    if (what == "selected" && w.size() == 3) {
        long long n = 0;
        if (!isNumber(w[2], n)) {
            reason = "expect selected: N is not a number";
            return false;
        }
        int actual = app_.document.forEach([](model::Entity& e) { return e.selected ? 1 : 0; });
        if (actual != n) {
            reason = "expected " + std::to_string(n) + " selected, found " + std::to_string(actual);
            return false;
        }
        return true;
    }
    if ((what == "scale" && w.size() == 4) || (what == "centre" && w.size() == 5)) {
        views::ViewWindow* view = viewNamed(w[2], reason);
        if (!view) {
            return false;
        }
        double wanted[2] = {0.0, 0.0};
        for (std::size_t i = 3; i < w.size(); ++i) {
            if (!textio::parseReal(w[i], wanted[i - 3])) {
                reason = "expect " + what + ": " + inQuotes(w[i]) + " is not a number";
                return false;
            }
        }
        double actual[2] = {view->scale(), 0.0};
        if (what == "centre") {
            actual[0] = view->centre().u;
            actual[1] = view->centre().v;
        }
        for (std::size_t i = 0; i + 3 < w.size(); ++i) {
            if (std::fabs(actual[i] - wanted[i]) > 1e-9 * std::max(1.0, std::fabs(wanted[i]))) {
                char got[80];
                std::snprintf(got, sizeof got, what == "centre" ? "%.12g %.12g" : "%.12g", actual[0], actual[1]);
                reason = "expected " + what + " " + w[3] + (w.size() > 4 ? " " + w[4] : "") + " of " + w[2] + ", got " +
                         got;
                return false;
            }
        }
        return true;
    }
    if (what == "camera") {
        return expectCamera(w, reason);
    }
    if (what == "contains" && w.size() == 4) {
        std::string text;
        if (!textio::readWholeFile(w[2], textio::anySize, text) || text.find(w[3]) == std::string::npos) {
            reason = "expected " + w[2] + " to hold " + inQuotes(w[3]);
            return false;
        }
        return true;
    }
    if (what == "same" && w.size() == 4) {
        // Byte for byte.
        std::string a;
        std::string b;
        if (!textio::readWholeFile(w[2], textio::anySize, a) || !textio::readWholeFile(w[3], textio::anySize, b)) {
            reason = "can't read " + w[2] + " or " + w[3];
            return false;
        }
        if (a != b) {
            reason = "expected " + w[2] + " and " + w[3] + " to be the same";
            return false;
        }
        return true;
    }
    if (what == "control" && w.size() == 4) {
        long long id = 0;
        if (!isNumber(w[2], id)) {
            reason = "expect control: ID is not a number";
            return false;
        }
        const ui::headless::HeadlessControls* last = platform_.lastDialog.get();
        if (!last) {
            reason = "expect control: no dialog has closed yet";
            return false;
        }
        std::string shown = last->text(static_cast<int>(id));
        bool found = shown.find(w[3]) != std::string::npos;
        // Table rows separate their cells with tabs: a script writes blanks.
        for (std::string row : last->items(static_cast<int>(id))) {
            std::replace(row.begin(), row.end(), '\t', ' ');
            found = found || row.find(w[3]) != std::string::npos;
            shown += (shown.empty() ? "" : " | ") + row;
        }
        if (!found) {
            reason = "expected control " + w[2] + " of " + last->dialogTemplate().name + " to show " + inQuotes(w[3]) +
                     ", it shows " + inQuotes(shown);
            return false;
        }
        return true;
    }
    bool known = false;
    if (bool ok = desktopExpectation(w, reason, known); known) {
        return ok;
    }
    if (what == "readout" && w.size() == 3) {
        std::string actual = app_.tools ? app_.tools->bar.readOut() : std::string();
        // Given with its blanks (two in a row, or at either end), the text
        // must match to the blank: the padding is what the user sees line up.
        bool padded = w[2].find("  ") != std::string::npos ||
                      (!w[2].empty() && (w[2].front() == ' ' || w[2].back() == ' '));
        if (padded) {
            if (actual != w[2]) {
                reason = "expected read-out " + inQuotes(w[2]) + ", got " + inQuotes(actual);
                return false;
            }
            return true;
        }
        // Otherwise the figures are compared word by word.
        std::istringstream a(actual);
        std::istringstream b(w[2]);
        std::string x;
        std::string y;
        bool same = true;
        while (true) {
            bool more = static_cast<bool>(a >> x);
            if (more != static_cast<bool>(b >> y)) {
                same = false;
                break;
            }
            if (!more) {
                break;
            }
            same = same && x == y;
        }
        if (!same) {
            reason = "expected read-out " + inQuotes(w[2]) + ", got " + inQuotes(actual);
            return false;
        }
        return true;
    }
    if (what == "modified" && w.size() == 3 && (w[2] == "yes" || w[2] == "no")) {
        bool wanted = w[2] == "yes";
        if (app_.document.modified() != wanted) {
            reason = std::string("expected the model ") + (wanted ? "modified" : "unmodified");
            return false;
        }
        return true;
    }
    reason = "unknown expectation";
    return false;
}

bool MacroRunner::statement(const std::vector<std::string>& w, std::string& reason)
{
    const std::string& verb = w[0];
    if (verb == "command" && w.size() == 2) {
        long long id = 0;
        if (!isNumber(w[1], id)) {
            id = commandByText(w[1]);
            if (id == 0) {
                reason = "no menu command " + inQuotes(w[1]);
                return false;
            }
        }
        // Choosing from a menu opens it first, which sets its greying.
        app_.updateMenuState();
        if (app_.frame && !app_.frame->isMenuEnabled(static_cast<int>(id))) {
            return true;  // greyed: choosing it does nothing
        }
        if (!app_.dispatchCommand(static_cast<int>(id))) {
            reason = "command " + w[1] + " is not handled";
            return false;
        }
        return true;
    }
    if (verb == "key" && w.size() == 2) {
        return key(w[1], reason);
    }
    if (verb == "answer" && w.size() >= 3) {
        if (w[1] == "file" && w.size() == 3) {
            platform_.queueFile(w[2] == "cancel" ? std::nullopt : std::optional<std::string>(w[2]));
            return true;
        }
        if (w[1] == "confirm" && w.size() == 3 && (w[2] == "yes" || w[2] == "no" || w[2] == "cancel")) {
            using Answer = ui::Platform::SaveAnswer;
            platform_.queueAnswer(w[2] == "yes" ? Answer::Yes : w[2] == "no" ? Answer::No : Answer::Cancel);
            return true;
        }
        if (w[1] == "progress" && w.size() == 3 && w[2] == "cancel") {
            platform_.queueProgressCancel();
            return true;
        }
        const std::string& last = w.back();
        if (last != "ok" && last != "cancel") {
            reason = "an answer ends with ok or cancel";
            return false;
        }
        ui::headless::DialogAnswer answer;
        answer.templateName = w[1];
        answer.ok = last == "ok";
        for (std::size_t i = 2; i + 1 < w.size(); ++i) {
            std::size_t eq = w[i].find('=');
            long long id = 0;
            if (eq == std::string::npos || !isNumber(w[i].substr(0, eq), id)) {
                reason = "a value is ID=VALUE (or ID==SHOWN): " + inQuotes(w[i]);
                return false;
            }
            // ID==TEXT: what the control must show when the dialog opens.
            if (w[i].compare(eq, 2, "==") == 0) {
                answer.shown.emplace_back(static_cast<int>(id), w[i].substr(eq + 2));
            } else {
                answer.values.emplace_back(static_cast<int>(id), w[i].substr(eq + 1));
            }
        }
        platform_.queueDialog(std::move(answer));
        return true;
    }
    if (verb == "expect" && w.size() >= 3) {
        return expectation(w, reason);
    }
    bool known = false;
    if (bool ok = desktopStatement(w, reason, known); known) {
        return ok;
    }
    if (verb == "viewsize" || verb == "press" || verb == "move" || verb == "release" || verb == "drag" ||
        verb == "click" || verb == "rclick" || verb == "wheel" || verb == "render") {
        return viewStatement(w, reason);
    }
    if (verb == "hold" || verb == "menu") {
        return view3DStatement(w, reason);
    }
    if (verb == "dump" && w.size() == 2) {
        std::string ext = std::filesystem::path(w[1]).extension().string();
        if (ext.empty()) {
            reason = "dump needs a file name with an extension";
            return false;
        }
        // As every file written from the document: DXF layers follow the settings.
        scene3d::exportFile(app_.document, w[1], ext, exportOptions());
        return true;
    }
    reason = "unknown statement";
    return false;
}

views::ViewWindow* MacroRunner::viewNamed(const std::string& name, std::string& reason)
{
    for (const auto& v : app_.views.all()) {
        if (textio::equalIgnoringCase(v->projection().className(), name)) {
            return v.get();
        }
    }
    reason = "no view " + inQuotes(name);
    return nullptr;
}

namespace {

// A pixel, or @U,V in metres through the view's mapping as it is now.
bool parsePixel(const std::string& x, const std::string& y, ui::PixelPoint& out, std::string& reason)
{
    long long px = 0;
    long long py = 0;
    if (isNumber(x, px) && isNumber(y, py)) {
        out = {static_cast<int>(px), static_cast<int>(py)};
        return true;
    }
    reason = "a point is X Y in pixels or @U,V in metres";
    return false;
}

bool parseViewPoint(const views::ViewWindow& view, const std::string& word, ui::PixelPoint& out, std::string& reason)
{
    std::size_t comma = word.find(',');
    double u = 0.0;
    double v = 0.0;
    if (word.size() < 4 || word[0] != '@' || comma == std::string::npos ||
        !textio::parseReal(word.substr(1, comma - 1), u) || !textio::parseReal(word.substr(comma + 1), v)) {
        reason = "a point is X Y in pixels or @U,V in metres";
        return false;
    }
    out = view.viewToPixel({u, v});
    return true;
}

// Points from the words at `i` on: "@U,V" takes one word, "X Y" two.
bool takePoint(const views::ViewWindow& view, const std::vector<std::string>& w, std::size_t& i, ui::PixelPoint& out,
               std::string& reason)
{
    if (i < w.size() && !w[i].empty() && w[i][0] == '@') {
        return parseViewPoint(view, w[i++], out, reason);
    }
    if (i + 1 >= w.size()) {
        reason = "a point is missing";
        return false;
    }
    i += 2;
    return parsePixel(w[i - 2], w[i - 1], out, reason);
}

}  // namespace

bool MacroRunner::viewStatement(const std::vector<std::string>& w, std::string& reason)
{
    const std::string& verb = w[0];
    if (w.size() < 2) {
        reason = verb + " needs a view";
        return false;
    }
    views::ViewWindow* view = viewNamed(w[1], reason);
    if (!view) {
        return false;
    }
    auto* native = static_cast<ui::headless::HeadlessWindow*>(view->native);
    if (verb == "viewsize") {
        long long width = 0;
        long long height = 0;
        if (w.size() != 4 || !isNumber(w[2], width) || !isNumber(w[3], height) || width < 1 || height < 1 ||
            width > 16384 || height > 16384) {
            reason = "viewsize VIEW W H, in pixels";
            return false;
        }
        ui::PixelRect r = native->geometry();
        native->setGeometry(ui::PixelRect::fromSize(r.left, r.top, static_cast<int>(width), static_cast<int>(height)));
        return true;
    }
    if (verb == "wheel") {
        long long delta = 0;
        ui::MouseEvent at;
        ui::PixelPoint pointer{};
        std::size_t i = 3;
        if (w.size() < 3 || !isNumber(w[2], delta) ||
            (w.size() > 3 && (!takePoint(*view, w, i, pointer, reason) || i != w.size()))) {
            reason = "wheel VIEW DELTA [X Y]";
            return false;
        }
        if (w.size() > 3) {
            at.x = pointer.x;
            at.y = pointer.y;
        } else {
            at.x = view->width() / 2;
            at.y = view->height() / 2;
        }
        view->onWheel(static_cast<int>(delta), at);
        return true;
    }
    if (verb == "render") {
        if (w.size() != 3) {
            reason = "render VIEW PATH.png";
            return false;
        }
        if (!native->canvas) {
            reason = "render needs pictures, which this build cannot draw";
            return false;
        }
        if (!native->isVisible()) {
            reason = "view " + w[1] + " is hidden";
            return false;
        }
        native->paintIfDirty();
        if (!pictureDrawn(*view, reason)) {
            return false;
        }
        if (!savePicture(*native->canvas, w[2])) {
            reason = "can't write " + w[2];
            return false;
        }
        return true;
    }
    std::size_t i = 2;
    ui::PixelPoint a;
    ui::PixelPoint b;
    if (!takePoint(*view, w, i, a, reason)) {
        return false;
    }
    if (verb == "drag" && !takePoint(*view, w, i, b, reason)) {
        return false;
    }
    ui::MouseEvent e;
    e.button = verb == "rclick" ? ui::MouseButton::Right : ui::MouseButton::Left;
    for (; i < w.size(); ++i) {
        if (w[i] == "shift") {
            e.shift = true;
        } else if (w[i] == "ctrl") {
            e.ctrl = true;
        } else if (w[i] == "middle") {
            e.button = ui::MouseButton::Middle;
        } else if (w[i] == "right") {
            e.button = ui::MouseButton::Right;
        } else {
            reason = "unknown word " + inQuotes(w[i]);
            return false;
        }
    }
    auto at = [&e](ui::PixelPoint p) {
        ui::MouseEvent m = e;
        m.x = p.x;
        m.y = p.y;
        return m;
    };
    ui::MouseEvent moving = at(a);
    moving.button = ui::MouseButton::None;
    if (verb == "press") {
        view->onMouseDown(at(a));
    } else if (verb == "move") {
        view->onMouseMove(moving);
    } else if (verb == "release") {
        view->onMouseUp(at(a));
    } else if (verb == "click" || verb == "rclick") {
        view->onMouseMove(moving);
        view->onMouseDown(at(a));
        view->onMouseUp(at(a));
    } else if (verb == "drag") {
        view->onMouseMove(moving);
        view->onMouseDown(at(a));
        ui::MouseEvent to = at(b);
        to.button = ui::MouseButton::None;
        view->onMouseMove(to);
        view->onMouseUp(at(b));
    }
    return true;
}

bool MacroRunner::check(std::string& reason)
{
    while (errorsSeen_ < platform_.errors.size()) {
        const std::string& shown = platform_.errors[errorsSeen_++];
        if (expectedErrors_.empty()) {
            reason = "unexpected error box " + inQuotes(shown);
            return false;
        }
        const std::string& wanted = expectedErrors_.front();
        // "TEXT*" stands for any message that begins with TEXT (file names
        // made up by the program itself, for instance).
        bool matches = (!wanted.empty() && wanted.back() == '*')
                           ? shown.compare(0, wanted.size() - 1, wanted, 0, wanted.size() - 1) == 0
                           : wanted == shown;
        if (!matches) {
            reason = "expected error " + inQuotes(expectedErrors_.front()) + ", got " + inQuotes(shown);
            return false;
        }
        expectedErrors_.pop_front();
    }
    while (questionsSeen_ < platform_.questions.size()) {
        const std::string& asked = platform_.questions[questionsSeen_++];
        if (expectedQuestions_.empty()) {
            continue;  // questions need answers, not announcements
        }
        if (expectedQuestions_.front() != asked) {
            reason = "expected the question " + inQuotes(expectedQuestions_.front()) + ", got " + inQuotes(asked);
            return false;
        }
        expectedQuestions_.pop_front();
    }
    if (failuresSeen_ < platform_.failures.size()) {
        reason = platform_.failures[failuresSeen_++];
        return false;
    }
    return true;
}

bool MacroRunner::finish(std::string& reason)
{
    if (!expectedErrors_.empty()) {
        reason = "the expected error " + inQuotes(expectedErrors_.front()) + " never appeared";
        return false;
    }
    if (!expectedQuestions_.empty()) {
        reason = "the expected question " + inQuotes(expectedQuestions_.front()) + " was never asked";
        return false;
    }
    if (!platform_.dialogExpectations.empty()) {
        reason = "no dialog " + platform_.dialogExpectations.front().templateName + " opened to be checked";
        return false;
    }
    if (!platform_.dialogAnswers.empty()) {
        reason = "the answer for dialog " + platform_.dialogAnswers.front().templateName + " was never used";
        return false;
    }
    if (!platform_.fileAnswers.empty()) {
        reason = "an answer for the file chooser was never used";
        return false;
    }
    if (!platform_.confirmAnswers.empty()) {
        reason = "an answer for a question was never used";
        return false;
    }
    if (platform_.progressCancels > 0) {
        reason = "a cancel for a progress bar was never used";
        return false;
    }
    return true;
}

bool MacroRunner::run(const std::string& script, const std::string& name, std::string& failure)
{
    std::istringstream lines(script);
    std::string line;
    int number = 0;
    std::vector<std::string> words;
    std::string reason;
    while (std::getline(lines, line)) {
        ++number;
        if (!splitWords(line, words, reason) || (!words.empty() && (!statement(words, reason) || !check(reason)))) {
            failure = name + ":" + std::to_string(number) + ": " + reason;
            return false;
        }
        // As the event loop would between two user actions: invalid windows repaint.
        if (!words.empty() && app_.frame) {
            app_.frame->processPendingEvents();
        }
        if (!check(reason)) {
            failure = name + ":" + std::to_string(number) + ": " + reason;
            return false;
        }
    }
    if (!check(reason) || !finish(reason)) {
        failure = name + ":" + std::to_string(number) + ": " + reason;
        return false;
    }
    return true;
}

}  // namespace app
