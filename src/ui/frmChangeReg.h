#pragma once

#include "platform/Platform.h"
#include "platform/window/WindowSystem.h"

#include <cstdint>
#include <string>

namespace ui {

// The entry editor: a modal dialog in which an entry's name, command and scope are changed.
class frmChangeReg {
public:
    frmChangeReg(platform::Platform& platform, platform::window::WindowSystem& windows);

    [[nodiscard]] platform::window::FormModel& form() noexcept { return form_; }

    // Shows the dialog over its owner; returns once it has closed.
    void ShowModal(platform::window::FormModel& owner);

    // Filled by the caller before the dialog is shown.
    bool newEntry = false;
    std::wstring dName;
    std::wstring dValue;
    std::int32_t dTopKey = 0;

private:
    void ComCancel_Click();

    platform::Platform& platform_;
    platform::window::WindowSystem& windows_;
    platform::window::FormModel form_;
    platform::window::Control& ComCancel;
};

} // namespace ui
