#pragma once

#include "ChildWindows.h"
#include "platform/window/FormModel.h"

#include <windows.h>

namespace platform::win32 {

// Turns what happens in a form's window into the model's events: the controls' notifications,
// the mouse over labels, pictures and the bare surface, the timers' ticks; and keeps the focus
// across deactivation, as dialog boxes do.
class EventRouter {
public:
    EventRouter(window::FormModel& form, const ChildWindows& children) noexcept
        : form_(form), children_(children)
    {
    }

    // WM_COMMAND.
    void Command(int id, int code, HWND controlWindow);
    // WM_MOUSEMOVE, WM_LBUTTONDOWN and WM_LBUTTONUP, at a point of the client area.
    void Mouse(HWND window, UINT message, POINT point);
    // WM_TIMER.
    void Timer(UINT_PTR id);
    // WM_ACTIVATE.
    void Activate(HWND window, WORD state) noexcept;

private:
    window::FormModel& form_;
    const ChildWindows& children_;
    int pressedId_ = 0;        // the control a left click started on
    HWND lastFocus_ = nullptr; // the control that had the focus when the window was deactivated
};

} // namespace platform::win32
