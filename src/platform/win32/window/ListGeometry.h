#pragma once

#include <windows.h>

#include <cstddef>

namespace platform::win32 {

// The item of the list box under a point of its client area; -1 where there is none (past the
// last item, or outside the client area).
[[nodiscard]] std::ptrdiff_t ListItemAt(HWND list, POINT client) noexcept;

// Where a context menu asked for by the keyboard opens, on the screen: a little inside the
// selected item when it is in view, else at the list's own top-left corner.
[[nodiscard]] POINT ListKeyboardMenuPoint(HWND list) noexcept;

} // namespace platform::win32
