#pragma once

#include "platform/Registry.h"

#include <cstdint>
#include <string_view>

namespace entries {

// Whom a startup entry applies to, and so which Run key holds it.
enum class Scope : std::uint8_t { CurrentUser, AllUsers };

// The key, under either root, whose string values Windows runs at logon.
inline constexpr std::wstring_view kRunKeyPath =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The root whose Run key holds the entries of this scope.
[[nodiscard]] constexpr platform::RootKey RootKeyOf(Scope scope) noexcept
{
    return scope == Scope::CurrentUser ? platform::reg::kCurrentUser : platform::reg::kLocalMachine;
}

} // namespace entries
