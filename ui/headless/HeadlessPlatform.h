// The scripted back end of the platform layer: message boxes are recorded,
// questions are answered from a queue, progress and the wait cursor are
// recorded. Used by the command line and by tests; it has no windows, so the
// event pump only counts its calls.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Platform.h"
#include "ui/headless/HeadlessDialog.h"
#include "ui/headless/HeadlessWindows.h"

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
    void progressStartCancellable(std::uint64_t maximum) override;
    // A cancel queued for the cancellable progress under way comes once
    // half of it is done.
    bool progressCancelled() override;
    void showWaitCursor(bool on) override { waitCursorShown = on; }
    int runDialog(Dialog& dialog) override;
    std::optional<std::string> chooseFile(const FileRequest& request) override;
    SaveAnswer askSaveChanges(const std::string& text) override;
    void showStatus(const std::string& text) override { status = text; }
    bool showHelp(const std::string& path) override;
    FrameHost* createFrame(FrameLogic& logic, const std::vector<MenuCommand>& commands) override;
    int run() override { return 0; }
    // Chooses the entry of the text queued first; "" dismisses the menu.
    int popupMenu(const PopupMenu& menu) override;

    // Answers for the coming questions (yes/no and the save-changes
    // question alike; Cancel only fits the save-changes question), dialogs
    // and file choosers, oldest first.
    void queueConfirm(bool yes) { confirmAnswers.push_back(yes ? SaveAnswer::Yes : SaveAnswer::No); }
    void queueAnswer(SaveAnswer answer) { confirmAnswers.push_back(answer); }
    void queueDialog(DialogAnswer answer) { dialogAnswers.push_back(std::move(answer)); }
    void queueFile(std::optional<std::string> path) { fileAnswers.push_back(std::move(path)); }
    // The next cancellable operation is cancelled halfway.
    void queueProgressCancel() { ++progressCancels; }
    void queueMenu(std::string entry) { menuAnswers.push_back(std::move(entry)); }

    // Dialogs, choosers and questions that found no fitting answer, and
    // answers that did not fit: each ends a script with a failure.
    std::vector<std::string> failures;
    std::deque<DialogAnswer> dialogAnswers;
    // Checks of the coming dialogs, made before their answers are applied.
    std::deque<DialogExpectation> dialogExpectations;
    std::deque<std::optional<std::string>> fileAnswers;
    std::deque<std::string> menuAnswers;
    // The pop-up menus shown, with their check marks.
    std::vector<PopupMenu> menusShown;
    std::vector<FileRequest> fileRequests;
    // The titles and controls of the dialogs shown, last first closed.
    std::vector<std::string> dialogsShown;
    // The controls of the dialog that closed last, as they were when it closed.
    std::unique_ptr<HeadlessControls> lastDialog;
    std::string status;
    // The help pages shown.
    std::vector<std::string> helpPages;
    std::unique_ptr<HeadlessFrame> frame;

    // Called for every error box as it appears (the command line prints it).
    std::function<void(const std::string&)> onError;

    std::vector<std::string> errors;
    // Every question asked (yes/no and save-changes alike), in order.
    std::vector<std::string> questions;
    // Questions that found no queued answer (answered No).
    std::vector<std::string> unansweredQuestions;
    std::deque<SaveAnswer> confirmAnswers;
    long pumps = 0;
    bool progressActive = false;
    std::uint64_t progressMaximum = 0;
    std::uint64_t progressPosition = 0;
    long progressRuns = 0;
    bool progressCancellable = false;
    int progressCancels = 0;
    long cancelledRuns = 0;
    bool waitCursorShown = false;

private:
    Platform* previous_;
};

}  // namespace ui::headless
