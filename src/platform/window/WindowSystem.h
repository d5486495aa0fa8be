#pragma once

#include "FormModel.h"
#include "platform/MessageBoxService.h"

namespace platform::window {

// A rectangle on the screen, in pixels; right and bottom lie just outside it.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A point on the screen, in pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// Shows forms as windows. A form is loaded (its Load event runs, on controls put back as its
// layout has them) when it is shown and not loaded yet, and unloaded (Unload event, window gone)
// by Unload.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Shows the form modeless and without an owner. When the last such form is unloaded, Run
    // returns.
    virtual void Show(FormModel& form) = 0;
    // Shows the form modally over its owner, which takes no input meanwhile; returns once the
    // form has been unloaded.
    virtual void ShowModal(FormModel& form, FormModel& owner) = 0;
    virtual void Unload(FormModel& form) = 0;

    // The form's window as message boxes and the shell know it; 0 when it has none.
    [[nodiscard]] virtual WindowId Handle(const FormModel& form) const noexcept = 0;
    // The window's outer rectangle on the screen.
    [[nodiscard]] virtual ScreenRect OuterRect(const FormModel& form) const noexcept = 0;
    // Where the mouse cursor is on the screen, in the unit of OuterRect.
    [[nodiscard]] virtual ScreenPoint CursorPos() const noexcept = 0;

    // Delivers events until no modeless form is left; returns the program's exit code.
    virtual int Run() = 0;
};

} // namespace platform::window
