#include "EntryChanges.h"

#include "ChangeJournal.h"
#include "CommandLine.h"
#include "EntrySwitches.h"
#include "StartupFolderEntries.h"
#include "platform/Utf16.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace entries {
namespace {

namespace reg = platform::reg;
using Failed = ChangeResult::Failed;
using platform::ErrorCode;

constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kInvalidParameter = 87;
constexpr std::uint32_t kAlreadyExists = 183;
// A replaced file steps aside as "Name (2).lnk" and so on, as Explorer numbers a second file of a
// name; this many tries at most.
constexpr int kLastAsideNumber = 9;

// A step's outcome as the change reports it.
ChangeResult Outcome(Failed step, std::uint32_t error)
{
    return error == 0 ? ChangeResult{} : ChangeResult{step, error};
}

// The outcome of a step on a file, which names the file when it failed.
ChangeResult FileOutcome(std::uint32_t error, std::wstring_view file)
{
    return error == 0 ? ChangeResult{} : ChangeResult{Failed::File, error, std::wstring(file)};
}

// What was to be removed is not there: as good as removed.
constexpr std::uint32_t GoneIsFine(std::uint32_t error) noexcept
{
    return error == kFileNotFound ? 0 : error;
}

// Takes the change's steps in a journal of their own and keeps them only when every one succeeded.
template <typename Steps> ChangeResult Transact(platform::Platform& platform, Steps steps)
{
    try {
        ChangeJournal journal(platform);
        ChangeResult result = steps(journal);
        if (result.Succeeded() || result.failed == Failed::SwitchLeftBehind) {
            journal.Commit();
        }
        return result;
    } catch (const std::bad_alloc&) {
        // The journal has undone the steps taken before memory ran out.
        return {Failed::Entry, reg::kNotEnoughMemory};
    }
}

// A text as a string value holds it: UTF-16LE, with its terminating NUL.
std::vector<std::byte> StringData(std::wstring_view text)
{
    std::vector<std::byte> data = platform::ToUtf16Le(text);
    data.resize(data.size() + 2);
    return data;
}

// NameTaken when the key already holds a value of this name.
ChangeResult NameFree(platform::Registry& registry, const registry::KeyPath& key,
                      std::wstring_view name)
{
    std::uint32_t type = 0;
    std::vector<std::byte> data;
    const ErrorCode read = registry::ReadValue(registry, key, name, type, data);
    if (read == reg::kSuccess) {
        return {Failed::NameTaken, kAlreadyExists};
    }
    return Outcome(Failed::Entry, GoneIsFine(read));
}

// The file of the folder that has this name to Windows, as it is spelled there.
std::optional<std::wstring> FileNamed(platform::Platform& platform,
                                      const platform::NulTerminated& folder,
                                      std::wstring_view fileName)
{
    // A folder read only in part can only miss a name: the move that follows still never
    // replaces a file.
    std::vector<platform::FolderFile> files;
    (void)platform.startupFolders.FilesIn(folder, files);
    for (platform::FolderFile& file : files) {
        if (SameName(platform.collation, file.name, fileName)) {
            return std::move(file.name);
        }
    }
    return std::nullopt;
}

// Takes an entry's switch from its old name and scope to its new ones. An entry without a switch
// leaves none behind under its new name either (a replaced entry's, say): that one would switch
// it off.
ChangeResult CarrySwitch(platform::Registry& registry, ChangeJournal& journal, Scope fromScope,
                         std::wstring_view fromName, Scope toScope, std::wstring_view toName)
{
    // An entry stays in a key without switches (see Update).
    if (!HasSwitches(fromScope) || !HasSwitches(toScope)) {
        return {};
    }
    std::uint32_t type = 0;
    std::vector<std::byte> data;
    const ErrorCode read =
        registry::ReadValue(registry, SwitchKeyOf(fromScope), fromName, type, data);
    if (read == reg::kFileNotFound || (read == reg::kSuccess && type != reg::kTypeBinary)) {
        return Outcome(Failed::Switch,
                       GoneIsFine(journal.RemoveValue(SwitchKeyOf(toScope), toName)));
    }
    if (read != reg::kSuccess) {
        return {Failed::Switch, read};
    }
    // Removed before it is written, so that a rename that only changes the letter case (the same
    // value to the registry) keeps it.
    if (const ErrorCode removed = journal.RemoveValue(SwitchKeyOf(fromScope), fromName);
        removed != reg::kSuccess) {
        return {Failed::Switch, removed};
    }
    return Outcome(Failed::Switch,
                   journal.SetValue(SwitchKeyOf(toScope), toName, reg::kTypeBinary, data));
}

ChangeResult UpdateValue(platform::Platform& platform, ChangeJournal& journal,
                         const StartupEntry& stored, const EntryTarget& target,
                         WhenNameTaken whenTaken)
{
    const registry::KeyPath to = RunKeyOf(target.scope);
    // Compared as typed: a change of letter case alone renames the value.
    const bool renamed = target.name != stored.name || target.scope != stored.scope;
    const bool ownName =
        target.scope == stored.scope && SameName(platform.collation, target.name, stored.name);
    if (renamed && !ownName && whenTaken == WhenNameTaken::Refuse) {
        if (ChangeResult free = NameFree(platform.registry, to, target.name); !free.Succeeded()) {
            return free;
        }
    }
    // A value gone meanwhile cannot be renamed: it would come back under the new name.
    if (const ErrorCode removed =
            renamed ? journal.RemoveValue(RunKeyOf(stored.scope), stored.name) : reg::kSuccess;
        removed != reg::kSuccess) {
        return {Failed::Entry, removed};
    }
    if (const ErrorCode written =
            journal.SetValue(to, target.name, stored.valueType, StringData(target.command));
        written != reg::kSuccess) {
        return {Failed::Entry, written};
    }
    if (!renamed) {
        return {};
    }
    return CarrySwitch(platform.registry, journal, stored.scope, stored.name, target.scope,
                       target.name);
}

// Moves the file to be replaced out of the way, to a free name of its folder: the Recycle Bin
// gives nothing back, so the file goes there only once every other step has succeeded.
platform::ErrorCode StepAside(ChangeJournal& journal, std::wstring_view folder,
                              std::wstring_view fileName, std::wstring& aside)
{
    const std::size_t dot = std::min(fileName.rfind(L'.'), fileName.size());
    const std::wstring from = std::wstring(folder) + L"\\" + std::wstring(fileName);
    platform::ErrorCode moved = kAlreadyExists;
    for (int number = 2; number <= kLastAsideNumber && moved == kAlreadyExists; ++number) {
        aside = std::wstring(folder) + L"\\" + std::wstring(fileName.substr(0, dot)) + L" (" +
                std::to_wstring(number) + L")" + std::wstring(fileName.substr(dot));
        moved = journal.MoveFileTo(from, aside);
    }
    return moved;
}

ChangeResult UpdateShortcut(platform::Platform& platform, ChangeJournal& journal,
                            const StartupEntry& stored, const EntryTarget& target,
                            WhenNameTaken whenTaken)
{
    platform::StartupFolders& folders = platform.startupFolders;
    const std::optional<std::wstring> folder = folders.PathOf(FolderOf(target.scope));
    if (!folder || !folders.ReadShortcut(stored.filePath)) {
        return FileOutcome(kFileNotFound, stored.filePath);
    }
    const std::wstring& oldPath = stored.filePath;
    const platform::NulTerminated oldFileName =
        platform::NulTerminated::EndOf(oldPath, oldPath.find_last_of(L'\\') + 1);
    // The file keeps its extension as it is spelled.
    const std::wstring newFileName =
        std::wstring(target.name) +
        std::wstring(oldFileName.View().substr(std::min(stored.name.size(), oldFileName.Size())));
    const std::wstring newPath = *folder + L"\\" + newFileName;
    // Compared as typed: a change of letter case alone renames the file.
    const bool moved = newPath != oldPath;
    const bool ownName =
        target.scope == stored.scope && SameName(platform.collation, newFileName, oldFileName);
    const std::optional<std::wstring> taken =
        moved && !ownName ? FileNamed(platform, *folder, newFileName) : std::nullopt;
    if (taken && whenTaken == WhenNameTaken::Refuse) {
        return {Failed::NameTaken, kAlreadyExists};
    }

    if (target.command != stored.command) {
        const CommandParts parts = SplitCommand(target.command, platform.files);
        if (const platform::ErrorCode written = journal.WriteShortcut(
                oldPath, platform::Shortcut{parts.programPath, parts.arguments});
            written != 0) {
            return FileOutcome(written, oldPath);
        }
    }
    std::wstring aside;
    if (taken) {
        if (const platform::ErrorCode stepped = StepAside(journal, *folder, *taken, aside);
            stepped != 0) {
            return FileOutcome(stepped, *folder + L"\\" + *taken);
        }
    }
    if (moved) {
        if (const platform::ErrorCode movedTo = journal.MoveFileTo(oldPath, newPath);
            movedTo != 0) {
            return FileOutcome(movedTo, oldPath);
        }
        if (ChangeResult carried = CarrySwitch(platform.registry, journal, stored.scope,
                                               oldFileName, target.scope, newFileName);
            !carried.Succeeded()) {
            return carried;
        }
    }
    return taken ? FileOutcome(journal.RecycleFile(aside), aside) : ChangeResult{};
}

} // namespace

EntryChanges::EntryChanges(platform::Platform& platform) : platform_(platform) {}

ChangeResult EntryChanges::Create(const EntryTarget& target, WhenNameTaken whenTaken)
{
    if (IsFolderScope(target.scope)) {
        // A Startup folder gets new files from their programs' installers, not from here.
        return {Failed::Entry, kInvalidParameter};
    }
    return Transact(platform_, [&](ChangeJournal& journal) -> ChangeResult {
        const registry::KeyPath key = RunKeyOf(target.scope);
        if (whenTaken == WhenNameTaken::Refuse) {
            if (ChangeResult free = NameFree(platform_.registry, key, target.name);
                !free.Succeeded()) {
                return free;
            }
        }
        const std::uint32_t type = platform_.environment.Expand(target.command) != target.command
                                       ? reg::kTypeExpandSz
                                       : reg::kTypeSz;
        if (const ErrorCode written =
                journal.SetValue(key, target.name, type, StringData(target.command));
            written != reg::kSuccess) {
            return {Failed::Entry, written};
        }
        // A new entry starts switched on, whatever switch of its name was left behind.
        return Outcome(Failed::Switch,
                       GoneIsFine(journal.RemoveValue(SwitchKeyOf(target.scope), target.name)));
    });
}

ChangeResult EntryChanges::Update(const StartupEntry& stored, const EntryTarget& target,
                                  WhenNameTaken whenTaken)
{
    // A file stays a file and a value a value; an entry of a key Windows keeps no switches for
    // stays in its key.
    if (IsFolderScope(stored.scope) != IsFolderScope(target.scope) ||
        (target.scope != stored.scope &&
         (!CanMoveOut(stored.scope) || !CanMoveOut(target.scope)))) {
        return {Failed::Entry, kInvalidParameter};
    }
    return Transact(platform_, [&](ChangeJournal& journal) {
        return IsFolderScope(stored.scope)
                   ? UpdateShortcut(platform_, journal, stored, target, whenTaken)
                   : UpdateValue(platform_, journal, stored, target, whenTaken);
    });
}

ChangeResult EntryChanges::Delete(const StartupEntry& entry)
{
    return Transact(platform_, [&](ChangeJournal& journal) -> ChangeResult {
        if (IsFolderScope(entry.scope)) {
            if (ChangeResult recycled =
                    FileOutcome(GoneIsFine(journal.RecycleFile(entry.filePath)), entry.filePath);
                !recycled.Succeeded()) {
                return recycled;
            }
        } else if (const std::uint32_t removed =
                       GoneIsFine(journal.RemoveValue(RunKeyOf(entry.scope), entry.name));
                   removed != 0) {
            return {Failed::Entry, removed};
        }
        if (!HasSwitches(entry.scope)) {
            return {};
        }
        // The entry stays deleted: put back for the sake of a switch left behind, it would start
        // at logon although the user deleted it.
        return Outcome(
            Failed::SwitchLeftBehind,
            GoneIsFine(journal.RemoveValue(SwitchKeyOf(entry.scope), SwitchNameOf(entry))));
    });
}

bool EntryChanges::StillAsRead(const StartupEntry& read)
{
    if (IsFolderScope(read.scope)) {
        const std::optional<platform::Shortcut> shortcut =
            platform_.startupFolders.ReadShortcut(read.filePath);
        return shortcut && CommandOf(*shortcut) == read.command;
    }
    std::uint32_t type = 0;
    std::vector<std::byte> data;
    return registry::ReadValue(platform_.registry, RunKeyOf(read.scope), read.name, type, data) ==
               reg::kSuccess &&
           type == read.valueType && data == read.valueData;
}

ChangeResult EntryChanges::SetSwitch(const StartupEntry& entry, bool switchedOff)
{
    // One value written, or none: nothing to undo.
    return Outcome(Failed::Switch, WriteSwitch(platform_.registry, entry.scope, SwitchNameOf(entry),
                                               switchedOff, platform_.clock.Now()));
}

} // namespace entries
