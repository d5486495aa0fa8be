#include "ListItemPainter.h"

#include "GdiHandles.h"

#include <windows.h>

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
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                  DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
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
