#pragma once

#include "ChildWindows.h"

#include <windows.h>

#include <string_view>

namespace platform::win32 {

// The tooltip window of a form, with a tool for every child whose tooltip text is not empty.
class Tooltips {
public:
    // Throws std::system_error naming the form when Windows refuses the window.
    void Create(HWND window, HINSTANCE instance, std::wstring_view formName);
    // Adds, changes or removes the child's tool as its text says.
    void Update(HWND window, ChildWindow& child);
    // The child's tool follows its rectangle.
    void Move(HWND window, const ChildWindow& child) noexcept;

private:
    HWND tooltip_ = nullptr; // owned by the form's window, which destroys it
};

} // namespace platform::win32
