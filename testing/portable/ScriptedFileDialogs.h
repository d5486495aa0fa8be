#pragma once

#include "platform/FileDialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace platform::portable {

// File dialogs answered by script: every request is kept as it was given, and each dialog
// takes the next queued answer (cancelled when the queue is empty).
class ScriptedFileDialogs final : public FileDialogs {
public:
    std::optional<std::wstring> ChooseFileToOpen(const OpenFileRequest& request) noexcept override;
    std::optional<SaveFileChoice>
    ChooseFileToSave(const SaveFileRequest& request) noexcept override;

    // The path the user picks, or nothing for Cancel.
    std::deque<std::optional<std::wstring>> answers;
    std::vector<OpenFileRequest> shown;
    // The same for the save-file dialog.
    std::deque<std::optional<SaveFileChoice>> saveAnswers;
    std::vector<SaveFileRequest> saves;
};

} // namespace platform::portable
