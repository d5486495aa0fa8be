#pragma once

#include "Scope.h"
#include "StartupEntry.h"
#include "platform/Platform.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace entries {

// How a change of an entry ended: done whole, or not at all, and then which step Windows refused
// and with what error code; a delete alone may end in part (SwitchLeftBehind).
struct ChangeResult {
    enum class Failed : std::uint8_t {
        Nothing,
        Entry,            // the value
        File,             // a file of a Startup folder: the entry's, or the one it was to replace
        Switch,           // the entry's on/off switch
        SwitchLeftBehind, // the entry was deleted, but its switch could not be removed
        NameTaken,        // another entry already has the name where it was to go (error 183)
    };
    Failed failed = Failed::Nothing;
    platform::ErrorCode error = 0; // Windows' error code of the step that failed; 0 on success
    std::wstring file{};           // with Failed::File, the file Windows refused to change
    [[nodiscard]] bool Succeeded() const noexcept { return failed == Failed::Nothing; }
};

// What a change does with another entry that already has the name where the entry is to go.
enum class WhenNameTaken : std::uint8_t {
    Refuse,  // change nothing, and say so (ChangeResult::Failed::NameTaken)
    Replace, // the other entry goes: its value is overwritten, or its file recycled
};

// What an entry is to become: its name, its command and where it is kept. A shortcut's name is
// its file's name without the extension, and its scope one of the Startup folders.
struct EntryTarget {
    std::wstring_view name; // counted: a value's name may hold NULs
    std::wstring_view command;
    Scope scope = Scope::AllUsers;
};

// Every change the user makes to an entry, each as one transaction: the registry and the Startup
// folders are left either fully changed or as they were, every step taken undone when a later one
// fails. An entry's on/off switch goes with it: a new entry starts switched on, a renamed or moved
// one takes its switch along, and a deleted or replaced one leaves none behind. Names compare
// without regard to letter case, as Windows compares them.
class EntryChanges {
public:
    explicit EntryChanges(platform::Platform& platform);

    // Adds a Run entry. Its command is stored as REG_EXPAND_SZ when it names a variable the
    // environment defines, so that Windows expands it at logon, else as REG_SZ.
    [[nodiscard]] ChangeResult Create(const EntryTarget& target, WhenNameTaken whenTaken);
    // Changes the entry as stored to the target: a Run entry keeps its value's type, and a
    // shortcut is retargeted (target and arguments split from the command), renamed and moved
    // between the folders, keeping its extension as it is spelled. Saving an entry onto its own
    // name, whatever the letter case, takes no other entry's place.
    [[nodiscard]] ChangeResult Update(const StartupEntry& stored, const EntryTarget& target,
                                      WhenNameTaken whenTaken);
    // Removes the Run value, or moves the file to the Recycle Bin, with its switch. An entry
    // already gone counts as deleted. A switch that cannot be removed does not keep the entry:
    // a switch without its entry starts nothing (SwitchLeftBehind).
    [[nodiscard]] ChangeResult Delete(const StartupEntry& entry);
    // Whether the entry is still stored as it was read: its value's type and bytes, or its
    // shortcut's target and arguments. False when it is gone, or cannot be read to tell.
    [[nodiscard]] bool StillAsRead(const StartupEntry& read);
    // Switches the entry off, stamped with the clock's now, or on.
    [[nodiscard]] ChangeResult SetSwitch(const StartupEntry& entry, bool switchedOff);

private:
    platform::Platform& platform_;
};

} // namespace entries
