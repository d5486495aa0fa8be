#include "ListItemPainter.h"

#include "GdiHandles.h"

#include <windows.h>

#include <algorithm>

namespace platform::win32 {
namespace {

// A plain list box starts its text one pixel in from the left edge.
constexpr int kTextMargin = 1;

// An empty list box with the focus asks for its focus rectangle with no item.
constexpr UINT kNoItem = static_cast<UINT>(-1);

int TextColourIndex(const window::Control& control, const DRAWITEMSTRUCT& item) noexcept
{
    if ((item.itemState & ODS_SELECTED) != 0) {
        return COLOR_HIGHLIGHTTEXT;
    }
    if ((item.itemState & ODS_DISABLED) != 0 || control.ItemDimmed(item.itemID)) {
        return COLOR_GRAYTEXT;
    }
    return COLOR_WINDOWTEXT;
}

// A warning mark at the end of a line: a red disc with a white exclamation mark, as high as the
// text, in the same colours whether the line is selected or not. Returns where it starts.
LONG DrawWarningMark(HDC dc, const RECT& line) noexcept
{
    const LONG height = line.bottom - line.top;
    // Odd, so that the bar sits in the middle of the disc.
    const LONG size = std::max<LONG>(7, height - 3) | 1;
    const LONG left = line.right - size - 2;
    const LONG top = line.top + (height - size) / 2;
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc, RGB(0xC8, 0x10, 0x10));
    // A null pen draws one pixel less on the right and at the bottom.
    Ellipse(dc, left, top, left + size + 1, top + size + 1);
    const LONG stroke = std::max<LONG>(1, size / 7);
    const LONG middle = left + size / 2;
    const RECT bar{middle - stroke / 2, top + size / 5, middle - stroke / 2 + stroke,
                   top + size * 3 / 5};
    const RECT dot{bar.left, top + size * 7 / 10, bar.right, top + size * 7 / 10 + stroke};
    auto* const white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    FillRect(dc, &bar, white);
    FillRect(dc, &dot, white);
    return left;
}

} // namespace

// As a plain list box does: a change of focus only inverts the focus rectangle (a second inversion
// takes it away), and a line drawn whole gets it while it has the focus.
void ListItemPainter::Draw(const DRAWITEMSTRUCT& item)
{
    const ChildWindow* child = children_.FindById(static_cast<int>(item.CtlID));
    if (item.CtlType != ODT_LISTBOX || child == nullptr) {
        return;
    }
    HDC dc = item.hDC;
    const RECT& line = item.rcItem;
    const bool showsFocus = (item.itemState & ODS_NOFOCUSRECT) == 0;
    if (item.itemAction == ODA_FOCUS) {
        if (showsFocus) {
            DrawFocusRect(dc, &line);
        }
        return;
    }
    if (item.itemID == kNoItem) {
        return;
    }
    {
        // The focus rectangle takes the colours the list box set, as on a plain list.
        const SavedDc saved(dc);
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillRect(dc, &line, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (auto* font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0))) {
            SelectObject(dc, font);
        }
        SetTextColor(dc, GetSysColor(TextColourIndex(*child->control, item)));
        SetBkMode(dc, TRANSPARENT);
        const std::wstring& text = ItemText(item.hwndItem, item.itemID);
        RECT textRect = line;
        textRect.left += kTextMargin;
        UINT format = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
        if (child->control->ItemFlagged(item.itemID)) {
            // The text gives way to the mark, and says so when it had to.
            textRect.right = DrawWarningMark(dc, line) - kTextMargin;
            format |= DT_END_ELLIPSIS;
        }
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, format);
    }
    if ((item.itemState & ODS_FOCUS) != 0 && showsFocus) {
        DrawFocusRect(dc, &line);
    }
}

// The list's own copy of the line, which is what a plain list box would show.
const std::wstring& ListItemPainter::ItemText(HWND list, UINT index)
{
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) {
        text_.clear();
        return text_;
    }
    text_.resize(static_cast<std::size_t>(length) + 1);
    const LRESULT copied =
        SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text_.data()));
    text_.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text_;
}

} // namespace platform::win32
