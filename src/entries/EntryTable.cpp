#include "EntryTable.h"

#include "CommandLine.h"
#include "EntryDetails.h"
#include "EntryOrder.h"
#include "RunKeys.h"
#include "StartupApproval.h"
#include "StartupFolderEntries.h"
#include "platform/Utf16.h"

#include <exception>
#include <new>

namespace entries {
namespace {

constexpr std::wstring_view kOutOfMemory = L"Out of memory";

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

void EntryTable::ReadVersionTexts(StartupEntry& entry)
{
    // A file without a stamp (missing, or named with wildcards) is read every time: there is
    // nothing to tell its next version by.
    const std::optional<platform::FileStamp> stamp = platform_.files.StampOf(entry.programPath);
    if (stamp && versionTexts_.Recall(*stamp, entry)) {
        return;
    }
    // A read that fails throws past Keep: the failure is met again, and told, on the next refill.
    ReadProgramDetails(platform_.versions, entry);
    if (stamp) {
        versionTexts_.Keep(*stamp, entry);
    }
}

void EntryTable::Resolve(std::span<StartupEntry> entries, RebuildReport& report)
{
    for (StartupEntry& entry : entries) {
        try {
            // Windows expands an expandable command before it starts it, so its program is found
            // in the expanded text; the command itself is kept as stored.
            CommandParts parts = SplitCommand(entry.valueType == platform::reg::kTypeExpandSz
                                                  ? platform_.environment.Expand(entry.command)
                                                  : entry.command,
                                              platform_.files);
            entry.programPath = std::move(parts.programPath);
            entry.arguments = std::move(parts.arguments);
            ReadVersionTexts(entry);
        } catch (const std::bad_alloc&) {
            // The fixed text needs no memory of its own beyond the report's.
            Record(report, {std::wstring(kOutOfMemory), kOutOfMemoryNumber});
        } catch (const std::exception& failure) {
            Record(report, {platform::FromLatin1(failure.what()), kUnexpectedFailureNumber});
        }
        entry.displayText = DisplayTextOf(entry);
    }
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

RebuildReport EntryTable::Rebuild()
{
    entries_.clear();
    // A Run key that cannot be read leaves its entries out; the list shows what was read.
    for (const Scope scope : kScopes) {
        const std::size_t first = entries_.size();
        (void)ReadRunKey(platform_.registry, scope, entries_);
        ReadApprovals(platform_.registry, scope, std::span(entries_).subspan(first));
    }
    for (const Scope scope : kFolderScopes) {
        const std::size_t first = entries_.size();
        ReadStartupFolder(platform_.startupFolders, scope, entries_);
        ReadApprovals(platform_.registry, scope, std::span(entries_).subspan(first));
    }
    RebuildReport report;
    Resolve(entries_, report);
    versionTexts_.ForgetUnused();
    SortByDisplayText(entries_, platform_.collation);
    return report;
}

} // namespace entries
