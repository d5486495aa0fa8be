#include "EntryTable.h"

#include "CommandLine.h"
#include "EntryDetails.h"
#include "EntryOrder.h"
#include "RunKeys.h"
#include "StartupApproval.h"
#include "StartupFolderEntries.h"
#include "platform/StartupTrace.h"
#include "platform/Utf16.h"

#include <exception>
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
    }
    return "source read";
}

void Record(RebuildReport& report, DetailsFailure failure)
{
    if (!report.firstFailure) {
        report.firstFailure = std::move(failure);
    }
    ++report.failedEntries;
}

} // namespace

std::wstring DisplayTextOf(const StartupEntry& entry)
{
    if (!entry.description.empty()) {
        return entry.description;
    }
    return entry.name + L";  (" + entry.programPath + L")";
}

EntryTable::EntryTable(platform::Platform& platform, unsigned workerThreads)
    : platform_(platform), workerThreads_(workerThreads)
{
}

EntryTable::~EntryTable() = default;

void EntryTable::ResolveOne(StartupEntry& entry, Resolution& resolution, std::size_t index) noexcept
{
    Resolution::Outcome& outcome = resolution.outcomes[index];
    try {
        // Windows expands an expandable command before it starts it, so its program is found in
        // the expanded text; the command itself is kept as stored.
        CommandParts parts = SplitCommand(entry.valueType == platform::reg::kTypeExpandSz
                                              ? platform_.environment.Expand(entry.command)
                                              : entry.command,
                                          platform_.files);
        entry.programPath = std::move(parts.programPath);
        entry.arguments = std::move(parts.arguments);
        // A file without a stamp (missing, or named with wildcards) is read every time: there is
        // nothing to tell its next version by.
        outcome.stamp = platform_.files.StampOf(entry.programPath);
        {
            const std::scoped_lock lock(resolution.claimsGuard);
            if (outcome.stamp && versionTexts_.Recall(*outcome.stamp, entry)) {
                return;
            }
            // A program several entries start is read once, for the first to claim it.
            const auto [claim, added] = resolution.claims.try_emplace(entry.programPath, index);
            if (!added) {
                outcome.sameProgramAs = claim->second;
                return;
            }
        }
        outcome.read = true;
        ReadProgramDetails(platform_.versions, entry);
    } catch (...) {
        // Told once the workers are done, in the entries' order, as one thread would have.
        outcome.failure = std::current_exception();
    }
}

std::unique_ptr<EntryTable::Resolution> EntryTable::BeginResolving(std::span<StartupEntry> entries)
{
    auto resolution = std::make_unique<Resolution>();
    resolution->outcomes.resize(entries.size());
    resolution->work = std::make_unique<ParallelWork>(
        entries.size(), workerThreads_, [this, entries, &state = *resolution](std::size_t index) {
            ResolveOne(entries[index], state, index);
        });
    return resolution;
}

void EntryTable::FinishResolving(std::span<StartupEntry> entries, Resolution& resolution,
                                 RebuildReport& report)
{
    resolution.work->Finish();
    platform::MarkStartup("version texts read");
    for (std::size_t index = 0; index < entries.size(); ++index) {
        StartupEntry& entry = entries[index];
        const Resolution::Outcome& outcome = resolution.outcomes[index];
        try {
            std::exception_ptr failure = outcome.failure;
            if (outcome.sameProgramAs) {
                const StartupEntry& reader = entries[*outcome.sameProgramAs];
                entry.productName = reader.productName;
                entry.companyName = reader.companyName;
                entry.legalCopyright = reader.legalCopyright;
                entry.description = reader.description;
                failure = resolution.outcomes[*outcome.sameProgramAs].failure;
            }
            // A read that failed is not kept: the failure is met again, and told, on the next
            // refill.
            if (failure) {
                std::rethrow_exception(failure);
            }
            if (outcome.read && outcome.stamp) {
                versionTexts_.Keep(*outcome.stamp, entry);
            }
        } catch (const std::bad_alloc&) {
            // The fixed text needs no memory of its own beyond the report's.
            Record(report, {std::wstring(kOutOfMemory), kOutOfMemoryNumber});
        } catch (const std::exception& failure) {
            Record(report, {platform::FromLatin1(failure.what()), kUnexpectedFailureNumber});
        }
        entry.displayText = DisplayTextOf(entry);
    }
}

void EntryTable::Resolve(std::span<StartupEntry> entries, RebuildReport& report)
{
    const std::unique_ptr<Resolution> resolution = BeginResolving(entries);
    FinishResolving(entries, *resolution, report);
}

std::vector<platform::WatchedKey> EntryTable::SourceKeys()
{
    std::vector<platform::WatchedKey> keys;
    for (const Scope scope : kScopes) {
        for (const registry::KeyPath& key : {RunKeyOf(scope), ApprovalKeyOf(scope)}) {
            keys.push_back(platform::WatchedKey{key.root, std::wstring(key.subKey), key.view});
        }
    }
    for (const Scope scope : kFolderScopes) {
        const registry::KeyPath key = ApprovalKeyOf(scope);
        keys.push_back(platform::WatchedKey{key.root, std::wstring(key.subKey), key.view});
    }
    return keys;
}

std::vector<std::wstring> EntryTable::SourceFolders() const
{
    std::vector<std::wstring> folders;
    for (const Scope scope : kFolderScopes) {
        if (std::optional<std::wstring> folder = platform_.startupFolders.PathOf(FolderOf(scope))) {
            folders.push_back(std::move(*folder));
        }
    }
    return folders;
}

void EntryTable::ReadSources()
{
    // A Run key that cannot be read leaves its entries out; the list shows what was read.
    for (const Scope scope : kScopes) {
        const std::size_t first = entries_.size();
        (void)ReadRunKey(platform_.registry, scope, entries_);
        ReadApprovals(platform_.registry, scope, std::span(entries_).subspan(first));
        platform::MarkStartup(SourceReadMark(scope));
    }
    for (const Scope scope : kFolderScopes) {
        const std::size_t first = entries_.size();
        ReadStartupFolder(platform_.startupFolders, scope, entries_);
        ReadApprovals(platform_.registry, scope, std::span(entries_).subspan(first));
        platform::MarkStartup(SourceReadMark(scope));
    }
}

void EntryTable::BeginRebuild()
{
    pending_.reset();
    entries_.clear();
    ReadSources();
    pending_ = BeginResolving(entries_);
    platform::MarkStartup("workers started");
}

RebuildReport EntryTable::FinishRebuild()
{
    if (!pending_) {
        BeginRebuild();
    }
    const std::unique_ptr<Resolution> resolution = std::move(pending_);
    RebuildReport report;
    FinishResolving(entries_, *resolution, report);
    versionTexts_.ForgetUnused();
    SortByDisplayText(entries_, platform_.collation);
    platform::MarkStartup("sorted");
    return report;
}

RebuildReport EntryTable::Rebuild()
{
    BeginRebuild();
    return FinishRebuild();
}

} // namespace entries
