#pragma once

#include "platform/ChangeWatch.h"
#include "platform/Platform.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace entries {

// When each source of the entries last changed: the keys' last-write times and the folders'
// write times, none for one that is missing or cannot be read. Where a change watch cannot follow
// the sources, comparing these from one look to the next tells of a change all the same.
struct SourceStamps {
    std::vector<std::optional<std::uint64_t>> keys;
    std::vector<std::optional<std::uint64_t>> folders;
    bool operator==(const SourceStamps&) const = default;
};

[[nodiscard]] SourceStamps ReadSourceStamps(platform::Platform& platform,
                                            std::span<const platform::WatchedKey> keys,
                                            std::span<const std::wstring> folders);

} // namespace entries
