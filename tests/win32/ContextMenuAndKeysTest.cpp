// The main window's real list: context menus asked for by the mouse and the keyboard, the keys
// the window takes for itself, pop-up menus as Windows holds them, and the list's scroll position.
#include "platform/win32/window/ControlIds.h"
#include "platform/win32/window/Win32WindowSystem.h"
#include "ui/layouts/MainWindowLayout.h"

#include <windows.h>

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace tolvan::test {
namespace {

using namespace platform;
using window::Control;

// What to do once a pop-up menu is open; a timer looks for it from inside the menu's own loop.
std::function<void(HWND)>
    withOpenMenu; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

void CALLBACK LookForMenu(HWND, UINT, UINT_PTR timer, DWORD) noexcept
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu)) {
        return;
    }
    KillTimer(nullptr, timer);
    if (auto action = std::exchange(withOpenMenu, nullptr)) {
        action(menu);
    }
}

class RealList : public ::testing::Test {
protected:
    void SetUp() override
    {
        windows.Show(form);
        window = reinterpret_cast<HWND>(windows.Handle(form));
        list = GetDlgItem(
            window, win32::ControlId(form.Layout(), window::Id(ui::MainWindowControl::EntryList)));
        ASSERT_NE(list, nullptr);
        entries.onContextMenu = [this](const Control::ContextMenuRequest& request) {
            requests.push_back(request);
        };
    }
    void TearDown() override
    {
        withOpenMenu = nullptr;
        windows.Unload(form);
        static_cast<void>(windows.Run()); // answers the last window's quit request
    }

    // Delivers what was posted, as the program's own message loop does, until the window closes.
    void PumpUntilClosed()
    {
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(windows.Run(), 0);
    }

    [[nodiscard]] POINT OnScreen(POINT client) const
    {
        ClientToScreen(list, &client);
        return client;
    }
    [[nodiscard]] RECT Line(int index) const
    {
        RECT line{};
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&line));
        return line;
    }

    win32::Win32WindowSystem windows{GetModuleHandleW(nullptr)};
    window::FormModel form{ui::MainWindowLayout()};
    const ui::MainWindowControls controls{form};
    Control& entries = controls.entryList;
    HWND window = nullptr;
    HWND list = nullptr;
    std::vector<Control::ContextMenuRequest> requests;
};

TEST_F(RealList, ContextMenuIsAskedForWithTheItemUnderThePointerOrAtTheSelectedItem)
{
    entries.AddItems({L"first", L"second", L"third", L"fourth"});
    const RECT third = Line(2);
    const POINT pointer = OnScreen(POINT{third.left + 5, (third.top + third.bottom) / 2});
    // Sent to the list, as Windows sends it after a right click: the list hands it to the form.
    SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list),
                 MAKELPARAM(pointer.x, pointer.y));
    const POINT belowItems = OnScreen(POINT{third.left + 5, Line(3).bottom + 2});
    SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list),
                 MAKELPARAM(belowItems.x, belowItems.y));
    SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
    entries.SetSelectedIndex(1);
    SendMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
    // Another control's request is none of the list's.
    HWND button = GetDlgItem(
        window, win32::ControlId(form.Layout(), window::Id(ui::MainWindowControl::NewButton)));
    SendMessageW(button, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button), -1);

    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].itemUnderPointer, 2);
    EXPECT_EQ(requests[0].at.x, pointer.x);
    EXPECT_EQ(requests[0].at.y, pointer.y);
    EXPECT_FALSE(requests[0].byKeyboard);
    EXPECT_EQ(requests[1].itemUnderPointer, window::kNoSelection);
    EXPECT_EQ(requests[1].at.y, belowItems.y);
    RECT outer{};
    GetWindowRect(list, &outer);
    EXPECT_TRUE(requests[2].byKeyboard);
    EXPECT_EQ(requests[2].at.x, outer.left);
    EXPECT_EQ(requests[2].at.y, outer.top);
    // Inside the selected line on the screen, clear of its corner.
    const RECT second = Line(1);
    const POINT corner = OnScreen(POINT{second.left, second.top});
    const POINT end = OnScreen(POINT{second.right, second.bottom});
    EXPECT_TRUE(requests[3].byKeyboard);
    EXPECT_GT(requests[3].at.x, corner.x);
    EXPECT_GT(requests[3].at.y, corner.y);
    EXPECT_LT(requests[3].at.x, end.x);
    EXPECT_LT(requests[3].at.y, end.y);
}

TEST_F(RealList, DeleteF5AndTheMenuKeysReachTheirHandlersOnceAPress)
{
    entries.AddItems({L"first", L"second"});
    int deletes = 0;
    int refills = 0;
    entries.onDeleteKey = [&] { ++deletes; };
    form.onRefillKey = [&] { ++refills; };
    SetFocus(list);
    const auto press = [](HWND target, UINT down, WPARAM key) {
        PostMessageW(target, down, key, 1);
        PostMessageW(target, down, key, 1 | (LPARAM{1} << 30)); // held: the press repeats
        PostMessageW(target, down + 1, key, 1 | (LPARAM{3} << 30));
    };
    // Shift+F10 needs Shift down as the keys are read; the others do not mind it.
    BYTE keys[256]{};
    ASSERT_TRUE(GetKeyboardState(keys));
    keys[VK_SHIFT] = 0x80;
    ASSERT_TRUE(SetKeyboardState(keys));
    press(list, WM_KEYDOWN, VK_DELETE);
    press(list, WM_KEYDOWN, VK_F5);
    press(list, WM_KEYDOWN, VK_APPS);
    press(list, WM_SYSKEYDOWN, VK_F10);
    HWND button = GetDlgItem(
        window, win32::ControlId(form.Layout(), window::Id(ui::MainWindowControl::NewButton)));
    press(button, WM_KEYDOWN, VK_F5);
    press(button, WM_KEYDOWN, VK_DELETE);
    PumpUntilClosed();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    // F5 counts anywhere in the window, Delete only where it is handled.
    EXPECT_EQ(deletes, 1);
    EXPECT_EQ(refills, 2);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[0].byKeyboard && requests[1].byKeyboard);
}

TEST_F(RealList, PopUpMenuShowsItsItemsAsGivenAndAnswersTheChoiceOrNone)
{
    const std::vector<window::MenuItem> items{
        {L"&Open", true, true, false}, {L"", true, false, true}, {L"&Gone", false}, {L"&Copy"}};
    struct Seen {
        int count = -1;
        UINT gone = 0;
        UINT copy = 0;
        UINT defaultItem = 0;
        wchar_t text[16]{};
    } seen;
    withOpenMenu = [&](HWND menuWindow) {
        auto* menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        seen.count = GetMenuItemCount(menu);
        seen.gone = GetMenuState(menu, 2, MF_BYPOSITION);
        seen.copy = GetMenuState(menu, 3, MF_BYPOSITION);
        seen.defaultItem = GetMenuDefaultItem(menu, TRUE, 0);
        GetMenuStringW(menu, 0, seen.text, 16, MF_BYPOSITION);
        // Down to the first item, past the separator and the greyed item, to Copy.
        for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) {
            PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
        }
    };
    SetTimer(nullptr, 0, 20, &LookForMenu);
    EXPECT_EQ(windows.ShowMenu(form, items, window::ScreenPoint{200, 200}), 3u);
    EXPECT_EQ(seen.count, 4);
    EXPECT_NE(seen.gone & MF_GRAYED, 0u);
    EXPECT_EQ(seen.copy & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR), 0u);
    EXPECT_EQ(seen.defaultItem, 0u);
    EXPECT_EQ(std::wstring(seen.text), L"&Open");

    withOpenMenu = [](HWND) { EndMenu(); };
    SetTimer(nullptr, 0, 20, &LookForMenu);
    EXPECT_EQ(windows.ShowMenu(form, items, window::ScreenPoint{200, 200}), std::nullopt);
    EXPECT_EQ(windows.ShowMenu(form, {}, window::ScreenPoint{200, 200}), std::nullopt);
}

TEST_F(RealList, TopIndexScrollsTheRealListAndFollowsTheUser)
{
    std::vector<std::wstring> many;
    many.reserve(200);
    for (int i = 0; i < 200; ++i) {
        many.push_back(L"entry " + std::to_wstring(i));
    }
    entries.AddItems(many);
    entries.SetTopIndex(40);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 40);
    EXPECT_EQ(entries.TopIndex(), 40);
    SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0); // the user scrolls one line on
    EXPECT_EQ(entries.TopIndex(), 41);
    entries.ClearItems();
    EXPECT_EQ(entries.TopIndex(), 0);
}

} // namespace
} // namespace tolvan::test
