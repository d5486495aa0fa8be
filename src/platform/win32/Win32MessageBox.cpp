#include "Win32MessageBox.h"

#include <windows.h>

#include <new>
#include <string>

namespace platform::win32 {

std::int32_t Win32MessageBox::Show(WindowId owner, std::wstring_view text, std::wstring_view title,
                                   std::uint32_t style) noexcept
{
    try {
        const std::wstring body(text);
        const std::wstring caption(title);
        return MessageBoxW(reinterpret_cast<HWND>(owner), body.c_str(), caption.c_str(), style);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

} // namespace platform::win32
