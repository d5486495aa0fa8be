#pragma once

#include "platform/Registry.h"
#include "registry/RegistryValues.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace entries {

// Where a startup entry is kept, and so whom it applies to: a Run key (the current user's, the
// machine's as 64-bit programs see it, or the machine's in the 32-bit programs' view, where 32-bit
// installers write), a key Windows also starts programs from at logon (the policy Run keys that
// Group Policy fills, and the RunOnce keys, whose programs run once), or a Startup folder (the
// current user's or the one for all users).
enum class Scope : std::uint8_t {
    CurrentUser,
    AllUsers,
    AllUsers32Bit,
    CurrentUserStartupFolder,
    AllUsersStartupFolder,
    CurrentUserPolicy,
    AllUsersPolicy,
    CurrentUserOnce,
    AllUsersOnce,
    AllUsersOnce32Bit,
};

// The scopes of the Run keys, in the order the keys are read. The current user's key is the same
// in both views, so it is read once.
inline constexpr std::array<Scope, 3> kScopes = {Scope::CurrentUser, Scope::AllUsers,
                                                 Scope::AllUsers32Bit};

// Every scope kept in the registry, in the order the keys are read: the Run keys, then the
// policy Run keys, then the RunOnce keys.
inline constexpr std::array<Scope, 8> kRegistryScopes = {
    Scope::CurrentUser,    Scope::AllUsers,        Scope::AllUsers32Bit, Scope::CurrentUserPolicy,
    Scope::AllUsersPolicy, Scope::CurrentUserOnce, Scope::AllUsersOnce,  Scope::AllUsersOnce32Bit};

// The scopes of the Startup folders, in the order they are read (after the registry).
inline constexpr std::array<Scope, 2> kFolderScopes = {Scope::CurrentUserStartupFolder,
                                                       Scope::AllUsersStartupFolder};

[[nodiscard]] constexpr bool IsFolderScope(Scope scope) noexcept
{
    return scope == Scope::CurrentUserStartupFolder || scope == Scope::AllUsersStartupFolder;
}

// Whether the scope's entries apply to the current user alone.
[[nodiscard]] constexpr bool IsUserScope(Scope scope) noexcept
{
    return scope == Scope::CurrentUser || scope == Scope::CurrentUserStartupFolder ||
           scope == Scope::CurrentUserPolicy || scope == Scope::CurrentUserOnce;
}

// Whether Windows keeps an on/off switch for the scope's entries: for the Run keys and the
// Startup folders, not for the policy and RunOnce keys.
[[nodiscard]] constexpr bool HasSwitches(Scope scope) noexcept
{
    return scope == Scope::CurrentUser || scope == Scope::AllUsers ||
           scope == Scope::AllUsers32Bit || IsFolderScope(scope);
}

// Whether an entry of the scope may be moved to another scope by an edit: the Run keys' and the
// Startup folders' may, within their kind; the policy and RunOnce keys' stay in their key.
[[nodiscard]] constexpr bool CanMoveOut(Scope scope) noexcept
{
    return HasSwitches(scope);
}

// The key, under either root and in either view, whose string values Windows runs at logon.
inline constexpr platform::NulTerminated kRunKeyPath =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// The same, written by Group Policy ("Run these programs at user logon").
inline constexpr platform::NulTerminated kPolicyRunKeyPath =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
// Programs Windows runs once, at the next logon; a name that starts with '!' or '*' is Windows'
// own flag (deleted only after the program succeeded; run in safe mode too).
inline constexpr platform::NulTerminated kRunOnceKeyPath =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

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
    case Scope::AllUsersPolicy:
    case Scope::AllUsersOnce:
        return platform::reg::kView64Bit;
    case Scope::AllUsers32Bit:
    case Scope::AllUsersOnce32Bit:
        return platform::reg::kView32Bit;
    case Scope::CurrentUser:
    case Scope::CurrentUserStartupFolder:
    case Scope::AllUsersStartupFolder:
    case Scope::CurrentUserPolicy:
    case Scope::CurrentUserOnce:
        break;
    }
    return 0;
}

// The key of a registry scope.
[[nodiscard]] constexpr registry::KeyPath RunKeyOf(Scope scope) noexcept
{
    switch (scope) {
    case Scope::CurrentUserPolicy:
    case Scope::AllUsersPolicy:
        return {RootKeyOf(scope), kPolicyRunKeyPath, ViewOf(scope)};
    case Scope::CurrentUserOnce:
    case Scope::AllUsersOnce:
    case Scope::AllUsersOnce32Bit:
        return {RootKeyOf(scope), kRunOnceKeyPath, ViewOf(scope)};
    case Scope::CurrentUser:
    case Scope::AllUsers:
    case Scope::AllUsers32Bit:
    case Scope::CurrentUserStartupFolder:
    case Scope::AllUsersStartupFolder:
        break;
    }
    return {RootKeyOf(scope), kRunKeyPath, ViewOf(scope)};
}

} // namespace entries
