#include "ScriptedFileDialogs.h"

#include <new>

namespace platform::portable {

std::optional<std::wstring>
ScriptedFileDialogs::ChooseFileToOpen(const OpenFileRequest& request) noexcept
{
    try {
        shown.push_back(request);
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<std::wstring> answer = std::move(answers.front());
        answers.pop_front();
        // Like the real dialog: a path longer than its buffer is a failure.
        if (answer && answer->size() > kLongestPath) {
            return std::nullopt;
        }
        return answer;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<SaveFileChoice>
ScriptedFileDialogs::ChooseFileToSave(const SaveFileRequest& request) noexcept
{
    try {
        saves.push_back(request);
        if (saveAnswers.empty()) {
            return std::nullopt;
        }
        std::optional<SaveFileChoice> answer = std::move(saveAnswers.front());
        saveAnswers.pop_front();
        return answer;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace platform::portable
