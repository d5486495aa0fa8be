#pragma once

#include "GdiHandles.h"
#include "platform/window/Layout.h"

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

namespace platform::win32 {

// The fonts of one window at one DPI, each made once and shared by every control that uses it.
class FontCache {
public:
    explicit FontCache(UINT dpi) noexcept : dpi_(dpi) {}

    [[nodiscard]] HFONT Get(const window::Font& spec, bool underline);

private:
    // Face, size, weight, character set and underline.
    using Key = std::tuple<std::wstring, int, bool, int, bool>;

    UINT dpi_;
    std::map<Key, OwnedFont> fonts_;
};

} // namespace platform::win32
