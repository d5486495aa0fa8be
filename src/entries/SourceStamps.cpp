#include "SourceStamps.h"

namespace entries {
namespace {

namespace reg = platform::reg;

std::optional<std::uint64_t> KeyWriteTime(platform::Registry& registry,
                                          const platform::WatchedKey& watched)
{
    platform::KeyHandle handle = 0;
    if (registry.OpenKey(watched.root, watched.subKey, reg::kKeyQueryValue | watched.view,
                         handle) != reg::kSuccess) {
        return std::nullopt;
    }
    const platform::OwnedKey key = platform::Own(registry, handle);
    std::uint64_t written = 0;
    if (registry.QueryWriteTime(key.get(), written) != reg::kSuccess) {
        return std::nullopt;
    }
    return written;
}

} // namespace

SourceStamps ReadSourceStamps(platform::Platform& platform,
                              std::span<const platform::WatchedKey> keys,
                              std::span<const std::wstring> folders)
{
    SourceStamps stamps;
    stamps.keys.reserve(keys.size());
    for (const platform::WatchedKey& key : keys) {
        stamps.keys.push_back(KeyWriteTime(platform.registry, key));
    }
    stamps.folders.reserve(folders.size());
    for (const std::wstring& folder : folders) {
        stamps.folders.push_back(platform.files.FolderWriteTime(folder));
    }
    return stamps;
}

} // namespace entries
