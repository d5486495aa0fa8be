#pragma once

#include "ChildWindows.h"
#include "FontCache.h"
#include "platform/window/FormModel.h"

#include <windows.h>

namespace platform::win32 {

// The frame a form's window has around its client area.
struct WindowFrame {
    DWORD style = 0;
    DWORD exStyle = 0;
};

// Places a form's window and children in pixels at the window's DPI, from the model's twips, with
// fonts and pictures made for that DPI; a label that sizes to its text takes its caption's size.
class DpiLayout {
public:
    DpiLayout(const window::FormModel& form, ChildWindows& children, HINSTANCE instance,
              UINT dpi) noexcept;

    [[nodiscard]] UINT CurrentDpi() const noexcept { return dpi_; }

    // Every child's font, picture and place made anew at the DPI.
    void Rescale(HWND window, UINT dpi);
    // The window sized for its client area, at the place Windows suggests or else centred on its
    // owner (on the work area of the screen when it has none).
    void PlaceWindow(HWND window, HWND owner, const WindowFrame& frame,
                     const RECT* suggested) const noexcept;
    void Place(HWND window, ChildWindow& child);
    // A list box's lines take the height of its font, as a plain list box's do.
    void ApplyFont(const ChildWindow& child);
    // The height of a list box's lines in its font at the current DPI, measured in the device
    // context of `window`.
    [[nodiscard]] int ListItemHeight(HWND window, const window::Control& control);

private:
    [[nodiscard]] HFONT Font(const window::Control& control);
    void FitToText(HWND window, ChildWindow& child);
    void LoadPicture(ChildWindow& child) const;

    const window::FormModel& form_;
    ChildWindows& children_;
    HINSTANCE instance_;
    UINT dpi_;
    FontCache fonts_;
};

} // namespace platform::win32
