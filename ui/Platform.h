// The platform layer's message boxes, event pump, progress bar and wait cursor:
// what the rest of the program calls instead of the windowing system.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/PopupMenu.h"

namespace ui {

struct Image;
class Dialog;
class FrameHost;
class FrameLogic;
struct FileRequest;
struct MenuCommand;

// One implementation per back end (Qt, headless). Everything runs on the one
// user-interface thread.
class Platform {
public:
    virtual ~Platform() = default;

    // A modal message box titled "ERROR" with an OK button.
    virtual void showError(const std::string& text) = 0;
    // A modal message box titled "Confirm" with Yes and No; true for Yes.
    virtual bool askConfirm(const std::string& text) = 0;
    // Handles the pending window messages, dropping mouse clicks and wheel
    // turns, so that long operations keep the windows alive.
    virtual void pumpEvents() = 0;

    // The progress bar at the bottom of the frame, for one long operation.
    virtual void progressStart(std::uint64_t maximum) = 0;
    virtual void progressSet(std::uint64_t position) = 0;
    virtual void progressEnd() = 0;
    // A long operation the user may stop: its progress comes with a way to
    // cancel it, and progressCancelled answers whether the user did.
    virtual void progressStartCancellable(std::uint64_t maximum) { progressStart(maximum); }
    virtual bool progressCancelled() { return false; }

    // Called on the first beginWait and the matching last endWait.
    virtual void showWaitCursor(bool on) = 0;

    // Builds the dialog from its template, runs it modally handing its
    // events to the dialog object, and answers the dialog's result.
    virtual int runDialog(Dialog& dialog) = 0;
    // The open or save file dialog; nothing when cancelled.
    virtual std::optional<std::string> chooseFile(const FileRequest& request) = 0;
    // The question before changes are dropped: a beep and "Save Changes ?"
    // titled "Tolvane CAD" with Yes, No and Cancel (Esc cancels: a question
    // that cannot be backed out of, where Esc throws the work away, loses it).
    enum class SaveAnswer { Yes, No, Cancel };
    virtual SaveAnswer askSaveChanges(const std::string& text) = 0;
    // The status line (the prompt area of the coordinate bar).
    virtual void showStatus(const std::string& text) = 0;
    // Shows an HTML page (the manual) in the program's help window, its
    // links working; false when the page cannot be read.
    virtual bool showHelp(const std::string& path) = 0;

    // The toolkit the back end draws with and its version ("Qt 6.4.2"),
    // empty when there is none.
    virtual std::string toolkit() const { return {}; }

    // Colours of the desktop's theme (0x00BBGGRR).
    enum class SystemColour { Menu, ButtonFace, ButtonText };
    virtual std::uint32_t systemColour(SystemColour which) const
    {
        return which == SystemColour::ButtonText ? 0x000000u : 0xF0F0F0u;
    }
    // Reads a picture file; false when it cannot.
    virtual bool loadImage(const std::string& path, Image& out) { return false; }
    // A pop-up menu for a window that shows none itself: the index of the
    // entry chosen, or -1 when dismissed.
    virtual int popupMenu(const PopupMenu& menu) { return -1; }

    // The main frame with its menus; owned by the back end.
    virtual FrameHost* createFrame(FrameLogic& logic, const std::vector<MenuCommand>& commands) = 0;
    // The event loop, until the frame has closed; answers the exit code.
    virtual int run() = 0;
};

// The back end in use. Until one is installed, a minimal one writes errors to
// stderr and answers every question with No.
Platform& platform();
// Installs a back end (not owned); null restores the minimal one. Answers the
// previous back end.
Platform* setPlatform(Platform* p);

// printf-style text, formatted without a length limit.
void errorBox(const char* format, ...) __attribute__((format(printf, 1, 2)));
bool confirmBox(const std::string& text);
void pumpEvents();

// Nested hour-glass cursor: shown by the first begin, restored by the last end.
void beginWait();
void endWait();

class WaitCursor {
public:
    WaitCursor() { beginWait(); }
    ~WaitCursor() { endWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The status line.
void showStatus(const std::string& text);
// Whoever shows the status line in the frame (the coordinate bar) hears of
// every new text; null for none.
void setStatusListener(std::function<void(const std::string&)> listener);

// A progress bar for the life of the object, ranging 0..maximum; a
// cancellable one lets the user stop the operation.
class ProgressBar {
public:
    explicit ProgressBar(std::uint64_t maximum, bool cancellable = false);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void setPosition(std::uint64_t n);
    void step() { setPosition(position_ + 1); }
    std::uint64_t position() const { return position_; }
    // Whether the user asked to stop (always false when not cancellable).
    bool cancelled();

private:
    std::uint64_t position_ = 0;
    bool cancellable_ = false;
    bool cancelled_ = false;
};

}  // namespace ui
