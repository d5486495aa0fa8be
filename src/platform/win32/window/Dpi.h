#pragma once

#include <windows.h>

// DPI functions of newer Windows versions, looked up at run time so that the program still
// starts where they are missing (then everything is laid out at the system DPI).
namespace platform::win32::dpi {

// Makes the process per-monitor aware when the manifest has not done so already.
void BecomePerMonitorAware() noexcept;
[[nodiscard]] UINT ForWindow(HWND window) noexcept;
[[nodiscard]] UINT ForSystem() noexcept;
// The window rectangle that has the given client rectangle, at that DPI.
void AdjustWindowRect(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) noexcept;

// Twips to pixels at a DPI: 15 twips a pixel at 96.
[[nodiscard]] inline int Pixels(int twips, UINT dpi) noexcept
{
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

[[nodiscard]] inline RECT Pixels(const RECT& twips, UINT dpi) noexcept
{
    return RECT{Pixels(twips.left, dpi), Pixels(twips.top, dpi), Pixels(twips.right, dpi),
                Pixels(twips.bottom, dpi)};
}

} // namespace platform::win32::dpi
