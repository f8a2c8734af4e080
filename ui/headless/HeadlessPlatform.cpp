// Recording back end.
#include "ui/headless/HeadlessPlatform.h"

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
        return false;
    }
    bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
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
