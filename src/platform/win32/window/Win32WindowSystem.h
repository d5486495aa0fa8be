#pragma once

#include "FormWindow.h"
#include "platform/window/WindowSystem.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace platform::win32 {

// Forms as real windows, with the dialog manager doing the keyboard (Tab, Esc, Enter).
class Win32WindowSystem final : public window::WindowSystem {
public:
    explicit Win32WindowSystem(HINSTANCE instance) noexcept;

    void Show(window::FormModel& form) override;
    void ShowModal(window::FormModel& form, window::FormModel& owner) override;
    void Unload(window::FormModel& form) override;
    [[nodiscard]] WindowId Handle(const window::FormModel& form) const noexcept override;
    [[nodiscard]] window::ScreenRect
    OuterRect(const window::FormModel& form) const noexcept override;
    [[nodiscard]] window::ScreenPoint CursorPos() const noexcept override;
    int Run() override;

    [[nodiscard]] HINSTANCE instance() const noexcept { return instance_; }

private:
    FormWindow* Find(const window::FormModel& form) const noexcept;
    FormWindow& Load(window::FormModel& form, HWND owner);
    // Gets and handles one message; false once WM_QUIT arrives.
    bool Pump() noexcept;

    HINSTANCE instance_;
    std::vector<std::unique_ptr<FormWindow>> windows_;
    // Windows already destroyed, freed between messages: their objects may still be on the
    // stack of the handler that unloaded them.
    std::vector<std::unique_ptr<FormWindow>> closed_;
    int exitCode_ = 0;
};

} // namespace platform::win32
