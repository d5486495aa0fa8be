#pragma once

#include "platform/ChangeWatch.h"

#include <vector>

namespace platform::portable {

// A watch without a registry or folders of its own to watch: it remembers what it was asked to
// watch, and a test tells of a change with Change().
class ScriptedChangeWatch final : public ChangeWatch {
public:
    bool Watch(std::span<const WatchedKey> keys, std::span<const std::wstring> folders) override
    {
        ++watchCalls;
        watched.assign(keys.begin(), keys.end());
        watchedFolders.assign(folders.begin(), folders.end());
        return !refuses;
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

    // The watch stops following, as when waiting on it fails.
    void Lose()
    {
        Stop();
        if (onLost) {
            onLost();
        }
    }

    bool refuses = false; // Watch answers that it cannot follow
    std::vector<WatchedKey> watched;
    std::vector<std::wstring> watchedFolders;
    int watchCalls = 0;
};

} // namespace platform::portable
