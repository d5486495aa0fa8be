#pragma once

#include "StartupEntry.h"
#include "VersionTextCache.h"
#include "platform/ChangeWatch.h"
#include "platform/Platform.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace entries {

// Why the details of an entry's program could not be read, as the user is told: a description
// and a number (7 for running out of memory).
struct DetailsFailure {
    std::wstring description;
    std::int32_t number = 0;
};

// What went wrong during a rebuild that the user should hear of. A Run key that cannot be read
// is not among it: its entries are simply not listed.
struct RebuildReport {
    std::optional<DetailsFailure> firstFailure;
    std::size_t failedEntries = 0; // how many entries' details could not be read
};

inline constexpr std::int32_t kOutOfMemoryNumber = 7;
inline constexpr std::int32_t kUnexpectedFailureNumber = 51;

// The startup entries as the registry holds them now, in the order the list shows them. The
// table is only ever rebuilt as a whole, never edited in place: every change goes to the
// registry, and the table is read again.
class EntryTable {
public:
    explicit EntryTable(platform::Platform& platform) noexcept : platform_(platform) {}

    // Reads the Run keys of every scope again (in the order of kScopes), then the Startup folders
    // (kFolderScopes), with every entry's on/off switch; works out each entry's
    // program and its version texts, and sorts the entries by their display texts. An entry whose
    // details cannot be read is still listed, with the texts read before the failure. The version
    // texts of a program file whose size and last-write time are those of the previous refill are
    // not read again.
    RebuildReport Rebuild();

    // Completes entries read from a Run key: program path and arguments (from the expanded
    // command when it is expandable), version texts (kept for the next refill), display text.
    // Failures are appended to the report.
    void Resolve(std::span<StartupEntry> entries, RebuildReport& report);

    // Every key and folder Rebuild reads: a change to any of them may change the table.
    [[nodiscard]] static std::vector<platform::WatchedKey> SourceKeys();
    [[nodiscard]] std::vector<std::wstring> SourceFolders() const;

    [[nodiscard]] std::span<const StartupEntry> Entries() const noexcept { return entries_; }
    [[nodiscard]] std::size_t Count() const noexcept { return entries_.size(); }
    // The entry at this position; none past the end.
    [[nodiscard]] const StartupEntry* EntryAt(std::size_t index) const noexcept
    {
        return index < entries_.size() ? &entries_[index] : nullptr;
    }

private:
    // The version texts of the entry's program: those kept from an earlier refill while the file
    // is unchanged, otherwise read from the file and kept.
    void ReadVersionTexts(StartupEntry& entry);

    platform::Platform& platform_;
    std::vector<StartupEntry> entries_;
    VersionTextCache versionTexts_;
};

// The line the list shows for an entry: its program's description, or its name, ";  (", its
// program's path and ")".
[[nodiscard]] std::wstring DisplayTextOf(const StartupEntry& entry);

} // namespace entries
