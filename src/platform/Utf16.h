#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Registry strings are stored as UTF-16LE bytes. wchar_t is a UTF-16 unit on Windows and a whole
// code point elsewhere; these two keep the stored bytes identical on both.

// The text as UTF-16LE bytes, without a terminator.
[[nodiscard]] std::vector<std::byte> ToUtf16Le(std::wstring_view text);

// UTF-16LE bytes as text. An odd last byte is ignored; NULs and lone surrogates are kept.
[[nodiscard]] std::wstring FromUtf16Le(std::span<const std::byte> bytes);

// The text as UTF-8 bytes, without a terminator; a lone surrogate becomes U+FFFD.
[[nodiscard]] std::string ToUtf8(std::wstring_view text);

// A message of the standard library (an exception's what()), its bytes taken as Latin-1: they
// are ASCII in practice.
[[nodiscard]] std::wstring FromLatin1(std::string_view text);

} // namespace platform
