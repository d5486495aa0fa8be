// The shell and the cursor as Windows gives them, and the main window's hover timer on a real
// window, whose outer rectangle is in the same screen pixels as the cursor at any DPI.
#include "Fixtures.h"
#include "platform/portable/CaseFoldCollation.h"
#include "platform/portable/DriveMapFileSearch.h"
#include "platform/portable/MemoryRegistry.h"
#include "platform/portable/PeVersionResources.h"
#include "platform/portable/ScriptedFileDialogs.h"
#include "platform/portable/ScriptedMessageBox.h"
#include "platform/portable/ScriptedShell.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/window/Win32WindowSystem.h"
#include "support/ScriptedPlatform.h"
#include "ui/MainWindow.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using namespace platform;

TEST(Win32Shell, OpenAddressStartsWhatItNamesAndReportsWhatItCannotOpen)
{
    win32::Win32Shell shell;
    EXPECT_TRUE(shell.OpenAddress(0, FixtureFile(L"no_version.exe"), L"C:\\"));
    EXPECT_FALSE(shell.OpenAddress(0, L"C:\\no such folder\\no such file.exe", L"C:\\"));
}

class RealHover : public ::testing::Test, protected ScriptedPlatform {
protected:
    void TearDown() override
    {
        if (mainWindow.Form().Loaded()) {
            windows.Unload(mainWindow.Form());
        }
    }

    win32::Win32WindowSystem windows{GetModuleHandleW(nullptr)};
    ui::InterfaceLanguage language;
    entries::EntryTable table{services};
    ui::MainWindow mainWindow{services, windows, language, table};
};

TEST_F(RealHover, CursorPositionIsWhereTheMouseWasPut)
{
    ASSERT_TRUE(SetCursorPos(37, 53));
    const window::ScreenPoint point = windows.CursorPos();
    EXPECT_EQ(point.x, 37);
    EXPECT_EQ(point.y, 53);
}

TEST_F(RealHover, TickEndsTheHighlightAtTheWindowsOwnEdges)
{
    mainWindow.Show();
    const ui::MainWindowControls& c = mainWindow.Controls();
    RECT outer{};
    ASSERT_TRUE(GetWindowRect(reinterpret_cast<HWND>(windows.Handle(mainWindow.Form())), &outer));
    const int middleY = (outer.top + outer.bottom) / 2;
    const int middleX = (outer.left + outer.right) / 2;
    struct Case {
        POINT cursor;
        bool outside;
    };
    const Case cases[] = {
        {{outer.right - 1, middleY}, false}, {{middleX, outer.bottom - 1}, false},
        {{outer.left, outer.top}, false},    {{outer.right, middleY}, true},
        {{middleX, outer.bottom}, true},     {{outer.left - 1, middleY}, true},
    };
    using Target = ui::MainWindow::HoverTarget;
    for (const Case& check : cases) {
        SCOPED_TRACE(testing::Message() << check.cursor.x << "," << check.cursor.y);
        c.hungarianFlag.RaiseMouseMove();
        ASSERT_TRUE(SetCursorPos(check.cursor.x, check.cursor.y));
        c.hoverTimer.RaiseTimer();
        EXPECT_EQ(mainWindow.Hover(), check.outside ? Target::None : Target::HungarianFlag);
        EXPECT_EQ(c.hungarianFlagLit.Visible(), !check.outside);
        EXPECT_EQ(c.hoverTimer.TimerEnabled(), !check.outside);
        mainWindow.Form().RaiseMouseMove();
    }
}

} // namespace
} // namespace tolvan::test
