// The main window's real list: its lines look as a plain list box in the same font draws them, a
// dimmed one grey unless selected; it keeps its strings and a plain list's line height at any DPI.
#include "platform/UniqueHandle.h"
#include "platform/win32/window/ControlIds.h"
#include "platform/win32/window/Dpi.h"
#include "platform/win32/window/GdiHandles.h"
#include "platform/win32/window/Win32WindowSystem.h"
#include "ui/layouts/MainWindowLayout.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <string>

namespace tolvan::test {
namespace {

using namespace platform;

struct MemoryDcTraits {
    using pointer = HDC;
    static constexpr HDC Invalid() noexcept { return nullptr; }
    static void Close(HDC dc) noexcept { DeleteDC(dc); }
};

// A list box's client area as it paints it when asked to print itself.
class Printed {
public:
    explicit Printed(HWND list)
    {
        RECT client{};
        GetClientRect(list, &client);
        const win32::WindowDc screen(list);
        bitmap_.reset(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
        dc_.reset(CreateCompatibleDC(screen.get()));
        SelectObject(dc_.get(), bitmap_.get());
        SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT);
    }
    [[nodiscard]] int Count(const RECT& line, COLORREF colour) const
    {
        return CountWhere(line, [&](LONG x, LONG y) { return At(x, y) == colour; });
    }
    [[nodiscard]] int Differences(const RECT& line, const Printed& other) const
    {
        return CountWhere(line, [&](LONG x, LONG y) { return At(x, y) != other.At(x, y); });
    }

private:
    [[nodiscard]] COLORREF At(LONG x, LONG y) const { return GetPixel(dc_.get(), x, y); }
    template <typename Match> [[nodiscard]] int CountWhere(const RECT& line, Match match) const
    {
        int count = 0;
        for (LONG y = line.top; y < line.bottom; ++y) {
            for (LONG x = line.left; x < line.right; ++x) {
                count += match(x, y) ? 1 : 0;
            }
        }
        return count;
    }

    win32::OwnedBitmap bitmap_; // outlives the memory DC it is selected into
    UniqueHandle<MemoryDcTraits> dc_;
};

RECT Line(HWND list, int index)
{
    RECT rect{};
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

LRESULT LineHeight(HWND list)
{
    return SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
}

TEST(ListItemLook, DimmedLinesAreGreyUnlessSelectedAndTheRestIsAPlainListsLook)
{
    win32::Win32WindowSystem windows{GetModuleHandleW(nullptr)};
    window::FormModel form{ui::MainWindowLayout()};
    const ui::MainWindowControls controls(form);
    window::Control& entries = controls.entryList;
    windows.Show(form);
    HWND window = reinterpret_cast<HWND>(windows.Handle(form));
    HWND list = GetDlgItem(
        window, win32::ControlId(form.Layout(), window::Id(ui::MainWindowControl::EntryList)));
    entries.AddItems({L"Shown W", L"Switched off W", L"Shown too W"});
    entries.SetItemDimmed(1, true);
    // The same lines in a list box that Windows draws, as large and in the same font.
    RECT place{};
    GetWindowRect(list, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    win32::OwnedWindow plain(CreateWindowExW(
        WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
        place.left, place.top, place.right - place.left, place.bottom - place.top, window, nullptr,
        GetModuleHandleW(nullptr), nullptr));
    const auto followFont = [&] {
        SendMessageW(plain.get(), WM_SETFONT, SendMessageW(list, WM_GETFONT, 0, 0), FALSE);
    };
    followFont();
    for (int i = 0; i < 3; ++i) {
        const std::wstring& item = entries.Items()[static_cast<std::size_t>(i)];
        SendMessageW(plain.get(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        wchar_t text[32]{};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(text, item);
    }
    EXPECT_EQ(LineHeight(list), LineHeight(plain.get()));

    const COLORREF black = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    const RECT dimmed = Line(list, 1);
    const RECT shown = Line(list, 2); // the first line has the focus rectangle, the plain list not
    const Printed drawn(list);
    EXPECT_GT(drawn.Count(dimmed, grey), 0);
    EXPECT_EQ(drawn.Count(dimmed, black), 0);
    EXPECT_GT(drawn.Count(shown, black), 0);
    EXPECT_EQ(drawn.Count(shown, grey), 0);
    const Printed plainDrawn(plain.get());
    EXPECT_EQ(drawn.Differences(shown, plainDrawn), 0);

    entries.SetSelectedIndex(1);
    const Printed selected(list);
    EXPECT_GT(selected.Count(dimmed, GetSysColor(COLOR_HIGHLIGHT)), 0);
    EXPECT_GT(selected.Count(dimmed, GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);
    EXPECT_EQ(selected.Count(dimmed, grey), 0);

    // A new mark has Windows paint that line again, and no other.
    UpdateWindow(list);
    entries.SetItemDimmed(2, true);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(list, &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, &shown));

    const LRESULT height = LineHeight(list);
    const UINT dpi = win32::dpi::ForWindow(window) * 2;
    RECT outer{};
    GetWindowRect(window, &outer);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&outer));
    followFont();
    EXPECT_GT(LineHeight(list), height);
    EXPECT_EQ(LineHeight(list), LineHeight(plain.get()));

    plain.reset();
    windows.Unload(form);
    static_cast<void>(windows.Run()); // answers the last window's quit request
}

} // namespace
} // namespace tolvan::test
