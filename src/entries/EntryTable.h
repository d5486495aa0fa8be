#pragma once

#include "ParallelWork.h"
#include "StartupEntry.h"
#include "VersionTextCache.h"
#include "platform/ChangeWatch.h"
#include "platform/Platform.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
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
    // `workerThreads` threads work out the entries' programs and read their version texts; with
    // none that is done on the thread that rebuilds. The table is the same either way.
    explicit EntryTable(platform::Platform& platform,
                        unsigned workerThreads = DefaultWorkerThreads());
    ~EntryTable();
    EntryTable(const EntryTable&) = delete;
    EntryTable& operator=(const EntryTable&) = delete;
    EntryTable(EntryTable&&) = delete;
    EntryTable& operator=(EntryTable&&) = delete;

    // Reads the Run keys of every scope again (in the order of kScopes), then the Startup folders
    // (kFolderScopes), with every entry's on/off switch; works out each entry's
    // program and its version texts, and sorts the entries by their display texts. An entry whose
    // details cannot be read is still listed, with the texts read before the failure. The version
    // texts of a program file whose size and last-write time are those of the previous refill are
    // not read again; a program that several entries start is read once.
    RebuildReport Rebuild();

    // Rebuild in two halves, for a caller with other work meanwhile: BeginRebuild reads the keys
    // and folders on the calling thread and leaves the rest to the worker threads; FinishRebuild
    // waits for them and completes the table. Until then the entries are not to be looked at.
    // A rebuild begun again drops the one under way.
    void BeginRebuild();
    RebuildReport FinishRebuild();
    [[nodiscard]] bool RebuildPending() const noexcept { return pending_ != nullptr; }

    // Completes entries read from a Run key: program path and arguments (from the expanded
    // command when it is expandable), version texts (kept for the next refill), display text.
    // Failures are appended to the report, in the entries' order.
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
    // The working out of a set of entries, under way on the worker threads.
    struct Resolution {
        // What became of one entry.
        struct Outcome {
            std::exception_ptr failure;
            std::optional<platform::FileStamp> stamp; // of its program file
            bool read = false; // its program's texts were read for it, not taken from elsewhere
            std::optional<std::size_t> sameProgramAs; // the entry that reads them for it
        };
        std::vector<Outcome> outcomes; // by entry
        // Guards the texts kept from earlier refills and the claims while the workers run.
        std::mutex claimsGuard;
        std::unordered_map<std::wstring, std::size_t> claims; // program path -> entry reading it
        std::unique_ptr<ParallelWork> work;
    };

    void ReadSources();
    // Starts working out the entries: their programs and those programs' version texts.
    [[nodiscard]] std::unique_ptr<Resolution> BeginResolving(std::span<StartupEntry> entries);
    // On a worker: the entry's program, and its texts, kept from an earlier refill while the file
    // is unchanged, else read, unless another entry of the same program reads them.
    void ResolveOne(StartupEntry& entry, Resolution& resolution, std::size_t index) noexcept;
    // Waits for the workers, then completes the entries in order: texts shared, failures told,
    // what was read kept.
    void FinishResolving(std::span<StartupEntry> entries, Resolution& resolution,
                         RebuildReport& report);

    platform::Platform& platform_;
    unsigned workerThreads_;
    std::vector<StartupEntry> entries_;
    VersionTextCache versionTexts_;
    std::unique_ptr<Resolution> pending_; // of entries_, between BeginRebuild and FinishRebuild
};

// The line the list shows for an entry: its program's description, or its name, ";  (", its
// program's path and ")".
[[nodiscard]] std::wstring DisplayTextOf(const StartupEntry& entry);

} // namespace entries
