// The scripted back end of the platform layer: message boxes are recorded,
// questions are answered from a queue, progress and the wait cursor are
// recorded. Used by the command line and by tests; it has no windows, so the
// event pump only counts its calls.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/Platform.h"

namespace ui::headless {

class HeadlessPlatform final : public Platform {
public:
    // Installs itself as the current back end for its lifetime.
    HeadlessPlatform();
    ~HeadlessPlatform() override;

    void showError(const std::string& text) override;
    bool askConfirm(const std::string& text) override;
    void pumpEvents() override { ++pumps; }
    void progressStart(std::uint64_t maximum) override;
    void progressSet(std::uint64_t position) override;
    void progressEnd() override { progressActive = false; }
    void showWaitCursor(bool on) override { waitCursorShown = on; }

    // Answers for the coming questions, oldest first.
    void queueConfirm(bool yes) { confirmAnswers.push_back(yes); }

    // Called for every error box as it appears (the command line prints it).
    std::function<void(const std::string&)> onError;

    std::vector<std::string> errors;
    std::vector<std::string> questions;
    // Questions that found no queued answer (answered No).
    std::vector<std::string> unansweredQuestions;
    std::deque<bool> confirmAnswers;
    long pumps = 0;
    bool progressActive = false;
    std::uint64_t progressMaximum = 0;
    std::uint64_t progressPosition = 0;
    long progressRuns = 0;
    bool waitCursorShown = false;

private:
    Platform* previous_;
};

}  // namespace ui::headless
