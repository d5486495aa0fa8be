#include "Refill.h"

#include "CommandLine.h"
#include "EntryDetails.h"
#include "EntryOrder.h"
#include "EntrySwitches.h"
#include "RunKeys.h"
#include "StartupFolderEntries.h"
#include "platform/StartupTrace.h"
#include "platform/Utf16.h"

#include <new>

namespace entries {
namespace {

constexpr std::wstring_view kOutOfMemory = L"Out of memory";

// For the start-up trace: the moment each source has been read.
const char* SourceReadMark(Scope scope) noexcept
{
    switch (scope) {
    case Scope::CurrentUser:
        return "HKCU Run read";
    case Scope::AllUsers:
        return "HKLM Run read";
    case Scope::AllUsers32Bit:
        return "HKLM Run (32-bit) read";
    case Scope::CurrentUserStartupFolder:
        return "user Startup folder read";
    case Scope::AllUsersStartupFolder:
        return "all users' Startup folder read";
    case Scope::CurrentUserPolicy:
        return "HKCU policy Run read";
    case Scope::AllUsersPolicy:
        return "HKLM policy Run read";
    case Scope::CurrentUserOnce:
        return "HKCU RunOnce read";
    case Scope::AllUsersOnce:
        return "HKLM RunOnce read";
    case Scope::AllUsersOnce32Bit:
        return "HKLM RunOnce (32-bit) read";
    }
    return "source read";
}

void Record(RefillReport& report, DetailsFailure failure)
{
    if (!report.firstFailure) {
        report.firstFailure = std::move(failure);
    }
    ++report.failedEntries;
}

void CopyTexts(const StartupEntry& from, StartupEntry& to)
{
    to.productName = from.productName;
    to.companyName = from.companyName;
    to.legalCopyright = from.legalCopyright;
    to.description = from.description;
    to.signature = from.signature;
}

// An entry whose worker has not finished with it: what the worker no longer changes.
StartupEntry WithoutTexts(const StartupEntry& entry, bool pathKnown)
{
    StartupEntry pending;
    pending.scope = entry.scope;
    pending.name = entry.name;
    pending.filePath = entry.filePath;
    pending.valueType = entry.valueType;
    pending.switchedOff = entry.switchedOff;
    pending.switchedOffSince = entry.switchedOffSince;
    if (pathKnown) {
        pending.command = entry.command;
        pending.programPath = entry.programPath;
        pending.arguments = entry.arguments;
    } else if (!IsFolderScope(entry.scope)) {
        pending.command = entry.command;
    }
    pending.programFound = true;
    pending.textsPending = true;
    return pending;
}

} // namespace

EntryTable::Refill::Refill(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}

void EntryTable::Refill::Cancel() noexcept
{
    cancelled_.store(true);
}

RefillProgress EntryTable::Refill::Progress() const noexcept
{
    return RefillProgress{done_.load(), total_.load()};
}

bool EntryTable::Refill::WaitForSnapshot(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(snapshotGuard_);
    return snapshotMade_.wait_for(lock, timeout,
                                  [this] { return snapshot_ != nullptr || ended_.load(); });
}

std::shared_ptr<const EntrySnapshot> EntryTable::Refill::Snapshot() const
{
    const std::scoped_lock lock(snapshotGuard_);
    return snapshot_;
}

void EntryTable::Refill::Publish(std::shared_ptr<const EntrySnapshot> snapshot)
{
    {
        const std::scoped_lock lock(snapshotGuard_);
        snapshot_ = std::move(snapshot);
    }
    snapshotMade_.notify_all();
}

void EntryTable::Refill::PublishFailure(DetailsFailure failure) noexcept
{
    // A refill that could not be made (out of memory, no thread) lists nothing rather than part
    // of the truth, and says why as a details failure would. Without even the memory for that,
    // the list stays as it was.
    if (cancelled_.load()) {
        return;
    }
    try {
        auto snapshot = std::make_shared<EntrySnapshot>();
        Record(snapshot->report, std::move(failure));
        Publish(std::move(snapshot));
    } catch (const std::bad_alloc&) {
    }
}

void EntryTable::Refill::ReadSources(std::vector<StartupEntry>& entries,
                                     std::vector<SourceFailure>& unread)
{
    platform::Platform& platform = shared_->platform;
    // A source that fails part way keeps what was read of it, and is reported.
    const auto readSwitches = [&](Scope scope, std::size_t first) {
        const platform::ErrorCode read =
            ReadSwitches(platform.registry, scope, std::span(entries).subspan(first));
        if (read != platform::reg::kSuccess) {
            unread.push_back({scope, true, read});
        }
        platform::MarkStartup(SourceReadMark(scope));
    };
    for (const Scope scope : kRegistryScopes) {
        const std::size_t first = entries.size();
        const platform::ErrorCode read = ReadRunKey(platform.registry, scope, entries);
        if (read != platform::reg::kSuccess && read != platform::reg::kFileNotFound) {
            unread.push_back({scope, false, read});
        }
        readSwitches(scope, first);
    }
    for (const Scope scope : kFolderScopes) {
        const std::size_t first = entries.size();
        if (const platform::ErrorCode listed =
                ListStartupFolder(platform.startupFolders, scope, entries);
            listed != 0) {
            unread.push_back({scope, false, listed});
        }
        readSwitches(scope, first);
    }
}

void EntryTable::Refill::ResolveOne(StartupEntry& entry, Outcome& outcome,
                                    std::size_t index) noexcept
{
    if (cancelled_.load()) {
        return;
    }
    VersionTextCache& cache = shared_->versionTexts;
    // A shortcut is a file like any program: reading it may not end either.
    bool shortcutClaimed = false;
    try {
        if (IsFolderScope(entry.scope) && IsShortcutFile(entry.filePath)) {
            shortcutClaimed = cache.BeginRead(entry.filePath);
            if (!shortcutClaimed) {
                outcome.readElsewhere = true;
            } else {
                ReadShortcutCommand(shared_->platform.startupFolders, entry);
                cache.EndRead(entry.filePath);
                shortcutClaimed = false;
            }
        }
        if (!outcome.readElsewhere) {
            ReadTexts(entry, outcome, index);
        }
    } catch (...) {
        // Told once the workers are done, in the entries' order, as one thread would have.
        outcome.failure = std::current_exception();
    }
    if (shortcutClaimed) {
        cache.EndRead(entry.filePath);
    }
    outcome.finished.store(true);
    done_.fetch_add(1);
    // Texts that come after the snapshot was made, or for a refill that was dropped, are for the
    // next one to show.
    if (completing_.load() || cancelled_.load()) {
        shared_->lateTexts.store(true);
    }
}

void EntryTable::Refill::ReadTexts(StartupEntry& entry, Outcome& outcome, std::size_t index)
{
    VersionTextCache& cache = shared_->versionTexts;
    platform::Platform& platform = shared_->platform;
    // Windows expands an expandable command before it starts it, so its program is found in the
    // expanded text; the command itself is kept as stored.
    CommandParts parts = SplitCommand(entry.valueType == platform::reg::kTypeExpandSz
                                          ? platform.environment.Expand(entry.command)
                                          : entry.command,
                                      platform.files);
    entry.programPath = std::move(parts.programPath);
    entry.arguments = std::move(parts.arguments);
    outcome.pathKnown.store(true);
    {
        // A program several entries start is read once, for the first to claim it.
        const std::scoped_lock lock(claimsGuard_);
        const auto [claim, added] = claims_.try_emplace(entry.programPath, index);
        if (!added) {
            outcome.sameProgramAs = claim->second;
            return;
        }
    }
    if (!cache.BeginRead(entry.programPath)) {
        outcome.readElsewhere = true;
        return;
    }
    try {
        // A device or a pattern is not opened at all: a read from a device may never end. A file
        // without a stamp (missing) is read every time: there is nothing to tell its next
        // version by.
        const bool namesAFile = NamesAProgramFile(entry.programPath);
        if (namesAFile) {
            outcome.stamp = platform.files.StampOf(entry.programPath);
        }
        entry.programFound =
            outcome.stamp.has_value() || ProgramFileExists(platform.files, entry.programPath);
        if (namesAFile && (!outcome.stamp || !cache.Recall(*outcome.stamp, entry))) {
            ReadProgramDetails(platform.versions, entry);
            // Who signed it is asked of the file itself, so only of one that is there.
            if (entry.programFound) {
                entry.signature = platform.signatures.Check(entry.programPath);
            }
            // A read that failed threw past this: it is not kept, and is met again, and told, on
            // the next refill.
            if (outcome.stamp) {
                cache.Keep(*outcome.stamp, entry);
            }
        }
    } catch (...) {
        cache.EndRead(entry.programPath);
        throw;
    }
    cache.EndRead(entry.programPath);
}

std::vector<StartupEntry> EntryTable::Refill::Complete(std::span<StartupEntry> entries,
                                                       std::span<Outcome> outcomes,
                                                       RefillReport& report) const
{
    std::vector<StartupEntry> completed;
    completed.reserve(entries.size());
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const StartupEntry& entry = entries[index];
        const Outcome& outcome = outcomes[index];
        const Outcome* reader = &outcome;
        if (outcome.finished.load() && outcome.sameProgramAs) {
            reader = &outcomes[*outcome.sameProgramAs];
        }
        if (!outcome.finished.load() || !reader->finished.load() || reader->readElsewhere) {
            completed.push_back(WithoutTexts(entry, outcome.pathKnown.load()));
            completed.back().displayText = DisplayTextOf(completed.back());
            continue;
        }
        completed.push_back(entry);
        StartupEntry& done = completed.back();
        try {
            if (reader != &outcome) {
                const StartupEntry& source = entries[*outcome.sameProgramAs];
                CopyTexts(source, done);
                done.programFound = source.programFound;
            }
            if (reader->failure) {
                std::rethrow_exception(reader->failure);
            }
        } catch (const std::bad_alloc&) {
            // The fixed text needs no memory of its own beyond the report's.
            Record(report, {std::wstring(kOutOfMemory), kOutOfMemoryNumber});
        } catch (const std::exception& failure) {
            Record(report, {platform::FromLatin1(failure.what()), kUnexpectedFailureNumber});
        }
        done.displayText = DisplayTextOf(done);
    }
    return completed;
}

void EntryTable::Refill::Run() noexcept
{
    try {
        std::vector<StartupEntry> entries;
        std::vector<SourceFailure> unread;
        ReadSources(entries, unread);
        total_.store(entries.size());
        std::vector<Outcome> outcomes(entries.size());
        {
            // The refill's own thread only watches the workers, so that a file that does not
            // answer cannot hold it: one more worker takes its share of the entries.
            const unsigned workers = shared_->workerThreads > 0 ? shared_->workerThreads + 1 : 0;
            ParallelWork work(entries.size(), workers,
                              [this, &entries, &outcomes](std::size_t index) {
                                  ResolveOne(entries[index], outcomes[index], index);
                              });
            platform::MarkStartup("workers started");
            (void)work.FinishUnlessHeldUp(kSlowReadPatience);
            platform::MarkStartup("version texts read");
            completing_.store(true);
            if (!cancelled_.load()) {
                auto snapshot = std::make_shared<EntrySnapshot>();
                snapshot->entries = Complete(entries, outcomes, snapshot->report);
                snapshot->report.unreadSources = std::move(unread);
                shared_->versionTexts.ForgetUnused();
                SortByDisplayText(snapshot->entries, shared_->platform.collation);
                platform::MarkStartup("sorted");
                Publish(std::move(snapshot));
            }
            // Leaving this block waits for the reads that held the snapshot up: what they read
            // is kept for the next refill.
        }
    } catch (const std::bad_alloc&) {
        PublishFailure({std::wstring(kOutOfMemory), kOutOfMemoryNumber});
    } catch (const std::exception& failure) {
        PublishFailure({platform::FromLatin1(failure.what()), kUnexpectedFailureNumber});
    }
    {
        const std::scoped_lock lock(snapshotGuard_);
        ended_.store(true);
    }
    snapshotMade_.notify_all();
}

void EntryTable::Refill::ResolveAll(std::span<StartupEntry> entries, RefillReport& report)
{
    std::vector<Outcome> outcomes(entries.size());
    {
        ParallelWork work(entries.size(), shared_->workerThreads,
                          [this, entries, &outcomes](std::size_t index) {
                              ResolveOne(entries[index], outcomes[index], index);
                          });
        work.Finish();
    }
    std::vector<StartupEntry> completed = Complete(entries, outcomes, report);
    std::move(completed.begin(), completed.end(), entries.begin());
}

} // namespace entries
