#pragma once

#include "FormModel.h"
#include "ScreenGeometry.h"
#include "platform/MessageBoxService.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace platform::window {

// One line of a pop-up menu. A separator is a dividing line and shows no text; the default item
// is drawn bold.
struct MenuItem {
    std::wstring text;
    bool enabled = true;
    bool isDefault = false;
    bool separator = false;
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

    // Shows a pop-up menu over the form at the point and returns once it is closed: the index of
    // the item chosen, none when the user dismissed it (or it could not be shown).
    [[nodiscard]] virtual std::optional<std::size_t>
    ShowMenu(const FormModel& form, std::span<const MenuItem> items, ScreenPoint at) = 0;

    // Delivers events until no modeless form is left; returns the program's exit code.
    virtual int Run() = 0;
};

} // namespace platform::window
