#pragma once

#include "platform/ChangeWatch.h"

#include <vector>

namespace platform::portable {

// A watch without a registry or folders of its own to watch: it remembers what it was asked to
// watch, and a test tells of a change with Change().
class ScriptedChangeWatch final : public ChangeWatch {
public:
    void Watch(std::span<const WatchedKey> keys,
               std::span<const std::wstring> folders) noexcept override
    {
        ++watchCalls;
        try {
            watched.assign(keys.begin(), keys.end());
            watchedFolders.assign(folders.begin(), folders.end());
        } catch (...) {
            watched.clear();
            watchedFolders.clear();
        }
    }
    void Stop() noexcept override
    {
        watched.clear();
        watchedFolders.clear();
    }

    // A change to one of the watched keys, as another program would make it.
    void Change() const
    {
        if (!watched.empty() && onChange) {
            onChange();
        }
    }

    std::vector<WatchedKey> watched;
    std::vector<std::wstring> watchedFolders;
    int watchCalls = 0;
};

} // namespace platform::portable
