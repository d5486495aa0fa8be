#pragma once

#include "ChildWindows.h"
#include "platform/window/FormModel.h"

#include <windows.h>

#include <cstdint>

namespace platform::win32 {

// Turns what happens in a form's window into the model's events: the controls' notifications,
// the mouse over labels, pictures and the bare surface, the timers' ticks, context menus asked for
// on a list and the keys the form takes for itself; and keeps the focus across deactivation, as
// dialog boxes do.
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
    // WM_CONTEXTMENU that reached the form's window from the control `from`; false when it is not
    // a list box's, for Windows to handle.
    bool ContextMenu(HWND from, LPARAM position);
    // A key message on its way to a window of the form, before the dialog manager sees it: true
    // when the form takes it (F5; Delete, the menu key or Shift+F10 on a control that handles
    // them), and it must not be dispatched.
    bool Key(const MSG& message);

private:
    enum class KeyAction : std::uint8_t { None, Refill, Save, Delete, ContextMenu };
    [[nodiscard]] KeyAction ActionFor(const MSG& message,
                                      const ChildWindow* focused) const noexcept;
    void RaiseKeyboardMenu(const ChildWindow& list);

    window::FormModel& form_;
    const ChildWindows& children_;
    int pressedId_ = 0;        // the control a left click started on
    HWND lastFocus_ = nullptr; // the control that had the focus when the window was deactivated
    WPARAM takenKey_ = 0;      // a key whose press was taken: its release is taken too
};

} // namespace platform::win32
