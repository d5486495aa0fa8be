#pragma once

#include "platform/MessageBoxService.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace platform::portable {

// Message boxes answered by script: every box shown is recorded, and each takes the next queued
// answer (when the queue is empty, its default button's, as Enter would answer).
class ScriptedMessageBox final : public MessageBoxService {
public:
    struct Shown {
        WindowId owner = 0;
        std::wstring text;
        std::wstring title;
        MessageButtons buttons = MessageButtons::Ok;
        MessageIcon icon = MessageIcon::None;
    };

    MessageAnswer Show(WindowId owner, const NulTerminated& text, const NulTerminated& title,
                       MessageButtons buttons, MessageIcon icon) noexcept override;

    std::deque<MessageAnswer> answers;
    // Runs while a box is open, as what the user or another program does meanwhile.
    // The English texts Windows has for the codes the tests meet.
    [[nodiscard]] std::wstring ErrorText(ErrorCode code) const override;

    std::function<void()> whileShown;
    std::vector<Shown> shown;
};

} // namespace platform::portable
