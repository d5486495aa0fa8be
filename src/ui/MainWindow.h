#pragma once

#include "frmTolvan.h"
#include "startup/modTolvan.h"

#include <memory>

namespace ui {

// The one main window of the run, created when the start procedure first asks for it.
class MainWindow final : public modTolvan::MainWindowHost {
public:
    MainWindow(platform::Platform& platform, platform::window::WindowSystem& windows) noexcept
        : platform_(platform), windows_(windows)
    {
    }

    void ShowMainWindow() override;
    [[nodiscard]] frmTolvan* instance() noexcept { return form_.get(); }

private:
    platform::Platform& platform_;
    platform::window::WindowSystem& windows_;
    std::unique_ptr<frmTolvan> form_;
};

} // namespace ui
