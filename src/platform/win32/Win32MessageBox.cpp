#include "Win32MessageBox.h"

#include <windows.h>

#include <new>
#include <string>

namespace platform::win32 {
namespace {

UINT ButtonsStyle(MessageButtons buttons) noexcept
{
    switch (buttons) {
    case MessageButtons::OkCancel:
        return MB_OKCANCEL | MB_DEFBUTTON1;
    case MessageButtons::YesNoDefaultNo:
        return MB_YESNO | MB_DEFBUTTON2;
    case MessageButtons::Ok:
        break;
    }
    return MB_OK | MB_DEFBUTTON1;
}

UINT IconStyle(MessageIcon icon) noexcept
{
    switch (icon) {
    case MessageIcon::Error:
        return MB_ICONERROR;
    case MessageIcon::Question:
        return MB_ICONQUESTION;
    case MessageIcon::Warning:
        return MB_ICONWARNING;
    case MessageIcon::None:
        break;
    }
    return 0;
}

// A box without an owner still holds the tool's windows: no command of theirs may run while it
// waits for an answer.
UINT ModalityStyle(WindowId owner) noexcept
{
    return owner == 0 ? MB_TASKMODAL : 0;
}

} // namespace

MessageAnswer Win32MessageBox::Show(WindowId owner, std::wstring_view text, std::wstring_view title,
                                    MessageButtons buttons, MessageIcon icon) noexcept
{
    try {
        const std::wstring body(text);
        const std::wstring caption(title);
        switch (MessageBoxW(reinterpret_cast<HWND>(owner), body.c_str(), caption.c_str(),
                            ButtonsStyle(buttons) | IconStyle(icon) | ModalityStyle(owner))) {
        case IDOK:
            return MessageAnswer::Ok;
        case IDCANCEL:
            return MessageAnswer::Cancel;
        case IDYES:
            return MessageAnswer::Yes;
        case IDNO:
            return MessageAnswer::No;
        default:
            return MessageAnswer::NotShown;
        }
    } catch (const std::bad_alloc&) {
        return MessageAnswer::NotShown;
    }
}

} // namespace platform::win32
