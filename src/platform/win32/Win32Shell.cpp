#include "Win32Shell.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>
#include <string>

namespace platform::win32 {

std::int32_t Win32Shell::IsUserAnAdmin() noexcept
{
    return ::IsUserAnAdmin() ? 1 : 0;
}

std::intptr_t Win32Shell::OpenAddress(WindowId owner, std::wstring_view address,
                                      std::wstring_view directory,
                                      std::int32_t showCommand) noexcept
{
    try {
        const std::wstring file(address);
        const std::wstring folder(directory);
        // Some addresses are opened by shell extensions that expect COM on the calling thread;
        // the user-interface thread is single-threaded, so that is the apartment it joins.
        const HRESULT com =
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        HINSTANCE result = ShellExecuteW(reinterpret_cast<HWND>(owner), nullptr, file.c_str(),
                                         nullptr, folder.c_str(), showCommand);
        if (SUCCEEDED(com)) {
            CoUninitialize();
        }
        return reinterpret_cast<std::intptr_t>(result);
    } catch (...) {
        return 0; // as ShellExecute reports running out of memory
    }
}

} // namespace platform::win32
