#include "ListGeometry.h"

#include <windows.h>

namespace platform::win32 {

std::ptrdiff_t ListItemAt(HWND list, POINT client) noexcept
{
    const LRESULT found = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
    if (HIWORD(found) != 0) {
        return -1;
    }
    // The answer holds the index in 16 bits: in a longer list it is the low part of the index,
    // and the item whose line holds the point is the one meant.
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT index = LOWORD(found); index < count; index += 0x10000) {
        RECT line{};
        if (SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&line)) != LB_ERR &&
            PtInRect(&line, client) != FALSE) {
            return static_cast<std::ptrdiff_t>(index);
        }
    }
    return -1;
}

POINT ListKeyboardMenuPoint(HWND list) noexcept
{
    RECT client{};
    GetClientRect(list, &client);
    const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
    RECT line{};
    if (selected != LB_ERR &&
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(selected),
                     reinterpret_cast<LPARAM>(&line)) != LB_ERR &&
        line.top >= client.top && line.top < client.bottom) {
        // Half a line in, so that the menu does not hide the item it is about.
        const LONG inset = (line.bottom - line.top) / 2;
        POINT at{line.left + inset, line.top + inset};
        ClientToScreen(list, &at);
        return at;
    }
    RECT outer{};
    GetWindowRect(list, &outer);
    return POINT{outer.left, outer.top};
}

} // namespace platform::win32
