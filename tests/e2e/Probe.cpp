// Looks into the running tolvan.exe from outside, as the end-to-end driver needs: the list's
// items, the texts, visibility and state of the main window's controls, where they are on the
// screen, how quickly a highlight goes once the cursor has left the window, where a list item is
// drawn, the colour of dimmed text, whether a pop-up menu is open and the text on the clipboard.
// Usage: tolvan_probe list | caption | text NAME | visible NAME | enabled NAME | centre NAME |
// leave NAME |
//        item INDEX | grey | menu-open | clipboard | close
#include "ToolWindows.h"

#include <windows.h>

#include <array>
#include <cstdlib>
#include <cwchar>
#include <shellapi.h>
#include <string>
#include <string_view>

namespace {

using tolvan::e2e::MainWindow;
using tolvan::e2e::Print;
using tolvan::e2e::TextOf;

HWND Control(HWND main, std::wstring_view name)
{
    return tolvan::e2e::MainControl(main, name);
}

int ListItems(HWND main)
{
    HWND list = Control(main, L"entryList");
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1,
                          L'\0');
        item.resize(static_cast<std::size_t>(
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        Print(item);
    }
    return 0;
}

// Puts the cursor just right of the window and reports the milliseconds until the control is
// hidden; fails after two seconds.
int LeaveAndTime(HWND main, HWND control)
{
    RECT outer{};
    GetWindowRect(main, &outer);
    SetCursorPos(outer.right + 20, (outer.top + outer.bottom) / 2);
    const ULONGLONG start = GetTickCount64();
    while (IsWindowVisible(control)) {
        if (GetTickCount64() - start > 2000) {
            Print(L"still visible");
            return 1;
        }
        Sleep(5);
    }
    Print(std::to_wstring(GetTickCount64() - start));
    return 0;
}

// The list item's place on the screen: "left top width height".
int ItemRect(HWND main, int index)
{
    HWND list = Control(main, L"entryList");
    RECT rect{};
    if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&rect)) == LB_ERR) {
        Print(L"no such item");
        return 1;
    }
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    Print(std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
          std::to_wstring(rect.right - rect.left) + L" " + std::to_wstring(rect.bottom - rect.top));
    return 0;
}

// The system's grey text colour as "#RRGGBB".
int GreyText()
{
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    std::array<wchar_t, 8> text{};
    swprintf(text.data(), text.size(), L"#%02X%02X%02X", GetRValue(grey), GetGValue(grey),
             GetBValue(grey));
    Print(text.data());
    return 0;
}

// Whether a pop-up menu shows: "1" or "0".
int MenuOpen()
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    Print(menu != nullptr && IsWindowVisible(menu) ? L"1" : L"0");
    return 0;
}

// The clipboard's Unicode text, as it is.
int ClipboardText()
{
    if (!OpenClipboard(nullptr)) {
        Print(L"clipboard busy");
        return 1;
    }
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    Print(text);
    return 0;
}

} // namespace

int main()
{
    int argc = 0;
    // Freed when the process ends, a moment later.
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2) {
        return 2;
    }
    const std::wstring_view command = argv[1];
    HWND main = MainWindow();
    if (main == nullptr) {
        Print(L"no main window");
        return 1;
    }
    if (command == L"list") {
        return ListItems(main);
    }
    if (command == L"caption") {
        Print(TextOf(main));
        return 0;
    }
    if (command == L"grey") {
        return GreyText();
    }
    if (command == L"menu-open") {
        return MenuOpen();
    }
    if (command == L"clipboard") {
        return ClipboardText();
    }
    if (command == L"item" && argc >= 3) {
        return ItemRect(main, _wtoi(argv[2]));
    }
    if (command == L"close") {
        PostMessageW(main, WM_CLOSE, 0, 0);
        return 0;
    }
    if (argc < 3) {
        return 2;
    }
    HWND control = Control(main, argv[2]);
    if (control == nullptr) {
        Print(L"no such control");
        return 1;
    }
    if (command == L"text") {
        Print(TextOf(control));
    } else if (command == L"visible") {
        Print(IsWindowVisible(control) ? L"1" : L"0");
    } else if (command == L"enabled") {
        Print(IsWindowEnabled(control) ? L"1" : L"0");
    } else if (command == L"centre") {
        RECT rect{};
        GetWindowRect(control, &rect);
        Print(std::to_wstring((rect.left + rect.right) / 2) + L" " +
              std::to_wstring((rect.top + rect.bottom) / 2));
    } else if (command == L"leave") {
        return LeaveAndTime(main, control);
    } else {
        return 2;
    }
    return 0;
}
