#pragma once

#include <string_view>

namespace entries {

// The text without leading and trailing spaces (U+0020); tabs, line breaks and NULs stay.
[[nodiscard]] std::wstring_view TrimSpaces(std::wstring_view text) noexcept;

} // namespace entries
