// The platform layer's message boxes, event pump, progress bar and wait cursor:
// what the rest of the program calls instead of the windowing system.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

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

    // Called on the first beginWait and the matching last endWait.
    virtual void showWaitCursor(bool on) = 0;
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

// A progress bar for the life of the object, ranging 0..maximum.
class ProgressBar {
public:
    explicit ProgressBar(std::uint64_t maximum);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void setPosition(std::uint64_t n);
    void step() { setPosition(position_ + 1); }
    std::uint64_t position() const { return position_; }

private:
    std::uint64_t position_ = 0;
};

}  // namespace ui
