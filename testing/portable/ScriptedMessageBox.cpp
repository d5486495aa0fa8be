#include "ScriptedMessageBox.h"

#include <new>

namespace platform::portable {

MessageAnswer ScriptedMessageBox::Show(WindowId owner, const NulTerminated& text,
                                       const NulTerminated& title, MessageButtons buttons,
                                       MessageIcon icon) noexcept
{
    try {
        shown.push_back(
            Shown{owner, std::wstring(text.View()), std::wstring(title.View()), buttons, icon});
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

std::wstring ScriptedMessageBox::ErrorText(ErrorCode code) const
{
    std::wstring text;
    switch (code) {
    case 2:
        text = L"The system cannot find the file specified.";
        break;
    case 3:
        text = L"The system cannot find the path specified.";
        break;
    case 5:
        text = L"Access is denied.";
        break;
    case 8:
        text = L"Not enough memory resources are available to process this command.";
        break;
    default:
        text = L"Windows error";
        break;
    }
    return text + L" (" + std::to_wstring(code) + L")";
}

} // namespace platform::portable
