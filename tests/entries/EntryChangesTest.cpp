// Every change of an entry as one transaction, on every platform (under Wine the real registry,
// the shell's links and its Recycle Bin): made whole, or, with any one of its writes refused, not
// at all; and another entry's name is taken only when the caller says so.
#include "entries/EntryChanges.h"

#include "entries/EntrySwitches.h"
#include "entries/RunKeys.h"
#include "entries/StartupFolderEntries.h"
#include "portable/HostStartupFolders.h"
#include "support/Entries.h"
#include "support/ForwardingRegistry.h"
#include "support/PlatformBackend.h"

#ifdef _WIN32
#include "platform/win32/Win32StartupFolders.h"
#include "support/RecycleBin.h"
#endif

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace tolvan::test {
namespace {

using namespace platform;
using namespace std::literals;
using entries::Scope;
using Failed = entries::ChangeResult::Failed;
using Name = const NulTerminated&;
using U32 = std::uint32_t;
// The entries as "<scope's number> <name>=<command>", with " (off)" when switched off; a
// shortcut by its file's name, its command a target without arguments. "1 name (off)" alone is a
// switch left behind by its entry.
using State = std::set<std::wstring>;

constexpr U32 kRefused = 5;
constexpr std::wstring_view kRoot = L"C:\\tolvan-entry-changes";

std::wstring PathIn(Scope scope, std::wstring_view file = L"")
{
    const wchar_t* folder = scope == Scope::CurrentUserStartupFolder ? L"\\User" : L"\\Common";
    return std::wstring(kRoot) + folder + (file.empty() ? L"" : L"\\") + std::wstring(file);
}

// The items of "a; b; c"; only those of entries, unless `all`.
State StateOf(std::wstring_view items, bool all = false)
{
    State state;
    for (std::size_t at = 0; at < items.size();) {
        const std::size_t end = std::min(items.find(L"; ", at), items.size());
        if (all || items.substr(at, end - at).find(L'=') != std::wstring_view::npos) {
            state.emplace(items.substr(at, end - at));
        }
        at = end + 2;
    }
    return state;
}

// The platform's registry and Startup folders (two of the test's own) passed through, with the
// writes counted and the one numbered `refuse` refused.
class Storage final : public ForwardingRegistry, public StartupFolders {
public:
    Storage(Registry& registry, StartupFolders& folders)
        : ForwardingRegistry(registry), folders_(folders)
    {
    }

    ErrorCode OpenKey(RootKey root, const NulTerminated& subKey, U32 access,
                      KeyHandle& key) noexcept override
    {
        const ErrorCode opened = ForwardingRegistry::OpenKey(root, subKey, access, key);
        if (opened == reg::kSuccess && subKey == entries::kRunSwitchesKeyPath) {
            switchKey_ = key;
        }
        return opened;
    }
    ErrorCode QueryValue(KeyHandle k, std::wstring_view n, U32* t, std::byte* d,
                         U32* size) noexcept override
    {
        return switchesUnreadable && k == switchKey_
                   ? reg::kAccessDenied
                   : ForwardingRegistry::QueryValue(k, n, t, d, size);
    }
    ErrorCode SetValue(KeyHandle k, std::wstring_view n, U32 t,
                       std::span<const std::byte> d) noexcept override
    {
        return Refused() ? reg::kAccessDenied : ForwardingRegistry::SetValue(k, n, t, d);
    }
    ErrorCode DeleteValue(KeyHandle k, std::wstring_view n) noexcept override
    {
        return Refused() ? reg::kAccessDenied : ForwardingRegistry::DeleteValue(k, n);
    }

    std::optional<std::wstring> PathOf(StartupFolder folder) noexcept override
    {
        return PathIn(folder == StartupFolder::CurrentUser ? Scope::CurrentUserStartupFolder
                                                           : Scope::AllUsersStartupFolder);
    }
    ErrorCode FilesIn(Name folder, std::vector<FolderFile>& files) override
    {
        return folders_.FilesIn(folder, files);
    }
    std::optional<Shortcut> ReadShortcut(Name path) noexcept override
    {
        return folders_.ReadShortcut(path);
    }
    ErrorCode WriteShortcut(Name path, const Shortcut& shortcut) noexcept override
    {
        return Refused() ? kRefused : folders_.WriteShortcut(path, shortcut);
    }
    ErrorCode MoveFileTo(Name from, Name to) noexcept override
    {
        return Refused() ? kRefused : folders_.MoveFileTo(from, to);
    }
    ErrorCode RecycleFile(Name path) noexcept override
    {
        recycled.emplace_back(path.View().substr(path.View().rfind(L'\\') + 1));
        return Refused() ? kRefused : folders_.RecycleFile(path);
    }

    int writes = 0;
    int refuse = 0;
    bool switchesUnreadable = false;    // the values in the Run keys' switch key cannot be read
    std::vector<std::wstring> recycled; // the names of the files sent to the Recycle Bin

private:
    bool Refused() noexcept { return ++writes == refuse; }

    StartupFolders& folders_;
    KeyHandle switchKey_{}; // as last opened
};

// A platform of one run's own: a fresh registry and the two folders, holding these entries.
struct World {
    World(const PlatformKind& kind, const State& state)
        : backend(kind.make()), storage(backend->Services().registry, FoldersOf(kind))
    {
        drives.Map(L'C', backend->HostPath(L"C:\\"));
        hostFolders.recycleBin = backend->HostPath(std::wstring(kRoot) + L"\\Bin");
        for (const wchar_t* folder : {L"\\User", L"\\Common", L"\\Bin"}) {
            std::filesystem::create_directories(backend->HostPath(std::wstring(kRoot) + folder));
        }
        for (const std::wstring& item : state) {
            const auto scope = static_cast<Scope>(item[0] - L'0');
            const std::size_t off = std::min(item.find(L" (off)"), item.size());
            const std::size_t equals = std::min(item.find(L'='), off);
            const std::wstring name = item.substr(2, equals - 2);
            const std::wstring command = item.substr(equals + 1, off - equals - 1);
            if (equals < off) {
                EXPECT_EQ(entries::IsFolderScope(scope)
                              ? storage.WriteShortcut(PathIn(scope, name), {command, L""})
                              : static_cast<U32>(registry::WriteString(
                                    storage, entries::RunKeyOf(scope), name, command)),
                          0u);
            }
            if (off < item.size()) {
                EXPECT_EQ(entries::WriteSwitch(storage, scope, name, true, 0), 0);
            }
        }
        storage.writes = 0;
    }
    ~World()
    {
        // Wine may still hold a folder a moment after the shell's Recycle Bin took a file of it;
        // what it holds is empty, and made again by the next world.
        std::error_code ignored;
        std::filesystem::remove_all(backend->HostPath(kRoot), ignored);
#ifdef _WIN32
        std::ranges::for_each(storage.recycled, ForgetRecycled);
#endif
    }
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    State Now()
    {
        std::vector<entries::StartupEntry> listed;
        for (const Scope scope : entries::kRegistryScopes) {
            (void)entries::ReadRunKey(storage, scope, listed);
        }
        for (const Scope scope : entries::kFolderScopes) {
            std::vector<FolderFile> files;
            EXPECT_EQ(storage.FilesIn(PathIn(scope), files), 0u);
            for (const FolderFile& file : files) {
                const std::optional<Shortcut> shortcut =
                    storage.ReadShortcut(PathIn(scope, file.name));
                listed.push_back(MakeEntry(scope, file.name, entries::CommandOf(shortcut.value())));
                listed.back().filePath = PathIn(scope, file.name);
            }
        }
        State state;
        for (entries::StartupEntry& entry : listed) {
            (void)entries::ReadSwitches(storage, entry.scope, std::span(&entry, 1));
            state.insert(std::to_wstring(static_cast<int>(entry.scope)) + L" " + entry.name + L"=" +
                         entry.command + (entry.switchedOff ? L" (off)" : L""));
        }
        return state;
    }

    StartupFolders& FoldersOf([[maybe_unused]] const PlatformKind& kind)
    {
#ifdef _WIN32
        if (kind.name == "win32") {
            return win32Folders;
        }
#endif
        return hostFolders;
    }

    std::unique_ptr<PlatformBackend> backend;
    portable::DriveMap drives;
    portable::HostStartupFolders hostFolders{drives};
#ifdef _WIN32
    win32::Win32StartupFolders win32Folders;
#endif
    Storage storage;
    Platform& with = backend->Services();
    Platform platform{storage,        with.shell,       with.messageBox,  with.files,
                      with.collation, with.versions,    with.fileDialogs, with.environment,
                      with.clock,     with.changeWatch, with.clipboard,   storage,
                      with.signatures};
    entries::EntryChanges changes{platform};
};

class EntryChangesContract : public ::testing::TestWithParam<PlatformKind> {};

TEST_P(EntryChangesContract, EveryChangeIsMadeWholeOrNotAtAll)
{
    using enum entries::WhenNameTaken;
    using Changes = entries::EntryChanges;
    const entries::StartupEntry tray = MakeEntry(Scope::CurrentUser, L"Tray", L"tray.exe");
    entries::StartupEntry minta =
        MakeEntry(Scope::CurrentUserStartupFolder, L"Minta", L"C:\\a.exe");
    minta.filePath = PathIn(minta.scope, L"Minta.lnk");
    // A RunOnce entry of the 32-bit view (9): Windows keeps no switch for it.
    const entries::StartupEntry once = MakeEntry(Scope::AllUsersOnce32Bit, L"*Safe", L"s.exe");
    // A name that holds a NUL is another value, with another switch, than the name cut at it.
    const entries::StartupEntry hidden = MakeEntry(Scope::CurrentUser, L"Evil\0x"s, L"h.exe");
    const auto update = [](const entries::StartupEntry& entry, const entries::EntryTarget& target,
                           entries::WhenNameTaken whenTaken = Refuse) {
        return [=](Changes& changes) { return changes.Update(entry, target, whenTaken); };
    };
    const auto create = [](const entries::EntryTarget& target, entries::WhenNameTaken whenTaken) {
        return [=](Changes& changes) { return changes.Create(target, whenTaken); };
    };
    const struct {
        std::wstring_view before;
        std::function<entries::ChangeResult(Changes&)> change;
        Failed failed;
        std::wstring_view after{}; // when the change is made
        // A delete's, when its last write, the switch's removal, is refused: the entry stays gone.
        std::wstring_view whenSwitchRefused{};
    } rows[] = {
        {L"1 new (off); 0 Other=o.exe", create({L"new", L"n.exe", Scope::AllUsers}, Refuse),
         Failed::Nothing, L"1 new=n.exe; 0 Other=o.exe"},
        {L"0 Tray=tray.exe (off); 0 Other=o.exe",
         create({L"TRAY", L"n.exe", Scope::CurrentUser}, Replace), Failed::Nothing,
         L"0 TRAY=n.exe; 0 Other=o.exe"},
        {L"0 Tray=tray.exe (off); 0 Other=o.exe",
         update(tray, {L"Tray 2", L"tray.exe -q", Scope::AllUsers32Bit}), Failed::Nothing,
         L"2 Tray 2=tray.exe -q (off); 0 Other=o.exe"},
        {L"0 Tray=tray.exe; 0 Other=o.exe (off)",
         update(tray, {L"other", L"tray.exe", Scope::CurrentUser}), Failed::NameTaken},
        {L"0 Tray=tray.exe; 0 Other=o.exe (off)",
         update(tray, {L"other", L"tray.exe", Scope::CurrentUser}, Replace), Failed::Nothing,
         L"0 other=tray.exe"},
        {L"0 Tray=tray.exe (off); 0 Other=o.exe",
         [&](Changes& changes) { return changes.Delete(tray); }, Failed::Nothing, L"0 Other=o.exe",
         L"0 Other=o.exe"},
        {L"0 Tray=tray.exe (off)", [&](Changes& changes) { return changes.SetSwitch(tray, false); },
         Failed::Nothing, L"0 Tray=tray.exe"},
        {L"3 Minta.lnk=C:\\a.exe (off)",
         update(minta, {L"Közös", L"C:\\b.exe --quiet", Scope::AllUsersStartupFolder}),
         Failed::Nothing, L"4 Közös.lnk=C:\\b.exe --quiet (off)"},
        {L"3 Minta.lnk=C:\\a.exe; 4 Taken.lnk=C:\\t.exe (off)",
         update(minta, {L"taken", L"C:\\a.exe", Scope::AllUsersStartupFolder}, Replace),
         Failed::Nothing, L"4 taken.lnk=C:\\a.exe"},
        {L"3 Minta.lnk=C:\\a.exe (off); 4 Taken.lnk=C:\\t.exe",
         [&](Changes& changes) { return changes.Delete(minta); }, Failed::Nothing,
         L"4 Taken.lnk=C:\\t.exe", L"4 Taken.lnk=C:\\t.exe"},
        // An entry of a policy or RunOnce key is edited in its key and never moved out of it.
        {L"9 *Safe=s.exe; 0 Other=o.exe", update(once, {L"!Safer", L"t.exe", once.scope}),
         Failed::Nothing, L"9 !Safer=t.exe; 0 Other=o.exe"},
        {L"9 *Safe=s.exe", update(once, {L"*Safe", L"s.exe", Scope::AllUsers}), Failed::Entry},
        {L"9 *Safe=s.exe; 0 Other=o.exe", [&](Changes& changes) { return changes.Delete(once); },
         Failed::Nothing, L"0 Other=o.exe"},
        {L"9 *Safe=s.exe", [&](Changes& changes) { return changes.SetSwitch(once, true); },
         Failed::Switch},
        {L"0 Evil\0x=h.exe (off); 0 Evil=e.exe (off)"sv,
         [&](Changes& changes) { return changes.Delete(hidden); }, Failed::Nothing,
         L"0 Evil=e.exe (off)", L"0 Evil=e.exe (off)"},
        {L"0 Evil\0x=h.exe; 0 Evil=e.exe"sv,
         [&](Changes& changes) { return changes.SetSwitch(hidden, true); }, Failed::Nothing,
         L"0 Evil\0x=h.exe (off); 0 Evil=e.exe"sv},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "from " << std::wstring(row.before));
        int writes = 0;
        { // On Wine every world is on the one drive C:, one at a time.
            World whole(GetParam(), StateOf(row.before, true));
            EXPECT_EQ(row.change(whole.changes).failed, row.failed);
            EXPECT_EQ(whole.Now(), StateOf(row.failed == Failed::Nothing ? row.after : row.before));
            writes = whole.storage.writes;
        }
        for (int refused = 1; refused <= writes; ++refused) {
            World world(GetParam(), StateOf(row.before, true));
            world.storage.refuse = refused;
            const bool switchStays = !row.whenSwitchRefused.empty() && refused == writes;
            const entries::ChangeResult result = row.change(world.changes);
            EXPECT_EQ(result.error, kRefused) << "write " << refused;
            EXPECT_EQ(switchStays, result.failed == Failed::SwitchLeftBehind)
                << "write " << refused;
            EXPECT_EQ(world.Now(), StateOf(switchStays ? row.whenSwitchRefused : row.before))
                << "write " << refused;
            // The Recycle Bin gives nothing back: no write that would undo it follows the file.
            EXPECT_TRUE(world.storage.recycled.empty() ||
                        refused >= writes - int{!row.whenSwitchRefused.empty()});
        }
    }
    // A switch that cannot be read is not carried, and the rename made before it is put back.
    World world(GetParam(), StateOf(L"0 Tray=tray.exe (off)", true));
    world.storage.switchesUnreadable = true;
    const entries::ChangeResult result =
        update(tray, {L"Tray 2", L"tray.exe", Scope::CurrentUser})(world.changes);
    world.storage.switchesUnreadable = false;
    EXPECT_EQ(result.failed, Failed::Switch);
    EXPECT_EQ(result.error, kRefused);
    EXPECT_EQ(world.Now(), StateOf(L"0 Tray=tray.exe (off)"));
}

TOLVAN_FOR_EACH_PLATFORM(EntryChangesContract);

} // namespace
} // namespace tolvan::test
