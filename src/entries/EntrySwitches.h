#pragma once

#include "Scope.h"
#include "StartupEntry.h"
#include "registry/RegistryValues.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// Whether Windows starts an entry at all. Since Windows 8, Task Manager and Settings keep each
// Run entry's on/off switch apart from the entry: a REG_BINARY value of the same name under the
// scope's StartupApproved key, always in the 64-bit view. Most entries have none (on); Task
// Manager leaves the value behind when an entry goes.
namespace entries {

inline constexpr platform::NulTerminated kRunSwitchesKeyPath =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline constexpr platform::NulTerminated kRun32BitSwitchesKeyPath =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32";
// The switches of the files in the Startup folders, named by the file's name with its extension.
inline constexpr platform::NulTerminated kFolderSwitchesKeyPath =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";

// The key that holds the on/off switches of the scope's entries; none (an empty path) for a scope
// without switches.
[[nodiscard]] constexpr registry::KeyPath SwitchKeyOf(Scope scope) noexcept
{
    switch (scope) {
    case Scope::CurrentUser:
        return {platform::reg::kCurrentUser, kRunSwitchesKeyPath, 0};
    case Scope::AllUsers:
        return {platform::reg::kLocalMachine, kRunSwitchesKeyPath, platform::reg::kView64Bit};
    case Scope::AllUsers32Bit:
        return {platform::reg::kLocalMachine, kRun32BitSwitchesKeyPath, platform::reg::kView64Bit};
    case Scope::CurrentUserStartupFolder:
        return {platform::reg::kCurrentUser, kFolderSwitchesKeyPath, 0};
    case Scope::AllUsersStartupFolder:
        return {platform::reg::kLocalMachine, kFolderSwitchesKeyPath, platform::reg::kView64Bit};
    case Scope::CurrentUserPolicy:
    case Scope::AllUsersPolicy:
    case Scope::CurrentUserOnce:
    case Scope::AllUsersOnce:
    case Scope::AllUsersOnce32Bit:
        break; // no switches
    }
    return {};
}

// A switch as stored. `switchedOffSince` is a FILETIME (UTC, 100-ns steps since 1601), 0 when the
// value does not say when.
struct SwitchState {
    bool switchedOff = false;
    std::uint64_t switchedOffSince = 0;
};

// Reads a stored switch: off when the value is REG_BINARY and bit 0 of its first byte is set;
// a 12-byte value carries the moment it was switched off in bytes 4 to 11.
[[nodiscard]] SwitchState ParseSwitch(std::uint32_t type, std::span<const std::byte> data) noexcept;

// The 12 bytes that switch an entry off at `now`, or on, given what was stored before (nothing,
// or a value of another type, counts as never switched).
using SwitchBytes = std::array<std::byte, 12>;
[[nodiscard]] SwitchBytes DisabledBytes(std::uint32_t oldType, std::span<const std::byte> old,
                                        std::uint64_t now) noexcept;
[[nodiscard]] SwitchBytes EnabledBytes(std::uint32_t oldType,
                                       std::span<const std::byte> old) noexcept;

// The name of the entry's switch: the value's name for a Run entry, the file's name with its
// extension for a file in a Startup folder.
[[nodiscard]] std::wstring_view SwitchNameOf(const StartupEntry& entry) noexcept;

// Reads the switches of the entries of this scope into them; entries of other scopes are left
// alone. A missing key or value is a switch that is on, and so is every entry of a scope without
// switches. Success, or the code of the call that
// failed: the entries whose switch was not read by then are marked switchUnreadable. Running out
// of memory throws std::bad_alloc.
[[nodiscard]] platform::ErrorCode ReadSwitches(platform::Registry& registry, Scope scope,
                                               std::span<StartupEntry> entries);

// Switches the entry off (stamped with `now`) or on, in the way Task Manager writes it; the key
// is created when it is missing. A scope without switches answers 50 (not supported).
[[nodiscard]] platform::ErrorCode WriteSwitch(platform::Registry& registry, Scope scope,
                                              std::wstring_view name, bool switchedOff,
                                              std::uint64_t now);

// Removes an entry's switch; an entry that has none (or whose scope has none) is fine.
[[nodiscard]] platform::ErrorCode RemoveSwitch(platform::Registry& registry, Scope scope,
                                               std::wstring_view name);

} // namespace entries
