#pragma once

#include "platform/MessageBoxService.h"

#include <deque>
#include <string>
#include <vector>

namespace platform::portable {

// Message boxes answered by script: every box shown is recorded, and each takes the next queued
// answer (OK when the queue is empty).
class ScriptedMessageBox final : public MessageBoxService {
public:
    struct Shown {
        WindowId owner = 0;
        std::wstring text;
        std::wstring title;
        std::uint32_t style = 0;
    };

    std::int32_t Show(WindowId owner, std::wstring_view text, std::wstring_view title,
                      std::uint32_t style) noexcept override;

    std::deque<std::int32_t> answers;
    std::vector<Shown> shown;
};

} // namespace platform::portable
