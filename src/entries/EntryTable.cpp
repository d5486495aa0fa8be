#include "EntryTable.h"

#include "EntrySwitches.h"
#include "HiddenName.h"
#include "Refill.h"
#include "StartupFolderEntries.h"

#include <algorithm>
#include <system_error>

namespace entries {

std::wstring DisplayTextOf(const StartupEntry& entry)
{
    if (!entry.description.empty()) {
        return entry.description;
    }
    return ShownName(entry.name) + L";  (" + entry.programPath + L")";
}

std::optional<std::size_t> EntrySnapshot::Find(const EntryKey& key) const noexcept
{
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const StartupEntry& entry) {
        return entry.scope == key.scope && entry.name == key.name && entry.filePath == key.filePath;
    });
    if (found == entries.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - entries.begin());
}

EntryTable::EntryTable(platform::Platform& platform, unsigned workerThreads)
    : shared_(std::make_shared<Shared>(platform, workerThreads)),
      current_(std::make_shared<const EntrySnapshot>())
{
}

EntryTable::~EntryTable()
{
    for (RefillThread& running : threads_) {
        running.refill->Cancel();
    }
    threads_.clear();
}

void EntryTable::ForgetEndedRefills() noexcept
{
    std::erase_if(threads_, [](const RefillThread& running) { return running.refill->Ended(); });
}

void EntryTable::StartRefill()
{
    if (latest_) {
        latest_->Cancel();
        latest_.reset();
    }
    ForgetEndedRefills();
    auto refill = std::make_shared<Refill>(shared_);
    if (shared_->workerThreads > 0) {
        try {
            threads_.reserve(threads_.size() + 1);
            std::jthread thread([refill] { refill->Run(); });
            threads_.push_back(RefillThread{refill, std::move(thread)});
            latest_ = std::move(refill);
            return;
        } catch (const std::system_error&) {
            // No thread to be had: the refill is made here, as without workers.
        }
    }
    refill->Run();
    latest_ = std::move(refill);
}

RefillProgress EntryTable::Progress() const noexcept
{
    return latest_ ? latest_->Progress() : RefillProgress{};
}

bool EntryTable::WaitForRefill(std::chrono::milliseconds timeout) const
{
    return !latest_ || latest_->WaitForSnapshot(timeout);
}

bool EntryTable::TakeRefill()
{
    if (!latest_ || !latest_->WaitForSnapshot(std::chrono::milliseconds(0))) {
        return false;
    }
    // A refill that ended without a snapshot (no memory left to make one) leaves the list as it
    // was.
    if (std::shared_ptr<const EntrySnapshot> snapshot = latest_->Snapshot()) {
        current_ = std::move(snapshot);
    }
    latest_.reset();
    ForgetEndedRefills();
    return true;
}

bool EntryTable::TakeLateTexts() noexcept
{
    return shared_->lateTexts.exchange(false);
}

bool EntryTable::ReadsUnderWay() const
{
    return shared_->versionTexts.AnyReadUnderWay();
}

RefillReport EntryTable::RefillNow()
{
    StartRefill();
    while (!WaitForRefill(std::chrono::hours(1))) {
    }
    (void)TakeRefill();
    return current_->report;
}

void EntryTable::Resolve(std::span<StartupEntry> entries, RefillReport& report)
{
    Refill(shared_).ResolveAll(entries, report);
}

std::vector<platform::WatchedKey> EntryTable::SourceKeys()
{
    std::vector<platform::WatchedKey> keys;
    for (const Scope scope : kRegistryScopes) {
        const registry::KeyPath key = RunKeyOf(scope);
        keys.push_back(platform::WatchedKey{key.root, std::wstring(key.subKey), key.view});
    }
    for (const Scope scope : kScopes) {
        const registry::KeyPath key = SwitchKeyOf(scope);
        keys.push_back(platform::WatchedKey{key.root, std::wstring(key.subKey), key.view});
    }
    for (const Scope scope : kFolderScopes) {
        const registry::KeyPath key = SwitchKeyOf(scope);
        keys.push_back(platform::WatchedKey{key.root, std::wstring(key.subKey), key.view});
    }
    return keys;
}

std::vector<std::wstring> EntryTable::SourceFolders() const
{
    std::vector<std::wstring> folders;
    for (const Scope scope : kFolderScopes) {
        if (std::optional<std::wstring> folder =
                shared_->platform.startupFolders.PathOf(FolderOf(scope))) {
            folders.push_back(std::move(*folder));
        }
    }
    return folders;
}

} // namespace entries
