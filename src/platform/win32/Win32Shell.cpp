#include "Win32Shell.h"

#include <windows.h>

#include <new>
#include <shellapi.h>
#include <shlobj.h>
#include <string>

namespace platform::win32 {
namespace {

// ShellExecuteW reports success with any value above this one.
constexpr INT_PTR kLastShellExecuteError = 32;

} // namespace

bool Win32Shell::IsAdministrator() noexcept
{
    return ::IsUserAnAdmin() != FALSE;
}

bool Win32Shell::OpenAddress(WindowId owner, std::wstring_view address,
                             std::wstring_view startFolder) noexcept
{
    try {
        const std::wstring file(address);
        const std::wstring folder(startFolder);
        // Some addresses are opened by shell extensions that expect COM on the calling thread;
        // the user-interface thread is single-threaded, so that is the apartment it joins.
        const HRESULT com =
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        // SW_HIDE: the program that opens the address (a browser, typically) decides how to show
        // itself.
        HINSTANCE result = ShellExecuteW(reinterpret_cast<HWND>(owner), nullptr, file.c_str(),
                                         nullptr, folder.c_str(), SW_HIDE);
        if (SUCCEEDED(com)) {
            CoUninitialize();
        }
        return reinterpret_cast<INT_PTR>(result) > kLastShellExecuteError;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace platform::win32
