#pragma once

#include "ChildWindows.h"
#include "GdiHandles.h"

#include <windows.h>

#include <map>

namespace platform::win32 {

// Paints what has no window of its own: the window's face, with the filled shapes and the lines
// behind every control, and the colours of the labels, which their parent gives them.
class SurfacePainter {
public:
    explicit SurfacePainter(const ChildWindows& children) noexcept : children_(children) {}

    // WM_ERASEBKGND.
    void PaintBackground(HWND window, HDC dc, UINT dpi);
    // WM_CTLCOLORSTATIC: sets the label's colours into its device context and returns the brush
    // for its background.
    [[nodiscard]] HBRUSH ColourStatic(HDC dc, HWND control);

private:
    [[nodiscard]] HBRUSH Brush(COLORREF colour);

    const ChildWindows& children_;
    std::map<COLORREF, OwnedBrush> brushes_;
};

} // namespace platform::win32
