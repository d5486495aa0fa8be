#pragma once

#include "ChildWindows.h"

#include <windows.h>

namespace platform::win32 {

// The tooltip window of a form, with a tool for every child whose tooltip text is not empty.
class Tooltips {
public:
    void Create(HWND window, HINSTANCE instance) noexcept;
    // Adds, changes or removes the child's tool as its text says.
    void Update(HWND window, ChildWindow& child);
    // The child's tool follows its rectangle.
    void Move(HWND window, const ChildWindow& child) noexcept;

private:
    HWND tooltip_ = nullptr; // owned by the form's window, which destroys it
};

} // namespace platform::win32
