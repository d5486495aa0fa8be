#include "ScriptedFileDialogs.h"

namespace platform::portable {

bool ScriptedFileDialogs::ShowOpenDialog(OpenFileRecord& record) noexcept
{
    try {
        shown.push_back(record);
        if (answers.empty()) {
            return false;
        }
        Answer answer = std::move(answers.front());
        answers.pop_front();
        // Like the real dialog: a path that does not fit the buffer is a failure.
        if (!answer.path || answer.path->size() >= record.file.size()) {
            return false;
        }
        std::wstring buffer = *answer.path;
        buffer.resize(record.file.size(), L'\0');
        record.file = std::move(buffer);
        record.filterIndex = answer.filterIndex;
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace platform::portable
