#pragma once

#include "startup/modTolvan.h"

#include <windows.h>

namespace app {

// Stands in for the main window until the real one exists: an empty window of the main window's
// size and caption. The program ends when it is closed.
class StartupWindow final : public modTolvan::MainWindowHost {
public:
    explicit StartupWindow(HINSTANCE instance) noexcept : instance_(instance) {}

    void ShowMainWindow() override;
    [[nodiscard]] bool shown() const noexcept { return window_ != nullptr; }
    // Pumps messages until the window is gone; returns the exit code.
    int RunMessageLoop() noexcept;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;

    HINSTANCE instance_;
    HWND window_ = nullptr;
};

} // namespace app
