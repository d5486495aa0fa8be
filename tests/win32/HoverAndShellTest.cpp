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
    EXPECT_GT(shell.OpenAddress(0, FixtureFile(L"no_version.exe"), L"C:\\", SW_HIDE), 32);
    const std::intptr_t missing =
        shell.OpenAddress(0, L"C:\\no such folder\\no such file.exe", L"C:\\", SW_HIDE);
    EXPECT_LE(missing, 32);
    EXPECT_GE(missing, 0);
}

class RealHover : public ::testing::Test, protected ScriptedPlatform {
protected:
    void TearDown() override
    {
        if (mainWindow.instance() != nullptr && mainWindow.instance()->form().Loaded()) {
            windows.Unload(mainWindow.instance()->form());
        }
    }

    win32::Win32WindowSystem windows{GetModuleHandleW(nullptr)};
    ui::MainWindow mainWindow{services, windows};
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
    mainWindow.ShowMainWindow();
    ui::frmTolvan& form = *mainWindow.instance();
    RECT outer{};
    ASSERT_TRUE(GetWindowRect(reinterpret_cast<HWND>(windows.Handle(form.form())), &outer));
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
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cursor.x << "," << c.cursor.y);
        form.imgLangHUN.RaiseMouseMove();
        ASSERT_TRUE(SetCursorPos(c.cursor.x, c.cursor.y));
        form.tmrLang.RaiseTimer();
        EXPECT_EQ(form.HoverState(),
                  c.outside ? ui::frmTolvan::kHoverNone : ui::frmTolvan::kHoverHungarianFlag);
        EXPECT_EQ(form.imgLangHUN_hl.Visible(), !c.outside);
        EXPECT_EQ(form.tmrLang.TimerEnabled(), !c.outside);
        form.form().RaiseMouseMove();
    }
}

} // namespace
} // namespace tolvan::test
