#pragma once

#include "FormWindow.h"
#include "WindowFailures.h"
#include "platform/win32/WaitSource.h"
#include "platform/window/WindowSystem.h"

#include <windows.h>

#include <cstddef>
#include <exception>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace platform::win32 {

// Forms as real windows, with the dialog manager doing the keyboard (Tab, Esc, Enter).
//
// Failures. A window that Windows will not make is a std::system_error from Show or ShowModal, a
// window class it will not register one from the constructor. An exception that an event handler
// lets out stops at the window procedure, which hands it here: it is written for a debugger and
// the message loops stop. A modal loop gives its owner window its input back and rethrows it
// through the code that opened the modal window, so that it reaches Run, which rethrows it to its
// caller. Each failure is rethrown once; another that comes while one is on its way is written
// and dropped.
class Win32WindowSystem final : public window::WindowSystem {
public:
    explicit Win32WindowSystem(HINSTANCE instance);

    void Show(window::FormModel& form) override;
    void ShowModal(window::FormModel& form, window::FormModel& owner) override;
    void Unload(window::FormModel& form) override;
    [[nodiscard]] WindowId Handle(const window::FormModel& form) const noexcept override;
    [[nodiscard]] window::ScreenRect
    OuterRect(const window::FormModel& form) const noexcept override;
    [[nodiscard]] window::ScreenPoint CursorPos() const noexcept override;
    [[nodiscard]] std::optional<std::size_t> ShowMenu(const window::FormModel& form,
                                                      std::span<const window::MenuItem> items,
                                                      window::ScreenPoint at) override;
    int Run() override;

    [[nodiscard]] HINSTANCE Instance() const noexcept { return instance_; }

    // The message loops also wait on the source's handles and hand a signalled one back to it,
    // on this thread, between messages. The source must outlive the loops.
    void AddWaitSource(WaitSource& source);

    // For the window procedures: what one of them caught, and where.
    void StopWithFailure(std::exception_ptr failure, const FailureSite& site) noexcept;

private:
    FormWindow* Find(const window::FormModel& form) const noexcept;
    FormWindow& Load(window::FormModel& form, HWND owner);
    // Gets and handles one message; false once WM_QUIT arrives, once a failure is pending, and
    // when no window of this system is left to get messages for.
    bool Pump() noexcept;
    // Tells every wait source that waiting on its handles failed.
    void GiveUpWaiting(DWORD error);
    // GetMessageW's result, waiting on the wait sources meanwhile; -1 once a failure is pending.
    BOOL NextMessage(MSG& message) noexcept;
    void RethrowFailure();

    HINSTANCE instance_;
    std::vector<std::unique_ptr<FormWindow>> windows_;
    // Windows already destroyed, freed between messages: their objects may still be on the
    // stack of the handler that unloaded them.
    std::vector<std::unique_ptr<FormWindow>> closed_;
    int exitCode_ = 0;
    std::exception_ptr failure_;
    // The failure a modal loop rethrew last: on its way up to Run it passes the window
    // procedures that opened the modal windows, and is not written again there.
    std::exception_ptr rethrown_;
    std::vector<WaitSource*> waitSources_;
};

} // namespace platform::win32
