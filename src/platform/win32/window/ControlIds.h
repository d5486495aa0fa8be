#pragma once

#include "platform/window/Layout.h"

#include <windows.h>

#include <cstddef>

namespace platform::win32 {

// The child-window identifier of the control at `index` in its window's layout: the cancel
// button is IDCANCEL, so that the dialog manager's Esc presses it; the others count up from 1000,
// clear of IDOK and IDCANCEL.
[[nodiscard]] inline int ControlId(const window::WindowLayout& layout, std::size_t index) noexcept
{
    const window::ControlLayout& control = layout.controls[index];
    if (control.kind == window::ControlKind::CommandButton && control.Has(window::kCancelButton)) {
        return IDCANCEL;
    }
    return 1000 + static_cast<int>(index);
}

} // namespace platform::win32
