#include "Dpi.h"

namespace platform::win32::dpi {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using SetProcessDpiAwarenessContextFn = BOOL(WINAPI*)(HANDLE);

struct Functions {
    GetDpiForWindowFn getDpiForWindow = nullptr;
    GetDpiForSystemFn getDpiForSystem = nullptr;
    AdjustWindowRectExForDpiFn adjustWindowRectExForDpi = nullptr;
    SetProcessDpiAwarenessContextFn setProcessDpiAwarenessContext = nullptr;
};

template <typename Function> Function Lookup(HMODULE module, const char* name) noexcept
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const Functions& Get() noexcept
{
    static const Functions kFunctions = [] {
        Functions found;
        if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
            found.getDpiForWindow = Lookup<GetDpiForWindowFn>(user32, "GetDpiForWindow");
            found.getDpiForSystem = Lookup<GetDpiForSystemFn>(user32, "GetDpiForSystem");
            found.adjustWindowRectExForDpi =
                Lookup<AdjustWindowRectExForDpiFn>(user32, "AdjustWindowRectExForDpi");
            found.setProcessDpiAwarenessContext =
                Lookup<SetProcessDpiAwarenessContextFn>(user32, "SetProcessDpiAwarenessContext");
        }
        return found;
    }();
    return kFunctions;
}

UINT ScreenDpi() noexcept
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96u;
}

} // namespace

void BecomePerMonitorAware() noexcept
{
    if (Get().setProcessDpiAwarenessContext != nullptr) {
        // Fails harmlessly when the manifest already set the awareness.
        Get().setProcessDpiAwarenessContext(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)));
    }
}

UINT ForWindow(HWND window) noexcept
{
    if (Get().getDpiForWindow != nullptr) {
        if (const UINT dpi = Get().getDpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    return ForSystem();
}

UINT ForSystem() noexcept
{
    if (Get().getDpiForSystem != nullptr) {
        if (const UINT dpi = Get().getDpiForSystem(); dpi != 0) {
            return dpi;
        }
    }
    return ScreenDpi();
}

void AdjustWindowRect(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) noexcept
{
    if (Get().adjustWindowRectExForDpi != nullptr &&
        Get().adjustWindowRectExForDpi(&rect, style, FALSE, exStyle, dpi)) {
        return;
    }
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

} // namespace platform::win32::dpi
