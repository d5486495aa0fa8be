#pragma once

#include "entries/EntryTable.h"
#include "platform/Platform.h"
#include "platform/window/WindowSystem.h"
#include "ui/InterfaceLanguage.h"
#include "ui/MainWindow.h"

#include <memory>

namespace app {

// The tool for one run: the state its windows share (the interface language and the entry
// table) and the start procedure that opens the main window.
class Application {
public:
    Application(platform::Platform& platform, platform::window::WindowSystem& windows);

    // The stored language, then the administrator test. Without the rights the user is told so
    // in that language and nothing else happens: false. Otherwise the main window is shown,
    // with the entry list filled: true.
    bool Start();

    // The main window, once Start has made it.
    [[nodiscard]] ui::MainWindow* MainWindow() noexcept { return mainWindow_.get(); }
    [[nodiscard]] const ui::InterfaceLanguage& Language() const noexcept { return language_; }

private:
    platform::Platform& platform_;
    platform::window::WindowSystem& windows_;
    ui::InterfaceLanguage language_;
    // Declared before the window, which shows its snapshots, so that the window goes first: the
    // table's destructor waits for reads still under way, which must not keep a window open.
    entries::EntryTable table_;
    std::unique_ptr<ui::MainWindow> mainWindow_;
};

} // namespace app
