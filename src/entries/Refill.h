#pragma once

#include "EntryTable.h"
#include "VersionTextCache.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace entries {

// What the refills share with their table, and with one another: the Windows services and the
// version texts kept between refills. Refills that outlive their table (a read that never ends)
// keep it alive.
struct EntryTable::Shared {
    Shared(platform::Platform& services, unsigned threads)
        : platform(services), workerThreads(threads)
    {
    }

    platform::Platform& platform;
    unsigned workerThreads;
    VersionTextCache versionTexts;
    // Set when texts that a made snapshot lacks have been read since.
    std::atomic<bool> lateTexts{false};
};

// One reading of every source into a snapshot, run once, on a thread of its own or the caller's.
class EntryTable::Refill {
public:
    explicit Refill(std::shared_ptr<Shared> shared);

    // Reads the sources and works the entries out into a snapshot; then, once the snapshot is
    // made, waits for the reads that held it up. Ended() from then on.
    void Run() noexcept;
    // Makes no snapshot: its workers take no new entries.
    void Cancel() noexcept;

    [[nodiscard]] RefillProgress Progress() const noexcept;
    // Waits up to `timeout` for the snapshot; true when it is made, or when the refill ended
    // without one.
    [[nodiscard]] bool WaitForSnapshot(std::chrono::milliseconds timeout) const;
    // The snapshot once it is made; none before.
    [[nodiscard]] std::shared_ptr<const EntrySnapshot> Snapshot() const;
    [[nodiscard]] bool Ended() const noexcept { return ended_.load(); }

    // Completes the entries in place, every one, on the workers and the calling thread; the
    // failures are appended to the report.
    void ResolveAll(std::span<StartupEntry> entries, RefillReport& report);

private:
    // What became of one entry on a worker. Once `pathKnown` is set, the entry's command, program
    // path and arguments stay as they are; once `finished` is, the whole entry does.
    struct Outcome {
        std::atomic<bool> pathKnown{false};
        std::atomic<bool> finished{false};
        std::exception_ptr failure;
        std::optional<platform::FileStamp> stamp; // of its program file
        std::optional<std::size_t> sameProgramAs; // the entry that reads its texts for it
        bool readElsewhere = false;               // an earlier refill is still reading its file
    };

    void ReadSources(std::vector<StartupEntry>& entries, std::vector<SourceFailure>& unread);
    // On a worker: the entry's command (a shortcut's is read here), its program, and that
    // program's texts, kept from an earlier refill while the file is unchanged, else read, unless
    // another entry of the same program or another refill reads them.
    void ResolveOne(StartupEntry& entry, Outcome& outcome, std::size_t index) noexcept;
    void ReadTexts(StartupEntry& entry, Outcome& outcome, std::size_t index);
    // Once the workers are done or held up: the entries completed in order, texts shared,
    // failures told, those still being read listed without their texts.
    [[nodiscard]] std::vector<StartupEntry> Complete(std::span<StartupEntry> entries,
                                                     std::span<Outcome> outcomes,
                                                     RefillReport& report) const;
    void Publish(std::shared_ptr<const EntrySnapshot> snapshot);
    void PublishFailure(DetailsFailure failure) noexcept;

    std::shared_ptr<Shared> shared_;
    std::atomic<bool> cancelled_{false};
    // Set before the entries are completed: a read that ends after that is a late one.
    std::atomic<bool> completing_{false};
    std::atomic<std::size_t> total_{0};
    std::atomic<std::size_t> done_{0};
    std::atomic<bool> ended_{false};
    // The claims of the entries under way: program path -> the entry reading it.
    std::mutex claimsGuard_;
    std::unordered_map<std::wstring, std::size_t> claims_;
    // The snapshot, once made.
    mutable std::mutex snapshotGuard_;
    mutable std::condition_variable snapshotMade_;
    std::shared_ptr<const EntrySnapshot> snapshot_;
};

} // namespace entries
