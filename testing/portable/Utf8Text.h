#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::portable {

// Text as UTF-8 bytes. wchar_t holds UTF-16 units on Windows (a surrogate pair is one
// character) and whole code points elsewhere; a surrogate without its partner becomes U+FFFD.
[[nodiscard]] std::string ToUtf8(std::wstring_view text);

// UTF-8 bytes as text; none unless they are well-formed UTF-8 throughout (no overlong forms, no
// encoded surrogates, nothing beyond U+10FFFF, no sequence cut short).
[[nodiscard]] std::optional<std::wstring> FromUtf8(std::string_view bytes);

// UTF-8 bytes as text, leniently: each malformed sequence becomes U+FFFD, so any bytes have a text.
[[nodiscard]] std::wstring FromUtf8Leniently(std::string_view bytes);

} // namespace platform::portable
