#include "PopupMenu.h"

#include "platform/UniqueHandle.h"

#include <windows.h>

namespace platform::win32 {
namespace {

struct MenuTraits {
    using pointer = HMENU;
    static constexpr HMENU Invalid() noexcept { return nullptr; }
    static void Close(HMENU menu) noexcept { DestroyMenu(menu); }
};
using OwnedMenu = UniqueHandle<MenuTraits>;

// Command ids start at 1: TrackPopupMenuEx answers 0 when nothing was chosen.
UINT_PTR CommandId(std::size_t index) noexcept
{
    return static_cast<UINT_PTR>(index) + 1;
}

} // namespace

std::optional<std::size_t> ShowPopupMenu(HWND owner, std::span<const window::MenuItem> items,
                                         POINT at) noexcept
{
    if (items.empty() || owner == nullptr) {
        return std::nullopt;
    }
    const OwnedMenu menu(CreatePopupMenu());
    if (!menu) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const window::MenuItem& item = items[i];
        const BOOL added =
            item.separator
                ? AppendMenuW(menu.get(), MF_SEPARATOR, CommandId(i), nullptr)
                : AppendMenuW(menu.get(), MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED),
                              CommandId(i), item.text.c_str());
        if (added == FALSE) {
            return std::nullopt;
        }
        if (item.isDefault && !item.separator) {
            SetMenuDefaultItem(menu.get(), static_cast<UINT>(CommandId(i)), FALSE);
        }
    }
    // The menu's top-left corner at the point (TPM_LEFTALIGN | TPM_TOPALIGN, both 0); either mouse
    // button chooses.
    const BOOL chosen =
        TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr);
    if (chosen <= 0 || static_cast<std::size_t>(chosen) > items.size()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(chosen) - 1;
}

} // namespace platform::win32
