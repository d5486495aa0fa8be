#include "VersionTextCache.h"

namespace entries {

bool VersionTextCache::Recall(const platform::FileStamp& stamp, StartupEntry& entry)
{
    const std::scoped_lock lock(guard_);
    const auto found = texts_.find(entry.programPath);
    if (found == texts_.end() || found->second.stamp != stamp) {
        return false;
    }
    Texts& kept = found->second;
    kept.used = true;
    entry.productName = kept.productName;
    entry.companyName = kept.companyName;
    entry.legalCopyright = kept.legalCopyright;
    entry.description = kept.description;
    entry.signature = kept.signature;
    return true;
}

void VersionTextCache::Keep(const platform::FileStamp& stamp, const StartupEntry& entry)
{
    // Built in full before it replaces what was kept, so that running out of memory part way
    // leaves the old texts with their old stamp rather than new texts under a stale one.
    Texts texts{stamp,
                entry.productName,
                entry.companyName,
                entry.legalCopyright,
                entry.description,
                entry.signature,
                true};
    const std::scoped_lock lock(guard_);
    texts_.insert_or_assign(entry.programPath, std::move(texts));
}

void VersionTextCache::ForgetUnused() noexcept
{
    const std::scoped_lock lock(guard_);
    std::erase_if(texts_, [](const auto& kept) { return !kept.second.used; });
    for (auto& kept : texts_) {
        kept.second.used = false;
    }
}

bool VersionTextCache::BeginRead(const std::wstring& path)
{
    const std::scoped_lock lock(guard_);
    return reading_.insert(path).second;
}

void VersionTextCache::EndRead(const std::wstring& path) noexcept
{
    const std::scoped_lock lock(guard_);
    reading_.erase(path);
}

bool VersionTextCache::AnyReadUnderWay() const
{
    const std::scoped_lock lock(guard_);
    return !reading_.empty();
}

} // namespace entries
