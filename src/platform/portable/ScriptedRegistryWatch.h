#pragma once

#include "platform/RegistryWatch.h"

#include <vector>

namespace platform::portable {

// A watch without a registry of its own to watch: it remembers what it was asked to watch, and a
// test tells of a change with Change().
class ScriptedRegistryWatch final : public RegistryWatch {
public:
    void Watch(std::span<const WatchedKey> keys) noexcept override
    {
        ++watchCalls;
        try {
            watched.assign(keys.begin(), keys.end());
        } catch (...) {
            watched.clear();
        }
    }
    void Stop() noexcept override { watched.clear(); }

    // A change to one of the watched keys, as another program would make it.
    void Change() const
    {
        if (!watched.empty() && onChange) {
            onChange();
        }
    }

    std::vector<WatchedKey> watched;
    int watchCalls = 0;
};

} // namespace platform::portable
