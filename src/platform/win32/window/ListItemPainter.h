#pragma once

#include "ChildWindows.h"

#include <windows.h>

#include <string>

namespace platform::win32 {

// Draws the lines of a form's list boxes, which draw nothing themselves so that a line can be
// dimmed: every other line looks as a plain list box draws it.
class ListItemPainter {
public:
    explicit ListItemPainter(const ChildWindows& children) noexcept : children_(children) {}

    // WM_DRAWITEM.
    void Draw(const DRAWITEMSTRUCT& item);

private:
    [[nodiscard]] const std::wstring& ItemText(HWND list, UINT index);

    const ChildWindows& children_;
    std::wstring text_; // the line being drawn, kept to spare an allocation per line
};

} // namespace platform::win32
