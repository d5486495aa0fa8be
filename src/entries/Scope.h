#pragma once

#include "platform/Registry.h"
#include "registry/RegistryValues.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace entries {

// Where a startup entry is kept, and so whom it applies to: a Run key (the current user's, the
// machine's as 64-bit programs see it, or the machine's in the 32-bit programs' view, where 32-bit
// installers write), or a Startup folder (the current user's or the one for all users).
enum class Scope : std::uint8_t {
    CurrentUser,
    AllUsers,
    AllUsers32Bit,
    CurrentUserStartupFolder,
    AllUsersStartupFolder,
};

// The scopes of the Run keys, in the order the keys are read. The current user's key is the same
// in both views, so it is read once.
inline constexpr std::array<Scope, 3> kScopes = {Scope::CurrentUser, Scope::AllUsers,
                                                 Scope::AllUsers32Bit};

// The scopes of the Startup folders, in the order they are read (after the Run keys).
inline constexpr std::array<Scope, 2> kFolderScopes = {Scope::CurrentUserStartupFolder,
                                                       Scope::AllUsersStartupFolder};

[[nodiscard]] constexpr bool IsFolderScope(Scope scope) noexcept
{
    return scope == Scope::CurrentUserStartupFolder || scope == Scope::AllUsersStartupFolder;
}

// Whether the scope's entries apply to the current user alone.
[[nodiscard]] constexpr bool IsUserScope(Scope scope) noexcept
{
    return scope == Scope::CurrentUser || scope == Scope::CurrentUserStartupFolder;
}

// The key, under either root and in either view, whose string values Windows runs at logon.
inline constexpr platform::NulTerminated kRunKeyPath =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The root whose keys hold the entries (or, for a folder, the switches) of this scope.
[[nodiscard]] constexpr platform::RootKey RootKeyOf(Scope scope) noexcept
{
    return IsUserScope(scope) ? platform::reg::kCurrentUser : platform::reg::kLocalMachine;
}

// The registry view the scope's Run key is opened in. The machine's keys are always asked for by
// view, so that a 32-bit build of the tool would see the same keys as the 64-bit one.
[[nodiscard]] constexpr std::uint32_t ViewOf(Scope scope) noexcept
{
    switch (scope) {
    case Scope::AllUsers:
        return platform::reg::kView64Bit;
    case Scope::AllUsers32Bit:
        return platform::reg::kView32Bit;
    case Scope::CurrentUser:
    case Scope::CurrentUserStartupFolder:
    case Scope::AllUsersStartupFolder:
        break;
    }
    return 0;
}

// The Run key of a Run-key scope.
[[nodiscard]] constexpr registry::KeyPath RunKeyOf(Scope scope) noexcept
{
    return {RootKeyOf(scope), kRunKeyPath, ViewOf(scope)};
}

} // namespace entries
