#include "Win32Shell.h"

#include <windows.h>

#include <shlobj.h>

namespace platform::win32 {

std::int32_t Win32Shell::IsUserAnAdmin() noexcept
{
    return ::IsUserAnAdmin() ? 1 : 0;
}

} // namespace platform::win32
