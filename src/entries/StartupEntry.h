#pragma once

#include "Scope.h"
#include "platform/SignatureCheck.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace entries {

// One program Windows starts at logon: a string value under a Run key, or a file in a Startup
// folder, with what the tool works out about the program it names.
struct StartupEntry {
    Scope scope = Scope::AllUsers;
    // The value's name as the registry counts it, NULs included; a file's name without a .lnk
    // extension.
    std::wstring name;
    std::wstring command; // the value's data, a command line, without its terminating NUL
    // A file in a Startup folder: its full path. Its command is the shortcut's target and
    // arguments, or the file itself for any other file. Empty for a Run entry.
    std::wstring filePath;
    // A Run entry's value data as it was read, byte for byte: what an edit of it must still find
    // stored before it writes over it. Empty for a file.
    std::vector<std::byte> valueData;
    // REG_SZ, or REG_EXPAND_SZ for a command whose %NAME%s Windows expands before it runs it.
    std::uint32_t valueType = platform::reg::kTypeSz;
    // Switched off, as Task Manager does it: Windows leaves the entry where it is and does not
    // start it. When it was switched off, as a FILETIME; 0 when that is not known.
    bool switchedOff = false;
    std::uint64_t switchedOffSince = 0;
    // The switch could not be read: the entry is listed as on, which it may not be.
    bool switchUnreadable = false;
    // The program the command starts (after expansion); empty when it cannot be told.
    std::wstring programPath;
    std::wstring arguments; // the rest of the command line, trimmed
    // The program's version texts, trimmed; empty when it has none.
    std::wstring productName;
    std::wstring companyName;
    std::wstring legalCopyright;
    std::wstring description;
    // Whether the program's file was found when the entry was read (for the panel and the menu,
    // which must not wait for a file themselves).
    bool programFound = false;
    // What Windows says of the program file's signature; none while it is not known (no file,
    // or the file still being read).
    std::optional<platform::SignatureVerdict> signature;
    // The program's file was still being read when the list was made: its texts come with a
    // later refill.
    bool textsPending = false;
    // The line the list shows, and what it is sorted by: the description, or the name followed
    // by the program's path.
    std::wstring displayText;
};

// What tells an entry from every other, whatever the list's order: its scope and name, and for a
// file of a Startup folder its path.
struct EntryKey {
    Scope scope = Scope::AllUsers;
    std::wstring name;
    std::wstring filePath;
    bool operator==(const EntryKey&) const = default;
};

[[nodiscard]] inline EntryKey KeyOf(const StartupEntry& entry)
{
    return EntryKey{entry.scope, entry.name, entry.filePath};
}

} // namespace entries
