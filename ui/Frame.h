// The main frame: its logic (commands, keys, close, dropped files) and what
// a back end does for it (menus built from the command table, the title, the
// area the views live in).
#pragma once

#include <string>
#include <vector>

#include "ui/Window.h"

namespace ui {

// One entry of the command table: the menu it sits in, its text with the
// '&' of its mnemonic, and its accelerator ("Shift+Del", "Ctrl+Z", "F5"),
// with the further keys a Linux desktop user expects for the same command
// ("Ctrl+X" next to "Shift+Del", "Return" next to the keypad's "Enter").
struct MenuCommand {
    int id = 0;
    std::string menu;
    std::string text;
    std::string shortcut;
    bool separatorBefore = false;
    std::vector<std::string> moreShortcuts = {};
    // The keys work while the entry is greyed (Undo with nothing to undo
    // still says "Nothing to undo!").
    bool keyWhenGreyed = false;

    // Every key of the command, the first one first.
    std::vector<std::string> shortcuts() const
    {
        std::vector<std::string> all;
        if (!shortcut.empty()) {
            all.push_back(shortcut);
        }
        all.insert(all.end(), moreShortcuts.begin(), moreShortcuts.end());
        return all;
    }
};

class FrameLogic {
public:
    virtual ~FrameLogic() = default;
    // A menu command or an accelerator; true when handled.
    virtual bool onCommand(int id) = 0;
    // A key no accelerator took; true when used.
    virtual bool onKey(const KeyEvent& key) = 0;
    // The close box, Exit, or the session ending: true lets the frame close.
    virtual bool onClose() = 0;
    virtual void onDropFiles(const std::vector<std::string>& files) = 0;
    // A menu is about to open: the time to set its check marks and greying.
    virtual void onMenuOpening() {}
};

class FrameHost {
public:
    virtual ~FrameHost() = default;

    virtual void setTitle(const std::string& title) = 0;
    virtual std::string title() const = 0;
    virtual void setMenuChecked(int id, bool checked) = 0;
    virtual void setMenuEnabled(int id, bool enabled) = 0;
    virtual bool isMenuChecked(int id) const = 0;
    virtual bool isMenuEnabled(int id) const = 0;

    // The client area that holds the views.
    virtual int viewAreaWidth() const = 0;
    virtual int viewAreaHeight() const = 0;
    // A sizing frame plus a caption, less one: the step of cascaded windows.
    virtual int cascadeStep() const = 0;
    // A view window in the view area, hidden until shown.
    virtual NativeWindow* createView(Window& logic, const std::string& title) = 0;
    // The same with an OpenGL surface to draw on.
    virtual NativeWindow* createGlView(Window& logic, const std::string& title) { return createView(logic, title); }
    // A fixed window docked along the top (the tool palette) or along the
    // bottom of the frame (the coordinate bar), as wide as the frame when
    // width is 0.
    enum class BarPlace { Top, Bottom };
    virtual NativeWindow* createBar(Window& logic, BarPlace place, int width, int height) = 0;
    // The height of a line of the interface's font.
    virtual int fontHeight() const { return 13; }

    virtual void showMaximized() = 0;
    // Handles the events already waiting (so that views take new sizes).
    virtual void processPendingEvents() = 0;
    // Closes the frame as its close box would (asking its logic first).
    virtual void requestClose() = 0;
};

}  // namespace ui
