#pragma once

#include "Scope.h"
#include "StartupEntry.h"
#include "platform/StartupFolders.h"

#include <string>
#include <string_view>
#include <vector>

// The files Windows opens at logon from the two Startup folders, as entries: a shortcut starts
// its target with its arguments, any other file is opened itself.
namespace entries {

// The Startup folder of a folder scope.
[[nodiscard]] constexpr platform::StartupFolder FolderOf(Scope scope) noexcept
{
    return scope == Scope::CurrentUserStartupFolder ? platform::StartupFolder::CurrentUser
                                                    : platform::StartupFolder::AllUsers;
}

// Whether the file is a shortcut (its name ends in ".lnk", in any letter case).
[[nodiscard]] bool IsShortcutFile(std::wstring_view fileName) noexcept;

// The command a shortcut stands for: its target, quoted when it holds a space, then a space and
// its arguments when it has any.
[[nodiscard]] std::wstring CommandOf(const platform::Shortcut& shortcut);

// Appends an entry for every file of the scope's folder, leaving out hidden and system files
// (desktop.ini). A shortcut's command is left empty, for ReadShortcutCommand: reading a file may
// take long, and is done where waiting harms no one. A folder that is missing adds nothing; one
// that cannot be read to its end adds what was listed, and its error code is returned (else 0).
[[nodiscard]] platform::ErrorCode ListStartupFolder(platform::StartupFolders& folders, Scope scope,
                                                    std::vector<StartupEntry>& into);
// Reads a shortcut's command into its entry; one that cannot be read keeps an empty command.
void ReadShortcutCommand(platform::StartupFolders& folders, StartupEntry& entry);

} // namespace entries
