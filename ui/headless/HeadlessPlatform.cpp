// Recording back end.
#include "ui/headless/HeadlessPlatform.h"

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
    bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

bool HeadlessPlatform::askSaveChanges(const std::string& text)
{
    return askConfirm(text);
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
                           (dialogAnswers.empty() ? std::string() : " (next answer is for " +
                                                                        dialogAnswers.front().templateName + ")"));
        return 0;
    }
    DialogAnswer answer = std::move(dialogAnswers.front());
    dialogAnswers.pop_front();
    auto controls = std::make_unique<HeadlessControls>(*t);
    std::string problem = playDialog(dialog, *t, answer, *controls);
    if (!problem.empty()) {
        failures.push_back(problem);
    }
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

bool HeadlessPlatform::openDocument(const std::string& path)
{
    openedDocuments.push_back(path);
    return true;
}

FrameHost* HeadlessPlatform::createFrame(FrameLogic& logic, const std::vector<MenuCommand>& commands)
{
    frame = std::make_unique<HeadlessFrame>(logic, commands);
    return frame.get();
}

void HeadlessPlatform::progressStart(std::uint64_t maximum)
{
    progressActive = true;
    progressMaximum = maximum;
    progressPosition = 0;
    ++progressRuns;
}

void HeadlessPlatform::progressSet(std::uint64_t position)
{
    progressPosition = position;
}

}  // namespace ui::headless
