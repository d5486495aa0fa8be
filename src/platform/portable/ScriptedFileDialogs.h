#pragma once

#include "platform/FileDialogs.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace platform::portable {

// Open-file dialogs answered by script: every record shown is kept as it was given, and each
// dialog takes the next queued answer (cancelled when the queue is empty).
class ScriptedFileDialogs final : public FileDialogs {
public:
    struct Answer {
        // The path the user picks; none for Cancel.
        std::optional<std::wstring> path;
        // The filter left selected, counted from 1.
        std::uint32_t filterIndex = 1;
    };

    bool ShowOpenDialog(OpenFileRecord& record) noexcept override;

    std::deque<Answer> answers;
    std::vector<OpenFileRecord> shown;
};

} // namespace platform::portable
