#pragma once

#include <string_view>

namespace platform::portable {

// Upper-case form of a letter, as Windows compares names without regard to case: ASCII,
// Latin-1, Latin Extended-A (Hungarian ő and ű among them), basic Greek and Cyrillic. Every
// other character is its own upper case.
[[nodiscard]] wchar_t ToUpperInvariant(wchar_t ch) noexcept;

[[nodiscard]] bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) noexcept;

} // namespace platform::portable
