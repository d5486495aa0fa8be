#pragma once

#include <string>
#include <string_view>

namespace entries {

// A value's name may hold NULs, which the registry keeps but which end a name to the functions
// most programs use: there such a value passes for the value of its name cut at the first NUL, or
// cannot be reached at all, a way to hide one. Each NUL is shown as this mark instead.
inline constexpr wchar_t kNulMark = L'\u2400';

[[nodiscard]] bool IsHiddenName(std::wstring_view name) noexcept;

// The name as it is shown: each NUL as kNulMark.
[[nodiscard]] std::wstring ShownName(std::wstring_view name);

} // namespace entries
