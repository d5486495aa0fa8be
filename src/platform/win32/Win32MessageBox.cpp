#include "Win32MessageBox.h"

#include <windows.h>

#include <array>
#include <cwctype>
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
    case MessageIcon::Information:
        return MB_ICONINFORMATION;
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

MessageAnswer Win32MessageBox::Show(WindowId owner, const NulTerminated& text,
                                    const NulTerminated& title, MessageButtons buttons,
                                    MessageIcon icon) noexcept
{
    switch (MessageBoxW(reinterpret_cast<HWND>(owner), text.CString(), title.CString(),
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
}

std::wstring Win32MessageBox::ErrorText(ErrorCode code) const
{
    // Windows' messages are a line or two; a longer one is told by its number alone.
    std::array<wchar_t, 1024> buffer{};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       buffer.data(), static_cast<DWORD>(buffer.size()), nullptr);
    std::wstring text(buffer.data(), length);
    while (!text.empty() && std::iswspace(static_cast<std::wint_t>(text.back())) != 0) {
        text.pop_back();
    }
    if (text.empty()) {
        text = L"Windows error";
    }
    return text + L" (" + std::to_wstring(code) + L")";
}

} // namespace platform::win32
