// Dispatch of the platform calls to the installed back end.
#include "ui/Platform.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace ui {

namespace {

class MinimalPlatform final : public Platform {
public:
    void showError(const std::string& text) override { std::fprintf(stderr, "ERROR: %s\n", text.c_str()); }
    bool askConfirm(const std::string&) override { return false; }
    void pumpEvents() override {}
    void progressStart(std::uint64_t) override {}
    void progressSet(std::uint64_t) override {}
    void progressEnd() override {}
    void showWaitCursor(bool) override {}
    int runDialog(Dialog&) override { return 0; }
    std::optional<std::string> chooseFile(const FileRequest&) override { return std::nullopt; }
    SaveAnswer askSaveChanges(const std::string&) override { return SaveAnswer::No; }
    void showStatus(const std::string&) override {}
    bool showHelp(const std::string&) override { return false; }
    FrameHost* createFrame(FrameLogic&, const std::vector<MenuCommand>&) override { return nullptr; }
    int run() override { return 0; }
};

MinimalPlatform minimal;
std::function<void(const std::string&)> statusListener;
Platform* current = &minimal;
int waitDepth = 0;

}  // namespace

Platform& platform()
{
    return *current;
}

Platform* setPlatform(Platform* p)
{
    Platform* previous = current;
    current = p ? p : &minimal;
    return previous;
}

void errorBox(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (n > 0) {
        std::vector<char> buf(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, args);
        text.assign(buf.data(), static_cast<std::size_t>(n));
    }
    va_end(args);
    current->showError(text);
}

bool confirmBox(const std::string& text)
{
    return current->askConfirm(text);
}

void pumpEvents()
{
    current->pumpEvents();
}

void showStatus(const std::string& text)
{
    current->showStatus(text);
    if (statusListener) {
        statusListener(text);
    }
}

void setStatusListener(std::function<void(const std::string&)> listener)
{
    statusListener = std::move(listener);
}

void beginWait()
{
    if (waitDepth++ == 0) {
        current->showWaitCursor(true);
    }
}

void endWait()
{
    if (waitDepth > 0 && --waitDepth == 0) {
        current->showWaitCursor(false);
    }
}

ProgressBar::ProgressBar(std::uint64_t maximum, bool cancellable) : cancellable_(cancellable)
{
    if (cancellable) {
        current->progressStartCancellable(maximum);
    } else {
        current->progressStart(maximum);
    }
}

bool ProgressBar::cancelled()
{
    if (cancellable_ && !cancelled_) {
        cancelled_ = current->progressCancelled();
    }
    return cancelled_;
}

ProgressBar::~ProgressBar()
{
    current->progressEnd();
}

void ProgressBar::setPosition(std::uint64_t n)
{
    position_ = n;
    current->progressSet(n);
}

}  // namespace ui
