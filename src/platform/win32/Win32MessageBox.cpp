#include "Win32MessageBox.h"

#include <windows.h>

#include <new>
#include <string>

namespace platform::win32 {
namespace {

UINT ButtonsStyle(MessageButtons buttons) noexcept
{
    return buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK;
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

} // namespace

MessageAnswer Win32MessageBox::Show(WindowId owner, std::wstring_view text, std::wstring_view title,
                                    MessageButtons buttons, MessageIcon icon) noexcept
{
    try {
        const std::wstring body(text);
        const std::wstring caption(title);
        // The first button is the default one.
        switch (MessageBoxW(reinterpret_cast<HWND>(owner), body.c_str(), caption.c_str(),
                            ButtonsStyle(buttons) | IconStyle(icon) | MB_DEFBUTTON1)) {
        case IDOK:
            return MessageAnswer::Ok;
        case IDCANCEL:
            return MessageAnswer::Cancel;
        default:
            return MessageAnswer::NotShown;
        }
    } catch (const std::bad_alloc&) {
        return MessageAnswer::NotShown;
    }
}

} // namespace platform::win32
