#pragma once

#include <string_view>

namespace platform::portable {

// Whether a file name matches a search pattern, letters compared without regard to case: `*`
// stands for any run of characters, `?` for one character (or none once the name has ended), and
// a pattern ending in ".*" also matches names without an extension, so "*.*" matches every name,
// as in Windows.
[[nodiscard]] bool MatchesWildcard(std::wstring_view pattern, std::wstring_view name) noexcept;

} // namespace platform::portable
