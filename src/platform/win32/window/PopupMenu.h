#pragma once

#include "platform/window/WindowSystem.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>

namespace platform::win32 {

// Shows a pop-up menu of these items at the screen point, owned by the window, and returns once
// it is closed: the index of the item chosen, none when it was dismissed or could not be made.
[[nodiscard]] std::optional<std::size_t>
ShowPopupMenu(HWND owner, std::span<const window::MenuItem> items, POINT at) noexcept;

} // namespace platform::win32
