// The shell (under Wine, with its own Explorer, which is also the desktop's shell) and the cursor
// as Windows gives them, and the main window's hover timer on a real window, whose outer rectangle
// is in the same screen pixels as the cursor at any DPI.
#include "Fixtures.h"
#include "portable/CaseFoldCollation.h"
#include "portable/DriveMapFileSearch.h"
#include "portable/MemoryRegistry.h"
#include "portable/PeVersionResources.h"
#include "portable/ScriptedFileDialogs.h"
#include "portable/ScriptedMessageBox.h"
#include "portable/ScriptedShell.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32ShellLaunch.h"
#include "platform/win32/window/Win32WindowSystem.h"
#include "support/ScriptedPlatform.h"
#include "ui/MainWindow.h"

#include <windows.h>

#include <commctrl.h>
#include <filesystem>
#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using namespace platform;

// Each way to the shell on its own, and the shell that picks between them: the session has a
// desktop shell (Wine's Explorer), so the picked way is the desktop's.
TEST(Win32Shell, OpenAddressStartsWhatItNamesAndReportsWhatItCannotOpen)
{
    const std::wstring program = FixtureFile(L"no_version.exe");
    const std::wstring missing = L"C:\\no such folder\\no such file.exe";
    win32::Win32ShellLaunch launch;
    EXPECT_EQ(launch.OpenAddressOnDesktop(0, program, L"C:\\"), DesktopAnswer::Done);
    EXPECT_EQ(launch.OpenAddressOnDesktop(0, missing, L"C:\\"), DesktopAnswer::Refused);
    EXPECT_TRUE(launch.OpenAddressHere(0, program, L"C:\\"));
    EXPECT_FALSE(launch.OpenAddressHere(0, missing, L"C:\\"));
    win32::Win32Shell shell;
    EXPECT_TRUE(shell.OpenAddress(0, program, L"C:\\"));
    EXPECT_FALSE(shell.OpenAddress(0, missing, L"C:\\"));
}

// A visible top-level window of another process with this title: the folder window the shell
// opened, which shows its folder's name.
HWND OtherProcessWindow(std::wstring_view title)
{
    struct Search {
        std::wstring_view title;
        HWND found = nullptr;
    } search{title};
    // The shell starts the folder window in a process of its own: it takes a moment to show.
    for (int attempt = 0; attempt < 100 && search.found == nullptr; ++attempt) {
        Sleep(100);
        EnumWindows(
            [](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                wchar_t text[MAX_PATH]{};
                GetWindowTextW(window, text, MAX_PATH);
                if (process != GetCurrentProcessId() && IsWindowVisible(window) &&
                    s->title == text) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

// The list of items a folder window shows, however deep the window keeps it.
HWND ItemList(HWND folder)
{
    HWND found = nullptr;
    EnumChildWindows(
        folder,
        [](HWND child, LPARAM param) -> BOOL {
            wchar_t name[32]{};
            GetClassNameW(child, name, 32);
            if (std::wstring_view(name) == WC_LISTVIEWW) {
                *reinterpret_cast<HWND*>(param) = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// How many items the folder window shows selected once it has filled its list, which it does,
// and then selects, after it shows; 0 when none is within a few seconds. The count needs no
// memory of ours in the other process.
LRESULT SelectedItems(HWND folder)
{
    LRESULT selected = 0;
    for (int attempt = 0; attempt < 100 && selected == 0; ++attempt) {
        Sleep(100);
        selected = SendMessageW(ItemList(folder), LVM_GETSELECTEDCOUNT, 0, 0);
    }
    return selected;
}

// Gone before anything looks for a window of that title again.
void CloseFolderWindow(HWND folder)
{
    PostMessageW(folder, WM_CLOSE, 0, 0);
    for (int attempt = 0; attempt < 50 && IsWindow(folder); ++attempt) {
        Sleep(100);
    }
}

TEST(Win32Shell, ShowInFolderOpensTheFolderWithTheFileSelectedAndMissingFilesAreReported)
{
    win32::Win32ShellLaunch launch;
    win32::Win32Shell shell;
    const std::wstring missing = L"C:\\no such folder\\no such file.exe";
    EXPECT_EQ(launch.ShowInFolderOnDesktop(0, missing), DesktopAnswer::Refused);
    EXPECT_FALSE(launch.ShowInFolderHere(0, missing));
    EXPECT_FALSE(shell.ShowInFolder(0, missing));
    // Wine has no Properties sheet for files, and answers false for a fixture file too; Windows
    // opens the sheet and answers true.
    EXPECT_FALSE(shell.ShowProperties(0, missing));

    const std::filesystem::path file(FixtureFile(L"no_version.exe"));
    const std::wstring folderName = file.parent_path().filename().wstring();
    ASSERT_TRUE(launch.ShowInFolderHere(0, file.wstring()));
    HWND folder = OtherProcessWindow(folderName);
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(SelectedItems(folder), 1);
    CloseFolderWindow(folder);

    // Explorer's command line, run by the desktop's shell. Wine's Explorer opens the folder and,
    // unlike Windows', leaves the file unselected.
    ASSERT_EQ(launch.ShowInFolderOnDesktop(0, file.wstring()), DesktopAnswer::Done);
    folder = OtherProcessWindow(folderName);
    ASSERT_NE(folder, nullptr);
    CloseFolderWindow(folder);
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
