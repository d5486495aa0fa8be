#pragma once

#include "ParallelWork.h"
#include "StartupEntry.h"
#include "platform/ChangeWatch.h"
#include "platform/Platform.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace entries {

// Why the details of an entry's program could not be read, as the user is told: a description
// and a number (7 for running out of memory).
struct DetailsFailure {
    std::wstring description;
    std::int32_t number = 0;
};

// A source that could not be read to its end: a Run key or a Startup folder (its entries), or
// the key that keeps its entries' switches. What was read before the failure is listed. A key or
// folder that does not exist is no failure: it holds no entries.
struct SourceFailure {
    Scope scope = Scope::AllUsers;
    bool switches = false;         // the switches' key rather than the entries
    platform::ErrorCode error = 0; // Windows' error code
    bool operator==(const SourceFailure&) const = default;
};

// What went wrong during a rebuild that the user should hear of.
struct RefillReport {
    std::optional<DetailsFailure> firstFailure;
    std::size_t failedEntries = 0;            // how many entries' details could not be read
    std::vector<SourceFailure> unreadSources; // in the order the sources are read
};

inline constexpr std::int32_t kOutOfMemoryNumber = 7;
inline constexpr std::int32_t kUnexpectedFailureNumber = 51;

// The startup entries as one refill found them, in the order the list shows them, with what the
// user should hear of. Never changed once made: a newer refill makes a new one.
struct EntrySnapshot {
    std::vector<StartupEntry> entries;
    RefillReport report;

    // Where the entry of this key is listed; none when it is not.
    [[nodiscard]] std::optional<std::size_t> Find(const EntryKey& key) const noexcept;
};

// How far a refill has got: how many of its entries are complete, out of how many. The total is
// 0 while the registry and the folders are still being read.
struct RefillProgress {
    std::size_t done = 0;
    std::size_t total = 0;
};

// A program file whose read has not ended after this long no longer holds up the list: its entry
// is listed without its texts, which come with a later refill.
inline constexpr std::chrono::milliseconds kSlowReadPatience{2000};

// The startup entries as the registry and the folders hold them, read again as a whole, never
// edited in place: every change goes to the registry or a folder, and the table is read again.
//
// A refill runs on a thread of its own: it reads the keys of every registry scope (in the order of
// kRegistryScopes), then the Startup folders (kFolderScopes), with every entry's on/off switch,
// works out each entry's program and its version texts on worker threads, and sorts the entries by
// their display texts, into a new snapshot. The owner's thread takes the finished snapshot when it
// chooses (TakeRefill), so that what Current() shows changes only then, on that thread; nothing
// outside sees a table half read. The version texts of a program file whose size and last-write
// time are those of an earlier refill are not read again; a program that several entries start is
// read once.
class EntryTable {
public:
    // `workerThreads` threads work out the entries' programs and read their version texts; with
    // none, a refill is made whole on the thread that starts it.
    explicit EntryTable(platform::Platform& platform,
                        unsigned workerThreads = DefaultWorkerThreads());
    // Drops the refills under way and waits for their threads: a read that never ends holds this
    // up, so the windows must be gone first.
    ~EntryTable();
    EntryTable(const EntryTable&) = delete;
    EntryTable& operator=(const EntryTable&) = delete;
    EntryTable(EntryTable&&) = delete;
    EntryTable& operator=(EntryTable&&) = delete;

    // Starts a refill. One still under way is dropped: its snapshot is never taken, and its
    // workers take no new files.
    void StartRefill();
    // Whether a refill was started whose snapshot has not been taken yet.
    [[nodiscard]] bool Refilling() const noexcept { return latest_ != nullptr; }
    [[nodiscard]] RefillProgress Progress() const noexcept;
    // Waits up to `timeout` for the refill under way to finish; true when it has (or none runs).
    bool WaitForRefill(std::chrono::milliseconds timeout) const;
    // Makes the finished refill's snapshot the current one; false when none has finished.
    bool TakeRefill();

    // Whether texts left out of a taken snapshot, because their file was slow, have been read
    // since this was last asked: a new refill shows them.
    [[nodiscard]] bool TakeLateTexts() noexcept;
    // Whether a program file is still being read for some refill, taken or not.
    [[nodiscard]] bool ReadsUnderWay() const;

    // A refill, waited for and taken; what the user should hear of.
    RefillReport RefillNow();

    // Completes entries read from a Run key: program path and arguments (from the expanded
    // command when it is expandable), version texts (kept for the next refill), display text.
    // Failures are appended to the report, in the entries' order.
    void Resolve(std::span<StartupEntry> entries, RefillReport& report);

    // Every key and folder a refill reads: a change to any of them may change the table.
    [[nodiscard]] static std::vector<platform::WatchedKey> SourceKeys();
    [[nodiscard]] std::vector<std::wstring> SourceFolders() const;

    // The last snapshot taken (empty before the first).
    [[nodiscard]] const std::shared_ptr<const EntrySnapshot>& Current() const noexcept
    {
        return current_;
    }
    [[nodiscard]] std::span<const StartupEntry> Entries() const noexcept
    {
        return current_->entries;
    }
    [[nodiscard]] std::size_t Count() const noexcept { return current_->entries.size(); }
    // The entry at this position; none past the end.
    [[nodiscard]] const StartupEntry* EntryAt(std::size_t index) const noexcept
    {
        return index < Count() ? &current_->entries[index] : nullptr;
    }

    // What a refill shares with the table and with other refills; defined with the refill.
    struct Shared;
    class Refill;

private:
    // The thread of a refill, with the refill it makes.
    struct RefillThread {
        std::shared_ptr<Refill> refill;
        std::jthread thread;
    };

    // Joins the threads of refills that have ended.
    void ForgetEndedRefills() noexcept;

    // Declared first, so that the refills' threads, which use it, are joined before it goes.
    std::shared_ptr<Shared> shared_;
    std::shared_ptr<Refill> latest_; // the refill whose snapshot is taken next
    std::shared_ptr<const EntrySnapshot> current_;
    std::vector<RefillThread> threads_;
};

// The line the list shows for an entry: its program's description, or its name, ";  (", its
// program's path and ")".
[[nodiscard]] std::wstring DisplayTextOf(const StartupEntry& entry);

} // namespace entries
