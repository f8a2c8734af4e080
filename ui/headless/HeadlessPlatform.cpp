// Recording back end.
#include "ui/headless/HeadlessPlatform.h"

#include <filesystem>

#include "textio/RealFormat.h"
#include "ui/FileChooser.h"

namespace ui::headless {

HeadlessPlatform::HeadlessPlatform() : previous_(setPlatform(this)) {}

HeadlessPlatform::~HeadlessPlatform()
{
    setPlatform(previous_);
}

void HeadlessPlatform::showError(const std::string& text)
{
    errors.push_back(text);
    if (onError) {
        onError(text);
    }
}

bool HeadlessPlatform::askConfirm(const std::string& text)
{
    questions.push_back(text);
    if (confirmAnswers.empty()) {
        unansweredQuestions.push_back(text);
        failures.push_back("no answer for the question \"" + text + "\"");
        return false;
    }
    SaveAnswer answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    if (answer == SaveAnswer::Cancel) {
        failures.push_back("the question \"" + text + "\" has no Cancel");
        return false;
    }
    return answer == SaveAnswer::Yes;
}

Platform::SaveAnswer HeadlessPlatform::askSaveChanges(const std::string& text)
{
    questions.push_back(text);
    if (confirmAnswers.empty()) {
        unansweredQuestions.push_back(text);
        failures.push_back("no answer for the question \"" + text + "\"");
        return SaveAnswer::Cancel;
    }
    SaveAnswer answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

int HeadlessPlatform::runDialog(Dialog& dialog)
{
    const DialogTemplate* t = findTemplate(dialog.templateName());
    if (!t) {
        failures.push_back(std::string("no template for dialog ") + dialog.templateName());
        return 0;
    }
    dialogsShown.push_back(t->name);
    if (dialogAnswers.empty() || !textio::equalIgnoringCase(dialogAnswers.front().templateName, t->name)) {
        failures.push_back("no answer for dialog " + t->name +
                           (dialogAnswers.empty()
                                ? std::string()
                                : " (next answer is for " + dialogAnswers.front().templateName + ")"));
        return 0;
    }
    DialogAnswer answer = std::move(dialogAnswers.front());
    dialogAnswers.pop_front();
    while (!dialogExpectations.empty() && textio::equalIgnoringCase(dialogExpectations.front().templateName, t->name)) {
        answer.shown.insert(answer.shown.begin(), {dialogExpectations.front().id, dialogExpectations.front().text});
        dialogExpectations.pop_front();
    }
    auto controls = std::make_unique<HeadlessControls>(*t);
    std::string problem = playDialog(dialog, *t, answer, *controls);
    if (!problem.empty()) {
        failures.push_back(problem);
    }
    failures.insert(failures.end(), controls->problems.begin(), controls->problems.end());
    lastDialog = std::move(controls);
    return dialog.result;
}

std::optional<std::string> HeadlessPlatform::chooseFile(const FileRequest& request)
{
    fileRequests.push_back(request);
    if (fileAnswers.empty()) {
        failures.push_back("no answer for the file chooser");
        return std::nullopt;
    }
    std::optional<std::string> answer = std::move(fileAnswers.front());
    fileAnswers.pop_front();
    return answer;
}

int HeadlessPlatform::popupMenu(const PopupMenu& menu)
{
    menusShown.push_back(menu);
    if (menuAnswers.empty()) {
        failures.push_back("no answer for a pop-up menu");
        return -1;
    }
    std::string wanted = std::move(menuAnswers.front());
    menuAnswers.pop_front();
    if (wanted.empty()) {
        return -1;
    }
    for (std::size_t i = 0; i < menu.size(); ++i) {
        if (!menu[i].separator() && menu[i].text == wanted) {
            return static_cast<int>(i);
        }
    }
    failures.push_back("the pop-up menu has no entry \"" + wanted + "\"");
    return -1;
}

bool HeadlessPlatform::showHelp(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return false;
    }
    helpPages.push_back(path);
    return true;
}

FrameHost* HeadlessPlatform::createFrame(FrameLogic& logic, const std::vector<MenuCommand>& commands)
{
    frame = std::make_unique<HeadlessFrame>(logic, commands);
    return frame.get();
}

void HeadlessPlatform::progressStartCancellable(std::uint64_t maximum)
{
    progressStart(maximum);
    progressCancellable = true;
}

bool HeadlessPlatform::progressCancelled()
{
    if (!progressActive || !progressCancellable || progressCancels == 0 || progressPosition * 2 < progressMaximum) {
        return false;
    }
    --progressCancels;
    ++cancelledRuns;
    progressCancellable = false;
    return true;
}

void HeadlessPlatform::progressStart(std::uint64_t maximum)
{
    progressActive = true;
    progressCancellable = false;
    progressMaximum = maximum;
    progressPosition = 0;
    ++progressRuns;
}

void HeadlessPlatform::progressSet(std::uint64_t position)
{
    progressPosition = position;
}

}  // namespace ui::headless
