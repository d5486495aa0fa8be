#pragma once

#include "platform/Platform.h"
#include "registry/RegistryValues.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace entries {

// Whether Windows takes the two for one name. The collation ignores letter case as Windows does,
// and a change of letter case keeps a name's length, which tells it from what else the collation
// may take alike.
[[nodiscard]] bool SameName(platform::Collation& collation, std::wstring_view a,
                            std::wstring_view b) noexcept;

// The steps of one change of the registry and the Startup folders, each taken together with what
// undoes it. The change is kept once it is committed; a journal that goes without that undoes
// every step it took, the last first, so that a change that fails half-way leaves everything as
// it found it. Each step hands back Windows' error code, 0 on success; a step that fails has
// changed nothing and leaves nothing to undo. A step throws only std::bad_alloc, and only before
// it changes anything. The keys' paths must outlive the journal. A value is put back under its name
// as the key spelled it.
class ChangeJournal {
public:
    explicit ChangeJournal(platform::Platform& platform) noexcept;
    ~ChangeJournal();
    ChangeJournal(const ChangeJournal&) = delete;
    ChangeJournal& operator=(const ChangeJournal&) = delete;

    // Stores the value under the name as spelled here, putting back what it replaces (or removing
    // it) when undone.
    [[nodiscard]] platform::ErrorCode SetValue(const registry::KeyPath& key, std::wstring_view name,
                                               std::uint32_t type, std::span<const std::byte> data);
    // Removes the value, putting it back when undone; 2 when there is none.
    [[nodiscard]] platform::ErrorCode RemoveValue(const registry::KeyPath& key,
                                                  std::wstring_view name);

    // Sets the target and arguments of a shortcut that exists (2 when it cannot be read).
    [[nodiscard]] platform::ErrorCode WriteShortcut(const platform::NulTerminated& path,
                                                    const platform::Shortcut& shortcut);
    // Renames or moves a file; never replaces one.
    [[nodiscard]] platform::ErrorCode MoveFileTo(const platform::NulTerminated& from,
                                                 const platform::NulTerminated& to);
    // The Recycle Bin gives nothing back, so no step whose failure would undo the change may
    // follow this one.
    [[nodiscard]] platform::ErrorCode RecycleFile(const platform::NulTerminated& path);

    // Keeps every step taken.
    void Commit() noexcept;

private:
    // Remembers `undo` for the step `take` is, unless the step fails.
    template <typename Result, typename Take> Result Record(Take take, std::function<void()> undo);

    // What the value holds before a step changes it: none when there is no such value.
    struct StoredValue {
        std::wstring name; // as the key spells it
        std::uint32_t type = platform::reg::kTypeNone;
        std::vector<std::byte> data;
    };
    [[nodiscard]] platform::ErrorCode ReadBefore(const registry::KeyPath& key,
                                                 std::wstring_view name,
                                                 std::optional<StoredValue>& before);
    void PutBack(const registry::KeyPath& key, std::wstring_view name,
                 const std::optional<StoredValue>& before) noexcept;

    platform::Registry& registry_;
    platform::StartupFolders& folders_;
    platform::Collation& collation_;
    std::vector<std::function<void()>> undo_;
};

} // namespace entries
