#include "ScriptedMessageBox.h"

#include <new>

namespace platform::portable {

MessageAnswer ScriptedMessageBox::Show(WindowId owner, std::wstring_view text,
                                       std::wstring_view title, MessageButtons buttons,
                                       MessageIcon icon) noexcept
{
    try {
        shown.push_back(Shown{owner, std::wstring(text), std::wstring(title), buttons, icon});
    } catch (const std::bad_alloc&) {
        // As MessageBoxW answers when it cannot make the box.
        return MessageAnswer::NotShown;
    }
    if (whileShown) {
        try {
            whileShown();
        } catch (...) {
            return MessageAnswer::NotShown;
        }
    }
    if (answers.empty()) {
        return buttons == MessageButtons::YesNoDefaultNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace platform::portable
